#include "recording/FilePosition.h"

#include "platform/automation/AutomationError.h"

namespace vks {
namespace {
constexpr int64_t kTwo32 = int64_t{1} << 32;
constexpr int64_t kTwo31 = int64_t{1} << 31;
}  // namespace

CurrencyValue PairToValue(int32_t low, int32_t high) {
  int64_t unsigned_low = low < 0 ? int64_t{low} + kTwo32 : int64_t{low};
  return CurrencyValue{(unsigned_low + int64_t{high} * kTwo32) * kCurrencyScale};
}

PositionHalves ValueToPair(CurrencyValue value) {
  int64_t remainder = value.scaled / kCurrencyScale;
  int64_t high = remainder >= kTwo32 ? remainder / kTwo32 : 0;
  remainder -= high * kTwo32;
  int64_t low = remainder >= kTwo31 ? remainder - kTwo32 : remainder;
  if (high > INT32_MAX || low < INT32_MIN) throw AutomationError(error::kOverflow);
  return PositionHalves{static_cast<int32_t>(low), static_cast<int32_t>(high)};
}

int64_t PairToOffset(PositionHalves pair) {
  return static_cast<int64_t>((static_cast<uint64_t>(static_cast<uint32_t>(pair.high)) << 32) |
                              static_cast<uint32_t>(pair.low));
}

}  // namespace vks
