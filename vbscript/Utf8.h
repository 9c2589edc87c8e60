#pragma once
// Script strings are UTF-8 inside, but Len, Mid, InStr and friends count characters, as the
// language does. These helpers map character positions to byte offsets; ASCII text takes the
// short way.
#include <cstdint>
#include <string>
#include <string_view>

namespace vks::vbscript {

inline bool IsAscii(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

inline size_t CharCount(std::string_view s) {
  size_t n = 0;
  for (char c : s)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
  return n;
}

// Byte offset of character `index` (0-based); the size when past the end.
inline size_t ByteOffset(std::string_view s, size_t index) {
  size_t n = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
      if (n == index) return i;
      ++n;
    }
  }
  return s.size();
}

inline std::string EncodeUtf8(uint32_t cp) {
  std::string out;
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
  return out;
}

// The first character's code point (0 for empty text, the byte for broken UTF-8).
inline uint32_t DecodeFirst(std::string_view s) {
  if (s.empty()) return 0;
  auto b = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
  unsigned char c = b(0);
  if (c < 0x80) return c;
  if ((c & 0xE0) == 0xC0 && s.size() >= 2) return ((c & 0x1F) << 6) | (b(1) & 0x3F);
  if ((c & 0xF0) == 0xE0 && s.size() >= 3)
    return ((c & 0x0F) << 12) | ((b(1) & 0x3F) << 6) | (b(2) & 0x3F);
  if ((c & 0xF8) == 0xF0 && s.size() >= 4)
    return ((c & 0x07) << 18) | ((b(1) & 0x3F) << 12) | ((b(2) & 0x3F) << 6) | (b(3) & 0x3F);
  return c;
}

}  // namespace vks::vbscript
