#include "accounts/clOffeneOrder.h"

#include <utility>
#include <vector>

#include "accounts/RecordArray.h"
#include "platform/automation/NoValue.h"
#include "platform/automation/VariantConversions.h"

namespace vks {

void clOffeneOrder::SchreibeZusatzInfos(const clOrderZusatzInfos& ZusatzInfos) {
  UebernimmZusatzInfos(*this, ZusatzInfos);
}

Variant clOffeneOrder::WriteAllProperties() const {
  std::vector<Variant> e(kRecordElements);
  e[0] = TitelWKN;
  e[1] = ID;
  e[2] = Aktion;
  e[3] = Anzahl;
  e[4] = FilledAnzahl;
  e[5] = TitelName;
  e[6] = SimulDatum;
  e[7] = RealDatum;
  e[8] = IsEnterOrder;
  e[9] = PointValue;
  e[10] = MinTickSize;
  e[11] = Margin;
  e[12] = Commissions;
  e[13] = CommissionsArePoints;
  e[14] = MindestCommissions;
  e[15] = MaximalCommissions;
  e[16] = ZusatzCommissions;
  e[17] = AktUmrechnungsWert;
  e[18] = Kurs;
  e[19] = UmrechnungAuchGebuehren;
  e[20] = FillDurchschnittsKurs;
  e[21] = StartUmrechnungswert;
  return RecordArray(std::move(e));
}

void clOffeneOrder::ReadAllProperties(const Variant& para) {
  const VariantArray& e = RecordElements(para, "Orderdatensatz", kReadElements);
  TitelWKN = ToString(e.At(0));
  ID = ToString(e.At(1));
  Aktion = ToInteger(e.At(2));
  Anzahl = ToLong(e.At(3));
  FilledAnzahl = ToLong(e.At(4));
  TitelName = ToString(e.At(5));
  SimulDatum = ToDate(e.At(6));
  RealDatum = ToDate(e.At(7));
  IsEnterOrder = ToBoolean(e.At(8));
  PointValue = ToSingle(e.At(9));
  MinTickSize = e.At(10);
  Margin = ToSingle(e.At(11));
  Commissions = ToSingle(e.At(12));
  CommissionsArePoints = ToBoolean(e.At(13));
  MindestCommissions = ToSingle(e.At(14));
  MaximalCommissions = ToSingle(e.At(15));
  ZusatzCommissions = ToSingle(e.At(16));
  AktUmrechnungsWert = ToSingle(e.At(17));
  Kurs = ToSingle(e.At(18));
  UmrechnungAuchGebuehren = ToBoolean(e.At(19));
  FillDurchschnittsKurs = ToSingle(e.At(20));
  StartUmrechnungswert = ToSingle(e.At(21));
  // A stored average of 0 means none was recorded; the order price stands in for it.
  if (FillDurchschnittsKurs == 0) FillDurchschnittsKurs = Kurs;
}

}  // namespace vks
