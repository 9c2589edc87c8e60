#pragma once
// The "Verlauf" pane: total capital and cash of an account over time, drawn from its RTT series
// (kinds 48 and 47) as a time chart. Each refresh reads only the records appended since the last
// one; a series that did not change costs one read of its last record. A record holds from its
// time to the next one: cash, which only bookings move, is drawn as steps, and both curves run on
// to the latest time either series knows.
#include <QWidget>
#include <cstdint>
#include <span>
#include <string>

#include "adapters/qt/TimeChart.h"
#include "platform/files/FileSystem.h"
#include "recording/RttRecord.h"
#include "recording/RttStorage.h"

namespace vks {

class KapitalVerlauf : public QWidget {
  Q_OBJECT
 public:
  // Dates and amounts on the axes as `locale` writes them.
  explicit KapitalVerlauf(AutomationLocale locale, QWidget* parent = nullptr);

  // Starts over with the series of this account, read through `dateien`, which outlives the view.
  void Zeige(FileSystem& dateien, const RttStorage& rtt, const std::string& KontoName);
  // Appends what the series gained since; a missing or unreadable file leaves its curve as is, a
  // series written anew (deleted and started over) is drawn again from its start.
  void Aktualisieren();

  // The points drawn: automation date and value.
  const QList<QPointF>& Kapital() const { return chart_.series[0].points; }
  const QList<QPointF>& Cash() const { return chart_.series[1].points; }
  // How many records of each series are drawn, and the last of them.
  int64_t KapitalWerte() const { return kapital_.gelesen; }
  int64_t CashWerte() const { return cash_.gelesen; }
  const RttRecord& LetzterKapitalWert() const { return kapital_.letzter; }
  const RttRecord& LetzterCashWert() const { return cash_.letzter; }

  QSize sizeHint() const override { return {480, 280}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  struct Kurve {
    QList<QPointF>* punkte = nullptr;
    std::string datei;
    int64_t gelesen = 0;       // records drawn
    RttRecord letzter;         // the last of them
    double spaetest = 0;       // the latest time among them
    bool verlaengert = false;  // the curve ends in a point that only carries it on
  };
  void Leere(Kurve& kurve);
  // True when the curve changed.
  bool Lese(Kurve& kurve);
  void Zeichne(Kurve& kurve, std::span<const RttRecord> records);
  void Verlaengere(Kurve& kurve, double bis);

  FileSystem* dateien_ = nullptr;
  TimeChart chart_;
  Kurve kapital_, cash_;
};

}  // namespace vks
