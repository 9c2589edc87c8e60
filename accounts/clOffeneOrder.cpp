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
  out.ArrayHeader(0, kRecordElements);
  out.String(TitelWKN);
  out.String(ID);
  out.Integer(Aktion);
  out.Long(Anzahl);
  out.Long(FilledAnzahl);
  out.String(TitelName);
  out.Date(SimulDatum);
  out.Date(RealDatum);
  out.Boolean(IsEnterOrder);
  out.Single(PointValue);
  out.Value(MinTickSize);
  out.Single(Margin);
  out.Single(Commissions);
  out.Boolean(CommissionsArePoints);
  out.Single(MindestCommissions);
  out.Single(MaximalCommissions);
  out.Single(ZusatzCommissions);
  out.Single(AktUmrechnungsWert);
  out.Single(Kurs);
  out.Boolean(UmrechnungAuchGebuehren);
  out.Single(FillDurchschnittsKurs);
  out.Single(StartUmrechnungswert);
  WriteEmptyElements(out, kRecordElements - kReadElements);
}

void clOffeneOrder::ReadAllProperties(StoreReader& in) {
  RecordReader record(in, "Orderdatensatz", kReadElements);
  TitelWKN = in.String();
  ID = in.String();
  Aktion = in.Integer();
  Anzahl = in.Long();
  FilledAnzahl = in.Long();
  TitelName = in.String();
  SimulDatum = in.Date();
  RealDatum = in.Date();
  IsEnterOrder = in.Boolean();
  PointValue = in.Single();
  MinTickSize = in.Value();
  Margin = in.Single();
  Commissions = in.Single();
  CommissionsArePoints = in.Boolean();
  MindestCommissions = in.Single();
  MaximalCommissions = in.Single();
  ZusatzCommissions = in.Single();
  AktUmrechnungsWert = in.Single();
  Kurs = in.Single();
  UmrechnungAuchGebuehren = in.Boolean();
  FillDurchschnittsKurs = in.Single();
  StartUmrechnungswert = in.Single();
  record.Finish();
  // A stored average of 0 means none was recorded; the order price stands in for it.
  if (FillDurchschnittsKurs == 0) FillDurchschnittsKurs = Kurs;
}

}  // namespace vks
