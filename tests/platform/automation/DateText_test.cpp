#include "platform/automation/DateText.h"

#include <gtest/gtest.h>

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
