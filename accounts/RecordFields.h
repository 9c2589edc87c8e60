#pragma once
// The one list of a record class's stored fields. Each record class specialises StoredFields with
// its fields in the order of its array elements from index 0; that list writes the record to the
// store, reads it back (RecordArray.h) and names its elements in the store tools. Adding a field
// is one line in it:
//
//   template <>
//   struct StoredFields<clFilledOrder> {
//     static constexpr std::string_view kRecord = "clFilledOrder";  // in the tools
//     static constexpr std::string_view kWhat = "Filldatensatz";    // in errors
//     static constexpr int32_t kElements = 13;  // the elements after the fields stay Empty
//     static constexpr auto kKey = &clFilledOrder::ID;  // a child's key in its collection
//     static constexpr auto kFields = std::tuple{Field("ID", &clFilledOrder::ID), ...};
//   };
#include <cstdint>
#include <memory>
#include <string_view>
#include <tuple>

#include "platform/automation/KeyedDictionary.h"

namespace vks {

template <class Record>
struct StoredFields;

// A field stored as one element, in the subtype its member's type gives: std::string String,
// int16_t Integer, int32_t Long, float Single, double Double, DateValue Date, bool Boolean; a
// Variant member is stored as it is.
template <class Record, class T>
struct StoredField {
  std::string_view name;
  T Record::*member;
};

// A collection of child records stored as one element: an array from 1 of their records in the
// collection's order, or Empty for none. Read back, the children are keyed by their kKey.
template <class Record, class ChildRecord>
struct StoredChildren {
  using Child = ChildRecord;
  std::string_view name;
  KeyedDictionary<std::shared_ptr<Child>> Record::*member;
  std::string_view what;  // the list in errors: "Positionen"
};

// Fields stored together as one element, a nested array from 0. An element that is no array is
// read past and leaves the fields as they are.
template <class... Fields>
struct StoredGroup {
  std::string_view name;
  std::string_view what;  // the array in errors
  std::tuple<Fields...> fields;
};

template <class Record, class T>
constexpr StoredField<Record, T> Field(std::string_view name, T Record::*member) {
  return {name, member};
}

template <class Record, class Child>
constexpr StoredChildren<Record, Child> Children(
    std::string_view name, KeyedDictionary<std::shared_ptr<Child>> Record::*member,
    std::string_view what) {
  return {name, member, what};
}

template <class... Fields>
constexpr StoredGroup<Fields...> Group(std::string_view name, std::string_view what,
                                       Fields... fields) {
  return {name, what, std::tuple{fields...}};
}

// The number of elements that hold fields; the record's elements after them stay Empty.
template <class Record>
constexpr int32_t kFieldElements =
    static_cast<int32_t>(std::tuple_size_v<decltype(StoredFields<Record>::kFields)>);

// The name of the field that keys a record in its collection; "" for a record without kKey.
template <class Record>
constexpr std::string_view KeyFieldName() {
  std::string_view name;
  if constexpr (requires { StoredFields<Record>::kKey; }) {
    auto match = [&](const auto& field) {
      if constexpr (requires { field.member == StoredFields<Record>::kKey; }) {
        if (field.member == StoredFields<Record>::kKey) name = field.name;
      }
    };
    std::apply([&](const auto&... field) { (match(field), ...); }, StoredFields<Record>::kFields);
  }
  return name;
}

}  // namespace vks
