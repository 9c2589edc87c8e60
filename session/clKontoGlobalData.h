#pragma once
// The store that rule scripts and the host share for the life of the process: values under text
// keys (compared without regard to case, kept in the order added), and categories, which are
// stores of the same kind held by reference. Item is the default member, so scripts index the
// store with a key. Never saved; empty after every start.
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "platform/automation/Dispatch.h"
#include "platform/automation/KeyedDictionary.h"
#include "platform/automation/Variant.h"

namespace vks {

class clKontoGlobalData : public Dispatch {
 public:
  clKontoGlobalData() = default;
  clKontoGlobalData(const clKontoGlobalData&) = delete;
  clKontoGlobalData& operator=(const clKontoGlobalData&) = delete;

  // Raises error 457 when Key exists; the store is then unchanged.
  void Add(const std::string& Key, const Variant& NewValue);
  // The keys in the order added, lower bound 0; an empty store gives an empty array.
  Variant GetAllKeys() const;
  // A missing key is ignored.
  void Remove(std::string_view Key);
  bool KeyExists(std::string_view Key) const;
  // True when a new empty category was added under Key; False when Key exists or anything fails.
  bool AddCategory(const std::string& Key);
  // The value under Key (an object as its reference); Empty for a missing key, which is not added.
  Variant Item(std::string_view Key) const;
  // Replaces or adds; an object value is kept by reference. Never raises.
  void Item(const std::string& Key, const Variant& NewValue);
  void RemoveAll();

  std::string TypeName() const override { return "clKontoGlobalData"; }
  Variant Invoke(std::string_view name, InvokeKind kind, std::span<Variant> args) override;
  std::vector<Variant> Enumerate() override;
  // The stored values, categories included: they count towards each rule's memory bound.
  void VisitValues(const std::function<void(const Variant&)>& visit) const override {
    for (const auto& entry : entries_) visit(entry.value);
  }

 private:
  KeyedDictionary<Variant> entries_;
};

}  // namespace vks
