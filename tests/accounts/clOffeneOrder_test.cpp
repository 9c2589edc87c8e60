#include "accounts/clOffeneOrder.h"

#include <gtest/gtest.h>

#include "platform/automation/AutomationError.h"
#include "platform/automation/NoValue.h"
#include "tests/accounts/RecordTestSupport.h"

namespace vks {
namespace {

using O = clOffeneOrder;

const std::vector<test::Field<O>>& Fields() {
  static const std::vector<test::Field<O>> fields = {
      {&O::TitelWKN, 0, "DE0007236101"},
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
      {&O::FillDurchschnittsKurs, 20, test::kNaNSingle},
      {&O::StartUmrechnungswert, 21, 0.91f},
  };
  return fields;
}

void FillSample(O& o) {
  test::SetFields(o, Fields());
}

TEST(clOffeneOrderTest, StoresEveryFieldAtItsIndexWithItsSubtypeAndReadsItBack) {
  test::ExpectStoredFields(Fields(), 26);
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
  test::ExpectRefusals(Fields(), 26, "Orderdatensatz", 22);
}

TEST(clOffeneOrderTest, SchreibeZusatzInfosTakesOverTheTermsOnly) {
  test::ExpectTermsTakenOver(&FillSample, {9, 10, 11, 12, 13, 14, 15, 16, 17, 19});
}

}  // namespace
}  // namespace vks
