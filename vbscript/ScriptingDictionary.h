#pragma once
// "Scripting.Dictionary" for scripts: keys of any value (text keys folded in text compare mode),
// insertion order kept; reading a missing key through Item adds it (as Empty), so a script may
// read before it writes.
#include <utility>

#include "platform/automation/Dispatch.h"
#include "platform/automation/KeyedDictionary.h"

namespace vks::vbscript {

class ScriptingDictionary : public Dispatch {
 public:
  std::string TypeName() const override { return "Dictionary"; }
  Variant Invoke(std::string_view name, InvokeKind kind, std::span<Variant> args) override;
  std::vector<Variant> Enumerate() override;
  // Calls `visit` with every key and item, for measuring what the dictionary holds.
  template <class F>
  void Visit(F&& visit) const {
    for (const auto& entry : entries_) {
      visit(entry.value.first);
      visit(entry.value.second);
    }
  }

 private:
  // The lookup text of a key: its kind and its value, so 1 and "1" stay apart.
  static std::string KeyText(const Variant& key);
  std::pair<Variant, Variant>* Find(const Variant& key);
  std::pair<Variant, Variant>& Item(const Variant& key);

  KeyedDictionary<std::pair<Variant, Variant>> entries_{CompareMode::Binary};
};

}  // namespace vks::vbscript
