#pragma once
// The host's objects that cross the bus by value, on the hosts' side (QtDBus): the order extras
// (clOrderZusatzInfos) and the Dictionaries the host stores in an interface object. Both travel
// as a{sv}; the server reads and writes them in BusHostObjekte.
//   Order extras: keyed by field name, each value in its field's type (Single d, Boolean b,
//   MinTickSize (qv)); coming in, a (qv) or any plain number, text or Boolean is converted to the
//   field's type as an assignment would. A missing field keeps a new object's default; an empty
//   a{sv} is Nothing (no extras at all).
//   Dictionary: in its order, each value the (qv) of its item.
#include <QtCore/QVariant>

#include "accounts/clOrderZusatzInfos.h"

namespace vks::dbus {

QVariant ZusatzInfosToDbus(const clOrderZusatzInfos* zusatz);

}  // namespace vks::dbus
