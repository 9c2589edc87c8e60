#pragma once
// How automation values cross the bus, on the hosts' side (QtDBus; the server reads and writes
// them in BusVariant). Every Variant travels as the struct (qv): the subtype's
// automation code and the value in the D-Bus type that holds it without loss:
//   Empty 0 and Null 1: an empty string (ignored); Integer 2: n; Long 3: i; Single 4: d holding the
//   float's exact value; Double 5: d; Currency 6: x (value times 10 000); Date 7: d (days since
//   30 December 1899); String 8: s; Object 9: o (the path the object is served under, "/" is
//   Nothing); Error 10: i; Boolean 11: b;
//   Byte 17: y; arrays 0x200C: (a(ii)a(qv)), the bounds (lower, count) of each dimension and the
//   elements with the first index varying fastest.
// A Dictionary travels as a{sv}, each value holding the (qv) of its item.
#include <QtCore/QList>
#include <QtCore/QVariantMap>
#include <QtDBus/QDBusArgument>
#include <QtDBus/QDBusVariant>
#include <functional>
#include <utility>

#include "adapters/dbus/ObjektPfade.h"
#include "platform/automation/KeyedDictionary.h"
#include "platform/automation/Variant.h"

namespace vks::dbus {

struct TaggedVariant {
  quint16 type = 0;
  QDBusVariant value;
};

struct DbusArrayBound {
  qint32 lower = 0;
  qint32 count = 0;
};

struct DbusArray {
  QList<DbusArrayBound> bounds;
  QList<TaggedVariant> elements;
};

// An a{sv} that keeps its entries' order (a QVariantMap sorts its keys) and is written straight
// into the message (a map built in a QDBusArgument of its own is marshalled twice).
struct GeordneteMap {
  QList<std::pair<QString, QVariant>> eintraege;
  void Zufuegen(QString key, QVariant value) {
    eintraege.emplace_back(std::move(key), std::move(value));
  }
};

// Registers the types above with QtDBus; call once before the first message.
void RegisterVariantTypes();

// Objects go through `objekte`; without it only Nothing crosses. Throws AutomationError 13 for an
// object that cannot cross, 28 for arrays nested deeper than kMaxNesting.
TaggedVariant ToDbus(const Variant& value, ObjektPfade* objekte = nullptr, int depth = 0);
// Throws AutomationError 13 for a code or value that does not fit the encoding or a path that
// serves no object, 28 for values nested deeper than kMaxNesting.
Variant FromDbus(const TaggedVariant& tagged, ObjektPfade* objekte = nullptr, int depth = 0);
// A message argument holding (qv).
Variant FromDbusArgument(const QVariant& argument, ObjektPfade* objekte = nullptr);
QVariant ToDbusArgument(const Variant& value, ObjektPfade* objekte = nullptr);

QVariant DictionaryToDbus(const KeyedDictionary<Variant>& dictionary,
                          ObjektPfade* objekte = nullptr);
// Calls body with each key and value (the variant's content) of an a{sv} argument, in order.
// Throws AutomationError 13 for an argument that is no a{sv}.
void ForEachMapEntry(const QVariant& argument,
                     const std::function<void(const QString&, const QVariant&)>& body);
// Throws AutomationError 457 for a key given twice (without regard to case), 13 for a bad value.
void DictionaryFromDbus(const QVariant& argument, KeyedDictionary<Variant>& dictionary,
                        ObjektPfade* objekte = nullptr);

// Each level of arrays costs the bus four levels of containers and the bus carries 64; a client
// that sends more is cut off by the bus itself.
inline constexpr int kMaxNesting = 12;

}  // namespace vks::dbus

Q_DECLARE_METATYPE(vks::dbus::TaggedVariant)
Q_DECLARE_METATYPE(vks::dbus::DbusArrayBound)
Q_DECLARE_METATYPE(vks::dbus::DbusArray)
Q_DECLARE_METATYPE(vks::dbus::GeordneteMap)

QDBusArgument& operator<<(QDBusArgument& arg, const vks::dbus::TaggedVariant& v);
const QDBusArgument& operator>>(const QDBusArgument& arg, vks::dbus::TaggedVariant& v);
QDBusArgument& operator<<(QDBusArgument& arg, const vks::dbus::DbusArrayBound& v);
const QDBusArgument& operator>>(const QDBusArgument& arg, vks::dbus::DbusArrayBound& v);
QDBusArgument& operator<<(QDBusArgument& arg, const vks::dbus::DbusArray& v);
const QDBusArgument& operator>>(const QDBusArgument& arg, vks::dbus::DbusArray& v);
