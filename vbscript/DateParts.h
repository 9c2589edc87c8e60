#pragma once
// Calendar arithmetic on automation dates for the date functions: a linear day count that runs
// straight through the epoch (automation dates before it count days back but hours forward), and
// names of days and months in the locale's language.
#include <string>

#include "platform/automation/AutomationDate.h"
#include "platform/automation/AutomationLocale.h"

namespace vks::vbscript {

double LinearDays(DateValue d);
// Throws AutomationError 5 outside 100..9999.
DateValue FromLinearDays(double t);
// Year, month (overflowing months and days roll over), day, and time of day in seconds.
DateValue MakeDate(int64_t year, int64_t month, int64_t day, double seconds);
bool IsGerman(const AutomationLocale& locale);
std::string MonthNameText(int month, bool abbreviate, const AutomationLocale& locale);
// day 1 = Sunday.
std::string WeekdayNameText(int day, bool abbreviate, const AutomationLocale& locale);

}  // namespace vks::vbscript
