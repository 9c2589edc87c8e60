#include "accounts/clTitelPosition.h"

#include <gtest/gtest.h>

#include <bit>

#include "platform/automation/AutomationError.h"
#include "platform/automation/NoValue.h"
#include "tests/accounts/RecordTestSupport.h"

namespace vks {
namespace {

using test::Element;

void FillSample(clTitelPosition& p) {
  p.TitelWKN = "DE0007100000";
  p.TitelName = "Müller AG";
  p.Durchschnittspreis = test::kNaNSingle;
  p.Position = -250;
  p.PointValue = 50;
  p.MinTickSize = 0.25;
  p.AktUmrechnungsWert = 1.0825f;
  p.UmrechnungAuchGebuehren = true;
  p.OpenPL = -0.0;
  p.AktuellerKurs = 99.5f;
  p.AktuelleZeit = DateValue{45292.5};
  p.NeuenKursSpeichern = true;
  p.Margin = 2500;
  p.Commissions = 0.125f;
  p.CommissionsArePoints = false;
  p.MindestCommissions = 4.95f;
  p.MaximalCommissions = -0.0f;
  p.ZusatzCommissions = 1.5f;
  p.StartMarginUmrechnungswert = 1.1f;
}

const std::vector<Element>& SampleLayout() {
  static const std::vector<Element> layout = {
      {0, test::kNaNSingle}, {1, int32_t{-250}}, {2, 50.0f},    {3, 0.25},  {4, "DE0007100000"},
      {5, "Müller AG"},      {6, 2500.0f},       {7, 0.125f},   {8, false}, {9, 4.95f},
      {10, -0.0f},           {11, 1.5f},         {12, 1.0825f}, {13, -0.0}, {14, true},
  };
  return layout;
}

TEST(clTitelPositionTest, StoresEveryFieldAtItsIndexWithItsSubtypeAndReadsItBack) {
  clTitelPosition p;
  FillSample(p);
  test::ExpectStoredLayout<clTitelPosition>(p.WriteAllProperties(), 17, SampleLayout());
}

TEST(clTitelPositionTest, ReadBackKeepsBitsAndResetsUnstoredFields) {
  clTitelPosition original;
  FillSample(original);
  clTitelPosition copy;
  copy.ReadAllProperties(original.WriteAllProperties());

  EXPECT_EQ(std::bit_cast<uint32_t>(copy.Durchschnittspreis), 0x7FC0'1234u);
  EXPECT_EQ(std::bit_cast<uint64_t>(copy.OpenPL), 0x8000'0000'0000'0000ull);
  EXPECT_EQ(std::bit_cast<uint32_t>(copy.MaximalCommissions), 0x8000'0000u);
  EXPECT_EQ(copy.Position, -250);
  EXPECT_EQ(copy.TitelName, "Müller AG");
  // Price, time and the start factor are not stored.
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
  const auto with = [](int32_t index, Variant value) {
    return test::WithElement(test::EmptyRecord(17), index, std::move(value));
  };
  struct Case {
    Variant record;
    int32_t number;
    std::string description = {};
  };
  const Case cases[] = {
      {with(1, "abc"), 13},
      {with(1, 3e9), 6},
      {with(1, Variant::Null()), 94},
      {with(0, "abc"), 13},
      {with(8, "vielleicht"), 13},
      {with(13, Variant::Null()), 94},
      {with(4, Variant::Null()), 94},
      {with(6, 1e39), 6},
      {test::EmptyRecord(14), 9, "Positionsdatensatz hat 14 statt mindestens 15 Elemente"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(&c - cases);
    test::ExpectReadError<clTitelPosition>(c.record, c.number, c.description);
  }
}

TEST(clTitelPositionTest, SchreibeZusatzInfosTakesOverTheTermsOnly) {
  struct Case {
    const char* name;
    float point_value;
    float margin;
    float factor;
    float expected_margin;
    float expected_factor;
  };
  const Case cases[] = {
      {"stock percent becomes a fraction", 0, 25, 1.2f, 0.25f, 1.2f},
      {"stock 33 percent", 0, 33, 1.2f, 0.33f, 1.2f},
      {"negative zero point value is a stock", -0.0f, 50, 1.2f, 0.5f, 1.2f},
      {"contract margin per contract", 10, 2500, 1.2f, 2500, 1.2f},
      {"no factor keeps the earlier one", 10, 2500, NoValue, 2500, 0.9f},
      {"factor 0 is a factor", 0, 10, 0, 0.1f, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clTitelPosition p;
    FillSample(p);
    p.AktUmrechnungsWert = 0.9f;
    clOrderZusatzInfos z;
    z.PointValue = c.point_value;
    z.MinTickSize = "0,05";
    z.Margin = c.margin;
    z.Commissions = 0.2f;
    z.CommissionsArePoints = true;
    z.MindestCommissions = 5;
    z.MaximalCommissions = 60;
    z.ZusatzCommissions = 1;
    z.AktUmrechnungsWert = c.factor;
    z.UmrechnungAuchGebuehren = true;
    test::ExpectTermsTakenOver(p, z, {2, 3, 6, 7, 8, 9, 10, 11, 12, 14}, c.expected_margin,
                               c.expected_factor);
    // Not stored, so not seen by the record.
    EXPECT_EQ(p.AktuellerKurs, 99.5f);
    EXPECT_EQ(p.StartMarginUmrechnungswert, 1.1f);
  }
}

}  // namespace
}  // namespace vks
