#include "platform/automation/NumberFormat.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace vks {

std::string FormatFixedNumber(double value, int digits, const AutomationLocale& locale,
                              FixedNumberStyle style) {
  const double scale = std::pow(10.0, digits);
  // The nudge keeps decimal halves that binary cannot hold exactly (2.675) rounding up.
  const double rounded = std::fabs(value) * scale < 1e17
                             ? std::round(std::fabs(value) * scale + 1e-9) / scale
                             : std::fabs(value);
  const bool negative = value < 0 && rounded != 0;
  // to_chars writes what printf's "%.*f" writes, without printf's cost (lists format a column of
  // numbers at a time); printf only for what does not fit.
  char buf[400];
  const auto [end, ec] =
      std::to_chars(buf, buf + sizeof buf, rounded, std::chars_format::fixed, digits);
  if (ec != std::errc()) std::snprintf(buf, sizeof buf, "%.*f", digits, rounded);
  const std::string text = ec == std::errc() ? std::string(buf, end) : std::string(buf);
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
  if (negative) out = style.parentheses ? "(" + out + ")" : "-" + out;
  return out;
}

}  // namespace vks
