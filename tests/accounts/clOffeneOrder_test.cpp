#include "accounts/clOffeneOrder.h"

#include <gtest/gtest.h>

#include "platform/automation/AutomationError.h"
#include "platform/automation/NoValue.h"
#include "tests/accounts/RecordTestSupport.h"

namespace vks {
namespace {

using test::Element;

void FillSample(clOffeneOrder& o) {
  o.TitelName = "Siemens";
  o.TitelWKN = "DE0007236101";
  o.ID = "ORD-17";
  o.Aktion = -1;
  o.Anzahl = 300;
  o.FilledAnzahl = 120;
  o.SimulDatum = DateValue{45292.375};
  o.RealDatum = DateValue{45292.4};
  o.IsEnterOrder = true;
  o.PointValue = 20;
  o.MinTickSize = "0,25";
  o.Margin = 0.3f;
  o.Kurs = 101.5f;
  o.FillDurchschnittsKurs = test::kNaNSingle;
  o.Commissions = 0.1f;
  o.CommissionsArePoints = false;
  o.MindestCommissions = 5;
  o.MaximalCommissions = 50;
  o.ZusatzCommissions = -0.0f;
  o.AktUmrechnungsWert = 0.93f;
  o.UmrechnungAuchGebuehren = true;
  o.StartUmrechnungswert = 0.91f;
}

const std::vector<Element>& SampleLayout() {
  static const std::vector<Element> layout = {
      {0, "DE0007236101"},
      {1, "ORD-17"},
      {2, int16_t{-1}},
      {3, int32_t{300}},
      {4, int32_t{120}},
      {5, "Siemens"},
      {6, DateValue{45292.375}},
      {7, DateValue{45292.4}},
      {8, true},
      {9, 20.0f},
      {10, "0,25"},
      {11, 0.3f},
      {12, 0.1f},
      {13, false},
      {14, 5.0f},
      {15, 50.0f},
      {16, -0.0f},
      {17, 0.93f},
      {18, 101.5f},
      {19, true},
      {20, test::kNaNSingle},
      {21, 0.91f},
  };
  return layout;
}

TEST(clOffeneOrderTest, StoresEveryFieldAtItsIndexWithItsSubtypeAndReadsItBack) {
  clOffeneOrder o;
  FillSample(o);
  test::ExpectStoredLayout<clOffeneOrder>(o.WriteAllProperties(), 26, SampleLayout());
}

TEST(clOffeneOrderTest, EachBooleanHasItsOwnElement) {
  test::ExpectEachBooleanAlone<clOffeneOrder>({{&clOffeneOrder::IsEnterOrder, 8},
                                               {&clOffeneOrder::CommissionsArePoints, 13},
                                               {&clOffeneOrder::UmrechnungAuchGebuehren, 19}});
}

TEST(clOffeneOrderTest, MissingAverageFillPriceIsTheOrderPrice) {
  struct Case {
    Variant stored_fill;
    float kurs;
    float expected_fill;
  };
  const Case cases[] = {
      {0.0f, 101.5f, 101.5f},       {-0.0f, 101.5f, 101.5f},  {Variant(), 101.5f, 101.5f},
      {int32_t{0}, 101.5f, 101.5f}, {99.25f, 101.5f, 99.25f}, {0.0f, 0.0f, 0.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("stored subtype " + std::to_string(c.stored_fill.VarTypeCode()));
    Variant record = test::WithElement(test::EmptyRecord(26), 18, c.kurs);
    record = test::WithElement(record, 20, c.stored_fill);
    clOffeneOrder o;
    o.ReadAllProperties(record);
    EXPECT_EQ(o.FillDurchschnittsKurs, c.expected_fill);
    EXPECT_EQ(o.Kurs, c.kurs);
  }
}

TEST(clOffeneOrderTest, RefusesRecordsItCannotRead) {
  const auto with = [](int32_t index, Variant value) {
    return test::WithElement(test::EmptyRecord(26), index, std::move(value));
  };
  struct Case {
    Variant record;
    int32_t number;
    std::string description = {};
  };
  const Case cases[] = {
      {with(3, "abc"), 13},
      {with(2, int32_t{40000}), 6},
      {with(2, "x"), 13},
      {with(6, "kein Datum"), 13},
      {with(1, Variant::Null()), 94},
      {with(4, 1e10), 6},
      {with(21, "abc"), 13},
      {test::EmptyRecord(21), 9, "Orderdatensatz hat 21 statt mindestens 22 Elemente"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(&c - cases);
    test::ExpectReadError<clOffeneOrder>(c.record, c.number, c.description);
  }
  clOffeneOrder o;
  o.ReadAllProperties(test::EmptyRecord(22));
}

TEST(clOffeneOrderTest, SchreibeZusatzInfosTakesOverTheTermsOnly) {
  struct Case {
    const char* name;
    float point_value;
    float margin;
    float factor;
    float expected_margin;
    float expected_factor;
  };
  const Case cases[] = {
      {"stock percent becomes a fraction", 0, 25, 1.1f, 0.25f, 1.1f},
      {"contract margin per contract", 10, 2500, 1.1f, 2500, 1.1f},
      {"no factor keeps the earlier one", 0, 25, NoValue, 0.25f, 0.95f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clOffeneOrder o;
    FillSample(o);
    o.AktUmrechnungsWert = 0.95f;

    clOrderZusatzInfos z;
    z.PointValue = c.point_value;
    z.MinTickSize = int16_t{5};
    z.Margin = c.margin;
    z.Commissions = 0.2f;
    z.CommissionsArePoints = true;
    z.MindestCommissions = 6;
    z.MaximalCommissions = 0;
    z.ZusatzCommissions = 2;
    z.AktUmrechnungsWert = c.factor;
    z.UmrechnungAuchGebuehren = false;
    test::ExpectTermsTakenOver(o, z, {9, 10, 11, 12, 13, 14, 15, 16, 17, 19}, c.expected_margin,
                               c.expected_factor);
  }
}

}  // namespace
}  // namespace vks
