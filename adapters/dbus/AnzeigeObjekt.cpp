#include "adapters/dbus/AnzeigeObjekt.h"

namespace vks::dbus {

AnzeigeObjekt::AnzeigeObjekt(QDBusConnection connection, KontenFensterZugang zugang)
    : DbusObjekt(QLatin1String(kAnzeigeInterface), QString()),
      connection_(std::move(connection)),
      zugang_(std::move(zugang)) {
  AddProperty(
      {"AnzeigeVorhanden", "b", [this] { return QVariant(zugang_.anzeige_vorhanden); }, {}});
  AddProperty({"KontenFensterOffen",
               "b",
               [this] { return QVariant(zugang_.offen && zugang_.offen()); },
               {}});
  AddMethod({"SchliesseKontenFenster", {}, {}, [this](const QVariantList&) {
               if (zugang_.schliessen) zugang_.schliessen();
               return QVariantList{};
             }});
  AddSignal({"KontenFensterGeschlossen", {}});
}

void AnzeigeObjekt::Geschlossen() {
  connection_.send(QDBusMessage::createSignal(QLatin1String(kAnzeigePath),
                                              QLatin1String(kAnzeigeInterface),
                                              QStringLiteral("KontenFensterGeschlossen")));
}

}  // namespace vks::dbus
