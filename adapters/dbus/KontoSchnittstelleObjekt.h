#pragma once
// A clKontoSchnittstelle on the bus: its members as methods and properties, the event
// AlleOrdersStreichen as a signal sent only to the object's client.
#include <memory>

#include "adapters/dbus/BusLoop.h"
#include "adapters/dbus/DbusObjekt.h"
#include "adapters/dbus/ObjektPfade.h"
#include "interface/clKontoSchnittstelle.h"

namespace vks::dbus {

class KontoSchnittstelleObjekt : public DbusObjekt {
 public:
  // release: asks the service to let the object go (its path stays until the service drops it).
  // REQUIRES: loop and objekte outlive the object.
  KontoSchnittstelleObjekt(std::shared_ptr<clKontoSchnittstelle> objekt, std::string owner,
                           std::string path, BusLoop& loop, ObjektPfade& objekte,
                           std::function<void()> release);
  // The host's release of the interface object.
  void Freigeben() { objekt_.reset(); }

 protected:
  std::shared_ptr<void> HalteWaehrendAufruf() override { return objekt_; }

 private:
  clKontoSchnittstelle& K();
  void AddProperties();
  void AddMembersBeforeOrderstatus();
  void AddMembersFromOrderstatus();
  void AddDictionaryProperty(const char* name, ObjectRef clKontoSchnittstelle::*feld);

  std::shared_ptr<clKontoSchnittstelle> objekt_;
  ObjektPfade& objekte_;
};

}  // namespace vks::dbus
