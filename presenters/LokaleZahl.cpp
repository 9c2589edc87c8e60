#include "presenters/LokaleZahl.h"

#include <cmath>

#include "platform/automation/AutomationError.h"
#include "platform/automation/VariantConversions.h"

namespace vks {

std::optional<double> LeseLokaleZahl(std::string_view text, const AutomationLocale& locale) {
  double value = 0;
  try {
    if (!ParseNumber(text, locale, value) || !std::isfinite(value)) return std::nullopt;
  } catch (const AutomationError&) {
    return std::nullopt;
  }
  return value;
}

}  // namespace vks
