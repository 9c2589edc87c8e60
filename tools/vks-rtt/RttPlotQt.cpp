#include <QtGui/QFont>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtSvg/QSvgGenerator>

#include <cmath>
#include <cstdlib>
#include <memory>

#include "adapters/qt/SystemLocale.h"
#include "adapters/qt/TimeChart.h"
#include "recording/RttReader.h"
#include "tools/vks-rtt/RttPlot.h"

namespace vks::rtt_tool {
namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 600;

// Draws into a painter begun on the file's device; false when the file cannot be written.
bool Paint(QPaintDevice& device, const TimeChart& chart) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  QFont font = painter.font();
  font.setPixelSize(12);
  painter.setFont(font);
  DrawTimeChart(painter, QRectF(0, 0, kWidth, kHeight), chart);
  return painter.end();
}

}  // namespace

int PlotRtt(FileSystem& files, const std::vector<std::string>& paths, const std::string& output,
            const TimeRange& range, std::ostream& err) {
  QString out = QString::fromStdString(output);
  const bool svg = out.endsWith(".svg", Qt::CaseInsensitive);
  if (!svg && !out.endsWith(".png", Qt::CaseInsensitive)) {
    err << "vks-rtt: die Ausgabe muss auf .png oder .svg enden\n";
    return 2;
  }
  TimeChart chart;
  chart.time_label = QStringLiteral("Zeit");
  chart.value_label = QStringLiteral("Wert");
  if (range.from) chart.from = range.from->days;
  if (range.to) chart.to = range.to->days;
  QStringList names;
  for (const std::string& path : paths) {
    Result<RttFile> file = RttFile::Open(files, path);
    if (!file) {
      err << "vks-rtt: " << file.error().Description() << "\n";
      return 1;
    }
    // A recorded value holds until the next one.
    ChartSeries s{QString::fromStdString(file->Summary().header.display_name_long), {}, true};
    file->ForEachRecord(0, [&](int64_t, const RttRecord& r) {
      if (std::isfinite(r.time.days) && std::isfinite(r.value))
        s.points.append(QPointF(r.time.days, static_cast<double>(r.value)));
    });
    names.append(s.name);
    chart.series.push_back(std::move(s));
  }
  names.removeDuplicates();
  chart.title = names.join(QStringLiteral(", "));

  // Drawing text needs a GUI application; without a display it runs offscreen.
  if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  std::unique_ptr<QGuiApplication> app;
  if (!QGuiApplication::instance()) {
    static int argc = 1;
    static char name[] = "vks-rtt";
    static char* argv[] = {name, nullptr};
    app = std::make_unique<QGuiApplication>(argc, argv);
  }
  // Dates and numbers as the user's windows write them.
  chart.locale = SystemLocale();

  bool written = false;
  if (svg) {
    QSvgGenerator generator;
    generator.setFileName(out);
    generator.setSize(QSize(kWidth, kHeight));
    generator.setViewBox(QRect(0, 0, kWidth, kHeight));
    generator.setTitle(chart.title);
    written = Paint(generator, chart);
  } else {
    QImage image(kWidth, kHeight, QImage::Format_ARGB32);
    written = Paint(image, chart) && image.save(out, "PNG");
  }
  if (!written) {
    err << "vks-rtt: '" << output << "' kann nicht geschrieben werden\n";
    return 1;
  }
  return 0;
}

}  // namespace vks::rtt_tool
