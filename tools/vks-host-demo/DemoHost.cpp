#include "tools/vks-host-demo/DemoHost.h"

#include <QtCore/QCoreApplication>
#include <QtDBus/QDBusArgument>
#include <QtDBus/QDBusObjectPath>
#include <QtDBus/QDBusPendingCall>
#include <QtDBus/QDBusVariant>
#include <iostream>
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

std::string Klein(std::string s) {
  return QString::fromStdString(s).toLower().toStdString();
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

void DemoHost::MeldeKurs(const Ereignis& e) {
  kurse_.push_back(bus_.asyncCall(
      Aufruf("VKSKontoNeuerKurs", {e.zeit, Q(e.konto), Q(e.wkn), double{e.kurs}, true}), 60'000));
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

void DemoHost::Verbinde() {
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

void DemoHost::Spiele(const Handelstag& tag) {
  for (const DemoKonto& k : tag.konten) {
    if (k.HatRegeln()) {
      if (!Rufe("VKSKontoKomplettReset", {Q(k.name), k.kontostand, tag.datum})[0].toBool())
        throw std::runtime_error("Konto " + k.name + " fehlt in der Kontendatei");
      continue;
    }
    const auto r =
        Rufe("VKSNeuesKontoZufuegen", {Q(k.name), Q(k.beschreibung), k.kontostand, tag.datum, true,
                                       k.use_commissions, k.use_umrechnung, QString()});
    if (!r[0].toBool()) throw std::runtime_error(k.name + ": " + r[1].toString().toStdString());
  }
  // Rules read their limits from the store that scripts and host share.
  for (const auto& [key, wert] : tag.global) SetzeGlobal(key, wert);
  for (const Ereignis& e : tag.ereignisse) {
    switch (e.art) {
      case 'P':
        // A run of price reports goes out without waiting for each reply (pipelined); the next
        // other call collects the replies first.
        MeldeKurs(e);
        continue;
      case 'O':
        Order(e, tag);
        break;
      case 'S':
        if (erledigt_.insert(Klein(e.konto + "|" + e.order_id)).second) {
          Rufe("VKSStreicheOrder", {Q(e.konto), Q(e.order_id), e.zeit});
          offene_enter_[Klein(e.konto)].erase(e.order_id);
        }
        break;
      case 'C':
        Rufe("VKSClosePosition", {Q(e.konto), Q(e.wkn), double{e.kurs}});
        break;
    }
    // The signal was sent before the reply; let its handler run before the next event.
    QCoreApplication::processEvents();
  }
  if (SammleKurse()) QCoreApplication::processEvents();
}

void DemoHost::SetzeGlobal(const std::string& key, int32_t wert) {
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

void DemoHost::Order(const Ereignis& e, const Handelstag& tag) {
  const std::string schluessel = Klein(e.konto + "|" + e.order_id);
  if (erledigt_.count(schluessel)) return;
  if (bekannt_.insert(schluessel).second) {
    // eOrderAktion: Buy 0, Sell 1.
    const auto r =
        Rufe("KontoVerbietetOrderaufgabe", {Q(e.konto), Integer(e.aktion > 0 ? 0 : 1), QString()});
    if (r[0].toBool()) {
      std::cout << "  " << e.konto << ": Order " << e.order_id << " nicht platziert – "
                << r[1].toString().toStdString() << "\n";
      erledigt_.insert(schluessel);
      ++abgelehnt_;
      return;
    }
  }
  const clOrderZusatzInfos* z = e.zusatz.empty() ? nullptr : &tag.zusatz.at(e.zusatz);
  const auto r =
      Rufe("VKSKontoNeuerOrderstatus",
           {e.zeit, Q(e.konto), Q(e.order_id), Q(e.wkn), Q(e.titel_name), Integer(e.aktion),
            e.anzahl, e.filled_anzahl, double{e.kurs}, e.enter, Zusatz(z)});
  if (r[0].value<qint16>() != -1) {
    std::cout << "  " << e.konto << ": Order " << e.order_id << " ergab " << r[0].toInt() << "\n";
  }
  auto& offen = offene_enter_[Klein(e.konto)];
  if (e.enter && e.filled_anzahl < e.anzahl) {
    offen.insert(e.order_id);
  } else {
    offen.erase(e.order_id);
  }
}

void DemoHost::AlleOrdersStreichen(const QString& KontoName) {
  ++signale_;
  const std::string konto = KontoName.toStdString();
  auto& offen = offene_enter_[Klein(konto)];
  std::cout << "  AlleOrdersStreichen(" << konto << "): " << offen.size()
            << " offene Enter-Order(s) werden gestrichen\n";
  // Calls back into the server while the event is being handled.
  for (const std::string& id : std::set<std::string>(offen)) {
    Rufe("VKSStreicheOrder", {KontoName, Q(id), 0.0});
    erledigt_.insert(Klein(konto + "|" + id));
    ++gestrichen_;
  }
  offen.clear();
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
