#pragma once
// The server's side of the host's objects that cross the bus by value (DbusHostObjekte.h gives
// their form): the order extras and the Dictionaries the host stores in an interface object, both
// as a{sv}.
#include <optional>

#include "accounts/clOrderZusatzInfos.h"
#include "adapters/dbus/BusMessage.h"
#include "adapters/dbus/ObjektPfade.h"

namespace vks::dbus {

// Throws AutomationError 438 for an unknown field, 13 or 6 for a value the field cannot take.
std::optional<clOrderZusatzInfos> LeseZusatzInfos(BusReader& r);
void SchreibeZusatzInfos(BusWriter& w, const clOrderZusatzInfos* zusatz);

// Nothing gives an empty a{sv}. Throws AutomationError 13 for a value that cannot cross.
void SchreibeDictionaryObjekt(BusWriter& w, const ObjectRef& dictionary, ObjektPfade& objekte);
// A new dictionary with the entries; throws AutomationError 457 for a key given twice.
ObjectRef LeseDictionaryObjekt(BusReader& r, ObjektPfade& objekte);

// A Single argument: the double rounded to float32; AutomationError 6 when it does not fit.
float SingleAusDouble(double d);

}  // namespace vks::dbus
