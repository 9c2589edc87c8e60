#include "recording/FilePosition.h"

#include <gtest/gtest.h>

#include "fakes/ErrorOf.h"

namespace vks {
namespace {

constexpr int64_t k2_31 = int64_t{1} << 31;
constexpr int64_t k2_32 = int64_t{1} << 32;

CurrencyValue Bytes(int64_t n) {
  return CurrencyValue{n * 10000};
}

// The low half travels as a signed Long and counts as unsigned: both ways, across the borders of
// the halves.
TEST(FilePositionTest, PairsAndValuesConvertBothWays) {
  struct Case {
    int32_t low, high;
    int64_t bytes;
  } cases[] = {{0, 0, 0},
               {2147483647, 0, k2_31 - 1},
               {INT32_MIN, 0, k2_31},
               {-2147483647, 0, k2_31 + 1},
               {-1294967296, 0, 3000000000},
               {-1, 0, k2_32 - 1},
               {0, 1, k2_32},
               {1, 1, k2_32 + 1},
               {5, 1, k2_32 + 5},
               {INT32_MIN, 1, k2_32 + k2_31},
               {-1, 2, 3 * k2_32 - 1},
               {7, 5, 5 * k2_32 + 7}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    EXPECT_EQ(PairToValue(c.low, c.high), Bytes(c.bytes));
    const PositionHalves pair = ValueToPair(Bytes(c.bytes));
    EXPECT_EQ(pair, (PositionHalves{c.low, c.high}));
    EXPECT_EQ(PairToOffset(pair), c.bytes);
  }
  // Only the integer part is a position; a negative low half is what the platform makes of it.
  EXPECT_EQ(ValueToPair(CurrencyValue{19999}), (PositionHalves{1, 0}));
  EXPECT_EQ(ValueToPair(Bytes(-5)), (PositionHalves{-5, 0}));
  EXPECT_EQ(PairToOffset({-5, 0}), k2_32 - 5);
  EXPECT_EQ(testing::ErrorOf([] { (void)ValueToPair(Bytes(-k2_31 - 1)); }), 6);
}

}  // namespace
}  // namespace vks
