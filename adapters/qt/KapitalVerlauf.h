#pragma once
// The "Verlauf" pane: total capital and cash of an account over time, drawn from its RTT series
// (kinds 48 and 47). Each refresh reads only the records appended since the last one; a series
// that did not change costs one read of its last record. A record holds from its time to the
// next one: cash, which only bookings move, is drawn as steps, and both curves run on to the
// latest time either series knows.
#include <QChartView>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QValueAxis>
#include <cstdint>
#include <span>
#include <string>

#include "platform/files/FileSystem.h"
#include "recording/RttRecord.h"
#include "recording/RttStorage.h"

namespace vks {

class KapitalVerlauf : public QChartView {
  Q_OBJECT
 public:
  explicit KapitalVerlauf(QWidget* parent = nullptr);

  // Starts over with the series of this account, read through `dateien`, which outlives the view.
  void Zeige(FileSystem& dateien, const RttStorage& rtt, const std::string& KontoName);
  // Appends what the series gained since; a missing or unreadable file leaves its curve as is, a
  // series written anew (deleted and started over) is drawn again from its start.
  void Aktualisieren();

  const QLineSeries* Kapital() const { return kapital_.serie; }
  const QLineSeries* Cash() const { return cash_.serie; }
  // How many records of each series are drawn, and the last of them.
  int64_t KapitalWerte() const { return kapital_.gelesen; }
  int64_t CashWerte() const { return cash_.gelesen; }
  const RttRecord& LetzterKapitalWert() const { return kapital_.letzter; }
  const RttRecord& LetzterCashWert() const { return cash_.letzter; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct Kurve {
    QLineSeries* serie = nullptr;
    bool treppe = false;
    std::string datei;
    int64_t gelesen = 0;       // records drawn
    RttRecord letzter;         // the last of them
    bool verlaengert = false;  // the curve ends in a point that only carries it on
  };
  void Leere(Kurve& kurve);
  // True when the curve changed.
  bool Lese(Kurve& kurve);
  void Zeichne(Kurve& kurve, std::span<const RttRecord> records);
  void Verlaengere(Kurve& kurve);
  void Erweitere(const QPointF& punkt);
  void Achsen();

  FileSystem* dateien_ = nullptr;
  Kurve kapital_, cash_;
  QDateTimeAxis* zeit_achse_;
  QValueAxis* wert_achse_;
  // The points' bounds, kept as points arrive so that a refresh never walks a whole curve.
  bool leer_ = true;
  qreal x_min_ = 0, x_max_ = 0, y_min_ = 0, y_max_ = 0;
};

}  // namespace vks
