#pragma once
// Long (32-bit) results as the automation types compute them: a result outside the range is error
// 6 (overflow), never a wrapped value.
#include <cstdint>

#include "platform/automation/AutomationError.h"

namespace vks {

inline int32_t CheckedLong(int64_t value) {
  if (value < INT32_MIN || value > INT32_MAX) throw AutomationError(error::kOverflow);
  return static_cast<int32_t>(value);
}

}  // namespace vks
