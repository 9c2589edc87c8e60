#pragma once
// Automation dates (days since 30 December 1899, the fraction being the time of day, local time) to
// and from the calendar. Before the epoch the integer part counts days back while the fraction
// still counts forward from midnight: -1.25 is 29 December 1899, 06:00.
#include <cstdint>

#include "platform/automation/Variant.h"

namespace vks {

struct CalendarDateTime {
  int year = 1899;
  int month = 12;
  int day = 30;
  int hour = 0;
  int minute = 0;
  int second = 0;
  friend bool operator==(const CalendarDateTime&, const CalendarDateTime&) = default;
};

// The range automation dates cover: 1 January 100 to 31 December 9999.
inline constexpr double kMinAutomationDate = -657434.0;
inline constexpr double kMaxAutomationDate = 2958465.99999;

// Throws AutomationError 5 for a date outside 100..9999 or fields out of range; month and day
// overflow is not normalised here (DateSerial does that in the script engine).
DateValue ToAutomationDate(const CalendarDateTime& c);
// Rounded to the nearest second. Throws AutomationError 5 outside the range.
CalendarDateTime FromAutomationDate(DateValue date);

// Days from 1 January 1970 (proleptic Gregorian) for a calendar date, and back.
int64_t DaysFromCivil(int year, int month, int day);
void CivilFromDays(int64_t days, int& year, int& month, int& day);

// 1 = Sunday … 7 = Saturday.
int Weekday(DateValue date);

}  // namespace vks
