#pragma once
// The server's status and its account list window as seen from the bus, beside the host's
// contract: whether the server has a display, whether the window is open, closing it, and a signal
// each time it has been closed (vks-konten waits for it to give back the object that keeps the
// server running); and what `vks-konten --status` shows. Served for every client at kAnzeigePath:
//   interface de.tradomir.VKSKontoServerV7.Anzeige
//     property AnzeigeVorhanden b (read)       the server runs with a display (decided at start)
//     property KontenFensterOffen b (read)     the account list window is shown
//     property Version s (read)                the server's version
//     property DatenOrdner s (read)            the folder of the account store
//     property RTTSpeicherOrdner s (read)      the RTT storage folder
//     property KontenAnzahl i (read)           accounts in the session
//     property HostObjekte i (read)            the hosts' interface objects alive
//     property ZuletztGespeichert s (read)     local time of the last save of the account store
//                                              since the start (ISO 8601), "" before the first
//     method SchliesseKontenFenster()          closes it as the user's close does (saving)
//     signal KontenFensterGeschlossen()        the window has been closed, by whoever
#include <functional>
#include <string>

#include "adapters/dbus/BusLoop.h"
#include "adapters/dbus/DbusNames.h"
#include "adapters/dbus/DbusObjekt.h"
#include "session/KontoSitzung.h"
#include "session/Speicherplan.h"

namespace vks::dbus {

struct KontenFensterZugang {
  bool anzeige_vorhanden = false;
  std::function<bool()> offen;
  std::function<void()> schliessen;
};

class AnzeigeObjekt : public DbusObjekt, private KursTickBeobachter {
 public:
  // REQUIRES: loop and sitzung outlive the object.
  AnzeigeObjekt(BusLoop& loop, KontenFensterZugang zugang, const KontoSitzung& sitzung,
                std::string version);
  ~AnzeigeObjekt() override;
  // Tells every client that the window has been closed.
  void Geschlossen();
  // Learns each save of the account store from here on. REQUIRES: plan outlives the object.
  void BeobachteSpeichern(Speicherplan& plan);

 private:
  void NachKursTick(std::span<const GeschriebenesKonto>) override {}
  void Gespeichert() override;

  BusLoop& loop_;
  KontenFensterZugang zugang_;
  const KontoSitzung& sitzung_;
  std::string version_;
  std::string zuletzt_gespeichert_;
  Speicherplan* plan_ = nullptr;
};

}  // namespace vks::dbus
