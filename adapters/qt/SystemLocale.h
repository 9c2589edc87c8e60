#pragma once
// The user's locale as the windows and the plots of vks-rtt show numbers and dates: the system
// locale's separators, date order and clock (LC_NUMERIC, LC_TIME), read through QLocale::system().
#include <QString>

#include "platform/automation/AutomationLocale.h"

namespace vks {

AutomationLocale SystemLocale();

// The display format of a Qt date and time field that writes a date and time as FormatDateText
// does in `locale`, so that a field shows what the lists show.
QString DateTimeFieldFormat(const AutomationLocale& locale);

// QApplication sets the C library's locale from the environment; the core formats and reads
// numbers with the C library and expects its neutral "C" numbers. Call right after creating the
// application object.
void NeutraleCZahlen();

}  // namespace vks
