#pragma once
// Dates and times written as text, read the way date literals, CDate, DateValue and TimeValue read
// them: numeric dates in the locale's order (or year first), month names, times with AM/PM.
#include <string_view>

#include "platform/automation/AutomationLocale.h"
#include "platform/automation/Variant.h"

namespace vks::vbscript {

// False when the text is no date or time.
bool ParseDateText(std::string_view text, const AutomationLocale& locale, DateValue& out);

}  // namespace vks::vbscript
