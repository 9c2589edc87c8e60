#pragma once
// The root object: creates the interface objects for their clients, gives each its own path,
// releases them on Release() or when their client leaves the bus, and reports when the last one
// is gone. It also serves the objects that leave the server inside values (the global data store
// and its categories) for as long as the process lives.
#include <QtCore/QTimer>
#include <QtDBus/QDBusConnection>
#include <QtDBus/QDBusServiceWatcher>
#include <chrono>
#include <functional>
#include <map>

#include "adapters/dbus/DbusObjekt.h"
#include "adapters/dbus/ObjektPfade.h"
#include "interface/clKontoSchnittstelle.h"
#include "platform/automation/Dispatch.h"
#include "platform/settings/RegistryBackend.h"

namespace vks::dbus {

class KontoServerDienst : public DbusObjekt, public ObjektPfade {
 public:
  // Objects one client may hold at once: far beyond what a host with a chart per object needs, and
  // small enough that a runaway client cannot take the server's memory from the others.
  static constexpr int kMaxObjekteJeClient = 4096;

  // alle_freigegeben: called (from the event loop) once the last object has been released.
  // The service is registered before the bus name is taken, so that no call finds the path
  // missing; calls are served only from the event loop, after Bereit().
  KontoServerDienst(QDBusConnection connection, std::string programm_name,
                    std::function<void()> alle_freigegeben);
  // REQUIRES: umgebung and registry outlive the service.
  void Bereit(SchnittstellenUmgebung& umgebung, RegistryBackend& registry) {
    umgebung_ = &umgebung;
    registry_ = &registry;
  }
  ~KontoServerDienst() override;

  // A process that the bus started for a call that never came: when no object has been created
  // within `frist`, alle_freigegeben runs as after the last release.
  void BeendeOhneObjektNach(std::chrono::milliseconds frist);

  QString PfadVon(const ObjectRef& objekt) override;
  ObjectRef ObjektUnter(const QString& path) override;

  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

  // Releases the objects that hosts still hold when the server ends without them (a signal): each
  // leaves the session's registry while the session still lives.
  void GibAlleFrei();

 private:
  struct Eintrag {
    QString owner;
    DbusObjekt* objekt;
    std::function<void()> freigeben;
  };
  QString CreateObject(const QString& className, const QString& client);
  void Freigeben(const QString& path);
  void ClientWeg(const QString& client);
  // Starts watching a client's departure; a client that left before the watch began loses its
  // objects as if it had left afterwards.
  void BeobachteClient(const QString& client);

  QDBusConnection connection_;
  SchnittstellenUmgebung* umgebung_ = nullptr;
  RegistryBackend* registry_ = nullptr;
  std::string programm_name_;
  std::function<void()> alle_freigegeben_;
  QDBusServiceWatcher watcher_;
  std::map<QString, Eintrag> objekte_;
  bool je_erzeugt_ = false;
  QTimer frist_;
  // Objects served by value's way out, by path; never released before the process ends.
  std::map<QString, std::pair<ObjectRef, DbusObjekt*>> werte_objekte_;
  std::map<const vks::Dispatch*, QString> werte_pfade_;
  quint64 naechste_nummer_ = 1;
  QString aufrufer_;  // the client of the call being served
};

}  // namespace vks::dbus
