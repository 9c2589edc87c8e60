#include <gtest/gtest.h>

#include "accounts/KontoUmgebung.h"
#include "accounts/clKonto.h"
#include "fakes/FakeClock.h"
#include "fakes/SpeicherAufzeichnung.h"
#include "recording/RttFileName.h"
#include "recording/RttReader.h"

namespace vks {
namespace {

class RecordingHooksTest : public ::testing::Test {
 protected:
  std::vector<RttRecord> Records(eKontoDatenArt art, std::string_view wkn = "") {
    auto contents = rtt_.Inhalt(konto_.KontoName, wkn, art);
    if (!contents.ok()) return {};
    EXPECT_TRUE(contents->well_formed);
    return contents->records;
  }
  void AddPosition(const std::string& wkn, int32_t size, float preis) {
    auto p = std::make_shared<clTitelPosition>();
    p->TitelWKN = wkn;
    p->TitelName = wkn + " AG";
    p->Position = size;
    p->Durchschnittspreis = preis;
    konto_.cTitelPositionen.Add(wkn, p);
  }

  testing::SpeicherAufzeichnung rtt_;
  testing::FakeClock clock_{46000.75};
  KontoUmgebung umgebung_{clock_, rtt_.rtt};
  clKonto konto_;
};

TEST_F(RecordingHooksTest, TenPassesOverFiveDaysEndAtTheAccountsTime) {
  konto_.KontoName = "Müller-Depot";
  konto_.AktuelleZeit = DateValue{45000.5};
  konto_.CashBetrag = 9000;
  konto_.KapitalAktienMarginGesamt = 1000;
  konto_.KapitalAktienMarginShort = 250;
  konto_.AnzahlPositionen = 3;
  konto_.AnzahlShortPositionen = 1;
  konto_.PaidCommissions = 12.5;
  konto_.SchreibeInitRTTWerte(false, umgebung_);

  const double minute = 0.000694444444444442;
  std::vector<double> expected_times;
  for (int day = 4; day >= 0; --day) {
    expected_times.push_back(45000.5 - day - minute);
    expected_times.push_back(45000.5 - day);
  }
  for (int art = 2; art <= 50; ++art) {
    SCOPED_TRACE(art);
    auto records = Records(static_cast<eKontoDatenArt>(art));
    ASSERT_EQ(records.size(), 10u);
    for (size_t i = 0; i < records.size(); ++i) EXPECT_EQ(records[i].time.days, expected_times[i]);
  }
  EXPECT_TRUE(Records(dTitelPos).empty());
  EXPECT_TRUE(Records(dPlatzierenVerhindert).empty());
  struct Value {
    eKontoDatenArt art;
    float wert, wert2;
  };
  const Value values[] = {
      {dKapitalCash, 9000, 0},
      {dKapitalGesamtKapital, 10000, 0},
      {dKapitalVerfuegbarKapital, 9000, 0},
      {dKapitalAktienMargin, 1000, 1},
      {dKapitalAktienMarginLong, 750, 1},
      {dKapitalAktienMarginShort, 250, 1},
      {dPaidCommissions, 12.5f, 12.5f},
      {dAnzahlLongPositionen, 2, 1},
      {dFilledOrders, 0, 0},
      {dFilledEnterShortOrders, 0, 0},
      {dEnterOrdersAktienMarginShort, 0, 1},
  };
  for (const Value& v : values) {
    SCOPED_TRACE(v.art);
    auto records = Records(v.art);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.back().value, v.wert);
    EXPECT_EQ(records.back().value2, v.wert2);
  }
}

TEST_F(RecordingHooksTest, OnePassAtTheAccountsTime) {
  konto_.KontoName = "Eins";
  konto_.AktuelleZeit = DateValue{45000.5};
  konto_.SchreibeInitRTTWerte(true, umgebung_);
  auto records = Records(dKapitalCash);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].time.days, 45000.5);
  EXPECT_EQ(records[0].value, 10000);
}

TEST_F(RecordingHooksTest, ResetClosesSeriesWithZerosAndKeepsFlatPositions) {
  konto_.KontoName = "Reset";
  konto_.CashBetrag = 5000;
  AddPosition("DE1", 10, 101.5f);
  AddPosition("DE2", -3, 20);
  konto_.AlleRTTDatenZuruecksetzen(umgebung_);
  EXPECT_EQ(konto_.AktuelleZeit, DateValue{46000.75});  // computer clock
  EXPECT_EQ(konto_.cTitelPositionen.Count(), 2u);
  EXPECT_EQ(konto_.cTitelPositionen.Item("DE1")->Position, 0);
  EXPECT_EQ(konto_.CashBetrag, 5000);
  auto pos = Records(dTitelPos, "DE1");
  ASSERT_EQ(pos.size(), 1u);
  EXPECT_EQ(pos[0].value, 101.5f);
  EXPECT_EQ(pos[0].value2, 0);
  for (int art = 2; art <= 51; ++art) {
    SCOPED_TRACE(art);
    auto records = Records(static_cast<eKontoDatenArt>(art));
    bool written = !(art >= 8 && art <= 13) && art != 47 && art != 50 && art != 51;
    ASSERT_EQ(records.size(), written ? 1u : 0u);
    if (!written) continue;
    EXPECT_EQ(records[0].value, 0);
    EXPECT_EQ(records[0].value2, art == 48 || art == 49 ? 0 : 1);
    EXPECT_EQ(records[0].time.days, 46000.75);
  }
}

TEST_F(RecordingHooksTest, ResetWithSimulatedTimeKeepsTheAccountsTime) {
  konto_.KontoName = "Simul";
  konto_.UseSimulZeit = true;
  konto_.AktuelleZeit = DateValue{44000.25};
  konto_.AlleRTTDatenZuruecksetzen(umgebung_);
  EXPECT_EQ(konto_.AktuelleZeit, DateValue{44000.25});
  EXPECT_TRUE(Records(dTitelPos, "DE1").empty());
  EXPECT_EQ(Records(dAnzahlPositionen).at(0).time.days, 44000.25);
}

}  // namespace
}  // namespace vks
