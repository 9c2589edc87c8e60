// The account's values: dates, metrics, margins, commissions, and the series that a new account,
// a reset and new prices write.
#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <map>
#include <set>

#include "accounts/Eingabepruefung.h"
#include "accounts/KontoKennzahl.h"
#include "accounts/KursDatenJetztSpeichern.h"
#include "accounts/Margin.h"
#include "fakes/ErrorOf.h"
#include "platform/automation/NoValue.h"
#include "tests/accounts/KontoTest.h"

namespace vks {
namespace {

// The edges of the years 100 to 9999; before the epoch the fraction counts forward from midnight.
TEST(IstGueltigesDatumTest, YearsOneHundredToNineThousandNineHundredNinetyNine) {
  const struct {
    double days;
    bool gueltig;
  } kCases[] = {
      {0, true},         {-657434, true},    {-657434.99999, true}, {2958465.99999, true},
      {-657435, false},  {2958466, false},   {1e308, false},        {-1e308, false},
      {INFINITY, false}, {-INFINITY, false}, {NAN, false},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(::testing::Message() << std::setprecision(17) << c.days);
    EXPECT_EQ(IstGueltigesDatum(DateValue{c.days}), c.gueltig);
  }
}

// Every field gets its own value, so that a metric reading the wrong field or the wrong side shows.
void FillDistinct(clKonto& k) {
  using K = clKonto;
  const std::pair<int32_t K::*, int32_t> longs[] = {
      {&K::OffeneLongOrders, 3},       {&K::OffeneShortOrders, 5},
      {&K::OffeneLongEnterOrders, 7},  {&K::OffeneShortEnterOrders, 11},
      {&K::FilledLongOrders, 13},      {&K::FilledShortOrders, 17},
      {&K::FilledEnterLongOrders, 19}, {&K::FilledEnterShortOrders, 23},
      {&K::AnzahlPositionen, 9},       {&K::AnzahlShortPositionen, 4},
      {&K::AktienPositionen, 6},       {&K::AktienPositionenShort, 1},
      {&K::KontraktAnzahl, 30},        {&K::KontraktAnzahlShort, 12}};
  const std::pair<double K::*, double> doubles[] = {
      {&K::EnterOrderMarginGesamt, 100.5},      {&K::EnterOrderMarginShort, 40.25},
      {&K::EnterOrderAktienMarginGesamt, 80},   {&K::EnterOrderAktienMarginShort, 30.5},
      {&K::AktienInvestWertGesamt, 5000},       {&K::AktienInvestWertShort, 1250},
      {&K::AktienWertAktuellGesamt, 5200},      {&K::AktienWertAktuellShort, 1300},
      {&K::KapitalAktienOpenPLGesamt, 200},     {&K::KapitalAktienOpenPLShort, -50},
      {&K::KapitalAktienMarginGesamt, 2500},    {&K::KapitalAktienMarginShort, 625},
      {&K::KapitalKontrakteOpenPLGesamt, -75},  {&K::KapitalKontrakteOpenPLShort, 25},
      {&K::KapitalKontrakteMarginGesamt, 3000}, {&K::KapitalKontrakteMarginShort, 1000}};
  for (const auto& [member, n] : longs) k.*member = n;
  for (const auto& [member, x] : doubles) k.*member = x;
  k.CashBetrag = 4321.5;
  k.PaidCommissions = 12.75;
}

TEST(KontoKennzahlTest, EveryMetricReadsItsFieldsWithItsType) {
  clKonto k;
  FillDistinct(k);
  // Each count (a Long) and amount (a Double) with its long and short parts; capital is cash, open
  // P/L and margins, available capital the same without the margins; the rest Empty.
  const struct {
    int32_t gesamt, lang, kurz;
    Variant x, xl, xs;
  } rows[] = {
      {eOpenOrders, eOpenLOrders, eOpenSOrders, 8, 3, 5},
      {eOpenEnterOrders, eOpenLEnterOrders, eOpenSEnterOrders, 18, 7, 11},
      {eFilledOrders, eFilledLOrders, eFilledSOrders, 30, 13, 17},
      {eFilledEnterOrders, eFilledLEnterOrders, eFilledSEnterOrders, 42, 19, 23},
      {eAnzahlPositionen, eAnzahlLPositionen, eAnzahlSPositionen, 9, 5, 4},
      {eAktienPositionen, eAktienLPositionen, eAktienSPositionen, 6, 5, 1},
      {eKontraktAnzahl, eKontraktLAnzahl, eKontraktSAnzahl, 30, 18, 12},
      {0, eEnterOrderMarginLong, eEnterOrderMarginShort, Variant(), 60.25, 40.25},
      {-1, eEnterOrderAktienMarginLong, eEnterOrderAktienMarginShort, Variant(), 49.5, 30.5},
      {eAktienInvestWert, eAktienInvestLWert, eAktienInvestSWert, 5000.0, 3750.0, 1250.0},
      {eAktienAktuellWert, eAktienAktuellLWert, eAktienAktuellSWert, 5200.0, 3900.0, 1300.0},
      {eAktienOpenPL, eAktienLOpenPL, eAktienSOpenPL, 200.0, 250.0, -50.0},
      {eAktienMargin, eAktienLMargin, eAktienSMargin, 2500.0, 1875.0, 625.0},
      {eKontrakteOpenPL, eKontrakteLOpenPL, eKontrakteSOpenPL, -75.0, -100.0, 25.0},
      {eKontrakteMargin, eKontrakteLMargin, eKontrakteSMargin, 3000.0, 2000.0, 1000.0},
      {eFreiesKapital, eGesamtKapital, eVerfuegbarKapital, 4321.5, 9946.5, 4446.5},
      {ebezahltegebuehren, ePlatzierenVerhindert, 49, 12.75, Variant(), Variant()},
      {INT32_MIN, INT32_MIN, INT32_MIN, Variant(), Variant(), Variant()},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.gesamt);
    EXPECT_EQ(GetKontoKennzahl(k, r.gesamt), r.x);
    EXPECT_EQ(GetKontoKennzahl(k, r.lang), r.xl);
    EXPECT_EQ(GetKontoKennzahl(k, r.kurz), r.xs);
  }
}

TEST(KontoKennzahlTest, SumsBeyondTheLongRangeOverflow) {
  clKonto k;
  k.OffeneLongOrders = INT32_MAX;
  k.OffeneShortOrders = 1;
  EXPECT_EQ(testing::ErrorOf([&] { (void)GetKontoKennzahl(k, eOpenOrders); }), 6);
}

TEST(KontoKennzahlTest, TheNameListHoldsAll48EntriesInNumberOrder) {
  KeyedDictionary<Variant> liste;
  FuelleKennzahlenListe(liste);
  ASSERT_EQ(liste.Count(), 48u);
  const auto entry = [](std::string name, int32_t n, int16_t kategorie) {
    return Variant(VariantArray::Vector(0, {Variant(name), Variant(n), Variant(kategorie)}));
  };
  EXPECT_EQ(liste.Item("KeineEnterOrder"), entry("Keine Enter Order", 48, 1));
  EXPECT_EQ(liste.Item("VERFÜGBARESKAPITAL"), entry("Verfügbares Kapital", 46, 5));
  EXPECT_EQ(liste.Item("EnterOrderMarginLong"), entry("Enter Order Margin Long", 22, 4));
  const std::vector<std::string> keys = liste.Keys();
  EXPECT_EQ(keys[0], "OffeneOrders");
  EXPECT_EQ(keys[25], "AktienInvestitionswert");
  EXPECT_EQ(keys[46], "BezahlteGebuehren");
  int32_t expected = 1;
  for (const auto& e : liste) {
    EXPECT_EQ(e.value.AsArray().At(1), Variant(expected++)) << e.key;
  }
}

TEST(KontoKennzahlTest, AListHoldingAKeyAlreadyFailsWithTheDictionaryError) {
  KeyedDictionary<Variant> liste;
  liste.Add("positionen", Variant(1));
  EXPECT_EQ(testing::ErrorOf([&] { FuelleKennzahlenListe(liste); }), 457);
  EXPECT_EQ(liste.Count(), 13u);  // the twelve before "Positionen" and the caller's own
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
  // Terms: rate, in points, minimum, maximum, extra, factor, fees converted.
  const auto terms = [](float rate, bool points, float minimum, float maximum, float extra,
                        float factor, bool convert) {
    return clOrderZusatzInfos{0, {}, 0, rate, points, minimum, maximum, extra, factor, convert};
  };
  const struct {
    const char* name;
    clOrderZusatzInfos terms;
    int32_t anzahl;
    float kurs, expected;
  } cases[] = {
      {"percent with extra", terms(0.1f, false, 9.9f, 0, 2, 0, false), 1000, 20, 22},
      {"points raised to minimum", terms(2.5f, true, 15, 0, 0, 0, false), 4, 0, 15},
      {"points, sells count too", terms(2.5f, true, 0, 0, 0, 0, false), -4, 0, 10},
      {"capped by maximum", terms(1, false, 0, 50, 0, 0, false), 100, 100, 50},
      {"maximum 0 means none", terms(1, false, 0, 0, 0, 0, false), 100, 100, 100},
      {"fees converted at the end", terms(2.5f, true, 15, 0, 1, 1.25f, true), 4, 0, 20},
      {"no factor, no conversion", terms(2.5f, true, 15, 0, 1, 0, true), 4, 0, 16},
      {"factor without the flag", terms(2.5f, true, 15, 0, 1, 1.25f, false), 4, 0, 16},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    clTitelPosition p;
    p.SchreibeZusatzInfos(c.terms);
    EXPECT_FLOAT_EQ(p.BerechneCommissions(c.anzahl, c.kurs), c.expected);
  }
}

using RecordingHooksTest = KontoTest;

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
  for (int art = 2; art <= 50; ++art) EXPECT_EQ(std::get<0>(Einzig(art)), 45000.5) << art;
  EXPECT_TRUE(Records(dTitelPos).empty());
  EXPECT_TRUE(Records(dPlatzierenVerhindert).empty());
  const std::tuple<int, float, float> values[] = {{dKapitalCash, 9000, 0},
                                                  {dKapitalGesamtKapital, 10000, 0},
                                                  {dKapitalVerfuegbarKapital, 9000, 0},
                                                  {dKapitalAktienMargin, 1000, 1},
                                                  {dKapitalAktienMarginLong, 750, 1},
                                                  {dKapitalAktienMarginShort, 250, 1},
                                                  {dPaidCommissions, 12.5f, 12.5f},
                                                  {dAnzahlLongPositionen, 2, 1}};
  for (const auto& [art, wert, wert2] : values)
    EXPECT_EQ(Einzig(art), std::tuple(45000.5, wert, wert2)) << art;
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
    EXPECT_EQ(Einzig(dTitelPos, "DE1"), std::tuple(zeit, 101.5f, 0.0f));
    std::set<int> written;
    for (int art = 2; art <= 51; ++art) {
      if ((art >= 8 && art <= 13) || art == 47 || art >= 50) continue;
      written.insert(art);
      EXPECT_EQ(Einzig(art), std::tuple(zeit, 0.0f, art == 48 || art == 49 ? 0.0f : 1.0f)) << art;
    }
    EXPECT_EQ(Geschrieben(), written);
  }
}

