#include "adapters/dbus/DbusHostObjekte.h"

#include <QtDBus/QDBusArgument>
#include <QtDBus/QDBusVariant>

#include "adapters/dbus/DbusVariant.h"
#include "adapters/dbus/ZusatzFelder.h"

namespace vks::dbus {

QVariant ZusatzInfosToDbus(const clOrderZusatzInfos* zusatz) {
  GeordneteMap map;
  if (zusatz) {
    for (const ZusatzFeld& f : kZusatzFelder) {
      QVariant value;
      if (f.single) {
        value = static_cast<double>(zusatz->*(f.single));
      } else if (f.boolean) {
        value = zusatz->*(f.boolean);
      } else {
        value = ToDbusArgument(zusatz->MinTickSize);
      }
      map.Zufuegen(QLatin1String(f.name), std::move(value));
    }
  }
  return QVariant::fromValue(map);
}

}  // namespace vks::dbus
