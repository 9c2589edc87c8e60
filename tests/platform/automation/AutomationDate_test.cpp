#include "platform/automation/AutomationDate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <limits>
#include <ostream>

#include "fakes/ErrorOf.h"

namespace vks {

void PrintTo(const CalendarDateTime& c, std::ostream* os) {
  *os << c.year << '-' << c.month << '-' << c.day << ' ' << c.hour << ':' << c.minute << ':'
      << c.second;
}

namespace {

using testing::ErrorOf;

int DaysInMonthForTest(int year, int month) {
  if (month == 2) return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0 ? 29 : 28;
  return month == 4 || month == 6 || month == 9 || month == 11 ? 30 : 31;
}

// Steps a calendar date forward one day at a time, with the weekday beside it (1 = Sunday).
void NextDay(CalendarDateTime& c, int& weekday) {
  weekday = weekday % 7 + 1;
  if (++c.day <= DaysInMonthForTest(c.year, c.month)) return;
  c.day = 1;
  if (++c.month <= 12) return;
  c.month = 1;
  ++c.year;
}

// Dates at the edges, exact fractions and rounding; EveryDayOfTheRange below covers the calendar.
TEST(AutomationDateTest, KnownDates) {
  struct Case {
    double date;
    CalendarDateTime calendar;
    int weekday;
    bool exact_back;  // ToAutomationDate gives exactly `date` again
  } cases[] = {
      {0, {1899, 12, 30, 0, 0, 0}, 7, true},
      {2, {1900, 1, 1, 0, 0, 0}, 2, true},
      {0.5, {1899, 12, 30, 12, 0, 0}, 7, true},
      {-0.5, {1899, 12, 30, 12, 0, 0}, 7, false},
      {-1.25, {1899, 12, 29, 6, 0, 0}, 6, true},
      {36526.75, {2000, 1, 1, 18, 0, 0}, 7, true},
      {45351.0 + 45296.0 / 86400, {2024, 2, 29, 12, 34, 56}, 5, true},
      {2958465.99999, {9999, 12, 31, 23, 59, 59}, 6, false},
      {-657434.99999, {100, 1, 1, 23, 59, 59}, 6, false},
      // rounding to the nearest second, carrying into the next day
      {0.99999999, {1899, 12, 31, 0, 0, 0}, 1, false},
      {1.0 + 59.4 / 86400, {1899, 12, 31, 0, 0, 59}, 1, false},
      {1.0 + 59.6 / 86400, {1899, 12, 31, 0, 1, 0}, 1, false},
      {45657.999999, {2025, 1, 1, 0, 0, 0}, 4, false},
      {-1.99999999, {1899, 12, 30, 0, 0, 0}, 7, false},
      {-1.0 - 86399.4 / 86400, {1899, 12, 29, 23, 59, 59}, 6, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << std::setprecision(17) << c.date);
    EXPECT_EQ(FromAutomationDate(DateValue{c.date}), c.calendar);
    EXPECT_EQ(Weekday(DateValue{c.date}), c.weekday);
    if (c.exact_back) {
      EXPECT_EQ(ToAutomationDate(c.calendar).days, c.date);
    }
  }
}

TEST(AutomationDateTest, EveryDayOfTheRangeMatchesAStepwiseCalendar) {
  EXPECT_EQ(DaysFromCivil(1970, 1, 1), 0);
  EXPECT_EQ(DaysFromCivil(1899, 12, 30), -25569);
  EXPECT_EQ(DaysFromCivil(0, 3, 1), -719468);

  // Each day at a time 17 hours and 13 seconds later than the day before, which reaches every
  // second of the day in turn. Before the epoch the fraction counts forward from the day's
  // midnight, away from zero.
  CalendarDateTime c{100, 1, 1, 0, 0, 0};
  int weekday = 6;  // a Friday
  int second_of_day = 0;
  for (int64_t days = DaysFromCivil(100, 1, 1); c.year <= 9999; ++days) {
    int year = 0, month = 0, day = 0;
    CivilFromDays(days, year, month, day);
    if (year != c.year || month != c.month || day != c.day ||
        DaysFromCivil(c.year, c.month, c.day) != days) {
      FAIL() << days << " gives " << year << '-' << month << '-' << day << ", expected "
             << ::testing::PrintToString(c);
    }
    c.hour = second_of_day / 3600;
    c.minute = second_of_day / 60 % 60;
    c.second = second_of_day % 60;
    const double whole = static_cast<double>(days - DaysFromCivil(1899, 12, 30));
    const double time = second_of_day / 86400.0;
    const DateValue date = ToAutomationDate(c);
    ASSERT_NEAR(date.days, whole < 0 ? whole - time : whole + time, 1e-7)
        << ::testing::PrintToString(c);
    ASSERT_EQ(FromAutomationDate(date), c);
    ASSERT_EQ(Weekday(date), weekday) << ::testing::PrintToString(c);
    NextDay(c, weekday);
    second_of_day = (second_of_day + 17 * 3600 + 13) % 86400;
  }
}

TEST(AutomationDateTest, RefusesDatesOutsideTheRange) {
  const double kInf = std::numeric_limits<double>::infinity();
  for (double date : {2958466.0, 2958465.999995, -657435.0, -657435.5, 1e300, -1e300, kInf, -kInf,
                      std::numeric_limits<double>::quiet_NaN()}) {
    SCOPED_TRACE(::testing::Message() << std::setprecision(17) << date);
    EXPECT_EQ(ErrorOf([&] { (void)FromAutomationDate(DateValue{date}); }), 5);
  }
  EXPECT_EQ(ErrorOf([] { (void)Weekday(DateValue{std::nan("")}); }), 5);
  EXPECT_EQ(ErrorOf([] {
              int y, m, d;
              CivilFromDays(std::numeric_limits<int64_t>::max(), y, m, d);
            }),
            5);
}

// The valid neighbours of these (100-01-01, 2024-02-29, 23:59:59) are EveryDayOfTheRange's.
TEST(AutomationDateTest, RefusesCalendarFieldsOutOfRange) {
  const CalendarDateTime kBad[] = {
      {99, 12, 31, 23, 59, 59}, {10000, 1, 1, 0, 0, 0}, {2024, 0, 1, 0, 0, 0},
      {2024, 13, 1, 0, 0, 0},   {2024, 1, 0, 0, 0, 0},  {2024, 1, 32, 0, 0, 0},
      {2024, 4, 31, 0, 0, 0},   {2024, 2, 30, 0, 0, 0}, {1900, 2, 29, 0, 0, 0},
      {2024, 1, 1, 24, 0, 0},   {2024, 1, 1, -1, 0, 0}, {2024, 1, 1, 0, 60, 0},
      {2024, 1, 1, 0, 0, 60},   {2024, 1, 1, 0, 0, -1}, {-2147483647 - 1, 1, 1, 0, 0, 0}};
  for (const CalendarDateTime& c : kBad) {
    SCOPED_TRACE(::testing::PrintToString(c));
    EXPECT_EQ(ErrorOf([&] { (void)ToAutomationDate(c); }), 5);
  }
}

}  // namespace
}  // namespace vks
