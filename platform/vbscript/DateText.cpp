#include "platform/vbscript/DateText.h"

namespace vks::vbscript {
bool ParseDateText(std::string_view, const AutomationLocale&, DateValue&) { return false; }
}
