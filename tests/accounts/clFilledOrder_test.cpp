#include "accounts/clFilledOrder.h"

#include <gtest/gtest.h>

#include "platform/automation/AutomationError.h"
#include "tests/accounts/RecordTestSupport.h"

namespace vks {
namespace {

const std::vector<test::Field<clFilledOrder>>& Fields() {
  static const std::vector<test::Field<clFilledOrder>> fields = {
      {&clFilledOrder::ID, 0, "F-1"},
      {&clFilledOrder::Aktion, 1, int16_t{1}},
      {&clFilledOrder::FilledAnzahl, 2, int32_t{100}},
      {&clFilledOrder::TitelName, 3, "Déjà Vu SA"},
      {&clFilledOrder::Gestrichen, 4, true},
      {&clFilledOrder::TitelWKN, 5, "FR0000120271"},
      {&clFilledOrder::SimulDatum, 6, DateValue{-1.25}},
      {&clFilledOrder::RealDatum, 7, DateValue{45300.75}},
      {&clFilledOrder::IsEnterOrder, 8, false},
      {&clFilledOrder::EnterPreis, 9, test::kNaNSingle},
  };
  return fields;
}

TEST(clFilledOrderTest, StoresEveryFieldAtItsIndexWithItsSubtypeAndReadsItBack) {
  test::ExpectStoredFields(Fields(), 13);
}

TEST(clFilledOrderTest, RefusesRecordsItCannotRead) {
  test::ExpectRefusals(Fields(), 13, "Filldatensatz", 10);
  test::ExpectReadError<clFilledOrder>(Variant("F-1"), 13);
}

}  // namespace
}  // namespace vks
