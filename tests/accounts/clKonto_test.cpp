#include "accounts/clKonto.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fakes/ErrorOf.h"
#include "platform/automation/AutomationError.h"
#include "tests/accounts/RecordTestSupport.h"

namespace vks {
namespace {

using K = clKonto;

// Every stored field holds a value of its own: Longs their element index, Doubles index + 0.5
// but for a NaN and a negative zero.
const std::vector<test::Field<K>>& Fields() {
  static const std::vector<test::Field<K>> fields = {
      {&K::KontoName, 0, "Demo Ä"},
      {&K::Beschreibung, 1, "Testkonto für €-Werte"},
      {&K::CashBetrag, 2, 12345.678},
      {&K::DoPLUmrechnen, 6, true},
      {&K::UseSimulZeit, 7, false},
      {&K::AktuelleZeit, 8, DateValue{45292.5}},
      {&K::OffeneLongOrders, 9, 9},
      {&K::OffeneShortOrders, 10, 10},
      {&K::OffeneLongEnterOrders, 11, 11},
      {&K::OffeneShortEnterOrders, 12, 12},
      {&K::FilledOrders, 13, 13},
      {&K::FilledLongOrders, 14, 14},
      {&K::FilledShortOrders, 15, 15},
      {&K::FilledEnterLongOrders, 16, 16},
      {&K::FilledEnterShortOrders, 17, 17},
      {&K::AnzahlPositionen, 18, 18},
      {&K::AnzahlShortPositionen, 19, 19},
      {&K::AktienPositionen, 20, 20},
      {&K::AktienPositionenShort, 21, 21},
      {&K::KontraktAnzahl, 22, 22},
      {&K::KontraktAnzahlShort, 23, 23},
      {&K::AktienInvestWertGesamt, 24, 24.5},
      {&K::AktienInvestWertShort, 25, 25.5},
      {&K::AktienWertAktuellGesamt, 26, 26.5},
      {&K::AktienWertAktuellShort, 27, 27.5},
      {&K::KapitalKontrakteOpenPLGesamt, 28, test::kNaNDouble},
      {&K::KapitalKontrakteOpenPLShort, 29, 29.5},
      {&K::KapitalAktienOpenPLGesamt, 30, 30.5},
      {&K::KapitalAktienOpenPLShort, 31, -0.0},
      {&K::KapitalKontrakteMarginGesamt, 32, 32.5},
      {&K::KapitalKontrakteMarginShort, 33, 33.5},
      {&K::KapitalAktienMarginGesamt, 34, 34.5},
      {&K::KapitalAktienMarginShort, 35, 35.5},
      {&K::UseCommissions, 36, true},
      {&K::UseUmrechnung, 37, false},
      {&K::FillStreichBedingung, 38, "Tradomir.Kennzahl(1) < 0"},
      {&K::PlatziereBedingung, 39, "False"},
      {&K::PlatziereMeldung, 40, "Nicht erlaubt"},
      {&K::EnterOrderMarginGesamt, 41, 41.5},
      {&K::EnterOrderMarginShort, 42, 42.5},
      {&K::EnterOrderAktienMarginGesamt, 43, 43.5},
      {&K::EnterOrderAktienMarginShort, 44, 44.5},
      {&K::PosLetztenPreisSpeichern, 46, true},
      {&K::MarginUmrechnen, 47, false},
  };
  return fields;
}

// The profit and loss, stored as one array in element 45, and what the record does not store.
void SetMore(K& k) {
  k.ProfitLossGesamt = -1.25;
  k.ProfitLossAktien = 2.5;
  k.ProfitLossKontrakte = -0.0;
  k.PaidCommissions = 77;
  k.NeuerAktienwertSpeichern = true;
  k.NeuerOpenPLSpeichern = true;
}

void FillSample(K& k) {
  test::SetFields(k, Fields());
  SetMore(k);
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
  test::ExpectStoredFields(Fields(), 51, &SetMore,
                           {{45, VariantArray::Vector(0, {-1.25, 2.5, -0.0})}});
}

// Reading sets nothing that the record does not store.
TEST(clKontoTest, ReadingLeavesUnstoredFieldsAtZero) {
  clKonto k;
  k.ReadAllProperties(SampleRecord());
  EXPECT_EQ(k.PaidCommissions, 0.0);
  EXPECT_FALSE(k.NeuerAktienwertSpeichern);
  EXPECT_FALSE(k.NeuerOpenPLSpeichern);
}

TEST(clKontoTest, NestsChildrenFromOneInCollectionOrderAndReadsThemBack) {
  clKonto original;
  FillSample(original);
  AddChildren(original);
  const Variant written = original.WriteAllProperties();
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
    EXPECT_TRUE(written.AsArray().At(c.index) == Variant(VariantArray::Vector(1, c.children)));
  }

  clKonto k;
  k.ReadAllProperties(written);
  EXPECT_EQ(k.cOffeneOrders.Keys(), (std::vector<std::string>{"O-2", "O-1"}));
  EXPECT_EQ(k.cTitelPositionen.Keys(), (std::vector<std::string>{"ZZ9", "aa1", "Mm5"}));
  EXPECT_EQ(k.cFilledOrders.Keys(), (std::vector<std::string>{"F-3", "F-1", "F-2"}));
  EXPECT_TRUE(k.WriteAllProperties() == written);

  // A second position differing only in case is the first one.
  const auto* found = k.cTitelPositionen.Find("AA1");
  ASSERT_NE(found, nullptr);
  EXPECT_EQ((*found)->TitelWKN, "aa1");
  EXPECT_NE(k.cOffeneOrders.Find("o-1"), nullptr);
  EXPECT_NE(k.cFilledOrders.Find("f-2"), nullptr);
  EXPECT_EQ(testing::ErrorOf([&] { k.cTitelPositionen.Add("zz9", Position("zz9", 1)); }), 457);
}

// Reading a record without children replaces whatever the account held before.
TEST(clKontoTest, ReadingEmptyCollectionsRemovesTheChildren) {
  clKonto k;
  AddChildren(k);
  k.ReadAllProperties(clKonto().WriteAllProperties());
  EXPECT_EQ(k.cOffeneOrders.Count(), 0u);
  EXPECT_EQ(k.cTitelPositionen.Count(), 0u);
  EXPECT_EQ(k.cFilledOrders.Count(), 0u);
  EXPECT_TRUE(k.cTitelPositionen.Mode() == CompareMode::Text);
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

// The shapes of the record itself are RecordReader's (RecordArray_test); here those of its
// children.
TEST(clKontoTest, RefusesChildrenOfTheWrongShape) {
  struct Case {
    const char* name;
    Variant record;
    int32_t number;
    std::string description;
  };
  const Case cases[] = {
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
  // Empty reads as 0, not as the default of a new account.
  clKonto k;
  k.ReadAllProperties(test::EmptyRecord(48));
  EXPECT_EQ(k.CashBetrag, 0.0);
  EXPECT_EQ(k.KontoName, "");
}

TEST(clKontoTest, RefusesElementsThatDoNotConvertAndDuplicateKeys) {
  test::ExpectRefusals(Fields(), 51, "Kontodatensatz", 48);
  struct Case {
    const char* name;
    int32_t index;
    Variant element;
    int32_t number;
  };
  const Case cases[] = {
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
