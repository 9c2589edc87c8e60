#pragma once
// The demo's D-Bus transport: holds one clKontoSchnittstelle object on the bus and makes the calls
// that DemoSpieler asks for; AlleOrdersStreichen arrives as a signal and goes to the player's
// handler, which may call back into the server.
#include <QtCore/QObject>
#include <QtDBus/QDBusConnection>
#include <QtDBus/QDBusMessage>
#include <QtDBus/QDBusPendingCall>
#include <string>
#include <vector>

#include "tools/vks-host-demo/DemoTransport.h"

namespace vks::demo {

class DemoHost : public QObject, public DemoTransport {
  Q_OBJECT

 public:
  explicit DemoHost(QDBusConnection bus) : bus_(std::move(bus)) {}

  // Creates the interface object; the first call starts the server.
  void Verbinde(std::function<void(const std::string&)> ereignis) override;
  bool KontoKomplettReset(const std::string& konto, double kontostand, double datum) override;
  std::string NeuesKontoZufuegen(const DemoKonto& k, double datum) override;
  void SetzeGlobal(const std::string& key, int32_t wert) override;
  void NeuerKurs(const Ereignis& e) override;
  bool Verbietet(const std::string& konto, int16_t order_aktion, std::string& meldung) override;
  int16_t NeuerOrderstatus(const Ereignis& e, const clOrderZusatzInfos* zusatz) override;
  void StreicheOrder(const std::string& konto, const std::string& order_id, double zeit) override;
  void ClosePosition(const Ereignis& e) override;
  void VerarbeiteEreignisse() override;
  std::vector<std::string> KennzahlNamen() override;
  KontoErgebnis Ergebnis(const std::string& konto) override;
  void Freigeben() override;

 private slots:
  void AlleOrdersStreichen(const QString& KontoName);

 private:
  QDBusMessage Aufruf(const char* member, const QList<QVariant>& args) const;
  // Waits for the reply; collects the price reports' replies first.
  QList<QVariant> Rufe(const char* member, const QList<QVariant>& args);
  // Waits for the replies of the price reports sent so far (false: there were none); throws on
  // the first error.
  bool SammleKurse();

  QDBusConnection bus_;
  QString pfad_;
  std::function<void(const std::string&)> ereignis_;
  std::vector<QDBusPendingCall> kurse_;  // price reports whose replies are still to come
};

}  // namespace vks::demo
