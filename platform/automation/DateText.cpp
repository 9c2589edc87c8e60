#include "platform/automation/DateText.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

#include "platform/automation/AutomationDate.h"
#include "platform/automation/AutomationError.h"

namespace vks {
namespace {

std::string Pad2(int value) {
  if (value >= 0 && value < 100)
    return {static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d", value);
  return buffer;
}

bool HasTimeOfDay(DateValue date) {
  return date.days != std::trunc(date.days);
}

// Appends `value` with at least `min_digits` digits, as "%0*d" writes it.
void AppendNumber(std::string& out, int value, int min_digits) {
  if (value >= 0 && value < 10 && min_digits <= 1) {
    out.push_back(static_cast<char>('0' + value));
  } else if (value >= 0 && value < 100 && min_digits <= 2) {
    if (value >= 10 || min_digits == 2) out.push_back(static_cast<char>('0' + value / 10));
    out.push_back(static_cast<char>('0' + value % 10));
  } else if (min_digits <= 1 || value >= 10) {
    char buffer[16];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, end);
  } else {
    char buffer[16];
    const int n = std::snprintf(buffer, sizeof buffer, "%0*d", min_digits, value);
    out.append(buffer, static_cast<size_t>(n));
  }
}

void AppendShortDate(std::string& out, const CalendarDateTime& c, const AutomationLocale& locale) {
  struct Part {
    int value;
    int digits;
  };
  const int day_month_digits = locale.two_digit_day_month ? 2 : 1;
  const Part day{c.day, day_month_digits}, month{c.month, day_month_digits}, year{c.year, 1};
  Part order[3] = {month, day, year};
  if (locale.date_order == AutomationLocale::DateOrder::DayMonthYear) {
    order[0] = day, order[1] = month;
  } else if (locale.date_order == AutomationLocale::DateOrder::YearMonthDay) {
    order[0] = year, order[1] = month, order[2] = day;
  }
  for (int i = 0; i < 3; ++i) {
    if (i > 0) out += locale.date_separator;
    AppendNumber(out, order[i].value, order[i].digits);
  }
}

void AppendTime(std::string& out, const CalendarDateTime& c, const AutomationLocale& locale,
                bool seconds) {
  const std::string& sep = locale.time_separator;
  if (locale.hour24) {
    AppendNumber(out, c.hour, 2);
  } else {
    AppendNumber(out, c.hour % 12 == 0 ? 12 : c.hour % 12, 1);
  }
  out += sep;
  AppendNumber(out, c.minute, 2);
  if (seconds) {
    out += sep;
    AppendNumber(out, c.second, 2);
  }
  if (!locale.hour24) {
    out.push_back(' ');
    out += c.hour < 12 ? locale.am : locale.pm;
  }
}

struct Lexer {
  std::string_view text;
  size_t pos = 0;

  void SkipBlanks() {
    while (pos < text.size() && text[pos] == ' ') ++pos;
  }
  bool AtEnd() {
    SkipBlanks();
    return pos >= text.size();
  }
  // A run of digits; its length in `digits`.
  std::optional<int> Number(int* digits = nullptr) {
    size_t start = pos;
    int value = 0;
    while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos])) &&
           pos - start < 9) {
      value = value * 10 + (text[pos] - '0');
      ++pos;
    }
    if (pos == start) return std::nullopt;
    if (digits) *digits = static_cast<int>(pos - start);
    return value;
  }
  bool Accept(std::string_view token) {
    if (token.empty() || text.substr(pos, token.size()) != token) return false;
    pos += token.size();
    return true;
  }
  bool AcceptIgnoringCase(std::string_view token) {
    if (token.empty() || pos + token.size() > text.size()) return false;
    for (size_t i = 0; i < token.size(); ++i) {
      if (std::tolower(static_cast<unsigned char>(text[pos + i])) !=
          std::tolower(static_cast<unsigned char>(token[i])))
        return false;
    }
    pos += token.size();
    return true;
  }
};

bool AcceptDateSeparator(Lexer& in, const AutomationLocale& locale) {
  return in.Accept(locale.date_separator) || in.Accept("/") || in.Accept(".") || in.Accept("-");
}

