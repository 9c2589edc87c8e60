#include "adapters/qt/TimeChart.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

#include "platform/automation/DateText.h"
#include "platform/automation/NumberFormat.h"

namespace vks {
namespace {

constexpr double kSecondsPerDay = 86400;
// Years 100 to 9999, the dates that have a text.
constexpr double kFirstDate = -657434, kLastDate = 2958465;
const std::array kColors = {QColor(31, 119, 180), QColor(214, 39, 40),   QColor(44, 160, 44),
                            QColor(255, 127, 14), QColor(148, 103, 189), QColor(140, 86, 75)};

struct Range {
  double low = std::numeric_limits<double>::infinity();
  double high = -std::numeric_limits<double>::infinity();
  void Add(double v) {
    low = std::min(low, v);
    high = std::max(high, v);
  }
  bool Empty() const { return !(low <= high); }
};

// The smallest of 1, 2, 5 times a power of ten that is at least `raw`.
double RoundStepUp(double raw) {
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (double m : {1.0, 2.0, 5.0})
    if (raw <= m * power * (1 + 1e-12)) return m * power;
  return 10 * power;
}

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

// Tick positions k * step in [low, high], at most `max_count + 1` of them. An end a rounding away
// from a tick still has it.
std::vector<double> Multiples(double low, double high, double step, int max_count) {
  std::vector<double> positions;
  for (double k = std::ceil(low / step - 1e-6);
       k * step <= high + step * 1e-6 && static_cast<int>(positions.size()) <= max_count; ++k)
    positions.push_back(k * step);
  return positions;
}

}  // namespace

std::vector<AxisTick> TimeTicks(double from, double to, int max_count,
                                const AutomationLocale& locale) {
  from = std::max(from, kFirstDate);
  to = std::min(to, kLastDate);
  max_count = std::max(max_count, 2);
  const double span = (to - from) * kSecondsPerDay;
  if (!(span > 0)) return {};
  // Steps a clock and a calendar divide evenly, in seconds; beyond two weeks round day counts.
  static constexpr double kSteps[] = {1,     2,     5,     10,    15,     30,     60,
                                      120,   300,   600,   900,   1800,   3600,   7200,
                                      10800, 21600, 43200, 86400, 172800, 604800, 1209600};
  double step = 0;
  for (double s : kSteps) {
    if (span / s <= (max_count - 1) * (1 + 1e-6)) {
      step = s;
      break;
    }
  }
  if (step == 0) step = RoundStepUp(span / kSecondsPerDay / (max_count - 1)) * kSecondsPerDay;
  std::vector<AxisTick> ticks;
  double previous_day = std::numeric_limits<double>::quiet_NaN();
  for (double seconds : Multiples(from * kSecondsPerDay, to * kSecondsPerDay, step, max_count)) {
    const DateValue date{seconds / kSecondsPerDay};
    const double day = std::floor(date.days + 0.5 / kSecondsPerDay);
    QString label;
    if (step >= kSecondsPerDay) {
      label = Text(FormatShortDate(date, locale));
    } else {
      label = Text(step < 60 ? FormatLongTime(date, locale) : FormatShortTime(date, locale));
      if (day != previous_day) label += '\n' + Text(FormatShortDate(date, locale));
    }
    previous_day = day;
    ticks.push_back({date.days, label});
  }
  return ticks;
}

std::vector<AxisTick> ValueTicks(double low, double high, int max_count,
                                 const AutomationLocale& locale) {
  max_count = std::max(max_count, 2);
  const double raw = (high - low) / (max_count - 1);
  if (!(raw > 0) || !std::isfinite(raw)) return {};
  const double step = RoundStepUp(raw);
  const int decimals =
      step >= 1 ? 0 : std::min(15, static_cast<int>(std::ceil(-std::log10(step) - 1e-9)));
  std::vector<AxisTick> ticks;
  for (double v : Multiples(low, high, step, max_count)) {
    if (std::abs(v) < step * 1e-9) v = 0;  // no "-0"
    ticks.push_back({v, Text(FormatFixedNumber(v, decimals, locale))});
  }
  return ticks;
}

void DrawTimeChart(QPainter& p, const QRectF& bounds, const TimeChart& chart) {
  p.save();
  p.fillRect(bounds, Qt::white);
  p.setRenderHint(QPainter::Antialiasing);
  const QFont font = p.font();
  const QFontMetricsF metrics(font, p.device());
  const double line = metrics.height();
  const double gap = line / 2;

  // The time span: the one asked for, else the points'; one instant gets a minute's room.
  Range x;
  for (const ChartSeries& s : chart.series)
    for (const QPointF& pt : s.points)
      if (std::isfinite(pt.x()) && std::isfinite(pt.y())) x.Add(pt.x());
  if (chart.from) x.low = *chart.from;
  if (chart.to) x.high = *chart.to;
  x.low = std::clamp(x.low, kFirstDate, kLastDate);
  x.high = std::clamp(x.high, kFirstDate, kLastDate);
  if (!x.Empty() && x.high == x.low) x.high = x.low + 60 / kSecondsPerDay;
  // The values shown within it; a step that began before it holds at its start.
  Range y;
  for (const ChartSeries& s : chart.series) {
    for (qsizetype i = 0; i < s.points.size(); ++i) {
      const QPointF& pt = s.points[i];
      const bool before =
          pt.x() < x.low && s.steps && (i + 1 == s.points.size() || s.points[i + 1].x() > x.low);
      if (std::isfinite(pt.y()) && (before || (pt.x() >= x.low && pt.x() <= x.high))) y.Add(pt.y());
    }
  }
  if (!y.Empty()) {
    const double pad =
        y.high == y.low ? std::max(1.0, std::abs(y.high) * 0.05) : (y.high - y.low) * 0.05;
    y.low -= pad;
    y.high += pad;
  }

  // Title above, time labels (two lines), time axis title and legend below.
  QFont bold = font;
  bold.setBold(true);
  const double top =
      gap + (chart.title.isEmpty() ? 0 : QFontMetricsF(bold, p.device()).height() + gap);
  const double legend = chart.series.empty() ? 0 : line + gap;
  const double bottom =
      gap + 2 * line + gap + (chart.time_label.isEmpty() ? 0 : line + gap) + legend;
  const double height = bounds.height() - top - bottom;
  const std::vector<AxisTick> values =
      y.Empty()
          ? std::vector<AxisTick>{}
          : ValueTicks(y.low, y.high, static_cast<int>(height / (2.5 * line)) + 1, chart.locale);
  double label_width = 0;
  for (const AxisTick& t : values)
    label_width = std::max(label_width, metrics.horizontalAdvance(t.label));
  const double left = gap + (chart.value_label.isEmpty() ? 0 : line + gap) + label_width + gap;
  const double right = 3 * line;  // half of a time label beyond the last tick
  const QRectF area(bounds.left() + left, bounds.top() + top, bounds.width() - left - right,
                    height);

  if (!chart.title.isEmpty()) {
    p.setFont(bold);
    p.drawText(
        QRectF(bounds.left(), bounds.top() + gap, bounds.width(), line), Qt::AlignCenter,
        QFontMetricsF(bold, p.device()).elidedText(chart.title, Qt::ElideRight, bounds.width()));
    p.setFont(font);
  }
  if (area.width() < line || area.height() < line) {
    p.restore();
    return;
  }
  const double time_label_width =
      metrics.horizontalAdvance(QStringLiteral("00/00/0000")) + 2 * line;
  const std::vector<AxisTick> times =
      x.Empty() ? std::vector<AxisTick>{}
                : TimeTicks(x.low, x.high, static_cast<int>(area.width() / time_label_width) + 1,
                            chart.locale);
  const auto map = [&](double t, double v) {
    return QPointF(area.left() + (t - x.low) / (x.high - x.low) * area.width(),
                   area.bottom() - (v - y.low) / (y.high - y.low) * area.height());
  };

  // Grid and tick labels, then the frame over the grid's ends.
  const QPen grid(QColor(225, 225, 225), 1);
  for (const AxisTick& t : values) {
    const double py = map(x.low, t.position).y();
    p.setPen(grid);
    p.drawLine(QPointF(area.left(), py), QPointF(area.right(), py));
    p.setPen(Qt::black);
    p.drawText(QRectF(area.left() - gap - label_width, py - line / 2, label_width, line),
               Qt::AlignRight | Qt::AlignVCenter, t.label);
  }
  for (const AxisTick& t : times) {
    const double px = map(t.position, y.low).x();
    p.setPen(grid);
    p.drawLine(QPointF(px, area.top()), QPointF(px, area.bottom()));
    p.setPen(Qt::black);
    p.drawText(
        QRectF(px - time_label_width / 2, area.bottom() + gap / 2, time_label_width, 2 * line),
        Qt::AlignHCenter | Qt::AlignTop, t.label);
  }
  p.setPen(QPen(Qt::black, 1));
  p.drawRect(area);

  double below = area.bottom() + gap + 2 * line + gap;
  if (!chart.time_label.isEmpty()) {
    p.drawText(QRectF(area.left(), below, area.width(), line), Qt::AlignCenter, chart.time_label);
    below += line + gap;
  }
  if (!chart.value_label.isEmpty()) {
    p.save();
    p.translate(bounds.left() + gap + line / 2, area.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-area.height() / 2, -line / 2, area.height(), line), Qt::AlignCenter,
               chart.value_label);
    p.restore();
  }

