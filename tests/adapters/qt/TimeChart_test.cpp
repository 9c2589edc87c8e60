#include "adapters/qt/TimeChart.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <limits>

#include "tests/adapters/qt/QtTestAnwendung.h"

namespace vks {
namespace {

constexpr double kMinute = 1.0 / 1440;
constexpr double kMaerz5 = 45356;  // 5 March 2024

QImage Render(const TimeChart& chart, QSize size) {
  testing::QtTestAnwendung();
  QImage image(size, QImage::Format_RGB32);
  QPainter painter(&image);
  DrawTimeChart(painter, QRectF(QPointF(0, 0), size), chart);
  return image;
}

// A step's rise one minute after the start, then 59 minutes later, then one minute later: the
// rises lie 59 times as far apart as the last two, as their times do.
TEST(TimeChartTest, PlacesEveryPointAtItsTime) {
  const double t0 = kMaerz5 + 9.0 / 24;
  TimeChart chart;
  chart.title = QStringLiteral("Titel");
  chart.time_label = QStringLiteral("Zeit");
  chart.value_label = QStringLiteral("Wert");
  chart.series = {{QStringLiteral("Reihe"),
                   {{t0, 0}, {t0 + kMinute, 10}, {t0 + 60 * kMinute, 0}, {t0 + 61 * kMinute, 10}},
                   true}};
  const QImage image = Render(chart, QSize(1200, 500));
  // The rises cross the middle row in the series' blue.
  std::vector<double> mitten;
  int anfang = -1;
  for (int x = 0; x <= image.width(); ++x) {
    const QColor c = x < image.width() ? image.pixelColor(x, image.height() / 2) : Qt::white;
    const bool blau = c.blue() - c.red() > 60;
    if (blau && anfang < 0) anfang = x;
    if (!blau && anfang >= 0) {
      mitten.push_back((anfang + x - 1) / 2.0);
      anfang = -1;
    }
  }
  ASSERT_EQ(mitten.size(), 3u);
  EXPECT_NEAR((mitten[1] - mitten[0]) / (mitten[2] - mitten[1]), 59, 59 * 0.1);
}

// Ticks at round times and values, written as the account list writes dates and numbers.
TEST(TimeChartTest, TicksInTheLocale) {
  const AutomationLocale de = AutomationLocale::German();
  const AutomationLocale en = AutomationLocale::FromName("en_US.UTF-8");
  const double neun = kMaerz5 + 9.0 / 24, abend = kMaerz5 + 0.75, mittag = kMaerz5 + 0.5;
  const double s20 = 20 / 86400.0;
  const struct {
    bool zeit;
    double von, bis;
    int hoechstens;
    const AutomationLocale* locale;
    const char* labels;  // joined by '|'
  } cases[] = {
      // hours, over midnight, seconds, a month
      {true, neun, neun + 0.125, 4, &de, "09:00\n05.03.2024|10:00|11:00|12:00"},
      {true, neun, neun + 0.125, 4, &en, "9:00 AM\n3/5/2024|10:00 AM|11:00 AM|12:00 PM"},
      {true, abend, abend + 0.5, 3, &de, "18:00\n05.03.2024|00:00\n06.03.2024|06:00"},
      {true, abend, abend + 0.5, 3, &en, "6:00 PM\n3/5/2024|12:00 AM\n3/6/2024|6:00 AM"},
      {true, mittag, mittag + s20, 3, &de, "12:00:00\n05.03.2024|12:00:10|12:00:20"},
      {true, mittag, mittag + s20, 3, &en, "12:00:00 PM\n3/5/2024|12:00:10 PM|12:00:20 PM"},
      {true, kMaerz5 - 4, kMaerz5 + 26, 5, &de, "09.03.2024|23.03.2024"},
      {true, kMaerz5 - 4, kMaerz5 + 26, 5, &en, "3/9/2024|3/23/2024"},
      // thousands, tenths
      {false, 0, 12000, 4, &de, "0|5.000|10.000"},
      {false, 0, 12000, 4, &en, "0|5,000|10,000"},
      {false, -0.3, 0.3, 4, &de, "-0,2|0,0|0,2"},
      {false, -0.3, 0.3, 4, &en, "-0.2|0.0|0.2"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.labels);
    const std::vector<AxisTick> ticks = c.zeit ? TimeTicks(c.von, c.bis, c.hoechstens, *c.locale)
                                               : ValueTicks(c.von, c.bis, c.hoechstens, *c.locale);
    QStringList labels;
    for (const AxisTick& t : ticks) labels << t.label;
    EXPECT_EQ(labels.join('|'), QString::fromUtf8(c.labels));
  }
}

// Values and spans no chart should have neither crash the drawing nor give more ticks than asked.
TEST(TimeChartTest, BadValuesDrawWithoutHarm) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  TimeChart chart;
  chart.series = {{QStringLiteral("a"),
                   {{nan, 1}, {1e300, inf}, {kMaerz5, 1e308}, {kMaerz5 + 1, -1e308}},
                   true},
                  {QStringLiteral("b"), {}, false}};
  Render(chart, QSize(300, 200));
  chart.from = kMaerz5 + 2;
  chart.to = kMaerz5 - 2;
  Render(chart, QSize(300, 200));
  Render(chart, QSize(5, 5));
  const AutomationLocale de = AutomationLocale::German();
  for (auto [von, bis] :
       {std::pair{nan, 1.0}, {0.0, inf}, {-1e308, 1e308}, {kMaerz5 + 2, kMaerz5}}) {
    SCOPED_TRACE(std::to_string(von) + " " + std::to_string(bis));
    EXPECT_LE(TimeTicks(von, bis, 5, de).size(), 5u);
    EXPECT_LE(ValueTicks(von, bis, 5, de).size(), 5u);
  }
}

}  // namespace
}  // namespace vks
