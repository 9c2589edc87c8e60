#pragma once
// The user's locale as the windows show numbers and dates: the system locale's separators, date
// order and clock (LC_NUMERIC, LC_TIME), read through QLocale::system().
#include "platform/automation/AutomationLocale.h"

namespace vks {

AutomationLocale SystemLocale();

}  // namespace vks
