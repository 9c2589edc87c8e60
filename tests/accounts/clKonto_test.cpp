#include "accounts/clKonto.h"

#include <gtest/gtest.h>

#include <bit>
#include <memory>
#include <string>
#include <vector>

#include "fakes/ErrorOf.h"
#include "platform/automation/AutomationError.h"
#include "tests/accounts/RecordTestSupport.h"

namespace vks {
namespace {

using test::Element;

// Every stored field holds a value of its own: Longs their element index, Doubles index + 0.5
// except for a NaN and a negative zero.
void FillSample(clKonto& k) {
  k.KontoName = "Demo Ä";
  k.Beschreibung = "Testkonto für €-Werte";
  k.UseSimulZeit = false;
  k.DoPLUmrechnen = true;
  k.AktuelleZeit = DateValue{45292.5};
  k.PosLetztenPreisSpeichern = true;
  k.UseCommissions = true;
  k.UseUmrechnung = false;
  k.MarginUmrechnen = false;
  k.OffeneLongOrders = 9;
  k.OffeneShortOrders = 10;
  k.OffeneLongEnterOrders = 11;
  k.OffeneShortEnterOrders = 12;
  k.FilledOrders = 13;
  k.FilledLongOrders = 14;
  k.FilledShortOrders = 15;
  k.FilledEnterLongOrders = 16;
  k.FilledEnterShortOrders = 17;
  k.AnzahlPositionen = 18;
  k.AnzahlShortPositionen = 19;
  k.AktienPositionen = 20;
  k.AktienPositionenShort = 21;
  k.KontraktAnzahl = 22;
  k.KontraktAnzahlShort = 23;
  k.CashBetrag = 12345.678;
  k.PaidCommissions = 77;
  k.AktienInvestWertGesamt = 24.5;
  k.AktienInvestWertShort = 25.5;
  k.AktienWertAktuellGesamt = 26.5;
  k.AktienWertAktuellShort = 27.5;
  k.KapitalKontrakteOpenPLGesamt = test::kNaNDouble;
  k.KapitalKontrakteOpenPLShort = 29.5;
  k.KapitalAktienOpenPLGesamt = 30.5;
  k.KapitalAktienOpenPLShort = -0.0;
  k.KapitalKontrakteMarginGesamt = 32.5;
  k.KapitalKontrakteMarginShort = 33.5;
  k.KapitalAktienMarginGesamt = 34.5;
  k.KapitalAktienMarginShort = 35.5;
  k.EnterOrderMarginGesamt = 41.5;
  k.EnterOrderMarginShort = 42.5;
  k.EnterOrderAktienMarginGesamt = 43.5;
  k.EnterOrderAktienMarginShort = 44.5;
  k.ProfitLossGesamt = -1.25;
  k.ProfitLossAktien = 2.5;
  k.ProfitLossKontrakte = -0.0;
  k.NeuerAktienwertSpeichern = true;
  k.NeuerOpenPLSpeichern = true;
  k.FillStreichBedingung = "Tradomir.Kennzahl(1) < 0";
  k.PlatziereBedingung = "False";
  k.PlatziereMeldung = "Nicht erlaubt";
}

const std::vector<Element>& SampleLayout() {
  static const std::vector<Element> layout = [] {
    std::vector<Element> l = {
        {0, "Demo Ä"},
        {1, "Testkonto für €-Werte"},
        {2, 12345.678},
        {3, Variant()},
        {4, Variant()},
        {5, Variant()},
        {6, true},
        {7, false},
        {8, DateValue{45292.5}},
        {24, 24.5},
        {25, 25.5},
        {26, 26.5},
        {27, 27.5},
        {28, test::kNaNDouble},
        {29, 29.5},
        {30, 30.5},
        {31, -0.0},
        {32, 32.5},
        {33, 33.5},
        {34, 34.5},
        {35, 35.5},
        {36, true},
        {37, false},
        {38, "Tradomir.Kennzahl(1) < 0"},
        {39, "False"},
        {40, "Nicht erlaubt"},
        {41, 41.5},
        {42, 42.5},
        {43, 43.5},
        {44, 44.5},
        {45, VariantArray::Vector(0, {-1.25, 2.5, -0.0})},
        {46, true},
        {47, false},
    };
    for (int32_t i = 9; i <= 23; ++i) l.push_back({i, i});
    return l;
  }();
  return layout;
}

std::shared_ptr<clTitelPosition> Position(const std::string& wkn, int32_t stueck) {
  auto p = std::make_shared<clTitelPosition>();
  p->TitelWKN = wkn;
  p->TitelName = "Titel " + wkn;
  p->Position = stueck;
  p->Durchschnittspreis = 10.25f;
  return p;
}

std::shared_ptr<clOffeneOrder> Order(const std::string& id, float kurs) {
  auto o = std::make_shared<clOffeneOrder>();
  o->ID = id;
  o->TitelWKN = "DE0001";
  o->Kurs = kurs;
  o->FillDurchschnittsKurs = kurs;
  return o;
}

std::shared_ptr<clFilledOrder> Fill(const std::string& id, int32_t anzahl) {
  auto f = std::make_shared<clFilledOrder>();
  f->ID = id;
  f->FilledAnzahl = anzahl;
  return f;
}

void AddChildren(clKonto& k) {
  for (const char* wkn : {"ZZ9", "aa1", "Mm5"}) k.cTitelPositionen.Add(wkn, Position(wkn, 100));
  k.cOffeneOrders.Add("O-2", Order("O-2", 99.5f));
  k.cOffeneOrders.Add("O-1", Order("O-1", 98.5f));
  for (const char* id : {"F-3", "F-1", "F-2"}) k.cFilledOrders.Add(id, Fill(id, 5));
}

void ExpectReadError(const Variant& record, int32_t number, const std::string& description = {}) {
  test::ExpectReadError<clKonto>(record, number, description);
}

Variant SampleRecord() {
  clKonto k;
  FillSample(k);
  return k.WriteAllProperties();
}

TEST(clKontoTest, StoresEveryFieldAtItsIndexWithItsSubtypeAndReadsItBack) {
  test::ExpectStoredLayout<clKonto>(SampleRecord(), 51, SampleLayout());
}

TEST(clKontoTest, EachBooleanHasItsOwnElement) {
  test::ExpectEachBooleanAlone<clKonto>({{&clKonto::DoPLUmrechnen, 6},
                                         {&clKonto::UseSimulZeit, 7},
                                         {&clKonto::UseCommissions, 36},
                                         {&clKonto::UseUmrechnung, 37},
                                         {&clKonto::PosLetztenPreisSpeichern, 46},
                                         {&clKonto::MarginUmrechnen, 47}});
}

TEST(clKontoTest, ReadBackKeepsBitsAndLeavesUnstoredFieldsAtZero) {
  clKonto k;
  k.ReadAllProperties(SampleRecord());
  EXPECT_EQ(std::bit_cast<uint64_t>(k.KapitalKontrakteOpenPLGesamt), 0x7FF8'0000'DEAD'BEEFull);
  EXPECT_EQ(std::bit_cast<uint64_t>(k.KapitalAktienOpenPLShort), 0x8000'0000'0000'0000ull);
  EXPECT_EQ(std::bit_cast<uint64_t>(k.ProfitLossKontrakte), 0x8000'0000'0000'0000ull);
  EXPECT_EQ(k.ProfitLossGesamt, -1.25);
  EXPECT_EQ(k.KontoName, "Demo Ä");
  EXPECT_EQ(k.KontraktAnzahlShort, 23);
  EXPECT_EQ(k.PaidCommissions, 0.0);
  EXPECT_FALSE(k.NeuerAktienwertSpeichern);
  EXPECT_FALSE(k.NeuerOpenPLSpeichern);
  EXPECT_TRUE(k.WriteAllProperties() == SampleRecord());
}

TEST(clKontoTest, NestsChildrenFromOneInCollectionOrder) {
  clKonto k;
  AddChildren(k);
  const Variant written = k.WriteAllProperties();
  struct Case {
    int32_t index;
    std::vector<Variant> children;
  };
  const Case cases[] = {
      {3, {Order("O-2", 99.5f)->WriteAllProperties(), Order("O-1", 98.5f)->WriteAllProperties()}},
      {4,
       {Position("ZZ9", 100)->WriteAllProperties(), Position("aa1", 100)->WriteAllProperties(),
        Position("Mm5", 100)->WriteAllProperties()}},
      {5,
       {Fill("F-3", 5)->WriteAllProperties(), Fill("F-1", 5)->WriteAllProperties(),
        Fill("F-2", 5)->WriteAllProperties()}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("element " + std::to_string(c.index));
    const Variant& list = written.AsArray().At(c.index);
    ASSERT_TRUE(list.IsArray());
    EXPECT_EQ(list.AsArray().LBound(), 1);
    EXPECT_TRUE(list == Variant(VariantArray::Vector(1, c.children)));
  }
}

TEST(clKontoTest, ReadsChildrenInOrderWithCaseInsensitiveKeys) {
  clKonto original;
  FillSample(original);
  AddChildren(original);
  clKonto k;
  k.ReadAllProperties(original.WriteAllProperties());

  EXPECT_EQ(k.cOffeneOrders.Keys(), (std::vector<std::string>{"O-2", "O-1"}));
  EXPECT_EQ(k.cTitelPositionen.Keys(), (std::vector<std::string>{"ZZ9", "aa1", "Mm5"}));
  EXPECT_EQ(k.cFilledOrders.Keys(), (std::vector<std::string>{"F-3", "F-1", "F-2"}));
  EXPECT_TRUE(k.WriteAllProperties() == original.WriteAllProperties());
  EXPECT_EQ(k.PaidCommissions, 0.0);

  // A second position differing only in case is the first one.
  const auto* found = k.cTitelPositionen.Find("AA1");
  ASSERT_NE(found, nullptr);
  EXPECT_EQ((*found)->TitelWKN, "aa1");
  EXPECT_NE(k.cOffeneOrders.Find("o-1"), nullptr);
  EXPECT_NE(k.cFilledOrders.Find("f-2"), nullptr);
  EXPECT_EQ(testing::ErrorOf([&] { k.cTitelPositionen.Add("zz9", Position("zz9", 1)); }), 457);
}

TEST(clKontoTest, EmptyCollectionsWriteEmptyAndReadBackEmpty) {
  clKonto with_children;
  AddChildren(with_children);
  clKonto without;
  const Variant written = without.WriteAllProperties();
  for (int32_t index : {3, 4, 5}) EXPECT_TRUE(written.AsArray().At(index).IsEmpty()) << index;

  // Reading replaces whatever the account held before.
  with_children.ReadAllProperties(written);
  EXPECT_EQ(with_children.cOffeneOrders.Count(), 0u);
  EXPECT_EQ(with_children.cTitelPositionen.Count(), 0u);
  EXPECT_EQ(with_children.cFilledOrders.Count(), 0u);
  EXPECT_TRUE(with_children.cTitelPositionen.Mode() == CompareMode::Text);

  // An empty array and a value that is no array give no children either.
  for (const Variant& list : {Variant(VariantArray::Vector(1, {})), Variant(int32_t{3})}) {
    clKonto k;
    k.ReadAllProperties(test::WithElement(written, 4, list));
    EXPECT_EQ(k.cTitelPositionen.Count(), 0u);
  }
}

TEST(clKontoTest, ProfitAndLossAreReadOnlyFromAnArray) {
  struct Case {
    const char* name;
    Variant element;
    double expected_gesamt;
  };
  const Case cases[] = {
      {"array", VariantArray::Vector(0, {7.5, 0.0, 0.0}), 7.5},
      {"array of other subtypes", VariantArray::Vector(0, {"8.25", int16_t{1}, Variant()}), 8.25},
      {"Empty keeps the field", Variant(), 3.0},
      {"a number keeps the field", Variant(9.0), 3.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clKonto k;
    k.ProfitLossGesamt = 3;
    k.ReadAllProperties(test::WithElement(SampleRecord(), 45, c.element));
    EXPECT_EQ(k.ProfitLossGesamt, c.expected_gesamt);
  }
  ExpectReadError(test::WithElement(SampleRecord(), 45, VariantArray::Vector(0, {1.0, 2.0})), 9,
                  "Element 45 des Kontodatensatzes hat 2 statt mindestens 3 Elemente");
  ExpectReadError(test::WithElement(SampleRecord(), 45, VariantArray::Vector(0, {"abc", 1.0, 2.0})),
                  13);
}

TEST(clKontoTest, RefusesRecordsOfTheWrongShape) {
  struct Case {
    const char* name;
    Variant record;
    int32_t number;
    std::string description;
  };
  const Case cases[] = {
      {"Empty", Variant(), 13, "Kontodatensatz ist kein eindimensionales Datenfeld"},
      {"text", Variant("Demo"), 13, "Kontodatensatz ist kein eindimensionales Datenfeld"},
      {"no elements", test::EmptyRecord(0), 9, "Kontodatensatz hat 0 statt mindestens 48 Elemente"},
      {"twelve elements", test::EmptyRecord(12), 9,
       "Kontodatensatz hat 12 statt mindestens 48 Elemente"},
      {"47 elements", test::EmptyRecord(47), 9,
       "Kontodatensatz hat 47 statt mindestens 48 Elemente"},
      {"from index 1", VariantArray::Vector(1, std::vector<Variant>(51)), 9,
       "Kontodatensatz beginnt bei Index 1 statt 0"},
      {"position list from 0",
       test::WithElement(SampleRecord(), 4,
                         VariantArray::Vector(0, {Position("A", 1)->WriteAllProperties()})),
       9, "Liste der Positionen beginnt bei Index 0 statt 1"},
      {"position that is no array",
       test::WithElement(SampleRecord(), 4, VariantArray::Vector(1, {Variant("A")})), 13,
       "Positionsdatensatz ist kein eindimensionales Datenfeld"},
      {"short fill",
       test::WithElement(SampleRecord(), 5, VariantArray::Vector(1, {test::EmptyRecord(3)})), 9,
       "Filldatensatz hat 3 statt mindestens 10 Elemente"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectReadError(c.record, c.number, c.description);
  }
}

TEST(clKontoTest, FortyEightElementsAreEnough) {
  clKonto k;
  k.ReadAllProperties(test::EmptyRecord(48));
  EXPECT_EQ(k.CashBetrag, 0.0);  // Empty reads as 0, not as the default of a new account
  EXPECT_EQ(k.KontoName, "");
}

TEST(clKontoTest, RefusesElementsThatDoNotConvertAndDuplicateKeys) {
  struct Case {
    const char* name;
    int32_t index;
    Variant element;
    int32_t number;
  };
  const Case cases[] = {
      {"text for a Long", 9, "abc", 13},
      {"text for the cash", 2, "viel", 13},
      {"Long overflow", 23, 3e9, 6},
      {"Null name", 0, Variant::Null(), 94},
      {"text for the time", 8, "gestern", 13},
      {"text for a Boolean", 47, "vielleicht", 13},
      {"two positions differing in case", 4,
       VariantArray::Vector(1, {Position("de0001", 1)->WriteAllProperties(),
                                Position("DE0001", 2)->WriteAllProperties()}),
       457},
      {"two open orders with one ID", 3,
       VariantArray::Vector(
           1, {Order("X", 1)->WriteAllProperties(), Order("x", 2)->WriteAllProperties()}),
       457},
      {"two fills with one ID", 5,
       VariantArray::Vector(
           1, {Fill("F", 1)->WriteAllProperties(), Fill("F", 2)->WriteAllProperties()}),
       457},
      {"bad element inside a position", 4,
       VariantArray::Vector(1,
                            {test::WithElement(Position("A", 1)->WriteAllProperties(), 1, "abc")}),
       13},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectReadError(test::WithElement(SampleRecord(), c.index, c.element), c.number);
  }
}

}  // namespace
}  // namespace vks
