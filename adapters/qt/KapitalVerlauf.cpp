#include "adapters/qt/KapitalVerlauf.h"

#include <QPainter>
#include <algorithm>
#include <span>

#include "recording/RttFileName.h"
#include "recording/RttReader.h"

namespace vks {

KapitalVerlauf::KapitalVerlauf(AutomationLocale locale, QWidget* parent) : QWidget(parent) {
  chart_.title = tr("Kapitalverlauf");
  chart_.time_label = tr("Zeit");
  chart_.value_label = tr("Betrag");
  chart_.locale = std::move(locale);
  chart_.series = {{tr("Gesamtkapital"), {}, false}, {tr("Cash"), {}, true}};
  kapital_.punkte = &chart_.series[0].points;
  cash_.punkte = &chart_.series[1].points;
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void KapitalVerlauf::Leere(Kurve& kurve) {
  kurve.punkte->clear();
  kurve.gelesen = 0;
  kurve.letzter = {};
  kurve.spaetest = 0;
  kurve.verlaengert = false;
}

void KapitalVerlauf::Zeige(FileSystem& dateien, const RttStorage& rtt,
                           const std::string& KontoName) {
  dateien_ = &dateien;
  for (Kurve* kurve : {&kapital_, &cash_}) Leere(*kurve);
  kapital_.datei = RttFileLocation(rtt, KontoName, "", dKapitalGesamtKapital).file;
  cash_.datei = RttFileLocation(rtt, KontoName, "", dKapitalCash).file;
  Aktualisieren();
  update();
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
  records = ReadRttRecordsFrom(*dateien_, kurve.datei, 0);
  if (records.ok()) Zeichne(kurve, *records);
  return true;
}

void KapitalVerlauf::Zeichne(Kurve& kurve, std::span<const RttRecord> records) {
  if (records.empty()) return;
  if (kurve.verlaengert) {
    kurve.punkte->removeLast();
    kurve.verlaengert = false;
  }
  kurve.punkte->reserve(kurve.punkte->size() + static_cast<qsizetype>(records.size()) + 1);
  for (const RttRecord& r : records) {
    kurve.punkte->append(QPointF(r.time.days, r.value));
    kurve.spaetest = kurve.gelesen == 0 ? r.time.days : std::max(kurve.spaetest, r.time.days);
    ++kurve.gelesen;
  }
  kurve.letzter = records.back();
}

void KapitalVerlauf::Verlaengere(Kurve& kurve, double bis) {
  if (kurve.gelesen == 0) return;
  const QPointF ende(bis, kurve.letzter.value);
  if (kurve.verlaengert) {
    kurve.punkte->back() = ende;
  } else if (kurve.letzter.time.days < bis) {
    kurve.punkte->append(ende);
    kurve.verlaengert = true;
  }
}

void KapitalVerlauf::Aktualisieren() {
  const bool kapital_neu = Lese(kapital_);
  const bool cash_neu = Lese(cash_);
  if (!kapital_neu && !cash_neu) return;
  double bis = kapital_.gelesen ? kapital_.spaetest : cash_.spaetest;
  if (kapital_.gelesen && cash_.gelesen) bis = std::max(kapital_.spaetest, cash_.spaetest);
  for (Kurve* kurve : {&kapital_, &cash_}) Verlaengere(*kurve, bis);
  update();
}

void KapitalVerlauf::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  DrawTimeChart(painter, rect(), chart_);
}

}  // namespace vks
