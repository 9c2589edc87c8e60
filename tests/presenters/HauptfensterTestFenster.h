#pragma once
// The account list's world for the presenters' tests and the windows': its accounts, store and
// recordings in a scratch folder, and the dialogs and windows its commands open, each of which
// records how it was called and answers what the test put in.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "accounts/clKonto.h"
#include "fakes/FakeClock.h"
#include "fakes/FaultInjectionFileSystem.h"
#include "fakes/RecordingReporter.h"
#include "fakes/TempFolder.h"
#include "platform/automation/AutomationError.h"
#include "presenters/HauptfensterBefehle.h"
#include "presenters/HauptfensterPresenter.h"
#include "presenters/KontoUebersichtFenster.h"
#include "session/KontoSitzung.h"
#include "session/Startup.h"

namespace vks {

// Real files, a fault injected at the N-th change when asked; deleting the file whose name ends in
// `gesperrt` fails as a file the host holds open does.
class SperrbareDateien : public testing::FaultInjectionFileSystem {
 public:
  std::string gesperrt;
  void DeleteFile(const std::string& pfad) override {
    if (!gesperrt.empty() && pfad.ends_with(gesperrt)) throw AutomationError(70);
    FaultInjectionFileSystem::DeleteFile(pfad);
  }
};

// The accounts (keyed by their folded names, as the server keys them), their store and their
// recordings (under "rtt") in a scratch folder, the save schedule and the account list's
// presenter, in German, its clock standing at `jetzt`.
struct HauptfensterServer {
  explicit HauptfensterServer(double jetzt) : clock(jetzt) {}
  std::shared_ptr<clKonto> Konto(const std::string& name) {
    auto konto = std::make_shared<clKonto>();
    konto->KontoName = name;
    state.Konten.Add(FoldCase(name), konto);
    return konto;
  }

  testing::TempFolder temp;
  SperrbareDateien dateien;
  testing::RecordingReporter melder;
  testing::RecordingErrorLog log;
  testing::FakeClock clock;
  AccountStore store{temp.path(), temp.path(), dateien, melder, log, clock};
  KontoSitzung state;
  RttAufzeichnung rtt{dateien, RttStorage{temp.path() + "/rtt"}};
  Speicherplan speicherplan{state.Konten, store, rtt};
  HauptfensterPresenter hauptfenster{state.Konten, speicherplan, AutomationLocale::German()};
};

// Records how it was opened and answers with what the test put into `antwort`.
class TestKontoDialog : public KontoDialog {
 public:
  struct Aufruf {
    KontoEinstellungen felder;
    std::string titel;
    bool reset_aktiv;
  };
  std::vector<Aufruf> aufrufe;
  std::function<std::optional<KontoEinstellungen>(KontoEinstellungen)> antwort;

  std::optional<KontoEinstellungen> ZeigeModal(const KontoEinstellungen& felder,
                                               const std::string& titel,
                                               bool reset_aktiv) override {
    aufrufe.push_back({felder, titel, reset_aktiv});
    return antwort ? antwort(felder) : std::nullopt;
  }
};

class TestUebersicht : public KontoUebersichtFenster {
 public:
  explicit TestUebersicht(std::vector<std::string>& log) : log_(log) {}
  void ShowDaten(std::shared_ptr<clKonto> konto) override {
    log_.push_back("ShowDaten " + konto->KontoName);
  }
  void RefreshBasisWerte() override { log_.push_back("RefreshBasisWerte"); }
  void SetzeTitel(const std::string& titel) override { log_.push_back("Titel " + titel); }
  void Zeigen() override { log_.push_back("Zeigen"); }
  void Entladen() override { log_.push_back("Entladen"); }
  void KursTick(bool gespeichert) override {
    log_.push_back(gespeichert ? "KursTick gespeichert" : "KursTick");
  }

 private:
  std::vector<std::string>& log_;
};

class TestFabrik : public KontoUebersichtFabrik {
 public:
  std::vector<std::string> log;
  std::shared_ptr<KontoUebersichtFenster> NeuesFenster() override {
    log.push_back("NeuesFenster");
    return std::make_shared<TestUebersicht>(log);
  }
};

class TestSpeicherordner : public SpeicherordnerDialog {
 public:
  std::vector<std::string> vorschlaege;
  std::string ZeigeModal(const std::string& Vorschlag) override {
    vorschlaege.push_back(Vorschlag);
    return Vorschlag;
  }
};

class TestHilfe : public HilfeAnzeige {
 public:
  bool gelingt = true;
  std::vector<std::string> geoeffnet;
  bool Oeffne(const std::string& datei, int) override {
    geoeffnet.push_back(datei);
    return gelingt;
  }
};

}  // namespace vks
