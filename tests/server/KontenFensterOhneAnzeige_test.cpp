#include "server/KontenFensterOhneAnzeige.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/files/FileSystem.h"
#include "tests/fakes/FakeClock.h"
#include "tests/fakes/RecordingReporter.h"
#include "tests/fakes/TempFolder.h"

namespace vks {
namespace {

class KontenFensterOhneAnzeigeTest : public ::testing::Test {
 protected:
  KontenFensterOhneAnzeigeTest() {
    auto konto = std::make_shared<clKonto>();
    konto->KontoName = "Depot";
    state_.Konten.Add("Depot", konto);
  }
  bool StoreExists() { return std::filesystem::exists(store_.StorePath()); }

  testing::TempFolder folder_;
  std::unique_ptr<FileSystem> files_ = NewPosixFileSystem();
  testing::RecordingReporter reporter_;
  testing::RecordingErrorLog log_;
  testing::FakeClock clock_;
  AccountStore store_{folder_.path(), folder_.path(), *files_, reporter_, log_, clock_};
  ServerState state_;
  KontenFensterOhneAnzeige fenster_{state_, store_};
};

TEST_F(KontenFensterOhneAnzeigeTest, SaveTickWritesOnlyPendingChangesAndClearsTheFlag) {
  fenster_.OnSaveTick();
  EXPECT_FALSE(StoreExists());
  fenster_.SpeichernAusstehend = true;
  fenster_.OnSaveTick();
  ASSERT_TRUE(StoreExists());
  EXPECT_FALSE(fenster_.SpeichernAusstehend);
  KontenSammlung gelesen;
  store_.LadeKonten(gelesen);
  ASSERT_EQ(gelesen.Keys(), std::vector<std::string>{"Depot"});
}

TEST_F(KontenFensterOhneAnzeigeTest, UnloadSavesPendingChanges) {
  const struct {
    bool pending;
    bool saved;
  } cases[] = {{false, false}, {true, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pending);
    std::filesystem::remove(store_.StorePath());
    fenster_.SpeichernAusstehend = c.pending;
    fenster_.EntladeKontenFenster();
    EXPECT_EQ(StoreExists(), c.saved);
    EXPECT_FALSE(fenster_.SpeichernAusstehend);
  }
}

TEST_F(KontenFensterOhneAnzeigeTest, PriceTickWritesEachAccountsPendingValues) {
  state_.RTTSpeicherOrdner = folder_.path() + "/rtt";
  auto& konto = *state_.Konten.Item("Depot");
  konto.NeuerAktienwertSpeichern = true;
  fenster_.OnPriceSaveTick();
  EXPECT_FALSE(konto.NeuerAktienwertSpeichern);
  EXPECT_TRUE(std::filesystem::exists(state_.RTTSpeicherOrdner));
}

}  // namespace
}  // namespace vks
