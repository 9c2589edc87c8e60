#include <gtest/gtest.h>

#include <cmath>
#include <random>

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

TEST_F(ValuationTest, LongStockRevaluesOpenProfitNotCash) {
  clTitelPosition& p = AddPosition(konto_, "DE1", 10, 100);
  const double cash = konto_.CashBetrag, total = konto_.BerechneGesamtKapital(),
               available = konto_.BerechneVerfuegbarKapital();
  Price("de1", 110);
  EXPECT_EQ(p.OpenPL, 100);
  EXPECT_EQ(konto_.KapitalAktienOpenPLGesamt, 100);
  EXPECT_EQ(konto_.KapitalAktienOpenPLShort, 0);
  EXPECT_EQ(konto_.AktienWertAktuellGesamt, 1100);
  EXPECT_EQ(konto_.CashBetrag, cash);
  EXPECT_EQ(konto_.BerechneGesamtKapital(), total + 100);
  EXPECT_EQ(konto_.BerechneVerfuegbarKapital(), available + 100);
  EXPECT_EQ(p.AktuellerKurs, 110);
  EXPECT_TRUE(p.NeuenKursSpeichern);
  EXPECT_TRUE(konto_.NeuerAktienwertSpeichern);
  EXPECT_FALSE(konto_.NeuerOpenPLSpeichern);
  // Computer clock without simulated time.
  EXPECT_EQ(konto_.AktuelleZeit, DateValue{46000.75});
  EXPECT_EQ(p.AktuelleZeit, DateValue{46000.75});
}

TEST_F(ValuationTest, ShortContractUsesPointValueAndShortTotals) {
  clTitelPosition& p = AddPosition(konto_, "FDAX", -2, 1000, 50, 2500);
  Price("FDAX", 990);
  EXPECT_EQ(p.OpenPL, 1000);
  EXPECT_EQ(konto_.KapitalKontrakteOpenPLGesamt, 1000);
  EXPECT_EQ(konto_.KapitalKontrakteOpenPLShort, 1000);
  EXPECT_TRUE(konto_.NeuerOpenPLSpeichern);
  EXPECT_FALSE(konto_.NeuerAktienwertSpeichern);
  Price("FDAX", 1010);
  EXPECT_EQ(p.OpenPL, -1000);
  EXPECT_EQ(konto_.KapitalKontrakteOpenPLShort, -1000);
  EXPECT_EQ(konto_.KapitalKontrakteMarginGesamt, 5000);  // prices never move margin
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

// Prices move only open profit and loss: after any walk of prices the capital differs from the
// start by the sum of the positions' open P/L, and back at the entry prices it is where it began.
TEST_F(ValuationTest, CapitalFollowsOnlyPricesOnAMixedAccount) {
  konto_.UseUmrechnung = true;
  struct Spec {
    const char* wkn;
    int32_t position;
    float preis, point_value, margin, factor;
  };
  const Spec specs[] = {{"A", 100, 12.5f, 0, 0.5f, 1},
                        {"B", -40, 80.25f, 0, 1, 1.1f},
                        {"C", 3, 15000, 25, 5000, 0},
                        {"D", -7, 101.5f, 1000, 3000, 0.9f},
                        {"E", 250, 3.75f, 0, 0.25f, 0.0f}};
  for (const Spec& s : specs)
    AddPosition(konto_, s.wkn, s.position, s.preis, s.point_value, s.margin).AktUmrechnungsWert =
        s.factor;
  const double start = konto_.BerechneGesamtKapital();
  const double cash = konto_.CashBetrag;
  std::mt19937 random(7);
  std::uniform_int_distribution<int> pick(0, 4);
  std::uniform_real_distribution<float> move(0.8f, 1.2f);
  for (int step = 0; step < 2000; ++step) {
    const Spec& s = specs[pick(random)];
    Price(s.wkn, s.preis * move(random));
    double open_pl = 0;
    for (const auto& entry : konto_.cTitelPositionen) open_pl += entry.value->OpenPL;
    ASSERT_NEAR(konto_.BerechneGesamtKapital() - start, open_pl, 1e-6);
    ASSERT_EQ(konto_.CashBetrag, cash);
  }
  for (const Spec& s : specs) Price(s.wkn, s.preis);
  EXPECT_NEAR(konto_.BerechneGesamtKapital(), start, 1e-6);
  EXPECT_NEAR(konto_.KapitalAktienOpenPLShort + konto_.KapitalKontrakteOpenPLShort, 0, 1e-6);
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
