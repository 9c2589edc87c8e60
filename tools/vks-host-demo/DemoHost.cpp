#include "tools/vks-host-demo/DemoHost.h"

#include <QtCore/QCoreApplication>
#include <QtDBus/QDBusArgument>
#include <QtDBus/QDBusObjectPath>
#include <QtDBus/QDBusPendingCall>
#include <QtDBus/QDBusVariant>
#include <stdexcept>
#include <utility>

#include "adapters/dbus/DbusHostObjekte.h"
#include "adapters/dbus/DbusNames.h"
#include "adapters/dbus/DbusVariant.h"

namespace vks::demo {

namespace {

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

QVariant Integer(int16_t n) {
  return QVariant::fromValue<qint16>(n);
}

QVariant Zusatz(const clOrderZusatzInfos* z) {
  return dbus::ZusatzInfosToDbus(z);
}

}  // namespace

QDBusMessage DemoHost::Aufruf(const char* member, const QList<QVariant>& args) const {
  QDBusMessage call =
      QDBusMessage::createMethodCall(QLatin1String(dbus::kServiceName), pfad_,
                                     QLatin1String(dbus::kKontoInterface), QLatin1String(member));
  call.setArguments(args);
  return call;
}

QList<QVariant> DemoHost::Rufe(const char* member, const QList<QVariant>& args) {
  // An event the price reports raised is answered before the next call, as after a single one.
  if (SammleKurse()) QCoreApplication::processEvents();
  const QDBusMessage reply = bus_.call(Aufruf(member, args), QDBus::Block, 60'000);
  if (reply.type() != QDBusMessage::ReplyMessage) {
    throw std::runtime_error(std::string(member) + ": " + reply.errorMessage().toStdString());
  }
  return reply.arguments();
}

bool DemoHost::SammleKurse() {
  // The server answers in the order the calls were sent; the first error is the host's.
  std::vector<QDBusPendingCall> kurse = std::exchange(kurse_, {});
  for (QDBusPendingCall& kurs : kurse) {
    kurs.waitForFinished();
    if (kurs.isError()) {
      throw std::runtime_error("VKSKontoNeuerKurs: " + kurs.error().message().toStdString());
    }
  }
  return !kurse.empty();
}

void DemoHost::Verbinde(std::function<void(const std::string&)> ereignis) {
  ereignis_ = std::move(ereignis);
  dbus::RegisterVariantTypes();
  QDBusMessage call = QDBusMessage::createMethodCall(
      QLatin1String(dbus::kServiceName), QLatin1String(dbus::kRootPath),
      QLatin1String(dbus::kServerInterface), QStringLiteral("CreateObject"));
  call << QStringLiteral("clKontoSchnittstelle");
  const QDBusMessage reply = bus_.call(call, QDBus::Block, 60'000);
  if (reply.type() != QDBusMessage::ReplyMessage) {
    throw std::runtime_error("CreateObject: " + reply.errorMessage().toStdString());
  }
  pfad_ = reply.arguments().value(0).value<QDBusObjectPath>().path();
  bus_.connect(QLatin1String(dbus::kServiceName), pfad_, QLatin1String(dbus::kKontoInterface),
               QStringLiteral("AlleOrdersStreichen"), this, SLOT(AlleOrdersStreichen(QString)));
}

bool DemoHost::KontoKomplettReset(const std::string& konto, double kontostand, double datum) {
  return Rufe("VKSKontoKomplettReset", {Q(konto), kontostand, datum})[0].toBool();
}

std::string DemoHost::NeuesKontoZufuegen(const DemoKonto& k, double datum) {
  const auto r =
      Rufe("VKSNeuesKontoZufuegen", {Q(k.name), Q(k.beschreibung), k.kontostand, datum, true,
                                     k.use_commissions, k.use_umrechnung, QString()});
  if (r[0].toBool()) return {};
  const std::string text = r[1].toString().toStdString();
  return text.empty() ? "nicht angelegt" : text;
}

// Price reports go out without waiting: a run of them is served at the server's speed, and their
// replies are collected before the next other call.
void DemoHost::NeuerKurs(const Ereignis& e) {
  kurse_.push_back(bus_.asyncCall(
      Aufruf("VKSKontoNeuerKurs", {e.zeit, Q(e.konto), Q(e.wkn), double{e.kurs}, true}), 60'000));
}

void DemoHost::StreicheOrder(const std::string& konto, const std::string& order_id, double zeit) {
  Rufe("VKSStreicheOrder", {Q(konto), Q(order_id), zeit});
}

void DemoHost::ClosePosition(const Ereignis& e) {
  Rufe("VKSClosePosition", {Q(e.konto), Q(e.wkn), double{e.kurs}});
}

void DemoHost::VerarbeiteEreignisse() {
  QCoreApplication::processEvents();
}

void DemoHost::SetzeGlobal(const std::string& key, int32_t wert) {
  SammleKurse();
  QDBusMessage get = QDBusMessage::createMethodCall(
      QLatin1String(dbus::kServiceName), pfad_, QStringLiteral("org.freedesktop.DBus.Properties"),
      QStringLiteral("Get"));
  get << QLatin1String(dbus::kKontoInterface) << QStringLiteral("KontoGlobalData");
  const QDBusMessage reply = bus_.call(get);
  if (reply.type() != QDBusMessage::ReplyMessage)
    throw std::runtime_error("KontoGlobalData: " + reply.errorMessage().toStdString());
  const QString daten =
      reply.arguments().value(0).value<QDBusVariant>().variant().value<QDBusObjectPath>().path();
  QDBusMessage let = QDBusMessage::createMethodCall(QLatin1String(dbus::kServiceName), daten,
                                                    QLatin1String(dbus::kGlobalDataInterface),
                                                    QStringLiteral("LetItem"));
  let << Q(key) << dbus::ToDbusArgument(Variant(wert));
  if (bus_.call(let).type() != QDBusMessage::ReplyMessage)
    throw std::runtime_error("KontoGlobalData.Item(" + key + ") lässt sich nicht setzen");
}

bool DemoHost::Verbietet(const std::string& konto, int16_t order_aktion, std::string& meldung) {
  const auto r = Rufe("KontoVerbietetOrderaufgabe", {Q(konto), Integer(order_aktion), QString()});
  meldung = r[1].toString().toStdString();
  return r[0].toBool();
}

int16_t DemoHost::NeuerOrderstatus(const Ereignis& e, const clOrderZusatzInfos* zusatz) {
  const auto r =
      Rufe("VKSKontoNeuerOrderstatus",
           {e.zeit, Q(e.konto), Q(e.order_id), Q(e.wkn), Q(e.titel_name), Integer(e.aktion),
            e.anzahl, e.filled_anzahl, double{e.kurs}, e.enter, Zusatz(zusatz)});
  return r[0].value<qint16>();
}

void DemoHost::AlleOrdersStreichen(const QString& KontoName) {
  if (ereignis_) ereignis_(KontoName.toStdString());
}

std::vector<std::string> DemoHost::KennzahlNamen() {
  QDBusArgument leer;
  leer.beginMap(QMetaType::fromType<QString>(), QMetaType::fromType<QDBusVariant>());
  leer.endMap();
  const auto r = Rufe("InitKontoKennzahlen", {QVariant::fromValue(leer)});
  std::vector<std::string> namen;
  dbus::ForEachMapEntry(
      r[0], [&](const QString& key, const QVariant&) { namen.push_back(key.toStdString()); });
  return namen;
}

KontoErgebnis DemoHost::Ergebnis(const std::string& konto) {
  KontoErgebnis e{konto, {}, 0};
  for (int32_t k = 1; k <= 48; ++k) {
    e.kennzahlen.push_back(Rufe("VKSGetKontoWert", {Q(konto), k})[0].toDouble());
  }
  const Variant cash = dbus::FromDbusArgument(Rufe("VKSKontoGetCashBetrag", {Q(konto)})[0]);
  e.cash = cash.Type() == VarType::Double ? cash.AsDouble() : 0;
  return e;
}

void DemoHost::Freigeben() {
  Rufe("Release", {});
}

}  // namespace vks::demo
