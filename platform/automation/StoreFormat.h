#pragma once
// Byte layout of the account store file: one serialized Variant from offset 0, no header, no
// version, no checksum; all integers little-endian.
//
//   variant   := type:u16 value
//   value     := (by type) nothing | i16 | i32 | f32 | f64 | currency:i64 | date:f64
//                | string: length:u16 Windows-1252 bytes | bool:i16 (-1/0) | byte:u8
//                | array (0x200C): dims:u16, per dimension count:i32 lower:i32, then the
//                  elements with the first index varying fastest
//
// The file holds an array 1..N of account records.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace vks::store {

inline constexpr uint16_t kTypeEmpty = 0;
inline constexpr uint16_t kTypeNull = 1;
inline constexpr uint16_t kTypeInteger = 2;
inline constexpr uint16_t kTypeLong = 3;
inline constexpr uint16_t kTypeSingle = 4;
inline constexpr uint16_t kTypeDouble = 5;
inline constexpr uint16_t kTypeCurrency = 6;
inline constexpr uint16_t kTypeDate = 7;
inline constexpr uint16_t kTypeString = 8;
inline constexpr uint16_t kTypeBoolean = 11;
inline constexpr uint16_t kTypeByte = 17;
inline constexpr uint16_t kTypeVariantArray = 0x200C;

inline constexpr uint32_t kMaxStringBytes = 0xFFFF;
// Deeper nesting than any account record needs is refused instead of recursing further.
inline constexpr int kMaxNesting = 32;
// The platform's arrays have at most 60 dimensions.
inline constexpr int kMaxDimensions = 60;

// Writes `value` at `at` in the file's byte order.
template <class T>
void PutLittleEndian(char* at, T value) {
  std::memcpy(at, &value, sizeof(T));
  if constexpr (std::endian::native == std::endian::big) std::reverse(at, at + sizeof(T));
}

}  // namespace vks::store
