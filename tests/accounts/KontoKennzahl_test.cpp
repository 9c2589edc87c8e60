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
  const std::pair<int32_t, Variant> kCases[] = {
      {eOpenOrders, Variant(int32_t{8})},
      {eOpenLOrders, Variant(int32_t{3})},
      {eOpenSOrders, Variant(int32_t{5})},
      {eOpenEnterOrders, Variant(int32_t{18})},
      {eOpenLEnterOrders, Variant(int32_t{7})},
      {eOpenSEnterOrders, Variant(int32_t{11})},
      {eFilledOrders, Variant(int32_t{30})},
      {eFilledLOrders, Variant(int32_t{13})},
      {eFilledSOrders, Variant(int32_t{17})},
      {eFilledEnterOrders, Variant(int32_t{42})},
      {eFilledLEnterOrders, Variant(int32_t{19})},
      {eFilledSEnterOrders, Variant(int32_t{23})},
      {eAnzahlPositionen, Variant(int32_t{9})},
      {eAnzahlLPositionen, Variant(int32_t{5})},
      {eAnzahlSPositionen, Variant(int32_t{4})},
      {eAktienPositionen, Variant(int32_t{6})},
      {eAktienLPositionen, Variant(int32_t{5})},
      {eAktienSPositionen, Variant(int32_t{1})},
      {eKontraktAnzahl, Variant(int32_t{30})},
      {eKontraktLAnzahl, Variant(int32_t{18})},
      {eKontraktSAnzahl, Variant(int32_t{12})},
      {eEnterOrderMarginLong, Variant(60.25)},
      {eEnterOrderMarginShort, Variant(40.25)},
      {eEnterOrderAktienMarginLong, Variant(49.5)},
      {eEnterOrderAktienMarginShort, Variant(30.5)},
      {eAktienInvestWert, Variant(5000.0)},
      {eAktienInvestLWert, Variant(3750.0)},
      {eAktienInvestSWert, Variant(1250.0)},
      {eAktienAktuellWert, Variant(5200.0)},
      {eAktienAktuellLWert, Variant(3900.0)},
      {eAktienAktuellSWert, Variant(1300.0)},
      {eAktienOpenPL, Variant(200.0)},
      {eAktienLOpenPL, Variant(250.0)},
      {eAktienSOpenPL, Variant(-50.0)},
      {eAktienMargin, Variant(2500.0)},
      {eAktienLMargin, Variant(1875.0)},
      {eAktienSMargin, Variant(625.0)},
      {eKontrakteOpenPL, Variant(-75.0)},
      {eKontrakteLOpenPL, Variant(-100.0)},
      {eKontrakteSOpenPL, Variant(25.0)},
      {eKontrakteMargin, Variant(3000.0)},
      {eKontrakteLMargin, Variant(2000.0)},
      {eKontrakteSMargin, Variant(1000.0)},
      {eFreiesKapital, Variant(4321.5)},
      {eGesamtKapital, Variant(4321.5 - 75 + 200 + 3000 + 2500)},
      {eVerfuegbarKapital, Variant(4321.5 - 75 + 200)},
      {ebezahltegebuehren, Variant(12.75)},
      {ePlatzierenVerhindert, Variant()},
      {0, Variant()},
      {49, Variant()},
      {-1, Variant()},
      {INT32_MIN, Variant()},
  };
  for (const auto& [kennzahl, expected] : kCases) {
    SCOPED_TRACE("Kennzahl " + std::to_string(kennzahl));
    EXPECT_EQ(GetKontoKennzahl(k, kennzahl), expected);
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
