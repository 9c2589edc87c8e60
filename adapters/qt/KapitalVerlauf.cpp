#include "adapters/qt/KapitalVerlauf.h"

#include <QChart>
#include <QDateTime>
#include <algorithm>
#include <cmath>
#include <span>

#include "recording/RttFileName.h"
#include "recording/RttReader.h"

namespace vks {
namespace {

constexpr qreal kTagMs = 86400000.0;

// Automation dates are local wall-clock days from 30 December 1899; the axis shows milliseconds
// since 1970 in local time.
qreal ZeitAchsenWert(double tage) {
  static const QDateTime kNull(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);
  const QDateTime wand = kNull.addMSecs(static_cast<qint64>(std::llround(tage * kTagMs)));
  return static_cast<qreal>(QDateTime(wand.date(), wand.time()).toMSecsSinceEpoch());
}

// Labels as short as the span allows, so that they fit under their ticks.
QString ZeitFormat(qreal spanne_ms) {
  if (spanne_ms >= 3 * kTagMs) return QStringLiteral("dd.MM.yy");
  if (spanne_ms >= kTagMs) return QStringLiteral("dd.MM. hh:mm");
  return QStringLiteral("hh:mm");
}

}  // namespace

KapitalVerlauf::KapitalVerlauf(QWidget* parent)
    // Our own chart from the start: a chart set later would orphan the view's default one.
    : QChartView(new QChart, parent), zeit_achse_(new QDateTimeAxis), wert_achse_(new QValueAxis) {
  kapital_.serie = new QLineSeries;
  cash_.serie = new QLineSeries;
  cash_.treppe = true;
  QChart* chart = this->chart();
  chart->setLocalizeNumbers(true);
  kapital_.serie->setName(QStringLiteral("Gesamtkapital"));
  cash_.serie->setName(QStringLiteral("Cash"));
  chart->addSeries(kapital_.serie);
  chart->addSeries(cash_.serie);
  zeit_achse_->setFormat(ZeitFormat(0));
  wert_achse_->setLabelFormat(QStringLiteral("%.0f"));
  chart->addAxis(zeit_achse_, Qt::AlignBottom);
  chart->addAxis(wert_achse_, Qt::AlignLeft);
  for (QLineSeries* serie : {kapital_.serie, cash_.serie}) {
    serie->attachAxis(zeit_achse_);
    serie->attachAxis(wert_achse_);
  }
  chart->legend()->setAlignment(Qt::AlignBottom);
  setRenderHint(QPainter::Antialiasing);
}

void KapitalVerlauf::Leere(Kurve& kurve) {
  kurve.serie->clear();
  kurve.gelesen = 0;
  kurve.letzter = {};
  kurve.verlaengert = false;
}

void KapitalVerlauf::Zeige(FileSystem& dateien, const RttStorage& rtt,
                           const std::string& KontoName) {
  dateien_ = &dateien;
  for (Kurve* kurve : {&kapital_, &cash_}) Leere(*kurve);
  leer_ = true;
  kapital_.datei = RttFileLocation(rtt, KontoName, "", dKapitalGesamtKapital).file;
  cash_.datei = RttFileLocation(rtt, KontoName, "", dKapitalCash).file;
  Aktualisieren();
}

bool KapitalVerlauf::Lese(Kurve& kurve) {
  if (kurve.datei.empty() || !dateien_) return false;
  // The last record drawn is read again: when it is no longer there, the series was written anew
  // (deleted and started over, possibly to the same length) and is drawn from its start.
  auto records =
      ReadRttRecordsFrom(*dateien_, kurve.datei, std::max<int64_t>(kurve.gelesen - 1, 0));
  if (!records.ok()) return false;
  std::span<const RttRecord> neu(*records);
  if (kurve.gelesen == 0) {
    Zeichne(kurve, neu);
    return !neu.empty();
  }
  if (!neu.empty() && neu.front().time.days == kurve.letzter.time.days &&
      neu.front().value == kurve.letzter.value) {
    Zeichne(kurve, neu.subspan(1));
    return neu.size() > 1;
  }
  Leere(kurve);
  // Rare: the bounds are taken again from what is left.
  leer_ = true;
  for (const Kurve* k : {&kapital_, &cash_})
    for (const QPointF& p : k->serie->points()) Erweitere(p);
  records = ReadRttRecordsFrom(*dateien_, kurve.datei, 0);
  if (records.ok()) Zeichne(kurve, *records);
  return true;
}

void KapitalVerlauf::Zeichne(Kurve& kurve, std::span<const RttRecord> records) {
  if (records.empty()) return;
  if (kurve.verlaengert) {
    kurve.serie->remove(kurve.serie->count() - 1);
    kurve.verlaengert = false;
  }
  QList<QPointF> punkte;
  punkte.reserve(static_cast<qsizetype>(records.size() * (kurve.treppe ? 2 : 1)));
  for (const RttRecord& r : records) {
    const QPointF p(ZeitAchsenWert(r.time.days), r.value);
    if (kurve.treppe && kurve.gelesen > 0) punkte.append({p.x(), kurve.letzter.value});
    punkte.append(p);
    Erweitere(p);
    kurve.letzter = r;
    ++kurve.gelesen;
  }
  kurve.serie->append(punkte);
}

void KapitalVerlauf::Verlaengere(Kurve& kurve) {
  if (kurve.gelesen == 0) return;
  const QPointF ende(x_max_, kurve.letzter.value);
  if (kurve.verlaengert) {
    kurve.serie->replace(kurve.serie->count() - 1, ende);
  } else if (ZeitAchsenWert(kurve.letzter.time.days) < x_max_) {
    kurve.serie->append(ende);
    kurve.verlaengert = true;
  }
}

void KapitalVerlauf::Erweitere(const QPointF& p) {
  if (leer_) {
    x_min_ = x_max_ = p.x();
    y_min_ = y_max_ = p.y();
    leer_ = false;
    return;
  }
  x_min_ = std::min(x_min_, p.x());
  x_max_ = std::max(x_max_, p.x());
  y_min_ = std::min(y_min_, p.y());
  y_max_ = std::max(y_max_, p.y());
}

void KapitalVerlauf::Aktualisieren() {
  const bool kapital_neu = Lese(kapital_);
  const bool cash_neu = Lese(cash_);
  if (!kapital_neu && !cash_neu) return;
  Verlaengere(kapital_);
  Verlaengere(cash_);
  Achsen();
}

void KapitalVerlauf::Achsen() {
  if (leer_) return;
  const qreal x_max = x_max_ == x_min_ ? x_min_ + 60000 : x_max_;  // one point: a minute's room
  const qreal rand =
      y_max_ == y_min_ ? std::max<qreal>(1, std::abs(y_max_) * 0.05) : (y_max_ - y_min_) * 0.05;
  zeit_achse_->setFormat(ZeitFormat(x_max - x_min_));
  zeit_achse_->setRange(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(x_min_)),
                        QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(x_max)));
  wert_achse_->setRange(y_min_ - rand, y_max_ + rand);
  wert_achse_->applyNiceNumbers();
}

void KapitalVerlauf::resizeEvent(QResizeEvent* event) {
  QChartView::resizeEvent(event);
  // About one date label per 110 pixels.
  zeit_achse_->setTickCount(std::clamp(width() / 110, 2, 8));
}

}  // namespace vks
