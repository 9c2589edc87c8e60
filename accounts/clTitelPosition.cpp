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
  out.ArrayHeader(0, kRecordElements);
  out.Single(Durchschnittspreis);
  out.Long(Position);
  out.Single(PointValue);
  out.Value(MinTickSize);
  out.String(TitelWKN);
  out.String(TitelName);
  out.Single(Margin);
  out.Single(Commissions);
  out.Boolean(CommissionsArePoints);
  out.Single(MindestCommissions);
  out.Single(MaximalCommissions);
  out.Single(ZusatzCommissions);
  out.Single(AktUmrechnungsWert);
  out.Double(OpenPL);
  out.Boolean(UmrechnungAuchGebuehren);
  WriteEmptyElements(out, kRecordElements - kReadElements);
}

void clTitelPosition::ReadAllProperties(StoreReader& in) {
  RecordReader record(in, "Positionsdatensatz", kReadElements);
  Durchschnittspreis = in.Single();
  Position = in.Long();
  PointValue = in.Single();
  MinTickSize = in.Value();
  TitelWKN = in.String();
  TitelName = in.String();
  Margin = in.Single();
  Commissions = in.Single();
  CommissionsArePoints = in.Boolean();
  MindestCommissions = in.Single();
  MaximalCommissions = in.Single();
  ZusatzCommissions = in.Single();
  AktUmrechnungsWert = in.Single();
  OpenPL = in.Double();
  UmrechnungAuchGebuehren = in.Boolean();
  record.Finish();
}

void clTitelPosition::SchreibeZusatzInfos(const clOrderZusatzInfos& ZusatzInfos) {
  UebernimmZusatzInfos(*this, ZusatzInfos);
}

}  // namespace vks
