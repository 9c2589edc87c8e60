#include "accounts/clOffeneOrder.h"

#include <gtest/gtest.h>

#include <bit>

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
  const std::pair<bool clOffeneOrder::*, int32_t> cases[] = {
      {&clOffeneOrder::IsEnterOrder, 8},
      {&clOffeneOrder::CommissionsArePoints, 13},
      {&clOffeneOrder::UmrechnungAuchGebuehren, 19},
  };
  for (const auto& [field, index] : cases) {
    SCOPED_TRACE("element " + std::to_string(index));
    clOffeneOrder o;
    o.*field = true;
    const Variant written = o.WriteAllProperties();
    for (const auto& [other_field, other_index] : cases) {
      EXPECT_TRUE(written.AsArray().At(other_index) == Variant(other_index == index));
    }
  }
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

TEST(clOffeneOrderTest, RefusesElementsThatDoNotConvert) {
  struct Case {
    int32_t index;
    Variant value;
    int32_t number;
  };
  const Case cases[] = {
      {3, "abc", 13},           {2, int32_t{40000}, 6}, {2, "x", 13},    {6, "kein Datum", 13},
      {1, Variant::Null(), 94}, {4, 1e10, 6},           {21, "abc", 13},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("element " + std::to_string(c.index));
    clOffeneOrder o;
    try {
      o.ReadAllProperties(test::WithElement(test::EmptyRecord(26), c.index, c.value));
      ADD_FAILURE() << "no error";
    } catch (const AutomationError& e) {
      EXPECT_EQ(e.Number(), c.number);
    }
  }
}

TEST(clOffeneOrderTest, NeedsTwentyTwoElements) {
  clOffeneOrder o;
  o.ReadAllProperties(test::EmptyRecord(22));
  try {
    o.ReadAllProperties(test::EmptyRecord(21));
    ADD_FAILURE() << "no error";
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.Number(), 9);
    EXPECT_EQ(e.Description(), "Orderdatensatz hat 21 statt mindestens 22 Elemente");
  }
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
    o.SchreibeZusatzInfos(z);

    EXPECT_EQ(o.PointValue, c.point_value);
    EXPECT_TRUE(o.MinTickSize == Variant(int16_t{5}));
    EXPECT_EQ(o.Margin, c.expected_margin);
    EXPECT_EQ(o.Commissions, 0.2f);
    EXPECT_TRUE(o.CommissionsArePoints);
    EXPECT_EQ(o.MindestCommissions, 6.0f);
    EXPECT_EQ(o.MaximalCommissions, 0.0f);
    EXPECT_EQ(o.ZusatzCommissions, 2.0f);
    EXPECT_EQ(o.AktUmrechnungsWert, c.expected_factor);
    EXPECT_FALSE(o.UmrechnungAuchGebuehren);

    // Identity, quantities, times and prices stay as they were.
    EXPECT_EQ(o.ID, "ORD-17");
    EXPECT_EQ(o.TitelWKN, "DE0007236101");
    EXPECT_EQ(o.TitelName, "Siemens");
    EXPECT_EQ(o.Aktion, -1);
    EXPECT_EQ(o.Anzahl, 300);
    EXPECT_EQ(o.FilledAnzahl, 120);
    EXPECT_EQ(o.Kurs, 101.5f);
    EXPECT_EQ(std::bit_cast<uint32_t>(o.FillDurchschnittsKurs), 0x7FC0'1234u);
    EXPECT_TRUE(o.IsEnterOrder);
    EXPECT_EQ(o.StartUmrechnungswert, 0.91f);
  }
}

}  // namespace
}  // namespace vks
