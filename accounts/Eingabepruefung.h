#pragma once
// What the host hands over is checked before an account takes any of it: a number must be finite,
// a date must lie within the dates the script language holds, a text must fit the store. Anything
// else is refused with AutomationError 5 naming the argument, so that the account stays as it was
// and no later total or save is spoiled by it.
#include <string_view>

#include "accounts/clOrderZusatzInfos.h"
#include "platform/automation/Variant.h"

namespace vks {

// 1 January 100, 00:00 to 31 December 9999, 23:59:59.
bool IstGueltigesDatum(DateValue datum);

void PruefeZahl(std::string_view name, double wert);
void PruefeDatum(std::string_view name, DateValue datum);
void PruefeText(std::string_view name, std::string_view text);
// A text, a number, or an array of those.
void PruefeWert(std::string_view name, const Variant& wert);
// Every number and the tick size of an order's extras.
void PruefeZusatzInfos(const clOrderZusatzInfos& z);

}  // namespace vks
