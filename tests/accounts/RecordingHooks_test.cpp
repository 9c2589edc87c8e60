#include <gtest/gtest.h>

#include "tests/accounts/KontoTestSupport.h"

namespace vks {
namespace {

using RecordingHooksTest = test::KontoTest;

// The initial values of a new account, ten passes over five days, are the kept session's
// (tests/interface/GleicheBytes_test); here one pass, and values that are not 0.
TEST_F(RecordingHooksTest, InitialValuesEndAtTheAccountsTime) {
  konto_.KontoName = "Eins";
  konto_.AktuelleZeit = DateValue{45000.5};
  konto_.CashBetrag = 9000;
  konto_.KapitalAktienMarginGesamt = 1000;
  konto_.KapitalAktienMarginShort = 250;
  konto_.AnzahlPositionen = 3;
  konto_.AnzahlShortPositionen = 1;
  konto_.PaidCommissions = 12.5;
  konto_.SchreibeInitRTTWerte(true, umgebung_);
  for (int art = 2; art <= 50; ++art) {
    SCOPED_TRACE(art);
    auto records = Records(static_cast<eKontoDatenArt>(art));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].time.days, 45000.5);
  }
  EXPECT_TRUE(Records(dTitelPos).empty());
  EXPECT_TRUE(Records(dPlatzierenVerhindert).empty());
  struct Value {
    eKontoDatenArt art;
    float wert, wert2;
  };
  const Value values[] = {{dKapitalCash, 9000, 0},
                          {dKapitalGesamtKapital, 10000, 0},
                          {dKapitalVerfuegbarKapital, 9000, 0},
                          {dKapitalAktienMargin, 1000, 1},
                          {dKapitalAktienMarginLong, 750, 1},
                          {dKapitalAktienMarginShort, 250, 1},
                          {dPaidCommissions, 12.5f, 12.5f},
                          {dAnzahlLongPositionen, 2, 1}};
  for (const Value& v : values) {
    SCOPED_TRACE(v.art);
    auto records = Records(v.art);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.back().value, v.wert);
    EXPECT_EQ(records.back().value2, v.wert2);
  }
}

// A reset records at the computer's clock, or with simulated time at the account's own.
TEST_F(RecordingHooksTest, ResetClosesSeriesWithZerosAndKeepsFlatPositions) {
  for (bool simul : {false, true}) {
    SCOPED_TRACE(simul ? "simulated time" : "computer clock");
    const double zeit = simul ? 44000.25 : 46000.75;
    konto_.KontoName = simul ? "Simul" : "Reset";
    konto_.UseSimulZeit = simul;
    konto_.AktuelleZeit = DateValue{44000.25};
    konto_.CashBetrag = 5000;
    konto_.cTitelPositionen.RemoveAll();
    Position("DE1", 10, 101.5f);
    Position("DE2", -3, 20);
    konto_.AlleRTTDatenZuruecksetzen(umgebung_);
    EXPECT_EQ(konto_.AktuelleZeit, DateValue{zeit});
    EXPECT_EQ(konto_.cTitelPositionen.Count(), 2u);
    EXPECT_EQ(konto_.cTitelPositionen.Item("DE1")->Position, 0);
    EXPECT_EQ(konto_.CashBetrag, 5000);
    auto pos = Records(dTitelPos, "DE1");
    ASSERT_EQ(pos.size(), 1u);
    EXPECT_EQ(pos[0].value, 101.5f);
    EXPECT_EQ(pos[0].value2, 0);
    EXPECT_EQ(pos[0].time.days, zeit);
    for (int art = 2; art <= 51; ++art) {
      SCOPED_TRACE(art);
      auto records = Records(static_cast<eKontoDatenArt>(art));
      bool written = !(art >= 8 && art <= 13) && art != 47 && art != 50 && art != 51;
      ASSERT_EQ(records.size(), written ? 1u : 0u);
      if (!written) continue;
      EXPECT_EQ(records[0].value, 0);
      EXPECT_EQ(records[0].value2, art == 48 || art == 49 ? 0 : 1);
      EXPECT_EQ(records[0].time.days, zeit);
    }
  }
}

}  // namespace
}  // namespace vks
