#include "platform/automation/DateText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "platform/automation/VariantConversions.h"

namespace vks {
namespace {

TEST(DateTextTest, FormatsInTheLocale) {
  const AutomationLocale german = AutomationLocale::German();
  const DateValue new_year{45658.0};  // 2025-01-01
  const DateValue afternoon{45658.0 + (13 * 3600 + 5 * 60 + 7) / 86400.0};
  EXPECT_EQ(FormatDateText(new_year, german), "01.01.2025");
  EXPECT_EQ(FormatDateText(afternoon, german), "01.01.2025 13:05:07");
  EXPECT_EQ(FormatDateText(afternoon, AutomationLocale::Invariant()), "1/1/2025 1:05:07 PM");
  EXPECT_EQ(FormatDateText(DateValue{0.5}, german), "12:00:00");
  EXPECT_EQ(FormatDateText(DateValue{0}, AutomationLocale::Invariant()), "12/30/1899");
  EXPECT_EQ(FormatShortTime(afternoon, german), "13:05");
  EXPECT_EQ(FormatShortTime(new_year, AutomationLocale::Invariant()), "12:00 AM");
}

TEST(DateTextTest, DateAndTimeTogetherAreItsPartsJoined) {
  AutomationLocale iso = AutomationLocale::German();
  iso.date_order = AutomationLocale::DateOrder::YearMonthDay;
  iso.date_separator = "\u2011";
  iso.two_digit_day_month = false;
  const AutomationLocale locales[] = {AutomationLocale::German(), AutomationLocale::Invariant(),
                                      iso};
  std::mt19937_64 zufall(20261207);
  std::uniform_real_distribution<double> tage(-650000.0, 2900000.0);
  std::uniform_int_distribution<int> sekunde(0, 86399);
  for (const AutomationLocale& locale : locales) {
    for (int i = 0; i < 20000; ++i) {
      // Whole days, whole seconds (as prices carry them) and any fraction at all.
      const double tag = std::trunc(tage(zufall));
      const double days = i % 3 == 0   ? tag
                          : i % 3 == 1 ? tag + sekunde(zufall) / 86400.0
                                       : tage(zufall);
      for (const DateValue date : {DateValue{days}, DateValue{days - std::trunc(days)}}) {
        const bool has_date = std::trunc(date.days) != 0;
        const bool has_time = date.days != std::trunc(date.days);
        const std::string expected = has_date && has_time ? FormatShortDate(date, locale) + " " +
                                                                FormatLongTime(date, locale)
                                     : has_time ? FormatLongTime(date, locale)
                                                : FormatShortDate(date, locale);
        ASSERT_EQ(FormatDateText(date, locale), expected) << date.days;
      }
    }
  }
}

TEST(DateTextTest, ParsesWhatItFormats) {
  const AutomationLocale german = AutomationLocale::German();
  struct Case {
    const char* text;
    bool german;
    double days;
  };
  const Case cases[] = {
      {"01.01.2025", true, 45658.0},
      {"1.1.25", true, 45658.0},
      {"2025-01-01", true, 45658.0},
      {"1/1/2025", false, 45658.0},
      {"01.01.2025 12:00", true, 45658.5},
      {"1/1/2025 12:00:00 AM", false, 45658.0},
      {"6:00 PM", false, 0.75},
      {"31.12.1899", true, 1.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    auto parsed = ParseDateText(c.text, c.german ? german : AutomationLocale::Invariant());
    ASSERT_TRUE(parsed.has_value());
    EXPECT_NEAR(parsed->days, c.days, 1e-9);
  }
  for (const char* bad : {"31.02.2025", "25:00", "1.2", "Montag", "1.1.2025 x"}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(ParseDateText(bad, german).has_value());
  }
  EXPECT_EQ(ToDate(Variant("01.01.2025"), german), DateValue{45658.0});
}

}  // namespace
}  // namespace vks
