#include "adapters/dbus/AnzeigeObjekt.h"

namespace vks::dbus {

AnzeigeObjekt::AnzeigeObjekt(BusLoop& loop, KontenFensterZugang zugang)
    : DbusObjekt(kAnzeigeInterface, std::string()), loop_(loop), zugang_(std::move(zugang)) {
  AddProperty(
      {"AnzeigeVorhanden", "b", [this](BusWriter& w) { w.Bool(zugang_.anzeige_vorhanden); }, {}});
  AddProperty({"KontenFensterOffen",
               "b",
               [this](BusWriter& w) { w.Bool(zugang_.offen && zugang_.offen()); },
               {}});
  AddMethod({"SchliesseKontenFenster", {}, {}, [this](BusReader&, BusWriter&) {
               if (zugang_.schliessen) zugang_.schliessen();
             }});
  AddSignal({"KontenFensterGeschlossen", {}});
}

void AnzeigeObjekt::Geschlossen() {
  sd_bus_message* signal = nullptr;
  if (sd_bus_message_new_signal(loop_.Bus(), &signal, kAnzeigePath, kAnzeigeInterface,
                                "KontenFensterGeschlossen") >= 0)
    loop_.Sende(signal);
}

}  // namespace vks::dbus
