#include "accounts/clFilledOrder.h"

#include <gtest/gtest.h>

#include "platform/automation/AutomationError.h"
#include "tests/accounts/RecordTestSupport.h"

namespace vks {
namespace {

using test::Element;

void FillSample(clFilledOrder& f) {
  f.ID = "F-1";
  f.Aktion = 1;
  f.FilledAnzahl = 100;
  f.TitelName = "Déjà Vu SA";
  f.Gestrichen = true;
  f.TitelWKN = "FR0000120271";
  f.SimulDatum = DateValue{-1.25};
  f.RealDatum = DateValue{45300.75};
  f.IsEnterOrder = false;
  f.EnterPreis = test::kNaNSingle;
}

const std::vector<Element>& SampleLayout() {
  static const std::vector<Element> layout = {
      {0, "F-1"}, {1, int16_t{1}},       {2, int32_t{100}},     {3, "Déjà Vu SA"},
      {4, true},  {5, "FR0000120271"},   {6, DateValue{-1.25}}, {7, DateValue{45300.75}},
      {8, false}, {9, test::kNaNSingle},
  };
  return layout;
}

TEST(clFilledOrderTest, StoresEveryFieldAtItsIndexWithItsSubtypeAndReadsItBack) {
  clFilledOrder f;
  FillSample(f);
  test::ExpectStoredLayout<clFilledOrder>(f.WriteAllProperties(), 13, SampleLayout());
}

TEST(clFilledOrderTest, RefusesRecordsItCannotRead) {
  struct Case {
    const char* name;
    Variant record;
    int32_t number;
  };
  const Case cases[] = {
      {"text for the quantity", test::WithElement(test::EmptyRecord(13), 2, "abc"), 13},
      {"direction beyond Integer", test::WithElement(test::EmptyRecord(13), 1, 32768.0), 6},
      {"Null for the price", test::WithElement(test::EmptyRecord(13), 9, Variant::Null()), 94},
      {"nine elements", test::EmptyRecord(9), 9},
      {"no array", Variant("F-1"), 13},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::ExpectReadError<clFilledOrder>(c.record, c.number);
  }
}

}  // namespace
}  // namespace vks
