#pragma once
// The demo's host: holds one clKontoSchnittstelle object on the bus and plays a trading day
// against it as the trading program would: creates or resets the accounts, asks the placement rule
// before each new order, reports prices and order states, and answers AlleOrdersStreichen by
// cancelling the account's open entry orders, calling back into the server from the handler.
#include <QtCore/QObject>
#include <QtDBus/QDBusConnection>
#include <QtDBus/QDBusMessage>
#include <QtDBus/QDBusPendingCall>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tools/vks-host-demo/Handelstag.h"

namespace vks::demo {

struct KontoErgebnis {
  std::string name;
  std::vector<double> kennzahlen;  // metric 1 … 48
  double cash = 0;
};

class DemoHost : public QObject {
  Q_OBJECT

 public:
  explicit DemoHost(QDBusConnection bus) : bus_(std::move(bus)) {}

  // Creates the interface object; the first call starts the server. Throws std::runtime_error.
  void Verbinde();
  // Accounts with rules must be in the store already (only the settings dialog sets rules); they
  // are reset to the day's start, the others created. Then every event in order.
  void Spiele(const Handelstag& tag);
  // Metric names (from InitKontoKennzahlen) and each account's metrics.
  std::vector<std::string> KennzahlNamen();
  KontoErgebnis Ergebnis(const std::string& konto);
  // Releases the object; the server saves and ends.
  void Freigeben();

  int Abgelehnt() const { return abgelehnt_; }
  int Gestrichen() const { return gestrichen_; }
  int Signale() const { return signale_; }

 private slots:
  void AlleOrdersStreichen(const QString& KontoName);

 private:
  QDBusMessage Aufruf(const char* member, const QList<QVariant>& args) const;
  // Waits for the reply; collects the price reports' replies first.
  QList<QVariant> Rufe(const char* member, const QList<QVariant>& args);
  // Sends a price report without waiting for its reply.
  void MeldeKurs(const Ereignis& e);
  // Waits for the replies of the price reports sent so far (false: there were none); throws on
  // the first error.
  bool SammleKurse();
  void Order(const Ereignis& e, const Handelstag& tag);
  void SetzeGlobal(const std::string& key, int32_t wert);

  QDBusConnection bus_;
  QString pfad_;
  std::vector<QDBusPendingCall> kurse_;  // price reports whose replies are still to come
  // Open entry orders by account (lower case) as the host knows them.
  std::map<std::string, std::set<std::string>> offene_enter_;
  std::set<std::string> erledigt_;  // refused or cancelled: later reports are not sent
  std::set<std::string> bekannt_;
  int abgelehnt_ = 0;
  int gestrichen_ = 0;
  int signale_ = 0;
};

}  // namespace vks::demo
