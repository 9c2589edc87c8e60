#include "accounts/VerbucheFill.h"

#include <gtest/gtest.h>

#include <random>

#include "fakes/ErrorOf.h"
#include "tests/accounts/KontoTestSupport.h"

namespace vks {
namespace {

clOrderZusatzInfos Stock(float margin_percent = 100) {
  clOrderZusatzInfos z;
  z.Margin = margin_percent;
  z.AktUmrechnungsWert = NoValue;
  return z;
}

clOrderZusatzInfos Contract(float point_value, float margin) {
  clOrderZusatzInfos z;
  z.PointValue = point_value;
  z.Margin = margin;
  z.AktUmrechnungsWert = NoValue;
  return z;
}

class VerbucheFillTest : public test::KontoTest {
 protected:
  void Fill(std::string_view wkn, int16_t aktion, int32_t anzahl, float preis,
            const clOrderZusatzInfos* z) {
    VerbucheFill(konto_, DateValue{45000.5}, wkn, std::string(wkn) + " AG", aktion, anzahl, preis,
                 z, umgebung_);
  }
  const clTitelPosition* Pos(std::string_view wkn) {
    auto* found = konto_.cTitelPositionen.Find(wkn);
    return found ? found->get() : nullptr;
  }
};

TEST_F(VerbucheFillTest, BuyingAndSellingAStock) {
  konto_.KontoName = "Aktien";
  const auto z = Stock();
  Fill("DE1", 1, 10, 100, &z);
  ASSERT_NE(Pos("DE1"), nullptr);
  EXPECT_EQ(Pos("DE1")->Position, 10);
  EXPECT_EQ(Pos("DE1")->Durchschnittspreis, 100);
  EXPECT_EQ(konto_.CashBetrag, 9000);
  EXPECT_EQ(konto_.KapitalAktienMarginGesamt, 1000);
  EXPECT_EQ(konto_.AktienInvestWertGesamt, 1000);
  EXPECT_EQ(konto_.AnzahlPositionen, 1);
  EXPECT_EQ(konto_.AktienPositionen, 1);
  EXPECT_EQ(konto_.BerechneGesamtKapital(), 10000);

  Fill("DE1", -1, 10, 110, nullptr);
  EXPECT_EQ(Pos("DE1"), nullptr);
  EXPECT_EQ(konto_.CashBetrag, 10100);
  EXPECT_EQ(konto_.BerechneGesamtKapital(), 10100);
  for (double total : {konto_.KapitalAktienMarginGesamt, konto_.AktienInvestWertGesamt,
                       konto_.AktienWertAktuellGesamt, konto_.KapitalAktienOpenPLGesamt})
    EXPECT_EQ(total, 0);
  EXPECT_EQ(konto_.AnzahlPositionen, 0);
  EXPECT_EQ(konto_.AktienPositionen, 0);
  // Position history: average price and size after each fill, at the computer clock.
  auto history = Records(dTitelPos, "DE1");
  ASSERT_EQ(history.size(), 2u);
  EXPECT_EQ(history[0].value, 100);
  EXPECT_EQ(history[0].value2, 10);
  EXPECT_EQ(history[1].value2, 0);
  EXPECT_EQ(history[1].time.days, 46000.75);
  auto cash = Records(dKapitalCash);
  ASSERT_EQ(cash.size(), 2u);
  EXPECT_EQ(cash[1].value, 10100);
  EXPECT_EQ(cash[1].value2, 0);
}

TEST_F(VerbucheFillTest, ContractsBindMarginPerContract) {
  konto_.KontoName = "Kontrakte";
  konto_.UseUmrechnung = konto_.MarginUmrechnen = true;  // ignored for contracts
  auto z = Contract(50, 5000);
  z.AktUmrechnungsWert = 2;
  Fill("FDAX", 1, 2, 1000, &z);
  EXPECT_EQ(konto_.CashBetrag, 0);
  EXPECT_EQ(konto_.KapitalKontrakteMarginGesamt, 10000);
  EXPECT_EQ(konto_.KontraktAnzahl, 2);
  EXPECT_EQ(konto_.BerechneGesamtKapital(), 10000);
  bool sofort = false;
  konto_.NeuerKurs("FDAX", DateValue{1}, 1010, sofort, clock_);
  EXPECT_EQ(Pos("FDAX")->OpenPL, 2000);  // 10 points × 2 × 50 × factor 2
  EXPECT_EQ(konto_.BerechneGesamtKapital(), 12000);
  Fill("FDAX", -1, 2, 1010, nullptr);
  EXPECT_EQ(konto_.CashBetrag, 12000);
  EXPECT_EQ(Pos("FDAX"), nullptr);
  EXPECT_EQ(konto_.KontraktAnzahl, 0);
  EXPECT_EQ(konto_.KapitalKontrakteMarginGesamt, 0);
}

TEST_F(VerbucheFillTest, ReversalAndShortAveraging) {
  konto_.KontoName = "Wende";
  const auto z = Stock(50);
  Fill("DE1", 1, 10, 100, &z);
  Fill("DE1", -1, 15, 120, nullptr);
  const clTitelPosition* p = Pos("DE1");
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->Position, -5);
  EXPECT_EQ(p->Durchschnittspreis, 120);
  EXPECT_EQ(konto_.AnzahlPositionen, 1);
  EXPECT_EQ(konto_.AnzahlShortPositionen, 1);
  EXPECT_EQ(konto_.AktienPositionenShort, 1);
  EXPECT_EQ(konto_.AktienInvestWertShort, 600);
  EXPECT_EQ(konto_.KapitalAktienMarginShort, 300);
  Fill("DE1", -1, 15, 80, nullptr);
  EXPECT_EQ(p->Position, -20);
  EXPECT_EQ(p->Durchschnittspreis, 90);  // (120 × 5 + 80 × 15) / 20
  EXPECT_EQ(konto_.AktienInvestWertGesamt, 1800);
  Fill("DE1", 1, 25, 90, nullptr);
  EXPECT_EQ(p->Position, 5);
  EXPECT_EQ(konto_.AnzahlShortPositionen, 0);
  EXPECT_EQ(konto_.AnzahlPositionen, 1);
}

TEST_F(VerbucheFillTest, CommissionsOnlyWhenUsed) {
  konto_.KontoName = "Gebühren";
  auto z = Stock();
  z.Commissions = 0.1f;
  z.MindestCommissions = 9.9f;
  z.ZusatzCommissions = 2;
  Fill("DE1", 1, 1000, 5, &z);
  EXPECT_EQ(konto_.PaidCommissions, 0);
  EXPECT_EQ(konto_.CashBetrag, 5000);
  konto_.UseCommissions = true;
  Fill("DE1", 1, 1000, 5, &z);  // 0.1 % of 5000 = 5, raised to 9.9, plus 2
  EXPECT_FLOAT_EQ(static_cast<float>(konto_.PaidCommissions), 11.9f);
  EXPECT_NEAR(konto_.CashBetrag, 5000 - 5000 - 11.9, 1e-4);
  auto paid = Records(dPaidCommissions);
  ASSERT_EQ(paid.size(), 1u);
  EXPECT_FLOAT_EQ(paid[0].value2, 11.9f);
}

// A fill of nothing is ignored; one at a price that is no number is refused; either leaves the
// account as it was. A position beyond a Long is an overflow, which stops the booking where it
// happened (the callers keep the account whole); the position keeps its size.
TEST_F(VerbucheFillTest, RefusedFillsChangeNothing) {
  konto_.KontoName = "Nichts";
  const auto stock = Stock();
  const struct {
    const char* name;
    int32_t anzahl;
    float preis;
    int error;  // 0: ignored
  } cases[] = {
      {"nothing", 0, 100, 0},
      {"negative quantity", -5, 100, 0},
      {"NaN price", 5, NAN, 5},
      {"infinite price", 5, INFINITY, 5},
  };
  const Variant before = konto_.WriteAllProperties();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(testing::ErrorOf([&] { Fill("DE1", 1, c.anzahl, c.preis, &stock); }), c.error);
    EXPECT_EQ(konto_.WriteAllProperties(), before);
  }
  const auto contract = Contract(1, 0);
  Fill("X", 1, INT32_MAX, 1, &contract);
  EXPECT_EQ(testing::ErrorOf([&] { Fill("X", 1, 1, 1, &contract); }), 6);
  EXPECT_EQ(Pos("X")->Position, INT32_MAX);
}

