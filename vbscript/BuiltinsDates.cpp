// Date and time functions: Now, DateAdd, DateDiff, DatePart, DateSerial, Weekday and the rest.
#include <cmath>

#include "platform/automation/DateText.h"
#include "platform/automation/VariantConversions.h"
#include "vbscript/Builtins.h"
#include "vbscript/DateParts.h"
#include "vbscript/Interpreter.h"
#include "vbscript/Names.h"

namespace vks::vbscript {
namespace {

DateValue DateArg(Interpreter& in, const Variant& v) {
  if (v.IsNull()) throw AutomationError(error::kInvalidUseOfNull);
  return ToDate(in.DefaultValue(v), in.Locale());
}

int64_t IntArg(Interpreter& in, const Variant& v) {
  return LongArg(in, v);
}

double Seconds(const CalendarDateTime& c) {
  return c.hour * 3600.0 + c.minute * 60.0 + c.second;
}

int FirstDay(Interpreter& in, BuiltinArgs a, size_t i) {
  if (IsMissing(a, i)) return 1;
  int64_t d = IntArg(in, a[i]);
  if (d < 0 || d > 7) throw AutomationError(error::kInvalidCall);  // 0: the system's, Sunday
  return d == 0 ? 1 : static_cast<int>(d);
}

int WeekdayFrom(DateValue d, int first) {
  return (Weekday(d) - first + 7) % 7 + 1;
}

Variant Now(Interpreter& in, BuiltinArgs) {
  return Variant(DateValue{in.Clock()()});
}
Variant Date(Interpreter& in, BuiltinArgs) {
  return Variant(DateValue{std::floor(in.Clock()())});
}
Variant Time(Interpreter& in, BuiltinArgs) {
  double t = in.Clock()();
  return Variant(DateValue{t - std::floor(t)});
}
Variant Timer(Interpreter& in, BuiltinArgs) {
  double t = in.Clock()();
  return Variant(static_cast<float>(std::round((t - std::floor(t)) * 8640000.0) / 100.0));
}

// Each of these returns Null for Null.
#define VKS_DATE_FIELD(Fn, expr)                                \
  Variant Fn(Interpreter& in, BuiltinArgs a) {                  \
    if (a[0].IsNull()) return a[0];                             \
    CalendarDateTime c = FromAutomationDate(DateArg(in, a[0])); \
    return Variant(static_cast<int16_t>(expr));                 \
  }
VKS_DATE_FIELD(Year, c.year)
VKS_DATE_FIELD(Month, c.month)
VKS_DATE_FIELD(Day, c.day)
VKS_DATE_FIELD(Hour, c.hour)
VKS_DATE_FIELD(Minute, c.minute)
VKS_DATE_FIELD(Second, c.second)
#undef VKS_DATE_FIELD

Variant WeekdayFn(Interpreter& in, BuiltinArgs a) {
  int first = FirstDay(in, a, 1);
  if (a[0].IsNull()) return a[0];
  return Variant(static_cast<int16_t>(WeekdayFrom(DateArg(in, a[0]), first)));
}

Variant DateSerial(Interpreter& in, BuiltinArgs a) {
  int64_t y = IntArg(in, a[0]);
  if (y >= 0 && y < 30)
    y += 2000;
  else if (y >= 30 && y < 100)
    y += 1900;
  return Variant(MakeDate(y, IntArg(in, a[1]), IntArg(in, a[2]), 0));
}

Variant TimeSerial(Interpreter& in, BuiltinArgs a) {
  double s = IntArg(in, a[0]) * 3600.0 + IntArg(in, a[1]) * 60.0 + IntArg(in, a[2]);
  return Variant(FromLinearDays(s / 86400.0));
}

Variant DateValueFn(Interpreter& in, BuiltinArgs a) {
  if (a[0].IsNull()) return a[0];
  DateValue d = DateArg(in, a[0]);
  return Variant(FromLinearDays(std::floor(LinearDays(d))));
}

Variant TimeValue(Interpreter& in, BuiltinArgs a) {
  if (a[0].IsNull()) return a[0];
  double t = LinearDays(DateArg(in, a[0]));
  return Variant(DateValue{std::round((t - std::floor(t)) * 86400.0) / 86400.0});
}

// Interval names of DateAdd, DateDiff and DatePart.
enum class Interval { Year, Quarter, Month, DayOfYear, Day, Weekday, Week, Hour, Minute, Second };

Interval ParseInterval(Interpreter& in, const Variant& v) {
  if (v.IsNull()) throw AutomationError(error::kInvalidUseOfNull);
  std::string s = FoldName(ToString(in.DefaultValue(v), in.Locale()));
  if (s == "yyyy") return Interval::Year;
  if (s == "q") return Interval::Quarter;
  if (s == "m") return Interval::Month;
  if (s == "y") return Interval::DayOfYear;
  if (s == "d") return Interval::Day;
  if (s == "w") return Interval::Weekday;
  if (s == "ww") return Interval::Week;
  if (s == "h") return Interval::Hour;
  if (s == "n") return Interval::Minute;
  if (s == "s") return Interval::Second;
  throw AutomationError(error::kInvalidCall);
}

Variant DateAdd(Interpreter& in, BuiltinArgs a) {
  Interval iv = ParseInterval(in, a[0]);
  // A Null count or date makes the result Null, once the others have been checked.
  double n = a[1].IsNull() ? 0 : std::trunc(NumberArg(in, a[1]));
  if (!a[2].IsNull()) DateArg(in, a[2]);
  if (a[1].IsNull() || a[2].IsNull()) return Variant::Null();
  DateValue d = DateArg(in, a[2]);
  double t = LinearDays(d);
  switch (iv) {
    case Interval::Year:
    case Interval::Quarter:
    case Interval::Month: {
      CalendarDateTime c = FromAutomationDate(d);
      int64_t months = static_cast<int64_t>(n) * (iv == Interval::Year      ? 12
                                                  : iv == Interval::Quarter ? 3
                                                                            : 1);
      int64_t total = int64_t{c.year} * 12 + (c.month - 1) + months;
      int64_t y = total / 12, m = total % 12 + 1;
      if (total < 0 || y < 100 || y > 9999) throw AutomationError(error::kInvalidCall);
      // The day stays, but not past the end of the new month.
      int64_t last = DaysFromCivil(static_cast<int>(m == 12 ? y + 1 : y),
                                   static_cast<int>(m == 12 ? 1 : m + 1), 1) -
                     DaysFromCivil(static_cast<int>(y), static_cast<int>(m), 1);
      int64_t day = c.day > last ? last : c.day;
      return Variant(MakeDate(y, m, day, Seconds(c)));
    }
    case Interval::DayOfYear:
    case Interval::Day:
    case Interval::Weekday:
      return Variant(FromLinearDays(t + n));
    case Interval::Week:
      return Variant(FromLinearDays(t + 7 * n));
    case Interval::Hour:
      return Variant(FromLinearDays(t + n / 24.0));
    case Interval::Minute:
      return Variant(FromLinearDays(t + n / 1440.0));
    case Interval::Second:
      return Variant(FromLinearDays(t + n / 86400.0));
  }
  return {};
}

Variant DateDiff(Interpreter& in, BuiltinArgs a) {
  Interval iv = ParseInterval(in, a[0]);
  if (a[1].IsNull() || a[2].IsNull()) return Variant::Null();
  DateValue d1 = DateArg(in, a[1]), d2 = DateArg(in, a[2]);
  CalendarDateTime c1 = FromAutomationDate(d1), c2 = FromAutomationDate(d2);
  // Whole seconds, so that rounding in the stored fraction does not shift a boundary.
  double s1 = std::round(LinearDays(d1) * 86400.0), s2 = std::round(LinearDays(d2) * 86400.0);
  double day1 = std::floor(s1 / 86400.0), day2 = std::floor(s2 / 86400.0);
  double r = 0;
  switch (iv) {
    case Interval::Year:
      r = c2.year - c1.year;
      break;
    case Interval::Quarter:
      r = (c2.year * 4 + (c2.month - 1) / 3) - (c1.year * 4 + (c1.month - 1) / 3);
      break;
    case Interval::Month:
      r = (c2.year * 12 + c2.month) - (c1.year * 12 + c1.month);
      break;
    case Interval::DayOfYear:
    case Interval::Day:
      r = day2 - day1;
      break;
    case Interval::Weekday:
      r = std::trunc((day2 - day1) / 7);
      break;
    case Interval::Week: {
      int first = FirstDay(in, a, 3);
      // Count week starts crossed: shift each day back to the start of its week.
      double w1 = day1 - (WeekdayFrom(d1, first) - 1), w2 = day2 - (WeekdayFrom(d2, first) - 1);
      r = (w2 - w1) / 7;
      break;
    }
    case Interval::Hour:
      r = std::floor(s2 / 3600) - std::floor(s1 / 3600);
      break;
    case Interval::Minute:
      r = std::floor(s2 / 60) - std::floor(s1 / 60);
      break;
    case Interval::Second:
      r = s2 - s1;
      break;
  }
  if (r < INT32_MIN || r > INT32_MAX) throw AutomationError(error::kOverflow);
  return Variant(static_cast<int32_t>(r));
}

Variant DatePart(Interpreter& in, BuiltinArgs a) {
  Interval iv = ParseInterval(in, a[0]);
  if (a[1].IsNull()) return Variant::Null();
  DateValue d = DateArg(in, a[1]);
  CalendarDateTime c = FromAutomationDate(d);
  int first = FirstDay(in, a, 2);
  int day_of_year =
      static_cast<int>(DaysFromCivil(c.year, c.month, c.day) - DaysFromCivil(c.year, 1, 1)) + 1;
  switch (iv) {
    case Interval::Year:
      return Variant(static_cast<int32_t>(c.year));
    case Interval::Quarter:
      return Variant(static_cast<int32_t>((c.month - 1) / 3 + 1));
    case Interval::Month:
      return Variant(static_cast<int32_t>(c.month));
    case Interval::DayOfYear:
      return Variant(static_cast<int32_t>(day_of_year));
    case Interval::Day:
      return Variant(static_cast<int32_t>(c.day));
    case Interval::Weekday:
      return Variant(static_cast<int32_t>(WeekdayFrom(d, first)));
    case Interval::Week: {
      // Week 1 holds 1 January (the default rule).
      DateValue jan1 = MakeDate(c.year, 1, 1, 0);
      int offset = WeekdayFrom(jan1, first) - 1;
      return Variant(static_cast<int32_t>((day_of_year - 1 + offset) / 7 + 1));
    }
    case Interval::Hour:
      return Variant(static_cast<int32_t>(c.hour));
    case Interval::Minute:
      return Variant(static_cast<int32_t>(c.minute));
    case Interval::Second:
      return Variant(static_cast<int32_t>(c.second));
  }
  return {};
}

Variant MonthName(Interpreter& in, BuiltinArgs a) {
  bool abbrev = !IsMissing(a, 1) && ToBoolean(in.DefaultValue(a[1]), in.Locale());
  return Variant(MonthNameText(static_cast<int>(IntArg(in, a[0])), abbrev, in.Locale()));
}

Variant WeekdayName(Interpreter& in, BuiltinArgs a) {
  bool abbrev = !IsMissing(a, 1) && ToBoolean(in.DefaultValue(a[1]), in.Locale());
  int first = FirstDay(in, a, 2);
  int64_t n = IntArg(in, a[0]);
  if (n < 1 || n > 7) throw AutomationError(error::kInvalidCall);
  return Variant(
      WeekdayNameText(static_cast<int>((n - 1 + first - 1) % 7 + 1), abbrev, in.Locale()));
}

constexpr BuiltinEntry kDates[] = {
    {"date", Date, 0, 0},
    {"dateadd", DateAdd, 3, 3},
    {"datediff", DateDiff, 3, 5},
    {"datepart", DatePart, 2, 4},
    {"dateserial", DateSerial, 3, 3},
    {"datevalue", DateValueFn, 1, 1},
    {"day", Day, 1, 1},
    {"hour", Hour, 1, 1},
    {"minute", Minute, 1, 1},
    {"month", Month, 1, 1},
    {"monthname", MonthName, 1, 2},
    {"now", Now, 0, 0},
    {"second", Second, 1, 1},
    {"time", Time, 0, 0},
    {"timer", Timer, 0, 0},
    {"timeserial", TimeSerial, 3, 3},
    {"timevalue", TimeValue, 1, 1},
    {"weekday", WeekdayFn, 1, 2},
    {"weekdayname", WeekdayName, 1, 3},
    {"year", Year, 1, 1},
};

}  // namespace

std::span<const BuiltinEntry> DateBuiltins() {
  return kDates;
}

}  // namespace vks::vbscript
