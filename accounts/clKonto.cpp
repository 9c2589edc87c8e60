#include "accounts/clKonto.h"

#include "accounts/RecordArray.h"

namespace vks {

Variant clKonto::WriteAllProperties() const {
  return RecordVariant(*this);
}

void clKonto::ReadAllProperties(const Variant& para) {
  ReadRecordVariant(*this, para);
}

void clKonto::WriteAllProperties(StoreWriter& out) const {
  WriteRecord(out, *this);
}

void clKonto::ReadAllProperties(StoreReader& in) {
  ReadRecord(in, *this);
}

}  // namespace vks
