#pragma once
// A clKontoGlobalData on the bus: the process-wide store and each of its categories. Every client
// may use it, as every interface object returns the same store. Item with a key becomes the
// methods Item (get) and LetItem (let, the new value after the key); KeyExists with a key becomes
// a method; GetAllKeys is a read-only property.
#include <memory>

#include "adapters/dbus/DbusObjekt.h"
#include "adapters/dbus/ObjektPfade.h"
#include "session/clKontoGlobalData.h"

namespace vks::dbus {

class GlobalDataObjekt : public DbusObjekt {
 public:
  // REQUIRES: objekte outlives the object.
  GlobalDataObjekt(std::shared_ptr<clKontoGlobalData> daten, ObjektPfade& objekte);

 private:
  std::shared_ptr<clKontoGlobalData> daten_;
};

}  // namespace vks::dbus
