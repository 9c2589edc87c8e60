#pragma once
// Dates as the user reads and types them, in the locale's short date and long time format. A date
// with no time of day shows only the date, a time on day 0 only the time.
#include <optional>
#include <string>
#include <string_view>

#include "platform/automation/AutomationLocale.h"
#include "platform/automation/Variant.h"

namespace vks {

std::string FormatDateText(DateValue date, const AutomationLocale& locale);
std::string FormatShortDate(DateValue date, const AutomationLocale& locale);
std::string FormatLongTime(DateValue date, const AutomationLocale& locale);
// Hours and minutes, as a time axis labels its ticks: "13:05", "1:05 PM".
std::string FormatShortTime(DateValue date, const AutomationLocale& locale);

// Reads "date", "time", "date time": the date as three numbers in the locale's order (or year first
// when the first has four digits) separated by the locale's separator, '/', '.' or '-'; two-digit
// years 0–29 are 2000–2029, 30–99 are 1930–1999; the time as h:mm[:ss] with an optional AM/PM.
// Returns nothing when the text is no date or names an impossible one.
std::optional<DateValue> ParseDateText(std::string_view text, const AutomationLocale& locale);

}  // namespace vks
