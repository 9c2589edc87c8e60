#include "accounts/KursDatenJetztSpeichern.h"

#include <gtest/gtest.h>

#include <map>

#include "fakes/SpeicherAufzeichnung.h"
#include "recording/RttFileName.h"
#include "recording/RttReader.h"

namespace vks {
namespace {

// Cash 10 000; stock value 3 000 of which 1 000 short; stock open P/L 250 of which -50 short;
// contract open P/L -400 of which 100 short; margins 700 (contracts) and 300 (stocks).
void FillAccount(clKonto& konto) {
  konto.KontoName = "Depot1";
  konto.AktuelleZeit = DateValue{45000.25};
  konto.CashBetrag = 10000;
  konto.AktienWertAktuellGesamt = 3000;
  konto.AktienWertAktuellShort = 1000;
  konto.KapitalAktienOpenPLGesamt = 250;
  konto.KapitalAktienOpenPLShort = -50;
  konto.KapitalKontrakteOpenPLGesamt = -400;
  konto.KapitalKontrakteOpenPLShort = 100;
  konto.KapitalKontrakteMarginGesamt = 700;
  konto.KapitalAktienMarginGesamt = 300;
}

// Every series the account has now, by kind: its one record's value and second value.
std::map<int, std::pair<float, float>> Written(testing::SpeicherAufzeichnung& rtt, DateValue time) {
  std::map<int, std::pair<float, float>> written;
  for (int kind = 2; kind <= 51; ++kind) {
    auto datenart = static_cast<eKontoDatenArt>(kind);
    std::string file = RttFileLocation(rtt.rtt.Speicher(), "Depot1", "", datenart).file;
    if (!rtt.dateien.FileExists(file)) continue;
    Result<RttContents> contents = rtt.Inhalt("Depot1", "", datenart);
    EXPECT_TRUE(contents.ok() && contents->records.size() == 1u) << file;
    if (!contents.ok() || contents->records.empty()) continue;
    EXPECT_EQ(contents->records[0].time, time);
    written[kind] = {contents->records[0].value, contents->records[0].value2};
  }
  return written;
}

TEST(KursDatenJetztSpeichernTest, FlagsDecideWhichSeriesAreWritten) {
  using Values = std::map<int, std::pair<float, float>>;
  const Values stock = {{26, {3000, 1}}, {27, {2000, 1}}, {28, {1000, 1}},
                        {32, {250, 1}},  {33, {300, 1}},  {34, {-50, 1}}};
  const Values contract = {{29, {-400, 1}}, {30, {-500, 1}}, {31, {100, 1}}};
  const Values capital = {{48, {10850, 0}}, {49, {9850, 0}}};
  auto join = [](std::initializer_list<Values> parts) {
    Values all;
    for (const Values& p : parts) all.insert(p.begin(), p.end());
    return all;
  };
  struct Case {
    bool aktien, open_pl;
    Values expected;
  } cases[] = {
      {false, false, {}},
      {true, false, join({stock, capital})},
      {false, true, join({contract, capital})},
      {true, true, join({stock, contract, capital})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.aktien << c.open_pl);
    testing::SpeicherAufzeichnung rtt;
    clKonto konto;
    FillAccount(konto);
    konto.NeuerAktienwertSpeichern = c.aktien;
    konto.NeuerOpenPLSpeichern = c.open_pl;
    EXPECT_EQ(KursDatenJetztSpeichern(konto, rtt.rtt), c.aktien || c.open_pl);
    EXPECT_FALSE(konto.NeuerAktienwertSpeichern);
    EXPECT_FALSE(konto.NeuerOpenPLSpeichern);
    EXPECT_EQ(Written(rtt, DateValue{45000.25}), c.expected);
    // Without new prices since, nothing more is written.
    EXPECT_FALSE(KursDatenJetztSpeichern(konto, rtt.rtt));
    EXPECT_EQ(Written(rtt, DateValue{45000.25}), c.expected);
  }
}

TEST(KursDatenJetztSpeichernTest, WithoutAStorageFolderTheFlagsAreStillCleared) {
  clKonto konto;
  FillAccount(konto);
  konto.NeuerAktienwertSpeichern = true;
  testing::SpeicherAufzeichnung rtt;
  rtt.rtt.SetzeSpeicher(RttStorage{});
  EXPECT_TRUE(KursDatenJetztSpeichern(konto, rtt.rtt));
  EXPECT_FALSE(konto.NeuerAktienwertSpeichern);
}

}  // namespace
}  // namespace vks
