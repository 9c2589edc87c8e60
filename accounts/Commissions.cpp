// Commission of a fill, on the position's copies of the order's terms.
#include <cstdlib>

#include "accounts/clTitelPosition.h"

namespace vks {

float clTitelPosition::BerechneCommissions(int32_t Anzahl, float Kurs) const {
  const double units = static_cast<double>(std::llabs(int64_t{Anzahl}));
  // The products are formed in double precision; the commission itself is a Single.
  float c = CommissionsArePoints
                ? static_cast<float>(static_cast<double>(Commissions) * units)
                : static_cast<float>(static_cast<double>(Kurs) * units / 100.0 * static_cast<double>(Commissions));
  if (c < MindestCommissions) c = MindestCommissions;
  if (MaximalCommissions > 0 && c > MaximalCommissions) c = MaximalCommissions;
  c = c + ZusatzCommissions;
  if (UmrechnungAuchGebuehren && AktUmrechnungsWert > 0) c = c * AktUmrechnungsWert;
  return c;
}

}  // namespace vks
