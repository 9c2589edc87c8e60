#include "ui/KapitalVerlauf.h"

#include <QChart>
#include <QDateTime>
#include <algorithm>
#include <cmath>

#include "recording/RttFileName.h"
#include "recording/RttReader.h"

namespace vks {
namespace {

// Automation dates are local wall-clock days from 30 December 1899; the axis shows milliseconds
// since 1970 in local time.
qreal ZeitAchsenWert(double tage) {
  static const QDateTime kNull(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);
  const QDateTime wand = kNull.addMSecs(static_cast<qint64>(std::llround(tage * 86400000.0)));
  return static_cast<qreal>(QDateTime(wand.date(), wand.time()).toMSecsSinceEpoch());
}

}  // namespace

KapitalVerlauf::KapitalVerlauf(QWidget* parent)
    : QChartView(parent),
      kapital_(new QLineSeries),
      cash_(new QLineSeries),
      zeit_achse_(new QDateTimeAxis),
      wert_achse_(new QValueAxis) {
  auto* chart = new QChart;
  kapital_->setName(QStringLiteral("Gesamtkapital"));
  cash_->setName(QStringLiteral("Cash"));
  chart->addSeries(kapital_);
  chart->addSeries(cash_);
  zeit_achse_->setFormat(QStringLiteral("dd.MM.yy hh:mm"));
  chart->addAxis(zeit_achse_, Qt::AlignBottom);
  chart->addAxis(wert_achse_, Qt::AlignLeft);
  for (QLineSeries* serie : {kapital_, cash_}) {
    serie->attachAxis(zeit_achse_);
    serie->attachAxis(wert_achse_);
  }
  chart->legend()->setAlignment(Qt::AlignBottom);
  setChart(chart);
  setRenderHint(QPainter::Antialiasing);
}

void KapitalVerlauf::Zeige(const RttStorage& rtt, const std::string& KontoName) {
  kapital_->clear();
  cash_->clear();
  kapital_gelesen_ = cash_gelesen_ = 0;
  kapital_datei_ = RttFileLocation(rtt, KontoName, "", dKapitalGesamtKapital).file;
  cash_datei_ = RttFileLocation(rtt, KontoName, "", dKapitalCash).file;
  Aktualisieren();
}

void KapitalVerlauf::Lese(QLineSeries* serie, const std::string& datei, int64_t& gelesen) {
  if (datei.empty()) return;
  auto records = ReadRttRecordsFrom(datei, gelesen);
  if (!records.ok() || records->empty()) return;
  QList<QPointF> punkte;
  punkte.reserve(static_cast<qsizetype>(records->size()));
  for (const RttRecord& r : *records) punkte.append({ZeitAchsenWert(r.time.days), r.value});
  serie->append(punkte);
  gelesen += static_cast<int64_t>(records->size());
}

void KapitalVerlauf::Aktualisieren() {
  const qsizetype vorher = kapital_->count() + cash_->count();
  Lese(kapital_, kapital_datei_, kapital_gelesen_);
  Lese(cash_, cash_datei_, cash_gelesen_);
  if (kapital_->count() + cash_->count() != vorher) Achsen();
}

void KapitalVerlauf::Achsen() {
  qreal x_min = 0, x_max = 0, y_min = 0, y_max = 0;
  bool erster = true;
  for (const QLineSeries* serie : {kapital_, cash_}) {
    for (const QPointF& p : serie->points()) {
      if (erster) {
        x_min = x_max = p.x();
        y_min = y_max = p.y();
        erster = false;
      }
      x_min = std::min(x_min, p.x());
      x_max = std::max(x_max, p.x());
      y_min = std::min(y_min, p.y());
      y_max = std::max(y_max, p.y());
    }
  }
  if (erster) return;
  if (x_max == x_min) x_max = x_min + 60000;  // one point: a minute's room
  const qreal rand =
      y_max == y_min ? std::max<qreal>(1, std::abs(y_max) * 0.05) : (y_max - y_min) * 0.05;
  zeit_achse_->setRange(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(x_min)),
                        QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(x_max)));
  wert_achse_->setRange(y_min - rand, y_max + rand);
}

}  // namespace vks
