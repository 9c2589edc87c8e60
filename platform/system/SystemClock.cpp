#include <chrono>
#include <ctime>

#include "platform/automation/AutomationDate.h"
#include "platform/system/Clock.h"

namespace vks {

DateValue SystemClock::Now() {
  using namespace std::chrono;
  auto now = system_clock::now();
  std::time_t seconds = system_clock::to_time_t(now);
  std::tm local{};
  // localtime_r reads the time zone once per process; localtime would look at the zone file again
  // on every call, and the clock is read on every booking.
  (void)::localtime_r(&seconds, &local);
  CalendarDateTime c{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                     local.tm_hour,        local.tm_min,     local.tm_sec};
  auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
  DateValue date = ToAutomationDate(c);
  date.days += static_cast<double>(millis) / 86400000.0;
  return date;
}

}  // namespace vks
