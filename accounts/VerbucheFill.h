#pragma once
// Booking of one fill into an account: opens, enlarges, reduces, reverses or closes the position,
// moves its average price, and books margin, open profit and loss and commission between cash and
// the running totals so that the total capital changes only by the revaluation at the fill price
// and the commission. Records every changed series.
#include <cstdint>
#include <string_view>

#include "accounts/clOrderZusatzInfos.h"
#include "platform/automation/Variant.h"

namespace vks {

class clKonto;
struct KontoUmgebung;

// Nothing happens for Anzahl ≤ 0. Aktion is the direction (+1 buy, -1 sell); ZusatzInfos may be
// null (closing a position). Errors are not caught: an overflow or a failing collection operation
// stops the booking where it happened and reaches the caller.
void VerbucheFill(clKonto& Konto, DateValue DatumZeit, std::string_view TitelWKN,
                  std::string_view TitelName, int16_t Aktion, int32_t Anzahl, float Preis,
                  const clOrderZusatzInfos* ZusatzInfos, const KontoUmgebung& umgebung);

}  // namespace vks
