#pragma once
// A time chart drawn with QPainter alone, so that a window, an image and an SVG file show the same
// picture: a title, a value axis on the left, a time axis below and a legend. Every point sits at
// its time, so a trading day's quiet hours take their room as its busy minutes do. Times are
// automation dates (local wall-clock days); dates and numbers are written in the given locale.
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

#include "platform/automation/AutomationLocale.h"

class QPainter;

namespace vks {

struct ChartSeries {
  QString name;
  QList<QPointF> points;  // x: automation date, y: value; in time order
  bool steps = false;     // a value holds until the next one
};

struct TimeChart {
  QString title;
  QString time_label;
  QString value_label;
  std::vector<ChartSeries> series;
  // The time span shown; by default the points' own.
  std::optional<double> from, to;
  AutomationLocale locale;
};

struct AxisTick {
  double position;  // automation date or value
  QString label;    // may hold a second line
};

// At most `max_count` ticks at round times (seconds up to years) in [from, to]. Below a day's step
// a tick shows its time, and its date too where the day changes (and on the first tick).
std::vector<AxisTick> TimeTicks(double from, double to, int max_count,
                                const AutomationLocale& locale);
// At most `max_count` ticks at round values (1, 2 or 5 times a power of ten) in [low, high], with
// as many decimals as the step needs.
std::vector<AxisTick> ValueTicks(double low, double high, int max_count,
                                 const AutomationLocale& locale);

// Draws the whole chart into `bounds` with the painter's font.
void DrawTimeChart(QPainter& painter, const QRectF& bounds, const TimeChart& chart);

}  // namespace vks
