#pragma once
// The value arrays that the account records turn into for the store, read and written element by
// element through the store's reader and writer as their field lists (RecordFields.h) say: checks
// of their shape with errors that say what is wrong, the child lists nested in the account record,
// and the whole-Variant form of a record.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>

#include "accounts/RecordFields.h"
#include "platform/automation/StoreReader.h"
#include "platform/automation/StoreWriter.h"
#include "platform/automation/Variant.h"

namespace vks {

// The opening of a record array that must hold at least `min_elements` from index 0; the caller
// reads that many elements, then calls Finish. `what` names the record in errors
// ("Kontodatensatz"). Throws AutomationError 13 when the next value is no one-dimensional array,
// 9 when it does not start at 0 or is too short.
class RecordReader {
 public:
  RecordReader(StoreReader& in, std::string_view what, int32_t min_elements);
  // Reads past the elements after the first `min_elements`, which no field takes.
  void Finish();

 private:
  StoreReader& in_;
  int32_t rest_;
};

// The opening of a child list nested in the account record: an array from 1 whose elements are
// the children's records, or any other value for none (read past at once). The caller reads
// Count() records, then calls Finish. `what` names the list in errors ("Positionen"). Throws
// AutomationError 9 for an array with more dimensions or a lower bound other than 1.
class ChildListReader {
 public:
  ChildListReader(StoreReader& in, std::string_view what);
  int32_t Count() const { return count_; }
  void Finish();

 private:
  StoreReader& in_;
  bool is_array_ = false;
  int32_t count_ = 0;
};

// `count` Empty elements: the unused tail of a record.
void WriteEmptyElements(StoreWriter& out, int32_t count);

// One element from a field of that type (RecordFields.h names the subtypes).
template <class T>
void WriteElement(StoreWriter& out, const T& value) {
  if constexpr (std::is_same_v<T, std::string>) {
    out.String(value);
  } else if constexpr (std::is_same_v<T, int16_t>) {
    out.Integer(value);
  } else if constexpr (std::is_same_v<T, int32_t>) {
    out.Long(value);
  } else if constexpr (std::is_same_v<T, float>) {
    out.Single(value);
  } else if constexpr (std::is_same_v<T, double>) {
    out.Double(value);
  } else if constexpr (std::is_same_v<T, DateValue>) {
    out.Date(value);
  } else if constexpr (std::is_same_v<T, bool>) {
    out.Boolean(value);
  } else {
    static_assert(std::is_same_v<T, Variant>, "no store subtype for this field type");
    out.Value(value);
  }
}

template <class T>
void ReadElement(StoreReader& in, T& value) {
  if constexpr (std::is_same_v<T, std::string>) {
    value = in.String();
  } else if constexpr (std::is_same_v<T, int16_t>) {
    value = in.Integer();
  } else if constexpr (std::is_same_v<T, int32_t>) {
    value = in.Long();
  } else if constexpr (std::is_same_v<T, float>) {
    value = in.Single();
  } else if constexpr (std::is_same_v<T, double>) {
    value = in.Double();
  } else if constexpr (std::is_same_v<T, DateValue>) {
    value = in.Date();
  } else if constexpr (std::is_same_v<T, bool>) {
    value = in.Boolean();
  } else {
    static_assert(std::is_same_v<T, Variant>, "no store subtype for this field type");
    value = in.Value();
  }
}

// The child list as nested in the account record: an array from 1 of the children's records in
// the collection's order, or Empty when there is no child.
template <class Collection>
void WriteChildList(StoreWriter& out, const Collection& children) {
  if (children.Count() == 0) return out.Empty();
  out.ArrayHeader(1, static_cast<int32_t>(children.Count()));
  for (const auto& entry : children) entry.value->WriteAllProperties(out);
}

template <class Record, class T>
void WriteField(StoreWriter& out, const Record& record, const StoredField<Record, T>& field) {
  WriteElement(out, record.*field.member);
}

template <class Record, class Child>
void WriteField(StoreWriter& out, const Record& record,
                const StoredChildren<Record, Child>& field) {
  WriteChildList(out, record.*field.member);
}

template <class Record, class... Fields>
void WriteField(StoreWriter& out, const Record& record, const StoredGroup<Fields...>& group) {
  out.ArrayHeader(0, static_cast<int32_t>(sizeof...(Fields)));
  std::apply([&](const auto&... field) { (WriteField(out, record, field), ...); }, group.fields);
}

template <class Record, class T>
void ReadField(StoreReader& in, Record& record, const StoredField<Record, T>& field) {
  ReadElement(in, record.*field.member);
}

// Reads the children into a new collection, which replaces the record's once all are read.
template <class Record, class Child>
void ReadField(StoreReader& in, Record& record, const StoredChildren<Record, Child>& field) {
  static_assert(!KeyFieldName<Child>().empty(), "a child's key must be one of its stored fields");
  KeyedDictionary<std::shared_ptr<Child>> children(CompareMode::Text);
  ChildListReader list(in, field.what);
  for (int32_t i = 0; i < list.Count(); ++i) {
    auto child = std::make_shared<Child>();
    child->ReadAllProperties(in);
    std::string key = (*child).*StoredFields<Child>::kKey;
    children.Add(std::move(key), std::move(child));
  }
  list.Finish();
  record.*field.member = std::move(children);
}

template <class Record, class... Fields>
void ReadField(StoreReader& in, Record& record, const StoredGroup<Fields...>& group) {
  if (!in.NextIsArray()) return in.Skip();
  RecordReader values(in, group.what, static_cast<int32_t>(sizeof...(Fields)));
  std::apply([&](const auto&... field) { (ReadField(in, record, field), ...); }, group.fields);
  values.Finish();
}

// The record's stored fields as an array from 0 of StoredFields<Record>::kElements elements.
template <class Record>
void WriteRecord(StoreWriter& out, const Record& record) {
  using Stored = StoredFields<Record>;
  static_assert(Stored::kElements >= kFieldElements<Record>, "more fields than stored elements");
  out.ArrayHeader(0, Stored::kElements);
  std::apply([&](const auto&... field) { (WriteField(out, record, field), ...); }, Stored::kFields);
  WriteEmptyElements(out, Stored::kElements - kFieldElements<Record>);
}

// Sets the stored fields from such an array, which must hold at least the fields' elements;
// throws as RecordReader, the coercions and the store reader do. On an error the record is left
// partly read.
template <class Record>
void ReadRecord(StoreReader& in, Record& record) {
  using Stored = StoredFields<Record>;
  RecordReader array(in, Stored::kWhat, kFieldElements<Record>);
  std::apply([&](const auto&... field) { (ReadField(in, record, field), ...); }, Stored::kFields);
  array.Finish();
}

// The record as one Variant, for callers that want it whole (tools, tests). The bytes written go
// through the store's reader, so the Variant is exactly what the file would give back.
template <class Record>
Variant RecordVariant(const Record& record) {
  std::string bytes;
  StoreWriter out(bytes);
  record.WriteAllProperties(out);
  size_t offset = 0;
  return ReadStoreVariant(bytes, offset);
}

// Reads `record` from a whole Variant by way of its store bytes, so that a Variant and the file
// are read by the same code. Throws as the record's own reader, and as StoreWriter::Value for a
// Variant the store cannot hold.
template <class Record>
void ReadRecordVariant(Record& record, const Variant& para) {
  std::string bytes;
  AppendStoreVariant(bytes, para);
  StoreReader in(bytes);
  record.ReadAllProperties(in);
}

}  // namespace vks
