#include <gtest/gtest.h>

#include <cmath>

#include "accounts/Margin.h"
#include "platform/automation/NoValue.h"
#include "tests/accounts/KontoTestSupport.h"

namespace vks {
namespace {

clTitelPosition& AddPosition(clKonto& konto, const std::string& wkn, int32_t position, float preis,
                             float point_value = 0, float margin = 1) {
  auto p = std::make_shared<clTitelPosition>();
  p->TitelWKN = wkn;
  p->Position = position;
  p->Durchschnittspreis = preis;
  p->PointValue = point_value;
  p->Margin = margin;
  // Bound as the order booking binds it.
  double bound = point_value == 0 ? AktienMargin(preis, position, margin, 1)
                                  : KontraktMargin(margin, position);
  double& margin_gesamt =
      point_value == 0 ? konto.KapitalAktienMarginGesamt : konto.KapitalKontrakteMarginGesamt;
  margin_gesamt += bound;
  konto.CashBetrag -= bound;
  if (point_value == 0) {
    konto.AktienInvestWertGesamt += preis * std::abs(position);
    konto.AktienWertAktuellGesamt += preis * std::abs(position);
  }
  return *konto.cTitelPositionen.Add(wkn, p);
}

class ValuationTest : public test::KontoTest {
 protected:
  void Price(const std::string& wkn, float kurs, double datum = 45700.25) {
    bool sofort = false;
    konto_.NeuerKurs(wkn, DateValue{datum}, kurs, sofort, clock_);
  }
};

// Open P/L and capital follow the host's random prices against an independent model
// (tests/interface/KontoOperationen_random_test.cpp); here which series a price marks for
// recording, and the times it sets.
TEST_F(ValuationTest, APriceMarksTheSeriesOfItsKind) {
  const struct {
    const char *wkn, *gemeldet;  // as the host reports it, in any case
    int32_t position;
    float preis, point_value, margin, kurs;
    double expected_pl;
    bool aktienwert, open_pl;
  } cases[] = {{"DE1", "de1", 10, 100, 0, 1, 110, 100, true, false},
               {"FDAX", "FDAX", -2, 1000, 50, 2500, 990, 1000, false, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.wkn);
    konto_.NeuerAktienwertSpeichern = konto_.NeuerOpenPLSpeichern = false;
    clTitelPosition& p = AddPosition(konto_, c.wkn, c.position, c.preis, c.point_value, c.margin);
    const double cash = konto_.CashBetrag;
    Price(c.gemeldet, c.kurs);
    EXPECT_EQ(p.OpenPL, c.expected_pl);
    EXPECT_EQ(konto_.CashBetrag, cash);
    EXPECT_EQ(p.AktuellerKurs, c.kurs);
    EXPECT_TRUE(p.NeuenKursSpeichern);
    EXPECT_EQ(konto_.NeuerAktienwertSpeichern, c.aktienwert);
    EXPECT_EQ(konto_.NeuerOpenPLSpeichern, c.open_pl);
    // Computer clock without simulated time.
    EXPECT_EQ(konto_.AktuelleZeit, DateValue{46000.75});
    EXPECT_EQ(p.AktuelleZeit, DateValue{46000.75});
  }
}

TEST_F(ValuationTest, NothingHappensWithoutAChange) {
  clTitelPosition& p = AddPosition(konto_, "DE1", 10, 100);
  AddPosition(konto_, "FLAT", 0, 100);
  Price("DE1", 110);
  p.NeuenKursSpeichern = false;
  konto_.NeuerAktienwertSpeichern = false;
  clock_.AdvanceSeconds(60);
  struct Case {
    const char* name;
    std::string wkn;
    float kurs;
    double datum;
  };
  const Case cases[] = {
      {"same price", "DE1", 110, 45700},          {"unknown security", "XX", 120, 45700},
      {"flat position", "FLAT", 120, 45700},      {"NaN price", "DE1", NAN, 45700},
      {"infinite price", "DE1", INFINITY, 45700}, {"NaN time", "DE1", 120, NAN},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Price(c.wkn, c.kurs, c.datum);
    EXPECT_EQ(p.OpenPL, 100);
    EXPECT_EQ(konto_.KapitalAktienOpenPLGesamt, 100);
    EXPECT_FALSE(p.NeuenKursSpeichern);
    EXPECT_FALSE(konto_.NeuerAktienwertSpeichern);
    EXPECT_EQ(konto_.AktuelleZeit, DateValue{46000.75});
  }
}

TEST_F(ValuationTest, SimulatedTimeTakesTheHostsTimeOnlyWhenSet) {
  konto_.UseSimulZeit = true;
  konto_.AktuelleZeit = DateValue{40000};
  clTitelPosition& p = AddPosition(konto_, "DE1", 10, 100);
  Price("DE1", 105, 0);
  EXPECT_EQ(p.OpenPL, 50);
  EXPECT_EQ(konto_.AktuelleZeit, DateValue{40000});
  EXPECT_EQ(p.AktuelleZeit, DateValue{0});
  Price("DE1", 106, 45001.5);
  EXPECT_EQ(konto_.AktuelleZeit, DateValue{45001.5});
  EXPECT_EQ(p.AktuelleZeit, DateValue{45001.5});
}

TEST_F(ValuationTest, ImmediateRecordingLeavesPriceAndFlagsToTheCaller) {
  clTitelPosition& p = AddPosition(konto_, "DE1", 10, 100);
  bool sofort = true;
  konto_.NeuerKurs("DE1", DateValue{1}, 110, sofort, clock_);
  EXPECT_EQ(p.OpenPL, 100);
  EXPECT_EQ(p.AktuellerKurs, NoValue);
  EXPECT_FALSE(p.NeuenKursSpeichern);
  EXPECT_FALSE(konto_.NeuerAktienwertSpeichern);
  EXPECT_TRUE(sofort);
}

TEST_F(ValuationTest, ConversionFactorAppliesOnlyWhenSetAndUsed) {
  struct Case {
    bool use;
    float factor;
    double expected;
  };
  const Case cases[] = {
      {true, 1.5f, 150}, {false, 1.5f, 100}, {true, 0, 100}, {true, NoValue, 100}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.factor);
    clKonto konto;
    konto.UseUmrechnung = c.use;
    clTitelPosition& p = AddPosition(konto, "US1", 10, 100);
    p.AktUmrechnungsWert = c.factor;
    bool sofort = false;
    konto.NeuerKurs("US1", DateValue{1}, 110, sofort, clock_);
    EXPECT_EQ(p.OpenPL, c.expected);
  }
}

TEST(MarginTest, FormulasAndTheirFactors) {
  clKonto konto;
  EXPECT_EQ(KontraktMargin(2500, -3), 7500);
  EXPECT_EQ(AktienMargin(20, -100, 0.5f, 1.25f), 1250);
  EXPECT_EQ(KontraktEnterOrderMargin(2500, 2), 5000);
  EXPECT_EQ(AktienEnterOrderMargin(50, 10, 0.25f, 2), 250);
  EXPECT_EQ(KontraktEnterOrderMargin(2500, -1), -2500);  // released
  EXPECT_EQ(KontraktMargin(1, INT32_MIN), 2147483648.0);
  EXPECT_EQ(MarginUmrechnungsFaktor(konto, 1.25f), 1);
  konto.UseUmrechnung = true;
  EXPECT_EQ(MarginUmrechnungsFaktor(konto, 1.25f), 1);  // margin not converted
  EXPECT_EQ(UmrechnungsFaktor(konto, 1.25f), 1.25f);
  konto.MarginUmrechnen = true;
  EXPECT_EQ(MarginUmrechnungsFaktor(konto, 1.25f), 1.25f);
  EXPECT_EQ(MarginUmrechnungsFaktor(konto, 0), 1);
  EXPECT_EQ(MarginUmrechnungsFaktor(konto, NoValue), 1);
  EXPECT_EQ(GebuchterMarginFaktor(0), 1);
  EXPECT_EQ(GebuchterMarginFaktor(0.8f), 0.8f);
}

TEST(CommissionsTest, RateMinimumMaximumExtraAndConversion) {
  struct Case {
    const char* name;
    float rate;
    bool points;
    float minimum, maximum, extra, factor;
    bool convert_fees;
    int32_t anzahl;
    float kurs;
    float expected;
  };
  const Case cases[] = {
      {"percent with extra", 0.1f, false, 9.9f, 0, 2, 0, false, 1000, 20, 22},
      {"points raised to minimum", 2.5f, true, 15, 0, 0, 0, false, 4, 0, 15},
      {"points, sells count too", 2.5f, true, 0, 0, 0, 0, false, -4, 0, 10},
      {"capped by maximum", 1, false, 0, 50, 0, 0, false, 100, 100, 50},
      {"maximum 0 means none", 1, false, 0, 0, 0, 0, false, 100, 100, 100},
      {"fees converted at the end", 2.5f, true, 15, 0, 1, 1.25f, true, 4, 0, 20},
      {"no factor, no conversion", 2.5f, true, 15, 0, 1, 0, true, 4, 0, 16},
      {"factor without the flag", 2.5f, true, 15, 0, 1, 1.25f, false, 4, 0, 16},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clTitelPosition p;
    p.Commissions = c.rate;
    p.CommissionsArePoints = c.points;
    p.MindestCommissions = c.minimum;
    p.MaximalCommissions = c.maximum;
    p.ZusatzCommissions = c.extra;
    p.AktUmrechnungsWert = c.factor;
    p.UmrechnungAuchGebuehren = c.convert_fees;
    EXPECT_FLOAT_EQ(p.BerechneCommissions(c.anzahl, c.kurs), c.expected);
  }
}

}  // namespace
}  // namespace vks