// A fill moves money between cash, margin and open P/L; at the price the position already has,
// only the commission leaves the account.
TEST_F(VerbucheFillTest, FillsKeepTheTotalCapitalApartFromCommissions) {
  konto_.KontoName = "Zufall";
  konto_.UseCommissions = konto_.UseUmrechnung = konto_.MarginUmrechnen = true;
  std::mt19937 random(11);
  std::uniform_int_distribution<int> pick(0, 3), size(1, 40), side(0, 1);
  std::uniform_real_distribution<float> price(50, 150);
  clOrderZusatzInfos terms[4] = {Stock(100), Stock(30), Contract(25, 2000), Contract(10, 500)};
  terms[1].AktUmrechnungsWert = 1.1f;
  terms[2].Commissions = 2.5f;
  terms[2].CommissionsArePoints = true;
  terms[3].AktUmrechnungsWert = 0.9f;
  terms[0].Commissions = 0.25f;
  for (int step = 0; step < 500; ++step) {
    SCOPED_TRACE(step);
    const int i = pick(random);
    const std::string wkn = "W" + std::to_string(i);
    const float p = price(random);
    bool sofort = false;
    konto_.NeuerKurs(wkn, DateValue{1}, p, sofort, clock_);
    const double before = konto_.BerechneGesamtKapital();
    const double paid = konto_.PaidCommissions;
    Fill(wkn, side(random) ? 1 : -1, size(random), p, &terms[i]);
    ASSERT_NEAR(konto_.BerechneGesamtKapital(), before - (konto_.PaidCommissions - paid), 1e-6);
  }
  // Closing everything leaves all capital as cash.
  for (int i = 0; i < 4; ++i) {
    const std::string wkn = "W" + std::to_string(i);
    if (const clTitelPosition* p = Pos(wkn))
      Fill(wkn, p->Position > 0 ? -1 : 1, std::abs(p->Position), p->AktuellerKurs, nullptr);
  }
  EXPECT_EQ(konto_.cTitelPositionen.Count(), 0u);
  EXPECT_NEAR(konto_.CashBetrag, konto_.BerechneGesamtKapital(), 1e-6);
  EXPECT_NEAR(konto_.KapitalAktienMarginGesamt + konto_.KapitalKontrakteMarginGesamt, 0, 1e-6);
  EXPECT_EQ(konto_.AnzahlPositionen, 0);
  EXPECT_EQ(konto_.KontraktAnzahl, 0);
}

}  // namespace
}  // namespace vks
