// FormatNumber, FormatCurrency, FormatPercent, FormatDateTime in the engine's locale.
#include <cmath>
#include <cstdio>

#include "platform/automation/DateText.h"
#include "platform/automation/NumberFormat.h"
#include "platform/automation/VariantConversions.h"
#include "vbscript/Builtins.h"
#include "vbscript/DateParts.h"
#include "vbscript/Interpreter.h"

namespace vks::vbscript {
namespace {

// Tristate arguments: -1 True, 0 False, -2 the locale's default.
int Tri(Interpreter& in, BuiltinArgs a, size_t i) {
  if (IsMissing(a, i)) return -2;
  return LongArg(in, a[i]);
}

std::string FormatFixed(Interpreter& in, double value, BuiltinArgs a, size_t first_opt) {
  const AutomationLocale& loc = in.Locale();
  int digits = IsMissing(a, first_opt) ? -1 : LongArg(in, a[first_opt]);
  if (digits == -1) digits = 2;
  if (digits < 0 || digits > 99) throw AutomationError(error::kInvalidCall);
  int lead = Tri(in, a, first_opt + 1), parens = Tri(in, a, first_opt + 2),
      group = Tri(in, a, first_opt + 3);
  return FormatFixedNumber(value, digits, loc,
                           FixedNumberStyle{group != 0, lead != 0, parens == -1});
}

// Null is a type mismatch here, not the usual error 94.
double FormatNumberArg(Interpreter& in, const Variant& v) {
  if (v.IsNull()) throw AutomationError(error::kTypeMismatch);
  return NumberArg(in, v);
}

Variant FormatNumber(Interpreter& in, BuiltinArgs a) {
  return Variant(FormatFixed(in, FormatNumberArg(in, a[0]), a, 1));
}

Variant FormatPercent(Interpreter& in, BuiltinArgs a) {
  return Variant(FormatFixed(in, FormatNumberArg(in, a[0]) * 100, a, 1) + "%");
}

Variant FormatCurrency(Interpreter& in, BuiltinArgs a) {
  double v = FormatNumberArg(in, a[0]);
  std::string body = FormatFixed(in, std::fabs(v), a, 1);
  const AutomationLocale& loc = in.Locale();
  bool german = IsGerman(loc);
  std::string out = german ? body + " " + (loc.currency_symbol == "$" ? "€" : loc.currency_symbol)
                           : loc.currency_symbol + body;
  if (v < 0 && body.find_first_not_of("0.,") != std::string::npos)
    out = Tri(in, a, 3) == -1 || (!german && Tri(in, a, 3) == -2) ? "(" + out + ")" : "-" + out;
  return Variant(out);
}

Variant FormatDateTime(Interpreter& in, BuiltinArgs a) {
  if (a[0].IsNull()) throw AutomationError(error::kTypeMismatch);
  DateValue d = ToDate(in.DefaultValue(a[0]), in.Locale());
  int format = IsMissing(a, 1) ? 0 : LongArg(in, a[1]);
  const AutomationLocale& loc = in.Locale();
  switch (format) {
    case 0:
      return Variant(FormatDateText(d, loc));
    case 1: {
      CalendarDateTime c = FromAutomationDate(d);
      std::string weekday = WeekdayNameText(Weekday(d), false, loc);
      std::string month = MonthNameText(c.month, false, loc);
      if (IsGerman(loc))
        return Variant(weekday + ", " + std::to_string(c.day) + ". " + month + " " +
                       std::to_string(c.year));
      return Variant(weekday + ", " + month + " " + std::to_string(c.day) + ", " +
                     std::to_string(c.year));
    }
    case 2:
      return Variant(FormatShortDate(d, loc));
    case 3:
      return Variant(FormatLongTime(d, loc));
    case 4: {
      CalendarDateTime c = FromAutomationDate(d);
      char buf[16];
      std::snprintf(buf, sizeof buf, "%02d%s%02d", c.hour, loc.time_separator.c_str(), c.minute);
      return Variant(buf);
    }
    default:
      throw AutomationError(error::kInvalidCall);
  }
}

constexpr BuiltinEntry kFormat[] = {
    {"formatcurrency", FormatCurrency, 1, 5},
    {"formatdatetime", FormatDateTime, 1, 2},
    {"formatnumber", FormatNumber, 1, 5},
    {"formatpercent", FormatPercent, 1, 5},
};

}  // namespace

std::span<const BuiltinEntry> FormatBuiltins() {
  return kFormat;
}

}  // namespace vks::vbscript
