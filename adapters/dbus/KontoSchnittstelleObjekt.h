#pragma once
// A clKontoSchnittstelle on the bus: its members as methods and properties, the event
// AlleOrdersStreichen as a signal sent only to the object's client.
#include <QtDBus/QDBusConnection>
#include <memory>

#include "interface/clKontoSchnittstelle.h"
#include "adapters/dbus/DbusObjekt.h"
#include "adapters/dbus/ObjektPfade.h"

namespace vks::dbus {

class KontoSchnittstelleObjekt : public DbusObjekt {
 public:
  // release: asks the service to let the object go (its path stays until the service drops it).
  // REQUIRES: objekte outlives the object.
  KontoSchnittstelleObjekt(std::shared_ptr<clKontoSchnittstelle> objekt, QString owner,
                           QString path, QDBusConnection connection, ObjektPfade& objekte,
                           std::function<void()> release);
  // The host's release of the interface object.
  void Freigeben() { objekt_.reset(); }

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
