#include "accounts/KontoKennzahl.h"

#include <gtest/gtest.h>

#include "fakes/ErrorOf.h"

namespace vks {
namespace {

// Every field gets its own value, so that a metric reading the wrong field or the wrong side shows.
void FillDistinct(clKonto& k) {
  k.OffeneLongOrders = 3;
  k.OffeneShortOrders = 5;
  k.OffeneLongEnterOrders = 7;
  k.OffeneShortEnterOrders = 11;
  k.FilledLongOrders = 13;
  k.FilledShortOrders = 17;
  k.FilledEnterLongOrders = 19;
  k.FilledEnterShortOrders = 23;
  k.AnzahlPositionen = 9;
  k.AnzahlShortPositionen = 4;
  k.AktienPositionen = 6;
  k.AktienPositionenShort = 1;
  k.KontraktAnzahl = 30;
  k.KontraktAnzahlShort = 12;
  k.EnterOrderMarginGesamt = 100.5;
  k.EnterOrderMarginShort = 40.25;
  k.EnterOrderAktienMarginGesamt = 80;
  k.EnterOrderAktienMarginShort = 30.5;
  k.AktienInvestWertGesamt = 5000;
  k.AktienInvestWertShort = 1250;
  k.AktienWertAktuellGesamt = 5200;
  k.AktienWertAktuellShort = 1300;
  k.KapitalAktienOpenPLGesamt = 200;
  k.KapitalAktienOpenPLShort = -50;
  k.KapitalAktienMarginGesamt = 2500;
  k.KapitalAktienMarginShort = 625;
  k.KapitalKontrakteOpenPLGesamt = -75;
  k.KapitalKontrakteOpenPLShort = 25;
  k.KapitalKontrakteMarginGesamt = 3000;
  k.KapitalKontrakteMarginShort = 1000;
  k.CashBetrag = 4321.5;
  k.PaidCommissions = 12.75;
}

TEST(KontoKennzahlTest, EveryMetricReadsItsFieldsWithItsType) {
  clKonto k;
  FillDistinct(k);
  // Counts are Longs, amounts Doubles (capital: cash, open P/L and margins; available: without the
  // margins); the rest, and numbers outside the table, Empty.
  const std::pair<int32_t, int32_t> longs[] = {
      {eOpenOrders, 8},         {eOpenLOrders, 3},         {eOpenSOrders, 5},
      {eOpenEnterOrders, 18},   {eOpenLEnterOrders, 7},    {eOpenSEnterOrders, 11},
      {eFilledOrders, 30},      {eFilledLOrders, 13},      {eFilledSOrders, 17},
      {eFilledEnterOrders, 42}, {eFilledLEnterOrders, 19}, {eFilledSEnterOrders, 23},
      {eAnzahlPositionen, 9},   {eAnzahlLPositionen, 5},   {eAnzahlSPositionen, 4},
      {eAktienPositionen, 6},   {eAktienLPositionen, 5},   {eAktienSPositionen, 1},
      {eKontraktAnzahl, 30},    {eKontraktLAnzahl, 18},    {eKontraktSAnzahl, 12}};
  const std::pair<int32_t, double> doubles[] = {{eEnterOrderMarginLong, 60.25},
                                                {eEnterOrderMarginShort, 40.25},
                                                {eEnterOrderAktienMarginLong, 49.5},
                                                {eEnterOrderAktienMarginShort, 30.5},
                                                {eAktienInvestWert, 5000.0},
                                                {eAktienInvestLWert, 3750.0},
                                                {eAktienInvestSWert, 1250.0},
                                                {eAktienAktuellWert, 5200.0},
                                                {eAktienAktuellLWert, 3900.0},
                                                {eAktienAktuellSWert, 1300.0},
                                                {eAktienOpenPL, 200.0},
                                                {eAktienLOpenPL, 250.0},
                                                {eAktienSOpenPL, -50.0},
                                                {eAktienMargin, 2500.0},
                                                {eAktienLMargin, 1875.0},
                                                {eAktienSMargin, 625.0},
                                                {eKontrakteOpenPL, -75.0},
                                                {eKontrakteLOpenPL, -100.0},
                                                {eKontrakteSOpenPL, 25.0},
                                                {eKontrakteMargin, 3000.0},
                                                {eKontrakteLMargin, 2000.0},
                                                {eKontrakteSMargin, 1000.0},
                                                {eFreiesKapital, 4321.5},
                                                {eGesamtKapital, 9946.5},
                                                {eVerfuegbarKapital, 4446.5},
                                                {ebezahltegebuehren, 12.75}};
  for (const auto& [kennzahl, n] : longs)
    EXPECT_EQ(GetKontoKennzahl(k, kennzahl), Variant(n)) << "Kennzahl " << kennzahl;
  for (const auto& [kennzahl, x] : doubles)
    EXPECT_EQ(GetKontoKennzahl(k, kennzahl), Variant(x)) << "Kennzahl " << kennzahl;
  for (int32_t kennzahl : {static_cast<int32_t>(ePlatzierenVerhindert), 0, 49, -1, INT32_MIN})
    EXPECT_EQ(GetKontoKennzahl(k, kennzahl), Variant()) << "Kennzahl " << kennzahl;
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
  EXPECT_EQ(keys[21], "EnterOrderMarginLong");
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

}  // namespace
}  // namespace vks
