#pragma once
// The "Verlauf" pane: total capital and cash of an account over time, drawn from its RTT series
// (kinds 48 and 47). Each refresh reads only the records appended since the last one.
#include <QChartView>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QValueAxis>
#include <cstdint>
#include <string>

#include "recording/RttStorage.h"

namespace vks {

class KapitalVerlauf : public QChartView {
  Q_OBJECT
 public:
  explicit KapitalVerlauf(QWidget* parent = nullptr);

  // Starts over with the series of this account.
  void Zeige(const RttStorage& rtt, const std::string& KontoName);
  // Appends what the series gained since; a missing or unreadable file leaves its curve as is.
  void Aktualisieren();

  const QLineSeries* Kapital() const { return kapital_; }
  const QLineSeries* Cash() const { return cash_; }

 private:
  void Lese(QLineSeries* serie, const std::string& datei, int64_t& gelesen);
  void Achsen();

  QLineSeries* kapital_;
  QLineSeries* cash_;
  QDateTimeAxis* zeit_achse_;
  QValueAxis* wert_achse_;
  std::string kapital_datei_, cash_datei_;
  int64_t kapital_gelesen_ = 0, cash_gelesen_ = 0;
};

}  // namespace vks