  // The series, clipped to the area.
  if (!x.Empty() && !y.Empty()) {
    p.save();
    p.setClipRect(area);
    for (size_t i = 0; i < chart.series.size(); ++i) {
      const ChartSeries& s = chart.series[i];
      QPainterPath path;
      const QPointF* previous = nullptr;
      for (const QPointF& pt : s.points) {
        if (!std::isfinite(pt.x()) || !std::isfinite(pt.y())) continue;
        if (!previous) {
          path.moveTo(map(pt.x(), pt.y()));
        } else {
          if (s.steps) path.lineTo(map(pt.x(), previous->y()));
          path.lineTo(map(pt.x(), pt.y()));
        }
        previous = &pt;
      }
      p.setPen(QPen(kColors[i % kColors.size()], 2));
      p.drawPath(path);
    }
    p.restore();
  }

  // The legend: a stroke of each series' colour before its name.
  double lx = area.left();
  const double ly = below + line / 2;
  for (size_t i = 0; i < chart.series.size() && lx < bounds.right(); ++i) {
    p.setPen(QPen(kColors[i % kColors.size()], 3));
    p.drawLine(QPointF(lx, ly), QPointF(lx + 2 * line, ly));
    p.setPen(Qt::black);
    const double room = bounds.right() - lx - 2.5 * line;
    const QString name =
        metrics.elidedText(chart.series[i].name, Qt::ElideRight, std::max(0.0, room));
    p.drawText(QRectF(lx + 2.5 * line, below, room, line), Qt::AlignLeft | Qt::AlignVCenter, name);
    lx += 2.5 * line + metrics.horizontalAdvance(name) + 2 * line;
  }
  p.restore();
}

}  // namespace vks
