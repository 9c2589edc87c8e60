#pragma once
// The value arrays that the account records turn into for the store, read and written element by
// element through the store's reader and writer: checks of their shape with errors that say what
// is wrong, the child lists nested in the account record, and the whole-Variant form of a record.
#include <cstdint>
#include <string>
#include <string_view>

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

// The child list as nested in the account record: an array from 1 of the children's records in
// the collection's order, or Empty when there is no child.
template <class Collection>
void WriteChildList(StoreWriter& out, const Collection& children) {
  if (children.Count() == 0) return out.Empty();
  out.ArrayHeader(1, static_cast<int32_t>(children.Count()));
  for (const auto& entry : children) entry.value->WriteAllProperties(out);
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
