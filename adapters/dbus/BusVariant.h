#pragma once
// The server's side of the Variant encoding (DbusVariant.h documents it, and the contract file):
// each Variant as (qv) read from and written into an sd-bus message, a Dictionary as a{sv} in its
// order.
#include <functional>
#include <string>

#include "adapters/dbus/BusMessage.h"
#include "adapters/dbus/ObjektPfade.h"
#include "platform/automation/KeyedDictionary.h"
#include "platform/automation/Variant.h"

namespace vks::dbus {

// Objects go through `objekte`; without it only Nothing crosses. Throws AutomationError 13 for an
// object that cannot cross, 28 for arrays nested deeper than kMaxBusNesting.
void WriteVariant(BusWriter& w, const Variant& value, ObjektPfade* objekte = nullptr,
                  int depth = 0);
// Throws AutomationError 13 for a code or value that does not fit the encoding or a path that
// serves no object, 28 for values nested deeper than kMaxBusNesting, 9 for a negative count.
Variant ReadVariant(BusReader& r, ObjektPfade* objekte = nullptr, int depth = 0);

void WriteDictionary(BusWriter& w, const KeyedDictionary<Variant>& dictionary,
                     ObjektPfade* objekte = nullptr);
// Calls body with each key of an a{sv}, in order, and the reader inside the entry's variant;
// contents is the signature of the value it holds. Throws AutomationError 13 for no a{sv}.
void ReadMap(BusReader& r, const std::function<void(const std::string& key, const char* contents,
                                                    BusReader& value)>& body);
// Throws AutomationError 457 for a key given twice (without regard to case), 13 for a bad value.
void ReadDictionary(BusReader& r, KeyedDictionary<Variant>& dictionary,
                    ObjektPfade* objekte = nullptr);

// Each level of arrays costs the bus four levels of containers and the bus carries 64; a client
// that sends more is cut off by the bus itself.
inline constexpr int kMaxBusNesting = 12;

}  // namespace vks::dbus
