#include "accounts/Eingabepruefung.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>

namespace vks {
namespace {

// The edges of the years 100 to 9999; before the epoch the fraction counts forward from midnight.
TEST(IstGueltigesDatumTest, YearsOneHundredToNineThousandNineHundredNinetyNine) {
  const struct {
    double days;
    bool gueltig;
  } kCases[] = {
      {0, true},         {-657434, true},    {-657434.99999, true}, {2958465.99999, true},
      {-657435, false},  {2958466, false},   {1e308, false},        {-1e308, false},
      {INFINITY, false}, {-INFINITY, false}, {NAN, false},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(::testing::Message() << std::setprecision(17) << c.days);
    EXPECT_EQ(IstGueltigesDatum(DateValue{c.days}), c.gueltig);
  }
}

}  // namespace
}  // namespace vks
