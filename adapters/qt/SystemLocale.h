#pragma once
// The user's locale as the windows show numbers and dates: the system locale's separators, date
// order and clock (LC_NUMERIC, LC_TIME), read through QLocale::system().
#include "platform/automation/AutomationLocale.h"

namespace vks {

AutomationLocale SystemLocale();

// QApplication sets the C library's locale from the environment; the core formats and reads
// numbers with the C library and expects its neutral "C" numbers. Call right after creating the
// application object.
void NeutraleCZahlen();

}  // namespace vks
