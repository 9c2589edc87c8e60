#pragma once
// The bounds one engine runs within. A script past its time gets error 18, a string or array past
// the memory bound error 7, recursion past the stack bound error 28; the process never suffers.
#include <cstddef>
#include <cstdint>
#include <functional>

namespace vks::vbscript {

struct Limits {
  int64_t time_limit_ms = 60000;     // per call into the engine; <= 0 is no limit
  int64_t memory_limit = 256 << 20;  // bytes one string or array may take
  size_t stack_limit = 1 << 20;      // bytes of machine stack the script may use
};

}  // namespace vks::vbscript
