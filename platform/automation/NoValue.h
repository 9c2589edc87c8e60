#pragma once
// "No value" for single-precision fields and arguments: a factor not supplied, a position not yet
// priced, a metric asked for an account that does not exist.
#include <bit>
#include <cstdint>

namespace vks {

inline constexpr float NoValue = -2.123456E+38f;
static_assert(std::bit_cast<uint32_t>(NoValue) == 0xFF1FC046u);

}  // namespace vks
