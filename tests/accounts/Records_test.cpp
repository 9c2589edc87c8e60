// The stored records of an account and of its positions, open orders and fills: every field at its
// index with its subtype, read back bit for bit; what reading refuses; the text the store cannot
// hold.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <functional>
#include <set>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "accounts/RecordArray.h"
#include "accounts/StorableTexts.h"
#include "accounts/clKonto.h"
#include "fakes/ErrorOf.h"
#include "platform/automation/AutomationError.h"
#include "platform/automation/NoValue.h"

namespace vks {
namespace {

// Quiet NaNs with a payload and negative zeros: the values a careless conversion loses.
const float kNaNSingle = std::bit_cast<float>(0x7FC0'1234u);
const double kNaNDouble = std::bit_cast<double>(0x7FF8'0000'DEAD'BEEFull);

std::string Repeat(std::string_view piece, size_t times) {
  std::string text;
  for (size_t i = 0; i < times; ++i) text += piece;
  return text;
}

// One element of a written record: its index and its value in the subtype it must have.
struct Element {
  int32_t index;
  Variant value;
};

// The array of `record` with element `index` replaced by `value`.
Variant WithElement(Variant record, int32_t index, Variant value) {
  record.AsArray().At(index) = std::move(value);
  return record;
}

// A record array from 0 with `count` Empty elements.
Variant EmptyRecord(int32_t count) {
  return VariantArray::Vector(0, std::vector<Variant>(static_cast<size_t>(count)));
}

// A stored field of `Record`: its member, its element's index and a sample value in the
// element's subtype, which the member takes over.
template <class Record>
struct Field {
  std::variant<std::string Record::*, double Record::*, float Record::*, int32_t Record::*,
               int16_t Record::*, bool Record::*, DateValue Record::*, Variant Record::*>
      member;
  int32_t index;
  Variant value;
};

template <class Record>
void SetFields(Record& r, const std::vector<Field<Record>>& fields) {
  for (const Field<Record>& f : fields) {
    std::visit(
        [&](auto member) {
          auto& target = r.*member;
          using T = std::remove_reference_t<decltype(target)>;
          if constexpr (std::is_same_v<T, std::string>) target = f.value.AsString();
          if constexpr (std::is_same_v<T, double>) target = f.value.AsDouble();
          if constexpr (std::is_same_v<T, float>) target = f.value.AsSingle();
          if constexpr (std::is_same_v<T, int32_t>) target = f.value.AsLong();
          if constexpr (std::is_same_v<T, int16_t>) target = f.value.AsInteger();
          if constexpr (std::is_same_v<T, bool>) target = f.value.AsBoolean();
          if constexpr (std::is_same_v<T, DateValue>) target = f.value.AsDate();
          if constexpr (std::is_same_v<T, Variant>) target = f.value;
        },
        f.member);
  }
}

// A Record with `fields` set (and whatever `more` sets: what is not stored, or stored in a shape
// of its own, whose elements `more_elements` lists) writes one dimension from 0 with `count`
// elements: each field at its index with its subtype, bit for bit, every other element Empty; each
// Boolean set alone is True in its own element and False in the other Booleans'. Each record reads
// back into one that writes it again unchanged: as every field holds a value of its own, each
// element lands in a field of its own.
template <class Record>
void ExpectStoredFields(const std::vector<Field<Record>>& fields, int32_t count,
                        void (*more)(Record&) = nullptr, std::vector<Element> elements = {}) {
  const auto expect_read_back = [](const Variant& written) {
    Record copy;
    copy.ReadAllProperties(written);
    EXPECT_TRUE(copy.WriteAllProperties() == written);
  };
  Record r;
  SetFields(r, fields);
  if (more) more(r);
  for (const Field<Record>& f : fields) elements.push_back({f.index, f.value});
  const Variant record = r.WriteAllProperties();
  ASSERT_TRUE(record.IsArray());
  const VariantArray& array = record.AsArray();
  ASSERT_EQ(array.Dimensions(), 1);
  EXPECT_EQ(array.LBound(), 0);
  ASSERT_EQ(array.UBound(), count - 1);
  std::vector<bool> listed(static_cast<size_t>(count), false);
  for (const Element& expected : elements) {
    SCOPED_TRACE("element " + std::to_string(expected.index));
    ASSERT_LT(expected.index, count);
    listed[static_cast<size_t>(expected.index)] = true;
    EXPECT_EQ(array.At(expected.index).Type(), expected.value.Type());
    EXPECT_TRUE(array.At(expected.index) == expected.value);
  }
  for (int32_t i = 0; i < count; ++i)
    EXPECT_TRUE(listed[static_cast<size_t>(i)] || array.At(i).IsEmpty()) << "element " << i;
  expect_read_back(record);
  using Boolean = bool Record::*;
  for (const Field<Record>& f : fields) {
    if (!std::holds_alternative<Boolean>(f.member)) continue;
    SCOPED_TRACE("Boolean alone in element " + std::to_string(f.index));
    Record alone;
    alone.*std::get<Boolean>(f.member) = true;
    const Variant written = alone.WriteAllProperties();
    for (const Field<Record>& other : fields) {
      if (!std::holds_alternative<Boolean>(other.member)) continue;
      EXPECT_TRUE(written.AsArray().At(other.index) == Variant(other.index == f.index));
    }
    expect_read_back(written);
  }
}

// Reading `record` into a new Record raises `number` (and `description` unless empty).
template <class Record>
void ExpectReadError(const Variant& record, int32_t number, const std::string& description = {}) {
  Record r;
  const AutomationError e = testing::RaisedError([&] { r.ReadAllProperties(record); });
  EXPECT_EQ(e.Number(), number);
  EXPECT_TRUE(description.empty() || e.Description() == description) << e.Description();
}

// Reading refuses, in each field's element, what the field cannot take: text in a field that is no
// text (13), Null (94), a number beyond the field's type (6). A record one element short of
// `min_count` is refused by `name`; one of `min_count` Empty elements reads.
template <class Record>
void ExpectRefusals(const std::vector<Field<Record>>& fields, int32_t count,
                    const std::string& name, int32_t min_count) {
  for (const Field<Record>& f : fields) {
    SCOPED_TRACE("element " + std::to_string(f.index));
    const auto refused = [&](Variant value, int32_t number) {
      SCOPED_TRACE(value.VarTypeCode());
      ExpectReadError<Record>(WithElement(EmptyRecord(count), f.index, std::move(value)), number);
    };
    std::visit(
        [&](auto member) {
          using T = std::remove_reference_t<decltype(std::declval<Record&>().*member)>;
          if constexpr (std::is_same_v<T, Variant>) return;
          refused(Variant::Null(), 94);
          if constexpr (!std::is_same_v<T, std::string>) refused("abc", 13);
          if constexpr (std::is_same_v<T, int16_t>) refused(int32_t{40000}, 6);
          if constexpr (std::is_same_v<T, int16_t>) refused(32768.0, 6);
          if constexpr (std::is_same_v<T, int32_t>) refused(3e9, 6);
          if constexpr (std::is_same_v<T, float>) refused(1e39, 6);
        },
        f.member);
  }
  ExpectReadError<Record>(EmptyRecord(min_count - 1), 9,
                          name + " hat " + std::to_string(min_count - 1) + " statt mindestens " +
                              std::to_string(min_count) + " Elemente");
  Record r;
  r.ReadAllProperties(EmptyRecord(min_count));
}

// SchreibeZusatzInfos takes the order's terms over into a record that `fill` made: a stock's margin
// percent becomes a fraction, a missing factor keeps the earlier one, and nothing else changes.
// Each case runs with two sets of terms that differ in every field.
template <class Record>
void ExpectTermsTakenOver(void (*fill)(Record&)) {
  struct Case {
    const char* name;
    float point_value, margin, factor, expected_margin, expected_factor;  // NaN: the earlier one
  } cases[] = {
      {"stock percent becomes a fraction", 0, 25, 1.2f, 0.25f, 1.2f},
      {"negative zero point value is a stock", -0.0f, 50, 1.2f, 0.5f, 1.2f},
      {"contract margin per contract", 10, 2500, 1.2f, 2500, 1.2f},
      {"no factor keeps the earlier one", 10, 2500, NoValue, 2500, NAN},
      {"stock without factor", 0, 25, NoValue, 0.25f, NAN},
      {"factor 0 is a factor", 0, 10, 0, 0.1f, 0},
  };
  for (const Case& c : cases) {
    for (bool second : {false, true}) {
      SCOPED_TRACE(std::string(c.name) + (second ? ", second terms" : ""));
      const clOrderZusatzInfos z{c.point_value,
                                 second ? Variant(int16_t{5}) : Variant("0,05"),
                                 c.margin,
                                 second ? 0.3f : 0.2f,
                                 !second,
                                 second ? 6.0f : 5.0f,
                                 second ? 0.0f : 60,
                                 second ? 2.0f : 1.0f,
                                 c.factor,
                                 !second};
      Record r, expected;
      fill(r);
      fill(expected);
      r.SchreibeZusatzInfos(z);
      expected.PointValue = z.PointValue;
      expected.MinTickSize = z.MinTickSize;
      expected.Margin = c.expected_margin;
      expected.Commissions = z.Commissions;
      expected.CommissionsArePoints = z.CommissionsArePoints;
      expected.MindestCommissions = z.MindestCommissions;
      expected.MaximalCommissions = z.MaximalCommissions;
      expected.ZusatzCommissions = z.ZusatzCommissions;
      if (!std::isnan(c.expected_factor)) expected.AktUmrechnungsWert = c.expected_factor;
      expected.UmrechnungAuchGebuehren = z.UmrechnungAuchGebuehren;
      EXPECT_TRUE(r.WriteAllProperties() == expected.WriteAllProperties());
    }
  }
}

using K = clKonto;
using P = clTitelPosition;
using O = clOffeneOrder;
using F = clFilledOrder;

// Every stored field holds a value of its own: Longs their element index, Doubles index + 0.5
// but for a NaN and a negative zero.
const std::vector<Field<K>>& KontoFields() {
  static const std::vector<Field<K>> fields = {
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
      {&K::KapitalKontrakteOpenPLGesamt, 28, kNaNDouble},
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
      {&K::MarginUmrechnen, 47, false}};
  return fields;
}

const std::vector<Field<P>>& PositionFields() {
  static const std::vector<Field<P>> fields = {{&P::Durchschnittspreis, 0, kNaNSingle},
                                               {&P::Position, 1, int32_t{-250}},
                                               {&P::PointValue, 2, 50.0f},
                                               {&P::MinTickSize, 3, 0.25},
                                               {&P::TitelWKN, 4, "DE0007100000"},
                                               {&P::TitelName, 5, "Müller AG"},
                                               {&P::Margin, 6, 2500.0f},
                                               {&P::Commissions, 7, 0.125f},
                                               {&P::CommissionsArePoints, 8, false},
                                               {&P::MindestCommissions, 9, 4.95f},
                                               {&P::MaximalCommissions, 10, -0.0f},
                                               {&P::ZusatzCommissions, 11, 1.5f},
                                               {&P::AktUmrechnungsWert, 12, 1.0825f},
                                               {&P::OpenPL, 13, -0.0},
                                               {&P::UmrechnungAuchGebuehren, 14, true}};
  return fields;
}

const std::vector<Field<O>>& OrderFields() {
  static const std::vector<Field<O>> fields = {{&O::TitelWKN, 0, "DE0007236101"},
                                               {&O::ID, 1, "ORD-17"},
                                               {&O::Aktion, 2, int16_t{-1}},
                                               {&O::Anzahl, 3, int32_t{300}},
                                               {&O::FilledAnzahl, 4, int32_t{120}},
                                               {&O::TitelName, 5, "Siemens"},
                                               {&O::SimulDatum, 6, DateValue{45292.375}},
                                               {&O::RealDatum, 7, DateValue{45292.4}},
                                               {&O::IsEnterOrder, 8, true},
                                               {&O::PointValue, 9, 20.0f},
                                               {&O::MinTickSize, 10, "0,25"},
                                               {&O::Margin, 11, 0.3f},
                                               {&O::Commissions, 12, 0.1f},
                                               {&O::CommissionsArePoints, 13, false},
                                               {&O::MindestCommissions, 14, 5.0f},
                                               {&O::MaximalCommissions, 15, 50.0f},
                                               {&O::ZusatzCommissions, 16, -0.0f},
                                               {&O::AktUmrechnungsWert, 17, 0.93f},
                                               {&O::Kurs, 18, 101.5f},
                                               {&O::UmrechnungAuchGebuehren, 19, true},
                                               {&O::FillDurchschnittsKurs, 20, kNaNSingle},
                                               {&O::StartUmrechnungswert, 21, 0.91f}};
  return fields;
}

const std::vector<Field<F>>& FillFields() {
  static const std::vector<Field<F>> fields = {{&F::ID, 0, "F-1"},
                                               {&F::Aktion, 1, int16_t{1}},
                                               {&F::FilledAnzahl, 2, int32_t{100}},
                                               {&F::TitelName, 3, "Déjà Vu SA"},
                                               {&F::Gestrichen, 4, true},
                                               {&F::TitelWKN, 5, "FR0000120271"},
                                               {&F::SimulDatum, 6, DateValue{-1.25}},
                                               {&F::RealDatum, 7, DateValue{45300.75}},
                                               {&F::IsEnterOrder, 8, false},
                                               {&F::EnterPreis, 9, kNaNSingle}};
  return fields;
}

// The profit and loss, stored as one array in element 45, and what the record does not store.
void SetMore(K& k) {
  k.ProfitLossGesamt = -1.25;
  k.ProfitLossAktien = 2.5;
  k.ProfitLossKontrakte = -0.0;
  k.PaidCommissions = 77;
  k.NeuerAktienwertSpeichern = k.NeuerOpenPLSpeichern = true;
}

// What a position's record does not store.
void SetUnstored(P& p) {
  p.AktuellerKurs = 99.5f;
  p.AktuelleZeit = DateValue{45292.5};
  p.NeuenKursSpeichern = true;
  p.StartMarginUmrechnungswert = 1.1f;
}

void FillPosition(P& p) {
  SetFields(p, PositionFields());
  SetUnstored(p);
}

std::shared_ptr<P> Position(const std::string& wkn, int32_t stueck) {
  auto p = std::make_shared<P>();
  p->TitelWKN = wkn;
  p->TitelName = "Titel " + wkn;
  p->Position = stueck;
  p->Durchschnittspreis = 10.25f;
  return p;
}

std::shared_ptr<O> Order(const std::string& id, float kurs) {
  auto o = std::make_shared<O>();
  o->ID = id;
  o->TitelWKN = "DE0001";
  o->Kurs = o->FillDurchschnittsKurs = kurs;
  return o;
}

std::shared_ptr<F> Fill(const std::string& id, int32_t anzahl) {
  auto f = std::make_shared<F>();
  f->ID = id;
  f->FilledAnzahl = anzahl;
  return f;
}

void AddChildren(K& k) {
  for (const char* wkn : {"ZZ9", "aa1", "Mm5"}) k.cTitelPositionen.Add(wkn, Position(wkn, 100));
  k.cOffeneOrders.Add("O-2", Order("O-2", 99.5f));
  k.cOffeneOrders.Add("O-1", Order("O-1", 98.5f));
  for (const char* id : {"F-3", "F-1", "F-2"}) k.cFilledOrders.Add(id, Fill(id, 5));
}

Variant SampleRecord() {
  K k;
  SetFields(k, KontoFields());
  SetMore(k);
  return k.WriteAllProperties();
}

TEST(RecordsTest, StoreEveryFieldAtItsIndexWithItsSubtypeAndReadItBack) {
  ExpectStoredFields(KontoFields(), 51, &SetMore,
                     {{45, VariantArray::Vector(0, {-1.25, 2.5, -0.0})}});
  ExpectStoredFields(PositionFields(), 17, &SetUnstored);
  ExpectStoredFields(OrderFields(), 26);
  ExpectStoredFields(FillFields(), 13);
}

TEST(RecordsTest, RefuseRecordsTheyCannotRead) {
  ExpectRefusals(KontoFields(), 51, "Kontodatensatz", 48);
  ExpectRefusals(PositionFields(), 17, "Positionsdatensatz", 15);
  ExpectRefusals(OrderFields(), 26, "Orderdatensatz", 22);
  ExpectRefusals(FillFields(), 13, "Filldatensatz", 10);
  ExpectReadError<F>(Variant("F-1"), 13);
}

// Reading sets nothing that the record does not store.
TEST(RecordsTest, ReadingLeavesUnstoredFieldsUnset) {
  K k;
  k.ReadAllProperties(SampleRecord());
  EXPECT_EQ(k.PaidCommissions, 0.0);
  EXPECT_FALSE(k.NeuerAktienwertSpeichern || k.NeuerOpenPLSpeichern);
  P original, copy;
  FillPosition(original);
  copy.ReadAllProperties(original.WriteAllProperties());
  EXPECT_EQ(std::bit_cast<uint32_t>(copy.AktuellerKurs), std::bit_cast<uint32_t>(NoValue));
  EXPECT_EQ(copy.AktuelleZeit.days, 0.0);
  EXPECT_FALSE(copy.NeuenKursSpeichern);
  EXPECT_EQ(copy.StartMarginUmrechnungswert, 0.0f);
}

TEST(RecordsTest, SchreibeZusatzInfosTakesOverTheTermsOnly) {
  ExpectTermsTakenOver(&FillPosition);
  ExpectTermsTakenOver<O>([](O& o) { SetFields(o, OrderFields()); });
  // Not stored, so not seen by the record.
  P p;
  FillPosition(p);
  p.SchreibeZusatzInfos(clOrderZusatzInfos{});
  EXPECT_EQ(p.AktuellerKurs, 99.5f);
  EXPECT_EQ(p.StartMarginUmrechnungswert, 1.1f);
}

TEST(RecordsTest, APositionsTickSizeKeepsItsSubtypeAndOtherElementsAreCoerced) {
  for (const Variant& tick : {Variant(), Variant::Null(), Variant("0,01"), Variant(int16_t{1}),
                              Variant(0.01f), Variant(0.01)}) {
    SCOPED_TRACE("subtype " + std::to_string(tick.VarTypeCode()));
    P p, copy;
    p.MinTickSize = tick;
    copy.ReadAllProperties(p.WriteAllProperties());
    EXPECT_TRUE(copy.MinTickSize == tick);
  }
  P p;
  p.ReadAllProperties(EmptyRecord(15));
  EXPECT_EQ(p.TitelWKN, "");
  EXPECT_EQ(p.Position, 0);
  EXPECT_FALSE(p.CommissionsArePoints);
  Variant record = WithElement(EmptyRecord(17), 1, 2.5);  // rounds half to even
  record = WithElement(record, 2, int32_t{10});
  record = WithElement(record, 4, int32_t{710000});
  record = WithElement(record, 8, int16_t{1});
  record = WithElement(record, 13, "12.5");
  p.ReadAllProperties(record);
  EXPECT_EQ(p.Position, 2);
  EXPECT_EQ(p.PointValue, 10.0f);
  EXPECT_EQ(p.TitelWKN, "710000");
  EXPECT_TRUE(p.CommissionsArePoints);
  EXPECT_EQ(p.OpenPL, 12.5);
}

TEST(RecordsTest, AnOpenOrdersMissingAverageFillPriceIsTheOrderPrice) {
  const struct {
    Variant stored_fill;
    float kurs, expected_fill;
  } cases[] = {{0.0f, 101.5f, 101.5f},       {-0.0f, 101.5f, 101.5f},  {Variant(), 101.5f, 101.5f},
               {int32_t{0}, 101.5f, 101.5f}, {99.25f, 101.5f, 99.25f}, {0.0f, 0.0f, 0.0f}};
  for (const auto& c : cases) {
    SCOPED_TRACE("stored subtype " + std::to_string(c.stored_fill.VarTypeCode()));
    O o;
    o.ReadAllProperties(WithElement(WithElement(EmptyRecord(26), 18, c.kurs), 20, c.stored_fill));
    EXPECT_EQ(o.FillDurchschnittsKurs, c.expected_fill);
    EXPECT_EQ(o.Kurs, c.kurs);
  }
}

TEST(RecordsTest, AnAccountNestsChildrenFromOneInCollectionOrderAndReadsThemBack) {
  K original;
  SetFields(original, KontoFields());
  AddChildren(original);
  const Variant written = original.WriteAllProperties();
  const auto list = [](std::vector<Variant> children) {
    return Variant(VariantArray::Vector(1, std::move(children)));
  };
  EXPECT_TRUE(written.AsArray().At(3) == list({Order("O-2", 99.5f)->WriteAllProperties(),
                                               Order("O-1", 98.5f)->WriteAllProperties()}));
  EXPECT_TRUE(written.AsArray().At(4) == list({Position("ZZ9", 100)->WriteAllProperties(),
                                               Position("aa1", 100)->WriteAllProperties(),
                                               Position("Mm5", 100)->WriteAllProperties()}));
  EXPECT_TRUE(written.AsArray().At(5) ==
              list({Fill("F-3", 5)->WriteAllProperties(), Fill("F-1", 5)->WriteAllProperties(),
                    Fill("F-2", 5)->WriteAllProperties()}));
  K k;
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
  // Reading a record without children replaces whatever the account held before.
  k.ReadAllProperties(K().WriteAllProperties());
  EXPECT_EQ(k.cOffeneOrders.Count() + k.cTitelPositionen.Count() + k.cFilledOrders.Count(), 0u);
  EXPECT_TRUE(k.cTitelPositionen.Mode() == CompareMode::Text);
  // Empty reads as 0, not as the default of a new account.
  k.ReadAllProperties(EmptyRecord(48));
  EXPECT_EQ(k.CashBetrag, 0.0);
  EXPECT_EQ(k.KontoName, "");
}

TEST(RecordsTest, AnAccountsProfitAndLossAreReadOnlyFromAnArray) {
  const struct {
    const char* name;
    Variant element;
    double expected_gesamt;
  } cases[] = {
      {"array", VariantArray::Vector(0, {7.5, 0.0, 0.0}), 7.5},
      {"array of other subtypes", VariantArray::Vector(0, {"8.25", int16_t{1}, Variant()}), 8.25},
      {"Empty keeps the field", Variant(), 3.0},
      {"a number keeps the field", Variant(9.0), 3.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    K k;
    k.ProfitLossGesamt = 3;
    k.ReadAllProperties(WithElement(SampleRecord(), 45, c.element));
    EXPECT_EQ(k.ProfitLossGesamt, c.expected_gesamt);
  }
}

// The shapes of the record itself are RecordReader's (below); here those of the account's
// children and its profit and loss.
TEST(RecordsTest, AnAccountRefusesElementsOfTheWrongShapeAndDuplicateKeys) {
  const auto two = [](Variant a, Variant b) { return Variant(VariantArray::Vector(1, {a, b})); };
  const struct {
    const char* name;
    int32_t index;
    Variant element;
    int32_t number;
    std::string description;
  } cases[] = {
      {"short profit and loss", 45, VariantArray::Vector(0, {1.0, 2.0}), 9,
       "Element 45 des Kontodatensatzes hat 2 statt mindestens 3 Elemente"},
      {"text in profit and loss", 45, VariantArray::Vector(0, {"abc", 1.0, 2.0}), 13, ""},
      {"position list from 0", 4, VariantArray::Vector(0, {Position("A", 1)->WriteAllProperties()}),
       9, "Liste der Positionen beginnt bei Index 0 statt 1"},
      {"short fill", 5, VariantArray::Vector(1, {EmptyRecord(3)}), 9,
       "Filldatensatz hat 3 statt mindestens 10 Elemente"},
      {"two positions differing in case", 4,
       two(Position("de0001", 1)->WriteAllProperties(),
           Position("DE0001", 2)->WriteAllProperties()),
       457, ""},
      {"two open orders with one ID", 3,
       two(Order("X", 1)->WriteAllProperties(), Order("x", 2)->WriteAllProperties()), 457, ""},
      {"two fills with one ID", 5,
       two(Fill("F", 1)->WriteAllProperties(), Fill("F", 2)->WriteAllProperties()), 457, ""},
      {"bad element inside a position", 4,
       VariantArray::Vector(1, {WithElement(Position("A", 1)->WriteAllProperties(), 1, "abc")}), 13,
       ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectReadError<K>(WithElement(SampleRecord(), c.index, c.element), c.number, c.description);
  }
}

TEST(IsStorableTextTest, AcceptsWhatWindows1252HoldsUpTo65535Characters) {
  const struct {
    const char* name;
    std::string text;
    bool storable;
  } cases[] = {
      {"empty", "", true},
      {"Latin-1 and euro", "Grüße € ÿ", true},
      {"Greek", "Ωmega", false},
      {"cut UTF-8", "\xC3", false},
      {"65535 ASCII", std::string(65535, 'a'), true},
      {"65536 ASCII", std::string(65536, 'a'), false},
      {"65535 umlauts, twice as many UTF-8 bytes", Repeat("ä", 65535), true},
      {"65536 euro signs", Repeat("€", 65536), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(IsStorableText(c.text), c.storable);
  }
}

TEST(CheckStorableTextsTest, NamesAccountFieldAndChildOfTheFirstBadText) {
  const std::string kNot1252 = " enthält Zeichen, die Windows-1252 nicht darstellen kann";
  const std::string kDemo = "Konto \"Demo Ä\": Feld ";
  const struct {
    const char* name;
    std::function<void(K&)> change;
    std::string description;  // empty: storable
  } cases[] = {
      {"all storable", [](K&) {}, ""},
      {"long but storable", [](K& k) { k.PlatziereBedingung = Repeat("ü", 65535); }, ""},
      {"name", [](K& k) { k.KontoName = "Ω"; }, "Konto \"Ω\": Feld KontoName" + kNot1252},
      {"description", [](K& k) { k.Beschreibung = "a\xFF"; }, kDemo + "Beschreibung" + kNot1252},
      {"cancel rule", [](K& k) { k.FillStreichBedingung = "x → y"; },
       kDemo + "FillStreichBedingung" + kNot1252},
      {"placement rule", [](K& k) { k.PlatziereBedingung = std::string(65536, 'x'); },
       kDemo + "PlatziereBedingung ist 65536 Zeichen lang, höchstens 65535 sind möglich"},
      {"placement message", [](K& k) { k.PlatziereMeldung = "✓"; },
       kDemo + "PlatziereMeldung" + kNot1252},
      {"order WKN", [](K& k) { k.cOffeneOrders.Item("O-1")->TitelWKN = "日本"; },
       kDemo + "TitelWKN der offenen Order \"O-1\"" + kNot1252},
      {"order name", [](K& k) { k.cOffeneOrders.Item("O-1")->TitelName = "日本"; },
       kDemo + "TitelName der offenen Order \"O-1\"" + kNot1252},
      {"order tick text", [](K& k) { k.cOffeneOrders.Item("O-1")->MinTickSize = "≈1"; },
       kDemo + "MinTickSize der offenen Order \"O-1\"" + kNot1252},
      {"position name", [](K& k) { k.cTitelPositionen.Item("aa1")->TitelName = "日本"; },
       kDemo + "TitelName der Position \"aa1\"" + kNot1252},
      {"position tick inside an array",
       [](K& k) {
         k.cTitelPositionen.Item("aa1")->MinTickSize =
             VariantArray::Vector(0, {Variant(1.0), Variant("≈")});
       },
       kDemo + "MinTickSize der Position \"aa1\"" + kNot1252},
      {"fill WKN", [](K& k) { k.cFilledOrders.Item("F-1")->TitelWKN = std::string(70000, '1'); },
       kDemo + "TitelWKN des Fills \"F-1\" ist 70000 Zeichen lang, höchstens 65535 sind möglich"},
      {"fill ID", [](K& k) { k.cFilledOrders.Item("F-1")->ID = "F-1 ✗"; },
       kDemo + "ID des Fills \"F-1\"" + kNot1252},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    K k;
    SetFields(k, KontoFields());
    AddChildren(k);
    c.change(k);
    if (c.description.empty()) {
      EXPECT_NO_THROW(CheckStorableTexts(k));
      continue;
    }
    const AutomationError e = testing::RaisedError([&] { CheckStorableTexts(k); });
    EXPECT_EQ(e.Number(), 5);
    EXPECT_EQ(e.Description(), c.description);
  }
}

}  // namespace
}  // namespace vks
