#include <QtCore/QDateTime>
#include <QtCore/QTimeZone>
#include <QtGui/QFont>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtSvg/QSvgGenerator>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>

#include "platform/automation/AutomationDate.h"
#include "recording/RttReader.h"
#include "tools/vks-rtt/RttPlot.h"

namespace vks::rtt_tool {
namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 600;
constexpr int kLeft = 90, kRight = 70, kTop = 30, kBottom = 70;
const QColor kColors[] = {QColor(31, 119, 180), QColor(214, 39, 40),   QColor(44, 160, 44),
                          QColor(255, 127, 14), QColor(148, 103, 189), QColor(140, 86, 75)};

struct Series {
  QString name;
  std::vector<QPointF> points;  // automation date, value
};

struct Range {
  double low = std::numeric_limits<double>::infinity();
  double high = -std::numeric_limits<double>::infinity();
  void Add(double v) {
    low = std::min(low, v);
    high = std::max(high, v);
  }
  void Widen() {
    if (!(low <= high)) low = 0, high = 1;
    if (high - low < 1e-9) low -= 0.5, high += 0.5;
  }
};

// Round steps (1, 2, 5 × 10^n) so that about `count` ticks cover the range.
double NiceStep(double span, int count) {
  double raw = span / count;
  double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (double m : {1.0, 2.0, 5.0, 10.0})
    if (raw <= m * power) return m * power;
  return 10 * power;
}

QString DateLabel(double days, double span_days) {
  try {
    CalendarDateTime c = FromAutomationDate(DateValue{days});
    QString date = QString::asprintf("%02d.%02d.%04d", c.day, c.month, c.year);
    if (span_days > 3) return date;
    return date + QString::asprintf(" %02d:%02d", c.hour, c.minute);
  } catch (...) {
    return QString::number(days);
  }
}

void Draw(QPainter& p, const std::vector<Series>& series) {
  Range x, y;
  for (const Series& s : series)
    for (const QPointF& pt : s.points) x.Add(pt.x()), y.Add(pt.y());
  x.Widen();
  y.Widen();
  double pad = (y.high - y.low) * 0.05;
  y.low -= pad;
  y.high += pad;
  QRectF area(kLeft, kTop, kWidth - kLeft - kRight, kHeight - kTop - kBottom);
  auto map = [&](QPointF pt) {
    return QPointF(area.left() + (pt.x() - x.low) / (x.high - x.low) * area.width(),
                   area.bottom() - (pt.y() - y.low) / (y.high - y.low) * area.height());
  };

  p.fillRect(QRect(0, 0, kWidth, kHeight), Qt::white);
  p.setRenderHint(QPainter::Antialiasing);
  QFont font = p.font();
  font.setPixelSize(12);
  p.setFont(font);

  // Axes with value and date ticks.
  p.setPen(QPen(Qt::black, 1));
  p.drawRect(area);
  double y_step = NiceStep(y.high - y.low, 6);
  for (double v = std::ceil(y.low / y_step) * y_step; v <= y.high + 1e-9 * y_step; v += y_step) {
    double py = map(QPointF(x.low, v)).y();
    p.setPen(QPen(QColor(220, 220, 220), 1));
    p.drawLine(QPointF(area.left(), py), QPointF(area.right(), py));
    p.setPen(Qt::black);
    p.drawText(QRectF(0, py - 8, kLeft - 8, 16), Qt::AlignRight | Qt::AlignVCenter,
               QString::number(v, 'g', 8));
  }
  for (int i = 0; i <= 5; ++i) {
    double d = x.low + (x.high - x.low) * i / 5;
    double px = map(QPointF(d, y.low)).x();
    p.setPen(QPen(QColor(220, 220, 220), 1));
    p.drawLine(QPointF(px, area.top()), QPointF(px, area.bottom()));
    p.setPen(Qt::black);
    p.drawText(QRectF(px - 70, area.bottom() + 6, 140, 16), Qt::AlignHCenter,
               DateLabel(d, x.high - x.low));
  }

  // The series as steps: a recorded value holds until the next one.
  for (size_t i = 0; i < series.size(); ++i) {
    const Series& s = series[i];
    if (s.points.empty()) continue;
    QPainterPath path(map(s.points.front()));
    for (size_t k = 1; k < s.points.size(); ++k) {
      path.lineTo(map(QPointF(s.points[k].x(), s.points[k - 1].y())));
      path.lineTo(map(s.points[k]));
    }
    p.setPen(QPen(kColors[i % std::size(kColors)], 2));
    p.drawPath(path);
  }

  // Legend below the chart.
  double lx = area.left();
  for (size_t i = 0; i < series.size(); ++i) {
    double ly = kHeight - 24;
    p.setPen(QPen(kColors[i % std::size(kColors)], 3));
    p.drawLine(QPointF(lx, ly), QPointF(lx + 20, ly));
    p.setPen(Qt::black);
    QRectF box(lx + 26, ly - 8, 300, 16);
    QRectF used;
    p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, series[i].name, &used);
    lx += 26 + used.width() + 24;
  }
}

}  // namespace

int PlotRtt(FileSystem& files, const std::vector<std::string>& paths, const std::string& output,
            std::ostream& err) {
  std::vector<Series> series;
  for (const std::string& path : paths) {
    Result<RttFile> file = RttFile::Open(files, path);
    if (!file) {
      err << "vks-rtt: " << file.error().Description() << "\n";
      return 1;
    }
    Series s;
    s.name = QString::fromStdString(file->Summary().header.display_name_long);
    file->ForEachRecord(0, [&](int64_t, const RttRecord& r) {
      if (std::isfinite(r.time.days) && std::isfinite(r.value))
        s.points.emplace_back(r.time.days, static_cast<double>(r.value));
    });
    series.push_back(std::move(s));
  }

  // Drawing text needs a GUI application; without a display it runs offscreen.
  if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  std::unique_ptr<QGuiApplication> app;
  if (!QGuiApplication::instance()) {
    static int argc = 1;
    static char name[] = "vks-rtt";
    static char* argv[] = {name, nullptr};
    app = std::make_unique<QGuiApplication>(argc, argv);
  }

  QString out = QString::fromStdString(output);
  if (out.endsWith(".svg", Qt::CaseInsensitive)) {
    QSvgGenerator svg;
    svg.setFileName(out);
    svg.setSize(QSize(kWidth, kHeight));
    svg.setViewBox(QRect(0, 0, kWidth, kHeight));
    svg.setTitle("vks-rtt");
    QPainter painter;
    if (!painter.begin(&svg)) {
      err << "vks-rtt: '" << output << "' kann nicht geschrieben werden\n";
      return 1;
    }
    Draw(painter, series);
    painter.end();
    return 0;
  }
  if (!out.endsWith(".png", Qt::CaseInsensitive)) {
    err << "vks-rtt: die Ausgabe muss auf .png oder .svg enden\n";
    return 2;
  }
  QImage image(kWidth, kHeight, QImage::Format_ARGB32);
  {
    QPainter painter(&image);
    Draw(painter, series);
  }
  if (!image.save(out, "PNG")) {
    err << "vks-rtt: '" << output << "' kann nicht geschrieben werden\n";
    return 1;
  }
  return 0;
}

}  // namespace vks::rtt_tool
