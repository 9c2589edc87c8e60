#pragma once
// The element names of the stored record types, taken from the records' field lists
// (accounts/RecordFields.h), so that a dumped store shows which value is which field.
#include <cstdint>
#include <string_view>
#include <tuple>
#include <vector>

#include "accounts/RecordFields.h"
#include "tools/store/StoreJson.h"

namespace vks {

struct RecordLayout;

struct FieldLayout {
  std::string_view name;
  const RecordLayout* children = nullptr;  // the element is a list from 1 of these records
  std::vector<FieldLayout> group;          // the element is an array from 0 of these fields
};

struct RecordLayout {
  std::string_view record;          // "clKonto"
  std::vector<FieldLayout> fields;  // by element index
  // The field holding the child's key in its collection ("" for the account).
  std::string_view key_field;
};

template <class Record>
const RecordLayout& LayoutOf();

template <class Record, class T>
FieldLayout FieldLayoutOf(const StoredField<Record, T>& field) {
  return {field.name, nullptr, {}};
}

template <class Record, class Child>
FieldLayout FieldLayoutOf(const StoredChildren<Record, Child>& field) {
  return {field.name, &LayoutOf<Child>(), {}};
}

template <class Fields>
std::vector<FieldLayout> FieldLayoutsOf(const Fields& fields) {
  return std::apply([](const auto&... f) { return std::vector<FieldLayout>{FieldLayoutOf(f)...}; },
                    fields);
}

template <class... Fields>
FieldLayout FieldLayoutOf(const StoredGroup<Fields...>& group) {
  return {group.name, nullptr, FieldLayoutsOf(group.fields)};
}

// The layout of a record class, made from its field list once.
template <class Record>
const RecordLayout& LayoutOf() {
  using Stored = StoredFields<Record>;
  static const RecordLayout layout{Stored::kRecord, FieldLayoutsOf(Stored::kFields),
                                   KeyFieldName<Record>()};
  return layout;
}

// The field name of element `index`, or "" when the layout has none there.
std::string_view FieldName(const RecordLayout& layout, int64_t index);

// Adds "record" and "field" labels to the tagged form of a whole store (an array of account
// records), each as the first key of its value. Values without the expected shape stay unlabelled.
void LabelStore(StoreJson& store);

}  // namespace vks
