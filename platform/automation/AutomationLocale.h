#pragma once
// The one place that decides how numbers, dates and Booleans look as text. Every conversion between
// text and values that the user's locale affects (CStr, CDbl of text, list columns) takes one of
// these; files and the bus never do, they carry binary values.
//
//   Invariant(): "1234.5", "12/31/2024 1:05:00 PM", "True"  (what the host's English locale gives)
//   German():    "1234,5", "31.12.2024 13:05:00",   "Wahr"
//   FromName("de_DE.UTF-8") -> German(); any other name -> Invariant().
#include <string>
#include <string_view>

namespace vks {

struct AutomationLocale {
  enum class DateOrder { MonthDayYear, DayMonthYear, YearMonthDay };

  std::string decimal_separator = ".";
  std::string group_separator = ",";
  DateOrder date_order = DateOrder::MonthDayYear;
  std::string date_separator = "/";
  bool two_digit_day_month = false;  // "31.01.2024" rather than "1/31/2024"
  std::string time_separator = ":";
  bool hour24 = false;  // false: "1:05:00 PM"
  std::string am = "AM";
  std::string pm = "PM";
  std::string true_name = "True";
  std::string false_name = "False";
  std::string currency_symbol = "$";

  static const AutomationLocale& Invariant();
  static AutomationLocale German();
  // Picks the locale for a POSIX locale name such as the value of LC_ALL / LANG, or a Windows one
  // such as "de-DE".
  static AutomationLocale FromName(std::string_view name);
  // The user's locale of a program without windows: the first set of LC_ALL, LC_NUMERIC, LANG; on
  // Windows the user's default locale (adapters/win32).
  static AutomationLocale FromEnvironment();
};

}  // namespace vks
