#include "presenters/HauptfensterPresenter.h"
#include "session/KontoSitzung.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "fakes/FakeClock.h"
#include "fakes/FaultInjectionFileSystem.h"
#include "fakes/RecordingReporter.h"
#include "fakes/TempFolder.h"
#include "fakes/ZeilenAnsicht.h"
#include "platform/files/FileSystem.h"
#include "presenters/KontoUebersichtFenster.h"
#include "tests/presenters/HauptfensterTestFenster.h"

namespace vks {
namespace {

class HauptfensterPresenterTest : public ::testing::Test {
 protected:
  HauptfensterPresenterTest() {
    auto konto = std::make_shared<clKonto>();
    konto->KontoName = "Depot";
    state_.Konten.Add("Depot", konto);
  }
  bool StoreExists() { return std::filesystem::exists(store_.StorePath()); }

  testing::TempFolder folder_;
  testing::FaultInjectionFileSystem files_;  // real files until a fault is asked for
  testing::RecordingReporter reporter_;
  testing::RecordingErrorLog log_;
  testing::FakeClock clock_;
  AccountStore store_{folder_.path(), folder_.path(), files_, reporter_, log_, clock_};
  KontoSitzung state_;
  RttAufzeichnung rtt_{files_, RttStorage{folder_.path() + "/rtt"}};
  Speicherplan speicherplan_{state_.Konten, store_, rtt_};
  HauptfensterPresenter fenster_{state_.Konten, speicherplan_, AutomationLocale::Invariant()};
};

// A save that fails keeps the change pending: each tick tries again, the error log hears of each
// new failure and of the recovery, and the status line shows why until a save succeeds. The timer
// and the unloading save only what is pending.
TEST_F(HauptfensterPresenterTest, AFailedSaveIsRetriedAndShownUntilASaveSucceeds) {
  testing::ZeilenAnsicht ansicht;
  fenster_.SetzeAnsicht(&ansicht);
  fenster_.Plan().SetzeSpeichernAusstehend();
  const struct {
    const char* was;
    int fault_at;        // the file operation that fails, -1 none
    bool unspeicherbar;  // an account whose name the store cannot hold
    bool entladen;       // the save at the end instead of the timer's
    const char* status;  // part of the status line, "" none
    size_t log_zeilen;
  } schritte[] = {
      {"disk full", 0, false, false, "Datenträger voll", 1},
      {"still full, at the end", 0, false, true, "Datenträger voll", 1},
      {"text the store cannot hold", -1, true, false, "Konto 中", 2},
      {"all well again", -1, false, false, "", 3},
  };
  for (const auto& s : schritte) {
    SCOPED_TRACE(s.was);
    files_.FailAt(s.fault_at);
    if (s.unspeicherbar) {
      auto konto = std::make_shared<clKonto>();
      konto->KontoName = "Konto 中";
      state_.Konten.Add(konto->KontoName, konto);
    } else if (state_.Konten.Exists("Konto 中")) {
      state_.Konten.Remove("Konto 中");
    }
    s.entladen ? fenster_.Plan().Entladen() : fenster_.Plan().ZeitgeberTick();
    const bool gescheitert = *s.status != '\0';
    EXPECT_EQ(fenster_.Plan().SpeichernAusstehend(), gescheitert);
    EXPECT_EQ(StoreExists(), !gescheitert);
    if (gescheitert) {
      EXPECT_TRUE(ansicht.speicherstatus.starts_with("Die Konten konnten nicht gespeichert"));
      EXPECT_NE(ansicht.speicherstatus.find(s.status), std::string::npos) << ansicht.speicherstatus;
    } else {
      EXPECT_EQ(ansicht.speicherstatus, "");
    }
    EXPECT_EQ(log_.entries.size(), s.log_zeilen);
  }
  EXPECT_EQ(log_.entries.back().title, "Konten wieder gespeichert");
  KontenSammlung gelesen;
  store_.LadeKonten(gelesen);
  EXPECT_EQ(gelesen.Keys(), std::vector<std::string>{"Depot"});
  // Nothing pending: neither the timer nor the unloading saves.
  std::filesystem::remove(store_.StorePath());
  fenster_.Plan().ZeitgeberTick();
  fenster_.Plan().Entladen();
  EXPECT_FALSE(StoreExists());
  fenster_.SetzeAnsicht(nullptr);
}

// The tick shows the new time and capital of the accounts that had values waiting, and only
// those: the other columns and the other rows keep their texts.
TEST_F(HauptfensterPresenterTest, PriceTickRefreshesTimeAndCapitalOfPendingAccounts) {
  auto ruhig = std::make_shared<clKonto>();
  ruhig->KontoName = "Ruhig";
  state_.Konten.Add("Ruhig", ruhig);
  testing::ZeilenAnsicht ansicht;
  fenster_.SetzeAnsicht(&ansicht);
  ansicht.zeilen["depot"].enter_orders = "alt";
  const KontenZeile ruhig_vorher = ansicht.zeilen["ruhig"];

  for (clKonto* konto : {state_.Konten.Item("Depot").get(), ruhig.get()}) {
    konto->AktuelleZeit = DateValue{45000.5};
    konto->CashBetrag = 2500;
  }
  state_.Konten.Item("Depot")->NeuerOpenPLSpeichern = true;
  fenster_.Plan().KursspeichernZeitgeberTick();
  const KontenZeile& depot = ansicht.zeilen["depot"];
  EXPECT_EQ(depot.datum, "3/15/2023 12:00:00 PM");
  EXPECT_EQ(depot.gesamtwert, "2,500.00");
  EXPECT_EQ(depot.enter_orders, "alt");
  EXPECT_EQ(ansicht.zeilen["ruhig"].datum, ruhig_vorher.datum);
  EXPECT_EQ(ansicht.zeilen["ruhig"].gesamtwert, ruhig_vorher.gesamtwert);
  fenster_.SetzeAnsicht(nullptr);
}

// An account without a window is written all the same; the real window's test follows its chart.
TEST_F(HauptfensterPresenterTest, PriceTickTellsEachOpenOverviewWhetherItsValuesWereWritten) {
  auto ohne = std::make_shared<clKonto>();
  ohne->KontoName = "Ohne Fenster";
  state_.Konten.Add(ohne->KontoName, ohne);
  std::vector<std::string> depot;
  fenster_.UebersichtsFenster().Add("depot", std::make_shared<TestUebersicht>(depot));
  state_.Konten.Item("Depot")->NeuerAktienwertSpeichern = true;
  ohne->NeuerOpenPLSpeichern = true;
  fenster_.Plan().KursspeichernZeitgeberTick();
  fenster_.Plan().KursspeichernZeitgeberTick();
  EXPECT_EQ(depot, (std::vector<std::string>{"KursTick gespeichert", "KursTick"}));
  EXPECT_FALSE(state_.Konten.Item("Depot")->NeuerAktienwertSpeichern);
  EXPECT_FALSE(ohne->NeuerOpenPLSpeichern);
  EXPECT_TRUE(std::filesystem::exists(rtt_.Speicher().folder));
  fenster_.UebersichtsFenster().RemoveAll();  // before the log goes
}

}  // namespace
}  // namespace vks
