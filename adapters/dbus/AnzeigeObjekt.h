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
#include <QtDBus/QDBusConnection>
#include <functional>

#include "adapters/dbus/DbusObjekt.h"

namespace vks::dbus {

inline constexpr const char* kAnzeigePath = "/de/tradomir/VKSKontoServerV7/Anzeige";
inline constexpr const char* kAnzeigeInterface = "de.tradomir.VKSKontoServerV7.Anzeige";

struct KontenFensterZugang {
  bool anzeige_vorhanden = false;
  std::function<bool()> offen;
  std::function<void()> schliessen;
};

class AnzeigeObjekt : public DbusObjekt {
 public:
  AnzeigeObjekt(QDBusConnection connection, KontenFensterZugang zugang);
  // Tells every client that the window has been closed.
  void Geschlossen();

 private:
  QDBusConnection connection_;
  KontenFensterZugang zugang_;
};

}  // namespace vks::dbus
