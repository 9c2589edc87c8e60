#include "platform/automation/NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace vks {

namespace {

// 10^0 .. 10^15 are exact doubles, equal to what pow gives, without pow's cost.
constexpr double kZehnerpotenzen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                      1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
constexpr int kSchnelleStellen = 15;
// Below this a rounded value's scaled integer prints exactly as to_chars prints the value divided
// back: the division's error stays far below half a unit of the last decimal.
constexpr double kSchnelleGrenze = 1e15;

std::string Gerahmt(std::string out, bool negative, FixedNumberStyle style) {
  if (!negative) return out;
  if (style.parentheses) return "(" + out + ")";
  out.insert(out.begin(), '-');
  return out;
}

}  // namespace

std::string FormatFixedNumberGeneral(double value, int digits, const AutomationLocale& locale,
                                     FixedNumberStyle style) {
  const double scale = std::pow(10.0, digits);
  // The nudge keeps decimal halves that binary cannot hold exactly (2.675) rounding up.
  const double rounded = std::fabs(value) * scale < 1e17
                             ? std::round(std::fabs(value) * scale + 1e-9) / scale
                             : std::fabs(value);
  const bool negative = value < 0 && rounded != 0;
  // to_chars writes what printf's "%.*f" writes in the C locale, whatever the process locale is;
  // the largest Double has 309 integer digits.
  std::string text(312 + static_cast<size_t>(std::max(digits, 0)), '\0');
  const auto [end, ec] = std::to_chars(text.data(), text.data() + text.size(), rounded,
                                       std::chars_format::fixed, digits);
  text.resize(ec == std::errc() ? static_cast<size_t>(end - text.data()) : 0);
  std::string int_part = text.substr(0, text.find('.'));
  const std::string frac = digits > 0 ? text.substr(text.find('.') + 1) : std::string();
  if (style.group) {
    std::string grouped;
    int n = 0;
    for (size_t i = int_part.size(); i-- > 0;) {
      grouped.insert(grouped.begin(), int_part[i]);
      if (++n % 3 == 0 && i > 0) grouped.insert(0, locale.group_separator);
    }
    int_part = grouped;
  }
  if (!style.leading_zero && int_part == "0" && digits > 0) int_part.clear();
  std::string out = int_part + (digits > 0 ? locale.decimal_separator + frac : std::string());
  return Gerahmt(std::move(out), negative, style);
}

std::string FormatFixedNumber(double value, int digits, const AutomationLocale& locale,
                              FixedNumberStyle style) {
  // Lists format a column of ordinary amounts at a time: those take the integer path, which
  // writes the same bytes as the general one (NaN and infinities fail the comparison).
  if (digits < 0 || digits > kSchnelleStellen)
    return FormatFixedNumberGeneral(value, digits, locale, style);
  const double scale = kZehnerpotenzen[digits];
  if (!(std::fabs(value) * scale < kSchnelleGrenze))
    return FormatFixedNumberGeneral(value, digits, locale, style);
  const auto scaled = static_cast<uint64_t>(std::round(std::fabs(value) * scale + 1e-9));
  const bool negative = value < 0 && scaled != 0;

  char ziffern[24];  // the scaled integer's digits, at least digits + 1 of them
  int n = 0;
  for (uint64_t rest = scaled; rest != 0 || n <= digits; rest /= 10)
    ziffern[n++] = static_cast<char>('0' + rest % 10);
  // ziffern holds the digits last first: [0, digits) are the decimals, the rest the integer part.
  const int ganz = n - digits;
  std::string out;
  out.reserve(static_cast<size_t>(n) + 4 + (ganz / 3) * locale.group_separator.size() +
              locale.decimal_separator.size());
  if (style.leading_zero || ganz != 1 || ziffern[n - 1] != '0' || digits == 0) {
    for (int i = n; i-- > digits;) {
      out.push_back(ziffern[i]);
      const int links = i - digits;  // integer digits still to come
      if (style.group && links > 0 && links % 3 == 0) out += locale.group_separator;
    }
  }
  if (digits > 0) {
    out += locale.decimal_separator;
    for (int i = digits; i-- > 0;) out.push_back(ziffern[i]);
  }
  return Gerahmt(std::move(out), negative, style);
}

}  // namespace vks
