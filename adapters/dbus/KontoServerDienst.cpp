#include "adapters/dbus/KontoServerDienst.h"

#include <strings.h>
#include <cstring>
#include <utility>

#include "adapters/dbus/BusErrors.h"
#include "adapters/dbus/DbusNames.h"
#include "adapters/dbus/GlobalDataObjekt.h"
#include "adapters/dbus/KontoSchnittstelleObjekt.h"
#include "adapters/dbus/RegistryObjekt.h"
#include "platform/automation/AutomationError.h"

namespace vks::dbus {

namespace {

constexpr const char* kBusName = "org.freedesktop.DBus";
// Only departures: the new owner is empty.
constexpr const char* kAbmeldungen =
    "type='signal',sender='org.freedesktop.DBus',path='/org/freedesktop/DBus',"
    "interface='org.freedesktop.DBus',member='NameOwnerChanged',arg2=''";

int Ignoriere(sd_bus_message*, void*, sd_bus_error*) {
  return 0;
}

bool Ist(const char* text, const char* expected) {
  return text && std::strcmp(text, expected) == 0;
}

}  // namespace

KontoServerDienst::KontoServerDienst(BusLoop& loop, std::string programm_name,
                                     std::function<void()> alle_freigegeben)
    : DbusObjekt(kServerInterface, std::string()),
      loop_(loop),
      programm_name_(std::move(programm_name)),
      alle_freigegeben_(std::move(alle_freigegeben)) {
  AddMethod(
      {"CreateObject", {{"className", "s"}}, {{"object", "o"}}, [this](BusReader& r, BusWriter& w) {
         w.ObjectPath(CreateObject(r.String(), aufrufer_));
       }});
  feste_[kRootPath] = this;
  // The departures reach the queue as signals; the match only asks the bus to send them.
  sd_bus_add_match(loop_.Bus(), &abmeldungen_, kAbmeldungen, &Ignoriere, nullptr);
  loop_.Empfange([this](sd_bus_message* m) { Bearbeite(m); });
  frist_.setSingleShot(true);
  QObject::connect(&frist_, &QTimer::timeout, &kontext_, [this] {
    if (!je_erzeugt_) alle_freigegeben_();
  });
}

KontoServerDienst::~KontoServerDienst() {
  loop_.Empfange(nullptr);
  sd_bus_slot_unref(abmeldungen_);
}

void KontoServerDienst::GibAlleFrei() {
  const auto objekte = std::exchange(objekte_, {});
  je_client_.clear();
  for (const auto& [path, eintrag] : objekte) eintrag.freigeben();
  werte_objekte_.clear();
  werte_pfade_.clear();
}

void KontoServerDienst::BeendeOhneObjektNach(std::chrono::milliseconds frist) {
  frist_.start(frist);
}

std::string KontoServerDienst::PfadVon(const ObjectRef& objekt) {
  if (auto it = werte_pfade_.find(objekt.get()); it != werte_pfade_.end()) return it->second;
  auto daten = std::dynamic_pointer_cast<clKontoGlobalData>(objekt);
  if (!daten) throw AutomationError(error::kTypeMismatch);
  const std::string path = std::string(kRootPath) + "/daten" + std::to_string(naechste_nummer_++);
  auto served = std::make_shared<GlobalDataObjekt>(daten, *this);
  served->SetzeAufzeichnung(Aufzeichnung());
  werte_objekte_.emplace(path, std::make_pair(objekt, std::move(served)));
  werte_pfade_.emplace(objekt.get(), path);
  return path;
}

ObjectRef KontoServerDienst::ObjektUnter(const std::string& path) {
  auto it = werte_objekte_.find(path);
  if (it == werte_objekte_.end()) {
    throw AutomationError(error::kTypeMismatch, "",
                          "Unter " + path + " liegt kein Objekt dieses Servers.");
  }
  return it->second.first;
}

DbusObjekt* KontoServerDienst::Finde(const char* path, std::shared_ptr<DbusObjekt>& halten) {
  const std::string_view p = path ? path : "";
  if (auto it = objekte_.find(p); it != objekte_.end()) {
    halten = it->second.objekt;
    return halten.get();
  }
  if (auto it = werte_objekte_.find(p); it != werte_objekte_.end()) {
    halten = it->second.second;
    return halten.get();
  }
  if (auto it = feste_.find(p); it != feste_.end()) return it->second;
  return nullptr;
}

void KontoServerDienst::Bearbeite(sd_bus_message* m) {
  uint8_t type = 0;
  sd_bus_message_get_type(m, &type);
  if (type == SD_BUS_MESSAGE_SIGNAL) {
    if (!Ist(sd_bus_message_get_sender(m), kBusName) ||
        !sd_bus_message_is_signal(m, kBusName, "NameOwnerChanged"))
      return;
    const char *name = nullptr, *alt = nullptr, *neu = nullptr;
    if (sd_bus_message_read(m, "sss", &name, &alt, &neu) >= 0 && neu && !*neu && name &&
        name[0] == ':')
      ClientWeg(name);
    return;
  }
  const char* sender = sd_bus_message_get_sender(m);
  if (!je_erzeugt_ && sender) nur_geschaut_.insert(sender);
  // The object stays alive until its answer is out, even if its client leaves meanwhile.
  std::shared_ptr<DbusObjekt> halten;
  DbusObjekt* objekt = Finde(sd_bus_message_get_path(m), halten);
  if (!objekt) {
    const char* path = sd_bus_message_get_path(m);
    loop_.Antworte(m, ErrorReply(m, kUnknownObject, path ? path : ""));
    return;
  }
  if (objekt == this) aufrufer_ = sender ? sender : "";
  loop_.Antworte(m, objekt->Beantworte(m));
  // Before the next call is taken: a client that releases and creates at once finds room.
  for (const std::string& path : std::exchange(freizugeben_, {})) Freigeben(path);
}

std::string KontoServerDienst::CreateObject(const std::string& className,
                                            const std::string& client) {
  if (!umgebung_ || !registry_) throw AutomationError(error::kCannotCreateObject);
  int& gehalten = je_client_[client];
  if (gehalten >= kMaxObjekteJeClient) {
    throw AutomationError(error::kCannotCreateObject, "",
                          "Ein Client kann höchstens " + std::to_string(kMaxObjekteJeClient) +
                              " Objekte zugleich halten.");
  }
  const std::string path = std::string(kRootPath) + "/obj" + std::to_string(naechste_nummer_++);
  // Released once the call that asked for it has been answered: the object is serving it.
  auto release = [this, path] { freizugeben_.push_back(path); };
  Eintrag eintrag{client, nullptr, nullptr};
  if (strcasecmp(className.c_str(), schnittstelle::kClassName) == 0) {
    auto objekt = std::make_shared<KontoSchnittstelleObjekt>(
        clKontoSchnittstelle::Create(*umgebung_), client, path, loop_, *this, release);
    eintrag.freigeben = [objekt] { objekt->Freigeben(); };
    eintrag.objekt = std::move(objekt);
  } else if (strcasecmp(className.c_str(), "clRegistry") == 0) {
    auto objekt = std::make_shared<RegistryObjekt>(
        std::make_shared<clRegistry>(*registry_, programm_name_), client, release);
    eintrag.freigeben = [objekt] { objekt->Freigeben(); };
    eintrag.objekt = std::move(objekt);
  } else {
    if (gehalten == 0) je_client_.erase(client);
    throw AutomationError(error::kCannotCreateObject);
  }
  eintrag.objekt->SetzeAufzeichnung(Aufzeichnung());
  je_erzeugt_ = true;
  nur_geschaut_.clear();
  objekte_.emplace(path, std::move(eintrag));
  if (gehalten++ == 0) PruefeClient(client);
  return path;
}

void KontoServerDienst::PruefeClient(const std::string& client) {
  // The bus answers in order: the departure match is in place since the start, so either the
  // client is still there (and its leaving will be signalled) or it has left already.
  sd_bus_message* call = nullptr;
  if (sd_bus_message_new_method_call(loop_.Bus(), &call, kBusName, "/org/freedesktop/DBus",
                                     kBusName, "NameHasOwner") < 0)
    return;
  if (sd_bus_message_append(call, "s", client.c_str()) >= 0 &&
      sd_bus_call_async(loop_.Bus(), nullptr, call, &NameHasOwnerAntwort, this, 0) >= 0) {
    uint64_t cookie = 0;
    if (sd_bus_message_get_cookie(call, &cookie) >= 0) offene_pruefungen_[cookie] = client;
  }
  sd_bus_message_unref(call);
}

int KontoServerDienst::NameHasOwnerAntwort(sd_bus_message* reply, void* userdata, sd_bus_error*) {
  auto* self = static_cast<KontoServerDienst*>(userdata);
  uint64_t cookie = 0;
  if (sd_bus_message_get_reply_cookie(reply, &cookie) < 0) return 0;
  const auto it = self->offene_pruefungen_.find(cookie);
  if (it == self->offene_pruefungen_.end()) return 0;
  const std::string client = it->second;
  self->offene_pruefungen_.erase(it);
  int da = 1;
  if (sd_bus_message_is_method_error(reply, nullptr) || sd_bus_message_read(reply, "b", &da) < 0)
    return 0;
  // Inside sd-bus's processing: the release waits for the event loop.
  if (!da) QTimer::singleShot(0, &self->kontext_, [self, client] { self->ClientWeg(client); });
  return 0;
}

void KontoServerDienst::Freigeben(const std::string& path) {
  auto it = objekte_.find(path);
  if (it == objekte_.end()) return;
  Eintrag eintrag = std::move(it->second);
  objekte_.erase(it);
  if (auto c = je_client_.find(eintrag.owner); c != je_client_.end() && --c->second <= 0)
    je_client_.erase(c);
  eintrag.freigeben();
  if (objekte_.empty()) alle_freigegeben_();
}

void KontoServerDienst::ClientWeg(const std::string& client) {
  std::vector<std::string> paths;
  for (const auto& [path, eintrag] : objekte_) {
    if (eintrag.owner == client) paths.push_back(path);
  }
  for (const std::string& path : paths) Freigeben(path);
  // Another client still waiting for its first object (a server asking for its storage folder
  // refuses to make one meanwhile) keeps the server.
  if (nur_geschaut_.erase(client) && nur_geschaut_.empty() && !je_erzeugt_) alle_freigegeben_();
}

}  // namespace vks::dbus
