#pragma once
// Numbers with a fixed count of decimals in the user's locale: "#,0.00" is
// FormatFixedNumber(value, 2, locale) and gives 1.500,00 in a German locale.
#include <string>

#include "platform/automation/AutomationLocale.h"

namespace vks {

struct FixedNumberStyle {
  bool group = true;         // thousands separators
  bool leading_zero = true;  // "0.5" rather than ".5"
  bool parentheses = false;  // "(5.00)" for negative values
};

// Rounds half away from zero at `digits` decimals (0..99).
std::string FormatFixedNumber(double value, int digits, const AutomationLocale& locale,
                              FixedNumberStyle style = {});
// The same for every value, by way of to_chars; FormatFixedNumber takes a shorter way for ordinary
// amounts and must write the same bytes.
std::string FormatFixedNumberGeneral(double value, int digits, const AutomationLocale& locale,
                                     FixedNumberStyle style = {});

}  // namespace vks
