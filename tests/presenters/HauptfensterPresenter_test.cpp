#include "presenters/HauptfensterPresenter.h"
#include "session/KontoSitzung.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "fakes/FakeClock.h"
#include "fakes/RecordingReporter.h"
#include "fakes/TempFolder.h"
#include "fakes/ZeilenAnsicht.h"
#include "platform/files/FileSystem.h"
#include "presenters/KontoUebersichtFenster.h"

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
  std::unique_ptr<FileSystem> files_ = NewPlatformFileSystem();
  testing::RecordingReporter reporter_;
  testing::RecordingErrorLog log_;
  testing::FakeClock clock_;
  AccountStore store_{folder_.path(), folder_.path(), *files_, reporter_, log_, clock_};
  KontoSitzung state_;
  RttAufzeichnung rtt_{*files_, RttStorage{folder_.path() + "/rtt"}};
  Speicherplan speicherplan_{state_.Konten, store_, rtt_};
  HauptfensterPresenter fenster_{state_.Konten, speicherplan_, AutomationLocale::Invariant()};
};

TEST_F(HauptfensterPresenterTest, SaveTickWritesOnlyPendingChangesAndClearsTheFlag) {
  fenster_.Plan().ZeitgeberTick();
  EXPECT_FALSE(StoreExists());
  fenster_.Plan().SetzeSpeichernAusstehend();
  fenster_.Plan().ZeitgeberTick();
  ASSERT_TRUE(StoreExists());
  EXPECT_FALSE(fenster_.Plan().SpeichernAusstehend());
  KontenSammlung gelesen;
  store_.LadeKonten(gelesen);
  ASSERT_EQ(gelesen.Keys(), std::vector<std::string>{"Depot"});
}

TEST_F(HauptfensterPresenterTest, UnloadSavesPendingChanges) {
  const struct {
    bool pending;
    bool saved;
  } cases[] = {{false, false}, {true, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pending);
    std::filesystem::remove(store_.StorePath());
    if (c.pending) fenster_.Plan().SetzeSpeichernAusstehend();
    fenster_.Plan().Entladen();
    EXPECT_EQ(StoreExists(), c.saved);
    EXPECT_FALSE(fenster_.Plan().SpeichernAusstehend());
  }
}

TEST_F(HauptfensterPresenterTest, PriceTickWritesEachAccountsPendingValues) {
  auto& konto = *state_.Konten.Item("Depot");
  konto.NeuerAktienwertSpeichern = true;
  fenster_.Plan().KursspeichernZeitgeberTick();
  EXPECT_FALSE(konto.NeuerAktienwertSpeichern);
  EXPECT_TRUE(std::filesystem::exists(rtt_.Speicher().folder));
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

// An open overview window that notes what the price-save tick tells it.
class TickFenster : public KontoUebersichtFenster {
 public:
  void ShowDaten(std::shared_ptr<clKonto>) override {}
  void RefreshBasisWerte() override {}
  void SetzeTitel(const std::string&) override {}
  void Zeigen() override {}
  void Entladen() override {}
  void KursTick(bool gespeichert) override { ticks.push_back(gespeichert); }
  std::vector<bool> ticks;
};

TEST_F(HauptfensterPresenterTest, PriceTickTellsEachOpenOverviewWhetherItsValuesWereWritten) {
  for (const char* name : {"Futures", "Ohne Fenster"}) {
    auto konto = std::make_shared<clKonto>();
    konto->KontoName = name;
    state_.Konten.Add(name, konto);
  }
  auto depot = std::make_shared<TickFenster>();
  auto futures = std::make_shared<TickFenster>();
  fenster_.UebersichtsFenster().Add("depot", depot);
  fenster_.UebersichtsFenster().Add("futures", futures);
  state_.Konten.Item("Depot")->NeuerAktienwertSpeichern = true;
  state_.Konten.Item("Ohne Fenster")->NeuerOpenPLSpeichern = true;
  fenster_.Plan().KursspeichernZeitgeberTick();
  fenster_.Plan().KursspeichernZeitgeberTick();
  EXPECT_EQ(depot->ticks, (std::vector<bool>{true, false}));
  EXPECT_EQ(futures->ticks, (std::vector<bool>{false, false}));
}

}  // namespace
}  // namespace vks
