#include "accounts/clFilledOrder.h"

#include "accounts/RecordArray.h"

namespace vks {

Variant clFilledOrder::WriteAllProperties() const {
  return RecordVariant(*this);
}

void clFilledOrder::ReadAllProperties(const Variant& para) {
  ReadRecordVariant(*this, para);
}

void clFilledOrder::WriteAllProperties(StoreWriter& out) const {
  WriteRecord(out, *this);
}

void clFilledOrder::ReadAllProperties(StoreReader& in) {
  ReadRecord(in, *this);
}

}  // namespace vks
