#include <windows.h>

#include "platform/automation/AutomationDate.h"
#include "platform/system/Clock.h"

namespace vks {

DateValue SystemClock::Now() {
  SYSTEMTIME local;
  ::GetLocalTime(&local);
  CalendarDateTime c{local.wYear, local.wMonth,  local.wDay,
                     local.wHour, local.wMinute, local.wSecond};
  DateValue date = ToAutomationDate(c);
  date.days += static_cast<double>(local.wMilliseconds) / 86400000.0;
  return date;
}

}  // namespace vks
