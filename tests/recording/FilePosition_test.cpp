#include "recording/FilePosition.h"

#include <gtest/gtest.h>

#include "platform/automation/AutomationError.h"

namespace vks {
namespace {

constexpr int64_t k2_31 = int64_t{1} << 31;
constexpr int64_t k2_32 = int64_t{1} << 32;

CurrencyValue Bytes(int64_t n) {
  return CurrencyValue{n * 10000};
}

TEST(FilePositionTest, PairToValueTakesTheLowHalfAsUnsigned) {
  struct Case {
    int32_t low, high;
    int64_t bytes;
  } cases[] = {
      {0, 0, 0},
      {2147483647, 0, k2_31 - 1},
      {INT32_MIN, 0, k2_31},
      {-1, 0, k2_32 - 1},
      {0, 1, k2_32},
      {5, 1, k2_32 + 5},
      {-1294967296, 0, 3000000000},
      {INT32_MIN, 1, k2_32 + k2_31},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    EXPECT_EQ(PairToValue(c.low, c.high), Bytes(c.bytes));
  }
}

TEST(FilePositionTest, ValueToPairGivesTheLowHalfAsSigned) {
  struct Case {
    CurrencyValue value;
    PositionHalves pair;
    int64_t offset;
  } cases[] = {
      {Bytes(0), {0, 0}, 0},
      {Bytes(k2_31 - 1), {2147483647, 0}, k2_31 - 1},
      {Bytes(k2_31), {INT32_MIN, 0}, k2_31},
      {Bytes(3000000000), {-1294967296, 0}, 3000000000},
      {Bytes(k2_32 - 1), {-1, 0}, k2_32 - 1},
      {Bytes(k2_32), {0, 1}, k2_32},
      {Bytes(k2_32 + k2_31), {INT32_MIN, 1}, k2_32 + k2_31},
      {Bytes(5 * k2_32 + 7), {7, 5}, 5 * k2_32 + 7},
      {CurrencyValue{19999}, {1, 0}, 1},  // only the integer part is a position
      {Bytes(-5), {-5, 0}, k2_32 - 5},    // what the platform makes of a negative low half
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value.scaled);
    PositionHalves pair = ValueToPair(c.value);
    EXPECT_EQ(pair, c.pair);
    EXPECT_EQ(PairToOffset(pair), c.offset);
  }
}

TEST(FilePositionTest, PairsRoundTripAcrossTheHalfBoundaries) {
  for (int64_t bytes : {k2_31 - 1, k2_31, k2_31 + 1, k2_32 - 1, k2_32, k2_32 + 1, 3 * k2_32 - 1}) {
    SCOPED_TRACE(bytes);
    PositionHalves pair = ValueToPair(Bytes(bytes));
    EXPECT_EQ(PairToValue(pair.low, pair.high), Bytes(bytes));
  }
}

TEST(FilePositionTest, ValueBelowTheSignedLowHalfOverflows) {
  try {
    (void)ValueToPair(Bytes(-k2_31 - 1));
    FAIL() << "no error";
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.Number(), 6);
  }
}

}  // namespace
}  // namespace vks
