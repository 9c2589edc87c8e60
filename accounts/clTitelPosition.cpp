#include "accounts/clTitelPosition.h"

#include <utility>
#include <vector>

#include "accounts/RecordArray.h"
#include "platform/automation/VariantConversions.h"

namespace vks {

Variant clTitelPosition::WriteAllProperties() const {
  std::vector<Variant> e(kRecordElements);
  e[0] = Durchschnittspreis;
  e[1] = Position;
  e[2] = PointValue;
  e[3] = MinTickSize;
  e[4] = TitelWKN;
  e[5] = TitelName;
  e[6] = Margin;
  e[7] = Commissions;
  e[8] = CommissionsArePoints;
  e[9] = MindestCommissions;
  e[10] = MaximalCommissions;
  e[11] = ZusatzCommissions;
  e[12] = AktUmrechnungsWert;
  e[13] = OpenPL;
  e[14] = UmrechnungAuchGebuehren;
  return RecordArray(std::move(e));
}

void clTitelPosition::ReadAllProperties(const Variant& para) {
  const VariantArray& e = RecordElements(para, "Positionsdatensatz", kReadElements);
  Durchschnittspreis = ToSingle(e.At(0));
  Position = ToLong(e.At(1));
  PointValue = ToSingle(e.At(2));
  MinTickSize = e.At(3);
  TitelWKN = ToString(e.At(4));
  TitelName = ToString(e.At(5));
  Margin = ToSingle(e.At(6));
  Commissions = ToSingle(e.At(7));
  CommissionsArePoints = ToBoolean(e.At(8));
  MindestCommissions = ToSingle(e.At(9));
  MaximalCommissions = ToSingle(e.At(10));
  ZusatzCommissions = ToSingle(e.At(11));
  AktUmrechnungsWert = ToSingle(e.At(12));
  OpenPL = ToDouble(e.At(13));
  UmrechnungAuchGebuehren = ToBoolean(e.At(14));
}

void clTitelPosition::SchreibeZusatzInfos(const clOrderZusatzInfos& ZusatzInfos) {
  UebernimmZusatzInfos(*this, ZusatzInfos);
}

}  // namespace vks
