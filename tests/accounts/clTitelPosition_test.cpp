#include "accounts/clTitelPosition.h"

#include <gtest/gtest.h>

#include <bit>

#include "platform/automation/AutomationError.h"
#include "platform/automation/NoValue.h"
#include "tests/accounts/RecordTestSupport.h"

namespace vks {
namespace {

using P = clTitelPosition;

const std::vector<test::Field<P>>& Fields() {
  static const std::vector<test::Field<P>> fields = {
      {&P::Durchschnittspreis, 0, test::kNaNSingle},
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
      {&P::UmrechnungAuchGebuehren, 14, true},
  };
  return fields;
}

// What the record does not store.
void SetUnstored(P& p) {
  p.AktuellerKurs = 99.5f;
  p.AktuelleZeit = DateValue{45292.5};
  p.NeuenKursSpeichern = true;
  p.StartMarginUmrechnungswert = 1.1f;
}

void FillSample(P& p) {
  test::SetFields(p, Fields());
  SetUnstored(p);
}

TEST(clTitelPositionTest, StoresEveryFieldAtItsIndexWithItsSubtypeAndReadsItBack) {
  test::ExpectStoredFields(Fields(), 17, &SetUnstored);
}

// Reading sets nothing that the record does not store: price, time and the start factor.
TEST(clTitelPositionTest, ReadingLeavesUnstoredFieldsUnset) {
  clTitelPosition original;
  FillSample(original);
  clTitelPosition copy;
  copy.ReadAllProperties(original.WriteAllProperties());
  EXPECT_EQ(std::bit_cast<uint32_t>(copy.AktuellerKurs), std::bit_cast<uint32_t>(NoValue));
  EXPECT_EQ(copy.AktuelleZeit.days, 0.0);
  EXPECT_FALSE(copy.NeuenKursSpeichern);
  EXPECT_EQ(copy.StartMarginUmrechnungswert, 0.0f);
}

TEST(clTitelPositionTest, MinTickSizeKeepsItsSubtype) {
  const Variant cases[] = {Variant(),           Variant::Null(), Variant("0,01"),
                           Variant(int16_t{1}), Variant(0.01f),  Variant(0.01)};
  for (const Variant& tick : cases) {
    SCOPED_TRACE("subtype " + std::to_string(tick.VarTypeCode()));
    clTitelPosition p;
    p.MinTickSize = tick;
    clTitelPosition copy;
    copy.ReadAllProperties(p.WriteAllProperties());
    EXPECT_TRUE(copy.MinTickSize == tick);
  }
}

TEST(clTitelPositionTest, ElementsOfOtherSubtypesAreCoerced) {
  clTitelPosition p;
  p.ReadAllProperties(test::EmptyRecord(15));
  EXPECT_EQ(p.TitelWKN, "");
  EXPECT_EQ(p.Position, 0);
  EXPECT_FALSE(p.CommissionsArePoints);

  Variant record = test::EmptyRecord(17);
  record = test::WithElement(record, 1, 2.5);  // rounds half to even
  record = test::WithElement(record, 2, int32_t{10});
  record = test::WithElement(record, 4, int32_t{710000});
  record = test::WithElement(record, 8, int16_t{1});
  record = test::WithElement(record, 13, "12.5");
  p.ReadAllProperties(record);
  EXPECT_EQ(p.Position, 2);
  EXPECT_EQ(p.PointValue, 10.0f);
  EXPECT_EQ(p.TitelWKN, "710000");
  EXPECT_TRUE(p.CommissionsArePoints);
  EXPECT_EQ(p.OpenPL, 12.5);
}

TEST(clTitelPositionTest, RefusesRecordsItCannotRead) {
  test::ExpectRefusals(Fields(), 17, "Positionsdatensatz", 15);
}

TEST(clTitelPositionTest, SchreibeZusatzInfosTakesOverTheTermsOnly) {
  test::ExpectTermsTakenOver(&FillSample, {2, 3, 6, 7, 8, 9, 10, 11, 12, 14});
  // Not stored, so not seen by the record.
  clTitelPosition p;
  FillSample(p);
  p.SchreibeZusatzInfos(clOrderZusatzInfos{});
  EXPECT_EQ(p.AktuellerKurs, 99.5f);
  EXPECT_EQ(p.StartMarginUmrechnungswert, 1.1f);
}

}  // namespace
}  // namespace vks
