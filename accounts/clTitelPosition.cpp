#include "accounts/clTitelPosition.h"

#include "accounts/RecordArray.h"

namespace vks {

Variant clTitelPosition::WriteAllProperties() const {
  return RecordVariant(*this);
}

void clTitelPosition::ReadAllProperties(const Variant& para) {
  ReadRecordVariant(*this, para);
}

void clTitelPosition::WriteAllProperties(StoreWriter& out) const {
  WriteRecord(out, *this);
}

void clTitelPosition::ReadAllProperties(StoreReader& in) {
  ReadRecord(in, *this);
}

void clTitelPosition::SchreibeZusatzInfos(const clOrderZusatzInfos& ZusatzInfos) {
  UebernimmZusatzInfos(*this, ZusatzInfos);
}

}  // namespace vks
