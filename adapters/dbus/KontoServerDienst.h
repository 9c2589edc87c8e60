#pragma once
// The root object: creates the interface objects for their clients, gives each its own path,
// releases them on Release() or when their client leaves the bus, and reports when the last one
// is gone. It also serves the objects that leave the server inside values (the global data store
// and its categories) for as long as the process lives, and routes every call that reaches the
// server to the object under its path.
#include <QtCore/QObject>
#include <QtCore/QTimer>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "adapters/dbus/BusLoop.h"
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
  // Takes every message of `loop`; the departures of clients are watched from here on, so the
  // service must exist before the bus name is taken.
  KontoServerDienst(BusLoop& loop, std::string programm_name,
                    std::function<void()> alle_freigegeben);
  // REQUIRES: umgebung and registry outlive the service. Calls before it fail with error 429.
  void Bereit(SchnittstellenUmgebung& umgebung, RegistryBackend& registry) {
    umgebung_ = &umgebung;
    registry_ = &registry;
  }
  ~KontoServerDienst() override;

  // Serves `objekt` under `path` for every client until the service ends.
  // REQUIRES: objekt outlives the service.
  void Diene(const std::string& path, DbusObjekt& objekt) { feste_[path] = &objekt; }

  // A process that the bus started for a call that never came: when no object has been created
  // within `frist`, alle_freigegeben runs as after the last release. It runs at once when the
  // clients that only looked (introspection, a status property, a ping) have left the bus before
  // any object has been created: a look need not keep a server for the rest of the period.
  void BeendeOhneObjektNach(std::chrono::milliseconds frist);

  std::string PfadVon(const ObjectRef& objekt) override;
  ObjectRef ObjektUnter(const std::string& path) override;

  // Releases the objects that hosts still hold when the server ends without them (a signal): each
  // leaves the session's registry while the session still lives.
  void GibAlleFrei();

 private:
  struct Eintrag {
    std::string owner;
    std::shared_ptr<DbusObjekt> objekt;
    std::function<void()> freigeben;
  };
  void Bearbeite(sd_bus_message* m);
  DbusObjekt* Finde(const char* path, std::shared_ptr<DbusObjekt>& halten);
  std::string CreateObject(const std::string& className, const std::string& client);
  void Freigeben(const std::string& path);
  void ClientWeg(const std::string& client);
  // A client that left before its first call was served lost its departure signal: asks the bus.
  void PruefeClient(const std::string& client);
  static int NameHasOwnerAntwort(sd_bus_message* reply, void* userdata, sd_bus_error* error);

  BusLoop& loop_;
  SchnittstellenUmgebung* umgebung_ = nullptr;
  RegistryBackend* registry_ = nullptr;
  std::string programm_name_;
  std::function<void()> alle_freigegeben_;
  QObject kontext_;  // the deferred work dies with the service
  std::map<std::string, Eintrag, std::less<>> objekte_;
  std::map<std::string, int, std::less<>> je_client_;
  std::map<std::string, DbusObjekt*, std::less<>> feste_;
  bool je_erzeugt_ = false;
  QTimer frist_;
  std::set<std::string, std::less<>> nur_geschaut_;  // clients that called before any object
  // Objects served by value's way out, by path; never released before the process ends.
  std::map<std::string, std::pair<ObjectRef, std::shared_ptr<DbusObjekt>>, std::less<>>
      werte_objekte_;
  std::map<const vks::Dispatch*, std::string> werte_pfade_;
  std::vector<std::string> freizugeben_;               // released by the call being answered
  std::map<uint64_t, std::string> offene_pruefungen_;  // NameHasOwner calls by cookie
  sd_bus_slot* abmeldungen_ = nullptr;
  uint64_t naechste_nummer_ = 1;
  std::string aufrufer_;  // the client of the call being served
};

}  // namespace vks::dbus
