#include "platform/automation/NumberFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace vks {
namespace {

// The locales the server runs in, and one with separators of more than one byte.
std::vector<AutomationLocale> Locales() {
  AutomationLocale swiss = AutomationLocale::Invariant();
  swiss.group_separator = "\u2019";
  swiss.decimal_separator = "\u00b7";
  return {AutomationLocale::German(), AutomationLocale::Invariant(), swiss};
}

// Amounts as lists show them (whole cents, halves that binary cannot hold, tiny values that round
// to zero), every magnitude up to where the integer path hands over, and what it must not take.
std::vector<double> Values() {
  const double inf = std::numeric_limits<double>::infinity();
  std::vector<double> values = {0.0,        -0.0,         0.004,
                                -0.004,     0.005,        -0.005,
                                2.675,      1.005,        0.125,
                                999.995,    1e15,         -1e15,
                                1e15 / 100, 1e13 - 0.005, 4503599627370495.5,
                                1e17,       1e300,        5e-324,
                                inf,        -inf,         std::numeric_limits<double>::quiet_NaN()};
  std::mt19937_64 zufall(20261207);
  std::uniform_int_distribution<int64_t> cents(-100'000'000'000, 100'000'000'000);
  std::uniform_real_distribution<double> exponent(-8, 17);
  for (int i = 0; i < 3000; ++i) {
    values.push_back(static_cast<double>(cents(zufall)) / 100);
    values.push_back(static_cast<double>(cents(zufall)) / 1000 + 0.0005);
    const double magnitude = std::pow(10.0, exponent(zufall));
    values.push_back(i % 2 ? magnitude : -magnitude);
  }
  return values;
}

TEST(NumberFormatTest, OrdinaryAmountsComeOutAsTheGeneralWayWritesThem) {
  const std::vector<double> values = Values();
  for (const AutomationLocale& locale : Locales()) {
    for (int style_bits = 0; style_bits < 8; ++style_bits) {
      const FixedNumberStyle style{(style_bits & 1) != 0, (style_bits & 2) != 0,
                                   (style_bits & 4) != 0};
      for (int digits : {0, 1, 2, 3, 4, 15, 16}) {
        for (double value : values) {
          ASSERT_EQ(FormatFixedNumber(value, digits, locale, style),
                    FormatFixedNumberGeneral(value, digits, locale, style))
              << value << " digits " << digits << " style " << style_bits << " decimal "
              << locale.decimal_separator;
        }
      }
    }
  }
}

TEST(NumberFormatTest, GroupsRoundsAndSigns) {
  const AutomationLocale german = AutomationLocale::German();
  EXPECT_EQ(FormatFixedNumber(1234567.891, 2, german), "1.234.567,89");
  EXPECT_EQ(FormatFixedNumber(-1500, 2, german), "-1.500,00");
  EXPECT_EQ(FormatFixedNumber(2.675, 2, AutomationLocale::Invariant()), "2.68");
  EXPECT_EQ(FormatFixedNumber(-0.004, 2, german), "0,00");
  EXPECT_EQ(FormatFixedNumber(-0.5, 2, german, {true, false, true}), "(,50)");
  EXPECT_EQ(FormatFixedNumber(999.5, 0, german), "1.000");
}

}  // namespace
}  // namespace vks