// Cash 10 000; stock value 3 000 of which 1 000 short; stock open P/L 250 of which -50 short;
// contract open P/L -400 of which 100 short; margins 700 (contracts) and 300 (stocks). Each series
// written gets one record at the account's time.
TEST_F(KontoTest, NewPricesDecideWhichSeriesAreWritten) {
  konto_.KontoName = "Depot1";
  konto_.AktuelleZeit = DateValue{45000.25};
  konto_.CashBetrag = 10000;
  konto_.AktienWertAktuellGesamt = 3000;
  konto_.AktienWertAktuellShort = 1000;
  konto_.KapitalAktienOpenPLGesamt = 250;
  konto_.KapitalAktienOpenPLShort = -50;
  konto_.KapitalKontrakteOpenPLGesamt = -400;
  konto_.KapitalKontrakteOpenPLShort = 100;
  konto_.KapitalKontrakteMarginGesamt = 700;
  konto_.KapitalAktienMarginGesamt = 300;
  using Values = std::map<int, std::pair<float, float>>;
  const Values stock = {{26, {3000, 1}}, {27, {2000, 1}}, {28, {1000, 1}},
                        {32, {250, 1}},  {33, {300, 1}},  {34, {-50, 1}}};
  const Values contract = {{29, {-400, 1}}, {30, {-500, 1}}, {31, {100, 1}}};
  const Values capital = {{48, {10850, 0}}, {49, {9850, 0}}};
  const auto join = [](std::initializer_list<Values> parts) {
    Values all;
    for (const Values& p : parts) all.insert(p.begin(), p.end());
    return all;
  };
  const auto written = [&] {
    Values values;
    for (int art : Geschrieben()) {
      const auto [zeit, wert, wert2] = Einzig(art);
      EXPECT_EQ(zeit, 45000.25);
      values[art] = {wert, wert2};
    }
    return values;
  };
  const struct {
    bool aktien, open_pl;
    Values expected;
  } cases[] = {
      {false, false, {}},
      {true, false, join({stock, capital})},
      {false, true, join({contract, capital})},
      {true, true, join({stock, contract, capital})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.aktien << c.open_pl);
    rtt_.dateien.files.clear();
    konto_.NeuerAktienwertSpeichern = c.aktien;
    konto_.NeuerOpenPLSpeichern = c.open_pl;
    EXPECT_EQ(KursDatenJetztSpeichern(konto_, rtt_.rtt), c.aktien || c.open_pl);
    EXPECT_FALSE(konto_.NeuerAktienwertSpeichern || konto_.NeuerOpenPLSpeichern);
    EXPECT_EQ(written(), c.expected);
    // Without new prices since, nothing more is written.
    EXPECT_FALSE(KursDatenJetztSpeichern(konto_, rtt_.rtt));
    EXPECT_EQ(written(), c.expected);
  }
  // Without a storage folder the flags are still cleared.
  konto_.NeuerAktienwertSpeichern = true;
  rtt_.rtt.SetzeSpeicher(RttStorage{});
  EXPECT_TRUE(KursDatenJetztSpeichern(konto_, rtt_.rtt));
  EXPECT_FALSE(konto_.NeuerAktienwertSpeichern);
}

}  // namespace
}  // namespace vks
