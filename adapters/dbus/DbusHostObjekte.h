#pragma once
// The host's objects that cross the bus by value: the order extras (clOrderZusatzInfos) and the
// Dictionaries the host stores in an interface object. Both travel as a{sv}.
//   Order extras: keyed by field name, each value in its field's type (Single d, Boolean b,
//   MinTickSize (qv)); coming in, a (qv) or any plain number, text or Boolean is converted to the
//   field's type as an assignment would. A missing field keeps a new object's default; an empty
//   a{sv} is Nothing (no extras at all).
//   Dictionary: in its order, each value the (qv) of its item.
#include <QtCore/QVariant>
#include <optional>

#include "accounts/clOrderZusatzInfos.h"
#include "adapters/dbus/ObjektPfade.h"

namespace vks::dbus {

// Throws AutomationError 438 for an unknown field, 13 or 6 for a value the field cannot take.
std::optional<clOrderZusatzInfos> ZusatzInfosFromDbus(const QVariant& argument);
QVariant ZusatzInfosToDbus(const clOrderZusatzInfos* zusatz);

// Nothing gives an empty a{sv}. Throws AutomationError 13 for a value that cannot cross.
QVariant DictionaryObjektToDbus(const ObjectRef& dictionary, ObjektPfade& objekte);
// A new dictionary with the entries; throws AutomationError 457 for a key given twice.
ObjectRef DictionaryObjektFromDbus(const QVariant& argument, ObjektPfade& objekte);

// A Single argument: the double rounded to float32; AutomationError 6 when it does not fit.
float SingleFromDbus(const QVariant& argument);

}  // namespace vks::dbus
