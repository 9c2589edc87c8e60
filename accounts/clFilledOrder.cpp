#include "accounts/clFilledOrder.h"

#include <utility>
#include <vector>

#include "accounts/RecordArray.h"
#include "platform/automation/VariantConversions.h"

namespace vks {

Variant clFilledOrder::WriteAllProperties() const {
  std::vector<Variant> e(kRecordElements);
  e[0] = ID;
  e[1] = Aktion;
  e[2] = FilledAnzahl;
  e[3] = TitelName;
  e[4] = Gestrichen;
  e[5] = TitelWKN;
  e[6] = SimulDatum;
  e[7] = RealDatum;
  e[8] = IsEnterOrder;
  e[9] = EnterPreis;
  return RecordArray(std::move(e));
}

void clFilledOrder::ReadAllProperties(const Variant& para) {
  const VariantArray& e = RecordElements(para, "Filldatensatz", kReadElements);
  ID = ToString(e.At(0));
  Aktion = ToInteger(e.At(1));
  FilledAnzahl = ToLong(e.At(2));
  TitelName = ToString(e.At(3));
  Gestrichen = ToBoolean(e.At(4));
  TitelWKN = ToString(e.At(5));
  SimulDatum = ToDate(e.At(6));
  RealDatum = ToDate(e.At(7));
  IsEnterOrder = ToBoolean(e.At(8));
  EnterPreis = ToSingle(e.At(9));
}

}  // namespace vks
