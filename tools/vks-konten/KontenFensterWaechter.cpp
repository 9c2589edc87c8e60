#include "tools/vks-konten/KontenFensterWaechter.h"

#include <QtCore/QElapsedTimer>
#include <QtCore/QEventLoop>
#include <QtCore/QThread>
#include <QtDBus/QDBusArgument>
#include <QtDBus/QDBusConnectionInterface>
#include <QtDBus/QDBusMessage>
#include <QtDBus/QDBusObjectPath>
#include <QtDBus/QDBusVariant>
#include <iostream>

#include "adapters/dbus/DbusNames.h"
#include "platform/automation/AutomationError.h"

namespace vks::konten {

namespace {

// A server at its very first start asks the user for the storage folder before it serves any
// object; meanwhile it refuses to create one. The user may take a while.
constexpr int kErsterStartMs = 10 * 60 * 1000;
constexpr int kWiederholenMs = 500;

QDBusMessage Aufruf(const QString& pfad, const char* interface, const char* member) {
  return QDBusMessage::createMethodCall(QLatin1String(dbus::kServiceName), pfad,
                                        QLatin1String(interface), QLatin1String(member));
}

bool NochNichtBereit(const QDBusMessage& antwort) {
  return antwort.errorName() == QLatin1String(dbus::kAutomationErrorName) &&
         antwort.errorMessage().startsWith(QString::number(error::kCannotCreateObject) + "|");
}

}  // namespace

KontenFensterWaechter::KontenFensterWaechter(QDBusConnection bus)
    : bus_(std::move(bus)),
      server_(QLatin1String(dbus::kServiceName), bus_,
              QDBusServiceWatcher::WatchForUnregistration) {}

bool KontenFensterWaechter::ErzeugeObjekt() {
  QElapsedTimer uhr;
  uhr.start();
  bool gemeldet = false;
  for (;;) {
    QDBusMessage aufruf =
        Aufruf(QLatin1String(dbus::kRootPath), dbus::kServerInterface, "CreateObject");
    aufruf << QStringLiteral("clKontoSchnittstelle");
    const QDBusMessage antwort = bus_.call(aufruf);
    if (antwort.type() == QDBusMessage::ReplyMessage) {
      pfad_ = antwort.arguments().value(0).value<QDBusObjectPath>().path();
      return true;
    }
    if (!NochNichtBereit(antwort) || uhr.elapsed() > kErsterStartMs) {
      meldung_ =
          "Der Kontoserver lässt sich nicht ansprechen: " + antwort.errorMessage().toStdString();
      return false;
    }
    if (!gemeldet) {
      std::cout << "vks-konten: Der Kontoserver startet noch (beim ersten Start fragt er nach dem "
                   "Speicherordner) …"
                << std::endl;
      gemeldet = true;
    }
    QThread::msleep(kWiederholenMs);
  }
}

bool KontenFensterWaechter::Rufe(const QString& pfad, const char* interface, const char* member) {
  const QDBusMessage antwort = bus_.call(Aufruf(pfad, interface, member));
  if (antwort.type() == QDBusMessage::ReplyMessage) return true;
  meldung_ = std::string(member) + ": " + antwort.errorMessage().toStdString();
  return false;
}

std::optional<bool> KontenFensterWaechter::Eigenschaft(const char* name) {
  QDBusMessage aufruf =
      Aufruf(QLatin1String(dbus::kAnzeigePath), "org.freedesktop.DBus.Properties", "Get");
  aufruf << QLatin1String(dbus::kAnzeigeInterface) << QLatin1String(name);
  const QDBusMessage antwort = bus_.call(aufruf);
  if (antwort.type() != QDBusMessage::ReplyMessage) {
    meldung_ = std::string(name) + ": " + antwort.errorMessage().toStdString();
    return std::nullopt;
  }
  return antwort.arguments().value(0).value<QDBusVariant>().variant().toBool();
}

void KontenFensterWaechter::GibFrei() {
  if (pfad_.isEmpty()) return;
  bus_.call(Aufruf(pfad_, dbus::kKontoInterface, "Release"));
  pfad_.clear();
}

void KontenFensterWaechter::Ende(Ausgang ausgang) {
  if (!ausgang_) ausgang_ = ausgang;
  warten_.quit();
}

void KontenFensterWaechter::KontenFensterGeschlossen() {
  Ende(Ausgang::Geschlossen);
}

KontenFensterWaechter::Ausgang KontenFensterWaechter::ZeigeUndWarte() {
  if (!ErzeugeObjekt()) return Ausgang::Fehler;
  // Listening before the window opens, so that no close is missed.
  bus_.connect(QLatin1String(dbus::kServiceName), QLatin1String(dbus::kAnzeigePath),
               QLatin1String(dbus::kAnzeigeInterface), QStringLiteral("KontenFensterGeschlossen"),
               this, SLOT(KontenFensterGeschlossen()));
  connect(&server_, &QDBusServiceWatcher::serviceUnregistered, this, [this] {
    pfad_.clear();  // released with the server
    Ende(Ausgang::ServerWeg);
  });

  std::optional<bool> vorhanden, offen;
  if (!Rufe(pfad_, dbus::kKontoInterface, "VKSShowKontenFenster") ||
      !(vorhanden = Eigenschaft("AnzeigeVorhanden")) ||
      !(offen = Eigenschaft("KontenFensterOffen"))) {
    GibFrei();
    return Ausgang::Fehler;
  }
  if (!*vorhanden) {
    GibFrei();
    return Ausgang::OhneAnzeige;
  }
  if (*offen) {
    std::cout << "vks-konten: Das Kontenfenster ist offen." << std::endl;
    // A close reported meanwhile is delivered in here and ends it.
    if (!ausgang_) warten_.exec();
  }
  GibFrei();
  return ausgang_.value_or(Ausgang::Geschlossen);
}

bool SchliesseKontenFenster(QDBusConnection bus, std::string& meldung) {
  if (!bus.interface()->isServiceRegistered(QLatin1String(dbus::kServiceName)).value()) return true;
  const QDBusMessage antwort = bus.call(
      Aufruf(QLatin1String(dbus::kAnzeigePath), dbus::kAnzeigeInterface, "SchliesseKontenFenster"));
  if (antwort.type() == QDBusMessage::ReplyMessage) return true;
  meldung = antwort.errorMessage().toStdString();
  return false;
}

bool ServerStatus(QDBusConnection bus, std::string& text, std::string& meldung) {
  QDBusMessage aufruf =
      Aufruf(QLatin1String(dbus::kAnzeigePath), "org.freedesktop.DBus.Properties", "GetAll");
  aufruf << QLatin1String(dbus::kAnzeigeInterface);
  const QDBusMessage antwort = bus.call(aufruf);
  if (antwort.type() != QDBusMessage::ReplyMessage || antwort.arguments().isEmpty()) {
    meldung = antwort.errorMessage().toStdString();
    return false;
  }
  const QVariantMap werte = qdbus_cast<QVariantMap>(antwort.arguments().first());
  const auto ja_nein = [&](const char* name) {
    return std::string(werte.value(QLatin1String(name)).toBool() ? "ja" : "nein");
  };
  const auto wert = [&](const char* name) {
    return werte.value(QLatin1String(name)).toString().toStdString();
  };
  const std::string gespeichert = wert("ZuletztGespeichert");
  // What the property holds, under the name a user reads.
  const std::pair<const char*, std::string> zeilen[] = {
      {"Version", wert("Version")},
      {"Datenordner", wert("DatenOrdner")},
      {"RTT-Speicherordner", wert("RTTSpeicherOrdner")},
      {"Konten", wert("KontenAnzahl")},
      {"Host-Objekte", wert("HostObjekte")},
      {"Zuletzt gespeichert", gespeichert.empty() ? "noch nicht" : gespeichert},
      {"Anzeige", ja_nein("AnzeigeVorhanden")},
      {"Kontenfenster offen", ja_nein("KontenFensterOffen")},
  };
  text.clear();
  for (const auto& [name, inhalt] : zeilen) text += std::string(name) + ": " + inhalt + "\n";
  return true;
}

}  // namespace vks::konten
