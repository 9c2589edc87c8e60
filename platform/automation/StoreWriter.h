#pragma once
// Writes Variants in the store's byte form (StoreFormat.h) to the end of a byte string: a whole
// Variant, or a record's elements one by one straight from its fields, so that no Variant tree is
// built on the way to the file.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/StoreFormat.h"
#include "platform/automation/Variant.h"

namespace vks {

class StoreWriter {
 public:
  explicit StoreWriter(std::string& out) : out_(out) {}

  // Inline: a record writes most of its elements through these.
  void Empty() { PutType(store::kTypeEmpty); }
  void Integer(int16_t value) { PutTyped(store::kTypeInteger, value); }
  void Long(int32_t value) { PutTyped(store::kTypeLong, value); }
  void Single(float value) { PutTyped(store::kTypeSingle, value); }
  void Double(double value) { PutTyped(store::kTypeDouble, value); }
  void Date(DateValue value) { PutTyped(store::kTypeDate, value.days); }
  void Boolean(bool value) { PutTyped<int16_t>(store::kTypeBoolean, value ? -1 : 0); }
  // Throws AutomationError 5 for text (UTF-8) that Windows-1252 cannot hold or that is longer
  // than 65 535 bytes.
  void String(std::string_view utf8);
  // Any Variant. Throws AutomationError 13 for a subtype the store cannot hold (objects, errors)
  // and as String for text.
  void Value(const Variant& value);
  // The type and bounds of an array of Variants; its elements are to follow, first index fastest.
  void ArrayHeader(const std::vector<ArrayBound>& bounds);
  // The same for one dimension of `count` elements from `lower`.
  void ArrayHeader(int32_t lower, int32_t count);

 private:
  void PutType(uint16_t type) {
    char bytes[2];
    store::PutLittleEndian(bytes, type);
    out_.append(bytes, sizeof bytes);
  }
  // The type and the value in one append: each append costs a capacity check.
  template <class T>
  void PutTyped(uint16_t type, T value) {
    char bytes[2 + sizeof(T)];
    store::PutLittleEndian(bytes, type);
    store::PutLittleEndian(bytes + 2, value);
    out_.append(bytes, sizeof bytes);
  }

  std::string& out_;
};

// Appends `value` as one serialized Variant to `out`; throws as StoreWriter::Value. On an error
// `out` may hold a partial value.
void AppendStoreVariant(std::string& out, const Variant& value);

// Appends the type and bounds of an array of Variants; its elements are to follow.
void AppendStoreArrayHeader(std::string& out, const std::vector<ArrayBound>& bounds);

}  // namespace vks
