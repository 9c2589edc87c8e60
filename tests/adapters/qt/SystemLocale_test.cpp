#include "adapters/qt/SystemLocale.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QLocale>

#include "platform/automation/DateText.h"
#include "platform/automation/NumberFormat.h"
#include "tests/adapters/qt/QtTestAnwendung.h"

namespace vks {
namespace {

// Whatever the user's locale (the suite runs under de_DE.UTF-8, en_US.UTF-8 and C.UTF-8), the
// windows write numbers and dates as that locale does; the C locale keeps the invariant forms.
TEST(SystemLocaleTest, NumbersAndDatesAsTheSystemLocaleWritesThem) {
  testing::QtTestAnwendung();
  const QLocale system = QLocale::system();
  const AutomationLocale locale = SystemLocale();
  SCOPED_TRACE(system.name().toStdString());
  for (double wert : {1500.0, 0.5, 1234567.891, -42.125}) {
    SCOPED_TRACE(wert);
    EXPECT_EQ(FormatFixedNumber(wert, 2, locale), system.toString(wert, 'f', 2).toStdString());
  }
  const DateValue datum{46362 + 14.5 / 24};  // 6 December 2026, 14:30
  const std::string text = FormatDateText(datum, locale);
  if (system.name() == "de_DE") {
    EXPECT_EQ(text, "06.12.2026 14:30:00");
  } else if (system.name() == "en_US" || system.language() == QLocale::C) {
    EXPECT_EQ(text, "12/6/2026 2:30:00 PM");
  }
  ASSERT_TRUE(ParseDateText(text, locale).has_value());
  EXPECT_NEAR(ParseDateText(text, locale)->days, datum.days, 1e-9);
}

}  // namespace
}  // namespace vks
