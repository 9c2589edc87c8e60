#include "vbscript/DateParts.h"

#include <cmath>

#include "platform/automation/AutomationError.h"

namespace vks::vbscript {
namespace {

constexpr const char* kMonthsEn[] = {"January",   "February", "March",    "April",
                                     "May",       "June",     "July",     "August",
                                     "September", "October",  "November", "December"};
constexpr const char* kMonthsDe[] = {"Januar",    "Februar", "März",     "April",
                                     "Mai",       "Juni",    "Juli",     "August",
                                     "September", "Oktober", "November", "Dezember"};
constexpr const char* kDaysEn[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                   "Thursday", "Friday", "Saturday"};
constexpr const char* kDaysDe[] = {"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                                   "Donnerstag", "Freitag", "Samstag"};

}  // namespace

double LinearDays(DateValue d) {
  if (d.days >= 0) return d.days;
  double day = std::ceil(d.days);
  return day + (day - d.days);
}

DateValue FromLinearDays(double t) {
  if (!std::isfinite(t) || t < kMinAutomationDate - 1 || t > kMaxAutomationDate + 1)
    throw AutomationError(error::kInvalidCall);
  if (t >= 0) return DateValue{t};
  double day = std::floor(t);
  double frac = t - day;
  if (frac == 0) return DateValue{day};
  return DateValue{day - frac};
}

DateValue MakeDate(int64_t year, int64_t month, int64_t day, double seconds) {
  int64_t months = year * 12 + (month - 1);
  int64_t y = months >= 0 ? months / 12 : -((-months + 11) / 12);
  int64_t m = months - y * 12 + 1;
  if (y < 100 || y > 9999) throw AutomationError(error::kInvalidCall);
  double days = static_cast<double>(DaysFromCivil(static_cast<int>(y), static_cast<int>(m), 1) +
                                    25569 + (day - 1));
  double t = days + seconds / 86400.0;
  if (t < kMinAutomationDate || t >= kMaxAutomationDate + 1)
    throw AutomationError(error::kInvalidCall);
  return FromLinearDays(t);
}

bool IsGerman(const AutomationLocale& locale) {
  return locale.true_name == "Wahr";
}

std::string MonthNameText(int month, bool abbreviate, const AutomationLocale& locale) {
  if (month < 1 || month > 12) throw AutomationError(error::kInvalidCall);
  std::string name = IsGerman(locale) ? kMonthsDe[month - 1] : kMonthsEn[month - 1];
  if (!abbreviate) return name;
  // "März" keeps its umlaut whole.
  return name.substr(0, name.compare(0, 2, "M\xC3") == 0 ? 4 : 3);
}

std::string WeekdayNameText(int day, bool abbreviate, const AutomationLocale& locale) {
  if (day < 1 || day > 7) throw AutomationError(error::kInvalidCall);
  std::string name = IsGerman(locale) ? kDaysDe[day - 1] : kDaysEn[day - 1];
  if (!abbreviate) return name;
  return name.substr(0, IsGerman(locale) ? 2 : 3);
}

}  // namespace vks::vbscript
