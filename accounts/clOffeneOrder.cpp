#include "accounts/clOffeneOrder.h"

#include "accounts/RecordArray.h"

namespace vks {

void clOffeneOrder::SchreibeZusatzInfos(const clOrderZusatzInfos& ZusatzInfos) {
  UebernimmZusatzInfos(*this, ZusatzInfos);
}

Variant clOffeneOrder::WriteAllProperties() const {
  return RecordVariant(*this);
}

void clOffeneOrder::ReadAllProperties(const Variant& para) {
  ReadRecordVariant(*this, para);
}

void clOffeneOrder::WriteAllProperties(StoreWriter& out) const {
  WriteRecord(out, *this);
}

void clOffeneOrder::ReadAllProperties(StoreReader& in) {
  ReadRecord(in, *this);
  // A stored average of 0 means none was recorded; the order price stands in for it.
  if (FillDurchschnittsKurs == 0) FillDurchschnittsKurs = Kurs;
}

}  // namespace vks
