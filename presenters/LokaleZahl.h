#pragma once
// A number that the user typed or a window showed, read by the locale's rules without throwing:
// the windows treat text that is no number, or too large for a double, as unreadable.
#include <optional>
#include <string_view>

#include "platform/automation/AutomationLocale.h"

namespace vks {

std::optional<double> LeseLokaleZahl(std::string_view text, const AutomationLocale& locale);

}  // namespace vks
