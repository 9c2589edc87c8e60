#pragma once
// A whole server in-process for tests that play the host: the session, the store in a
// temporary folder, the save schedule, the main window's presenter, the account environment and one
// interface object, wired as start-up wires them.
#include <memory>
#include <string>

#include "accounts/KontoUmgebung.h"
#include "fakes/FakeClock.h"
#include "fakes/RecordingReporter.h"
#include "fakes/TempFolder.h"
#include "interface/clKontoSchnittstelle.h"
#include "platform/files/FileSystem.h"
#include "presenters/HauptfensterPresenter.h"

namespace vks::testing {

class KeinFenster : public KontenFensterSteuerung {
 public:
  void ZeigeKontenFenster() override {}
  void EntladeKontenFenster() override {}
};

struct SpielHost {
  SpielHost() {
    CreateFolderPath(*files, daten);
    state.DatenOrdner = daten;
    state.RTTSpeicherOrdner = rtt.Speicher().folder;
    state.Meldungen = &reporter;
    state.Kontoumgebung = &umgebung;
    state.Speichern = &plan;
    host = clKontoSchnittstelle::Create(schnittstelle);
  }
  SpielHost(const SpielHost&) = delete;
  SpielHost& operator=(const SpielHost&) = delete;

  TempFolder folder;
  std::string daten = folder.File("Daten");
  FakeClock clock{46000.25};
  RecordingReporter reporter;
  RecordingErrorLog log;
  std::unique_ptr<FileSystem> files = NewPlatformFileSystem();
  RttAufzeichnung rtt{*files, RttStorage{folder.File("RTT")}};
  KontoSitzung state;
  AccountStore store{daten, "/opt", *files, reporter, log, clock};
  Speicherplan plan{state.Konten, store, rtt};
  HauptfensterPresenter presenter{state.Konten, plan, AutomationLocale::German()};
  KontoUmgebung umgebung{clock, rtt, &presenter, nullptr};
  KeinFenster fenster;
  StandardZufallsfolge zufall;
  SchnittstellenUmgebung schnittstelle{state, fenster, zufall};
  std::shared_ptr<clKontoSchnittstelle> host;
};

}  // namespace vks::testing
