#pragma once
// The account list window as seen from the bus, beside the host's contract: whether the server
// has a display, whether the window is open, closing it, and a signal each time it has been
// closed. vks-konten waits for that signal to give back the object that keeps the server running.
// Served for every client at kAnzeigePath:
//   interface de.tradomir.VKSKontoServerV7.Anzeige
//     property AnzeigeVorhanden b (read)       the server runs with a display (decided at start)
//     property KontenFensterOffen b (read)     the account list window is shown
//     method SchliesseKontenFenster()          closes it as the user's close does (saving)
//     signal KontenFensterGeschlossen()        the window has been closed, by whoever
#include <functional>

#include "adapters/dbus/BusLoop.h"
#include "adapters/dbus/DbusNames.h"
#include "adapters/dbus/DbusObjekt.h"

namespace vks::dbus {

struct KontenFensterZugang {
  bool anzeige_vorhanden = false;
  std::function<bool()> offen;
  std::function<void()> schliessen;
};

class AnzeigeObjekt : public DbusObjekt {
 public:
  // REQUIRES: loop outlives the object.
  AnzeigeObjekt(BusLoop& loop, KontenFensterZugang zugang);
  // Tells every client that the window has been closed.
  void Geschlossen();

 private:
  BusLoop& loop_;
  KontenFensterZugang zugang_;
};

}  // namespace vks::dbus
