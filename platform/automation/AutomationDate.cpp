#include "platform/automation/AutomationDate.h"

#include <cmath>

#include "platform/automation/AutomationError.h"

namespace vks {
namespace {

constexpr int kMinYear = 100;
constexpr int kMaxYear = 9999;
constexpr int64_t kSecondsPerDay = 86400;
// 30 December 1899 in days from 1 January 1970.
constexpr int64_t kEpochDays = -25569;
// Beyond this many days from 1970 the year no longer fits an int.
constexpr int64_t kMaxCivilDays = 365LL * 2'000'000'000LL;

bool IsLeapYear(int year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// A date split into its calendar day (days since 30 December 1899) and the second of that day,
// rounded to the nearest second; a time that rounds up to midnight belongs to the next day.
struct DayAndSecond {
  int64_t day;
  int64_t second;
};

DayAndSecond Split(DateValue date) {
  double d = date.days;
  // Values between the limits and the next whole day still name the first or last day.
  if (!(d > kMinAutomationDate - 1.0 && d < std::floor(kMaxAutomationDate) + 1.0))
    throw AutomationError(error::kInvalidCall);
  // Below zero the integer part counts back and the fraction forward: -1.25 is day -1 at 06:00.
  double whole = std::trunc(d);
  double fraction = std::fabs(d - whole);
  DayAndSecond split{static_cast<int64_t>(whole),
                     static_cast<int64_t>(std::llround(fraction * kSecondsPerDay))};
  if (split.second == kSecondsPerDay) {
    split.day += 1;
    split.second = 0;
  }
  return split;
}

}  // namespace

int64_t DaysFromCivil(int year, int month, int day) {
  int64_t y = static_cast<int64_t>(year) - (month <= 2 ? 1 : 0);
  int64_t m = month;
  int64_t era = (y >= 0 ? y : y - 399) / 400;
  int64_t year_of_era = y - era * 400;                                      // [0, 399]
  int64_t day_of_year = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + day - 1;  // [0, 365]
  int64_t day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + day_of_era - 719468;
}

void CivilFromDays(int64_t days, int& year, int& month, int& day) {
  if (days > kMaxCivilDays || days < -kMaxCivilDays) throw AutomationError(error::kInvalidCall);
  int64_t z = days + 719468;
  int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  int64_t day_of_era = z - era * 146097;  // [0, 146096]
  int64_t year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  int64_t day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  int64_t mp = (5 * day_of_year + 2) / 153;  // March = 0
  day = static_cast<int>(day_of_year - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(year_of_era + era * 400 + (month <= 2 ? 1 : 0));
}

DateValue ToAutomationDate(const CalendarDateTime& c) {
  if (c.year < kMinYear || c.year > kMaxYear || c.month < 1 || c.month > 12 || c.day < 1 ||
      c.day > DaysInMonth(c.year, c.month) || c.hour < 0 || c.hour > 23 || c.minute < 0 ||
      c.minute > 59 || c.second < 0 || c.second > 59)
    throw AutomationError(error::kInvalidCall);
  int64_t day = DaysFromCivil(c.year, c.month, c.day) - kEpochDays;
  double time = static_cast<double>(c.hour * 3600 + c.minute * 60 + c.second) / kSecondsPerDay;
  double whole = static_cast<double>(day);
  return DateValue{day < 0 ? whole - time : whole + time};
}

CalendarDateTime FromAutomationDate(DateValue date) {
  DayAndSecond split = Split(date);
  CalendarDateTime c;
  CivilFromDays(split.day + kEpochDays, c.year, c.month, c.day);
  if (c.year < kMinYear || c.year > kMaxYear) throw AutomationError(error::kInvalidCall);
  c.hour = static_cast<int>(split.second / 3600);
  c.minute = static_cast<int>(split.second / 60 % 60);
  c.second = static_cast<int>(split.second % 60);
  return c;
}

int Weekday(DateValue date) {
  // 1 January 1970 was a Thursday, day 4 when Sunday is day 0.
  int64_t days = Split(date).day + kEpochDays;
  int64_t weekday = (days + 4) % 7;
  if (weekday < 0) weekday += 7;
  return static_cast<int>(weekday) + 1;
}

}  // namespace vks
