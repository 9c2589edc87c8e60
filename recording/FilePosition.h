#pragma once
// 64-bit file positions as the file object exchanges them: a currency value whose integer part is
// the byte position, split into and joined from the platform's two 32-bit halves.
#include <cstdint>

#include "platform/automation/Variant.h"

namespace vks {

struct PositionHalves {
  int32_t low = 0;  // the low 32 bits read as signed
  int32_t high = 0;
  friend bool operator==(PositionHalves, PositionHalves) = default;
};

inline constexpr int64_t kCurrencyScale = 10000;

// low + high × 2^32, with a negative low half taken as unsigned.
CurrencyValue PairToValue(int32_t low, int32_t high);
// The inverse for the value's integer part. Throws AutomationError 6 when a half does not fit.
PositionHalves ValueToPair(CurrencyValue value);
// The byte offset the platform sees for two halves (the low half as unsigned).
int64_t PairToOffset(PositionHalves pair);

}  // namespace vks