// date -> n sep n sep n
std::optional<CalendarDateTime> ParseDatePart(Lexer& in, const AutomationLocale& locale) {
  size_t start = in.pos;
  std::vector<int> parts, digits;
  int first_digits = 0;
  auto first = in.Number(&first_digits);
  if (!first) return std::nullopt;
  parts.push_back(*first);
  digits.push_back(first_digits);
  while (parts.size() < 3) {
    size_t before = in.pos;
    if (!AcceptDateSeparator(in, locale)) break;
    int next_digits = 0;
    auto next = in.Number(&next_digits);
    if (!next) {
      in.pos = before;
      break;
    }
    parts.push_back(*next);
    digits.push_back(next_digits);
  }
  if (parts.size() != 3) {
    in.pos = start;
    return std::nullopt;
  }
  CalendarDateTime c;
  int year_digits = digits[2];
  if (first_digits >= 3 || locale.date_order == AutomationLocale::DateOrder::YearMonthDay) {
    c.year = parts[0], c.month = parts[1], c.day = parts[2];
    year_digits = first_digits;
  } else if (locale.date_order == AutomationLocale::DateOrder::DayMonthYear) {
    c.day = parts[0], c.month = parts[1], c.year = parts[2];
  } else {
    c.month = parts[0], c.day = parts[1], c.year = parts[2];
  }
  if (year_digits <= 2 && c.year < 100) c.year += c.year < 30 ? 2000 : 1900;
  return c;
}

// time -> h : mm [: ss] [AM|PM]
bool ParseTimePart(Lexer& in, const AutomationLocale& locale, CalendarDateTime& c) {
  size_t start = in.pos;
  auto hour = in.Number();
  if (!hour || !(in.Accept(locale.time_separator) || in.Accept(":"))) {
    in.pos = start;
    return false;
  }
  auto minute = in.Number();
  if (!minute) return false;
  int second = 0;
  if (in.Accept(locale.time_separator) || in.Accept(":")) {
    auto s = in.Number();
    if (!s) return false;
    second = *s;
  }
  in.SkipBlanks();
  int h = *hour;
  bool pm = in.AcceptIgnoringCase(locale.pm) || in.AcceptIgnoringCase("PM");
  bool am = !pm && (in.AcceptIgnoringCase(locale.am) || in.AcceptIgnoringCase("AM"));
  if (pm || am) {
    if (h < 1 || h > 12) return false;
    h = (h % 12) + (pm ? 12 : 0);
  }
  if (h > 23 || *minute > 59 || second > 59) return false;
  c.hour = h, c.minute = *minute, c.second = second;
  return true;
}

}  // namespace

std::string FormatShortDate(DateValue date, const AutomationLocale& locale) {
  CalendarDateTime c = FromAutomationDate(date);
  std::string day = locale.two_digit_day_month ? Pad2(c.day) : std::to_string(c.day);
  std::string month = locale.two_digit_day_month ? Pad2(c.month) : std::to_string(c.month);
  std::string year = std::to_string(c.year);
  const std::string& sep = locale.date_separator;
  switch (locale.date_order) {
    case AutomationLocale::DateOrder::DayMonthYear:
      return day + sep + month + sep + year;
    case AutomationLocale::DateOrder::YearMonthDay:
      return year + sep + month + sep + day;
    case AutomationLocale::DateOrder::MonthDayYear:
      break;
  }
  return month + sep + day + sep + year;
}

std::string FormatLongTime(DateValue date, const AutomationLocale& locale) {
  std::string out;
  AppendTime(out, FromAutomationDate(date), locale, true);
  return out;
}

std::string FormatShortTime(DateValue date, const AutomationLocale& locale) {
  std::string out;
  AppendTime(out, FromAutomationDate(date), locale, false);
  return out;
}

std::string FormatDateText(DateValue date, const AutomationLocale& locale) {
  // Lists format a column of these at a time: one calendar split and one string, where the parts'
  // own functions would split twice and join five temporaries. Same bytes as those.
  const bool has_time = HasTimeOfDay(date);
  const bool has_date = std::trunc(date.days) != 0;
  const CalendarDateTime c = FromAutomationDate(date);
  std::string out;
  out.reserve(32);
  if (has_date || !has_time) AppendShortDate(out, c, locale);
  if (has_date && has_time) out.push_back(' ');
  if (has_time) AppendTime(out, c, locale, true);
  return out;
}

std::optional<DateValue> ParseDateText(std::string_view text, const AutomationLocale& locale) {
  Lexer in{text};
  in.SkipBlanks();
  CalendarDateTime c;
  bool has_date = false, has_time = false;
  if (auto date = ParseDatePart(in, locale)) {
    c = *date;
    has_date = true;
    in.SkipBlanks();
  }
  if (!in.AtEnd()) has_time = ParseTimePart(in, locale, c);
  if (!in.AtEnd() || !(has_date || has_time)) return std::nullopt;
  try {
    // A bare time keeps the calendar's default date, 30 December 1899: day 0.
    DateValue value = ToAutomationDate(c);
    // Reject dates the calendar does not have (31 February).
    CalendarDateTime back = FromAutomationDate(value);
    if (back.day != c.day || back.month != c.month) return std::nullopt;
    return value;
  } catch (const AutomationError&) {
    return std::nullopt;
  }
}

}  // namespace vks
