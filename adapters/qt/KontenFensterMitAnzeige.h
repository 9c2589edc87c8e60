#pragma once
// The account list window of a server with a display: made on the host's first request, shown on
// every request, unloaded (layout and pending changes saved) when the last host leaves. The
// commands' dialogs and overview windows are the Qt ones.
#include <functional>
#include <iosfwd>
#include <memory>

#include "adapters/qt/HauptfensterAdapter.h"
#include "adapters/qt/frmHauptfenster.h"
#include "interface/clKontoSchnittstelle.h"

namespace vks {

class KontoBeobachterVerteiler;
struct ScriptUmgebung;

struct ServerAnzeigeTeile {
  KontoSitzung& sitzung;
  HauptfensterPresenter& presenter;
  MessageReporter& melder;
  const KontoUmgebung& kontoumgebung;
  Clock& clock;
  FileSystem& dateien;
  SettingsStore& settings;
  SpeicherordnerDialog& speicherordner;
  ScriptUmgebung* script = nullptr;
  AutomationLocale locale;
  KontoBeobachterVerteiler* verteiler = nullptr;  // open overview windows join it
};

class KontenFensterMitAnzeige : public KontenFensterSteuerung {
 public:
  explicit KontenFensterMitAnzeige(ServerAnzeigeTeile teile);
  ~KontenFensterMitAnzeige() override;

  void ZeigeKontenFenster() override;
  void EntladeKontenFenster() override;
  frmHauptfenster* Fenster() const { return fenster_.get(); }

  bool KontenFensterOffen() const;
  // Closes the window as the user's close does: unloaded, pending changes saved.
  void SchliesseKontenFenster();
  // `geschlossen` runs each time the window has been closed.
  void BeimSchliessen(std::function<void()> geschlossen) { geschlossen_ = std::move(geschlossen); }

 private:
  NeuesKontoUmfeld DialogUmfeld();
  UebersichtUmfeld FensterUmfeld();

  ServerAnzeigeTeile teile_;
  QtKontoDialog konto_dialog_;
  QtUebersichtFabrik uebersichten_;
  QtHilfe hilfe_;
  SortierRoutinen sortierung_;
  std::unique_ptr<frmHauptfenster> fenster_;
  std::function<void()> geschlossen_;
};

// True when the process may open windows: DISPLAY or WAYLAND_DISPLAY is set and a Qt platform
// plugin starts on it. A plugin that cannot start ends its process, so the try runs in a child
// process; when it fails, `log` says that the server runs without a display. Call it before any
// QCoreApplication exists, with main's arguments.
bool AnzeigeVorhanden(int argc, char** argv, std::ostream& log);

}  // namespace vks
