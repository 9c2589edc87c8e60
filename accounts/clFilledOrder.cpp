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
  out.ArrayHeader(0, kRecordElements);
  out.String(ID);
  out.Integer(Aktion);
  out.Long(FilledAnzahl);
  out.String(TitelName);
  out.Boolean(Gestrichen);
  out.String(TitelWKN);
  out.Date(SimulDatum);
  out.Date(RealDatum);
  out.Boolean(IsEnterOrder);
  out.Single(EnterPreis);
  WriteEmptyElements(out, kRecordElements - kReadElements);
}

void clFilledOrder::ReadAllProperties(StoreReader& in) {
  RecordReader record(in, "Filldatensatz", kReadElements);
  ID = in.String();
  Aktion = in.Integer();
  FilledAnzahl = in.Long();
  TitelName = in.String();
  Gestrichen = in.Boolean();
  TitelWKN = in.String();
  SimulDatum = in.Date();
  RealDatum = in.Date();
  IsEnterOrder = in.Boolean();
  EnterPreis = in.Single();
  record.Finish();
}

}  // namespace vks
