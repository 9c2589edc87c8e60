#include "adapters/dbus/KontoServerDienst.h"

#include <QtCore/QTimer>
#include <QtDBus/QDBusConnectionInterface>
#include <QtDBus/QDBusObjectPath>
#include <QtDBus/QDBusPendingCallWatcher>
#include <QtDBus/QDBusPendingReply>
#include <algorithm>
#include <utility>

#include "adapters/dbus/DbusNames.h"
#include "adapters/dbus/GlobalDataObjekt.h"
#include "adapters/dbus/KontoSchnittstelleObjekt.h"
#include "adapters/dbus/RegistryObjekt.h"
#include "platform/automation/AutomationError.h"

namespace vks::dbus {

KontoServerDienst::KontoServerDienst(QDBusConnection connection, std::string programm_name,
                                     std::function<void()> alle_freigegeben)
    : DbusObjekt(QLatin1String(kServerInterface), QString()),
      connection_(connection),
      programm_name_(std::move(programm_name)),
      alle_freigegeben_(std::move(alle_freigegeben)),
      watcher_(QString(), connection, QDBusServiceWatcher::WatchForUnregistration) {
  AddMethod(
      {"CreateObject", {{"className", "s"}}, {{"object", "o"}}, [this](const QVariantList& a) {
         return QVariantList{
             QVariant::fromValue(QDBusObjectPath(CreateObject(a[0].toString(), aufrufer_)))};
       }});
  QObject::connect(&watcher_, &QDBusServiceWatcher::serviceUnregistered, this,
                   [this](const QString& client) { ClientWeg(client); });
  frist_.setSingleShot(true);
  QObject::connect(&frist_, &QTimer::timeout, this, [this] {
    if (!je_erzeugt_) alle_freigegeben_();
  });
}

KontoServerDienst::~KontoServerDienst() {
  for (auto& [path, eintrag] : objekte_) {
    connection_.unregisterObject(path);
    delete eintrag.objekt;
  }
  for (auto& [path, wert] : werte_objekte_) {
    connection_.unregisterObject(path);
    delete wert.second;
  }
}

void KontoServerDienst::GibAlleFrei() {
  const std::map<QString, Eintrag> objekte = std::exchange(objekte_, {});
  for (const auto& [path, eintrag] : objekte) {
    connection_.unregisterObject(path);
    eintrag.freigeben();
    delete eintrag.objekt;
  }
  for (const auto& [path, wert] : std::exchange(werte_objekte_, {})) {
    connection_.unregisterObject(path);
    delete wert.second;
  }
  werte_pfade_.clear();
}

void KontoServerDienst::BeendeOhneObjektNach(std::chrono::milliseconds frist) {
  frist_.start(frist);
}

QString KontoServerDienst::PfadVon(const ObjectRef& objekt) {
  if (auto it = werte_pfade_.find(objekt.get()); it != werte_pfade_.end()) return it->second;
  auto daten = std::dynamic_pointer_cast<clKontoGlobalData>(objekt);
  if (!daten) throw AutomationError(error::kTypeMismatch);
  const QString path =
      QStringLiteral("%1/daten%2").arg(QLatin1String(kRootPath)).arg(naechste_nummer_++);
  auto* served = new GlobalDataObjekt(daten, *this);
  served->SetzeAufzeichnung(Aufzeichnung());
  connection_.registerVirtualObject(path, served, QDBusConnection::SingleNode);
  werte_objekte_.emplace(path, std::make_pair(objekt, served));
  werte_pfade_.emplace(objekt.get(), path);
  return path;
}

ObjectRef KontoServerDienst::ObjektUnter(const QString& path) {
  auto it = werte_objekte_.find(path);
  if (it == werte_objekte_.end()) {
    throw AutomationError(error::kTypeMismatch, "",
                          "Unter " + path.toStdString() + " liegt kein Objekt dieses Servers.");
  }
  return it->second.first;
}

bool KontoServerDienst::handleMessage(const QDBusMessage& message,
                                      const QDBusConnection& connection) {
  aufrufer_ = message.service();
  return DbusObjekt::handleMessage(message, connection);
}

QString KontoServerDienst::CreateObject(const QString& className, const QString& client) {
  const QString path =
      QStringLiteral("%1/obj%2").arg(QLatin1String(kRootPath)).arg(naechste_nummer_++);
  auto release = [this, path] {
    // Deferred: the object is in the middle of serving the call that released it.
    QTimer::singleShot(0, this, [this, path] { Freigeben(path); });
  };
  if (!umgebung_ || !registry_) throw AutomationError(error::kCannotCreateObject);
  const auto gehalten = std::count_if(objekte_.begin(), objekte_.end(),
                                      [&](const auto& e) { return e.second.owner == client; });
  if (gehalten >= kMaxObjekteJeClient) {
    throw AutomationError(error::kCannotCreateObject, "",
                          "Ein Client kann höchstens " + std::to_string(kMaxObjekteJeClient) +
                              " Objekte zugleich halten.");
  }
  Eintrag eintrag{client, nullptr, nullptr};
  if (className.compare(QLatin1String(schnittstelle::kClassName), Qt::CaseInsensitive) == 0) {
    auto* objekt = new KontoSchnittstelleObjekt(clKontoSchnittstelle::Create(*umgebung_), client,
                                                path, connection_, *this, release);
    eintrag.objekt = objekt;
    eintrag.freigeben = [objekt] { objekt->Freigeben(); };
  } else if (className.compare(QLatin1String("clRegistry"), Qt::CaseInsensitive) == 0) {
    auto* objekt = new RegistryObjekt(std::make_unique<clRegistry>(*registry_, programm_name_),
                                      client, release);
    eintrag.objekt = objekt;
    eintrag.freigeben = [objekt] { objekt->Freigeben(); };
  } else {
    throw AutomationError(error::kCannotCreateObject);
  }
  eintrag.objekt->SetzeAufzeichnung(Aufzeichnung());
  connection_.registerVirtualObject(path, eintrag.objekt, QDBusConnection::SingleNode);
  je_erzeugt_ = true;
  objekte_.emplace(path, std::move(eintrag));
  if (!watcher_.watchedServices().contains(client)) BeobachteClient(client);
  return path;
}

void KontoServerDienst::BeobachteClient(const QString& client) {
  watcher_.addWatchedService(client);
  // The bus answers in order: once the watch's match rule is in place, either the client is still
  // there (and its leaving will be reported) or it has left already, which the answer tells.
  auto* antwort = new QDBusPendingCallWatcher(
      connection_.interface()->asyncCall(QStringLiteral("NameHasOwner"), client), this);
  QObject::connect(antwort, &QDBusPendingCallWatcher::finished, this,
                   [this, client](QDBusPendingCallWatcher* call) {
                     call->deleteLater();
                     const QDBusPendingReply<bool> reply = *call;
                     if (reply.isValid() && !reply.value()) ClientWeg(client);
                   });
}

void KontoServerDienst::Freigeben(const QString& path) {
  auto it = objekte_.find(path);
  if (it == objekte_.end()) return;
  Eintrag eintrag = std::move(it->second);
  objekte_.erase(it);
  connection_.unregisterObject(path);
  eintrag.freigeben();
  eintrag.objekt->deleteLater();
  if (objekte_.empty()) alle_freigegeben_();
}

void KontoServerDienst::ClientWeg(const QString& client) {
  std::vector<QString> paths;
  for (const auto& [path, eintrag] : objekte_) {
    if (eintrag.owner == client) paths.push_back(path);
  }
  watcher_.removeWatchedService(client);
  for (const QString& path : paths) Freigeben(path);
}

}  // namespace vks::dbus
