#include "recording/FileNameEncoding.h"

#include <cstdint>

namespace vks {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";
constexpr std::string_view kShortenedMark = "%~";
constexpr size_t kHashDigits = 16;

// Length of the valid UTF-8 sequence at `i` (2 to 4 bytes), 0 when there is none.
size_t Utf8SequenceAt(std::string_view s, size_t i) {
  unsigned char lead = static_cast<unsigned char>(s[i]);
  size_t n;
  uint32_t min;
  if ((lead & 0xE0) == 0xC0) {
    n = 2, min = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    n = 3, min = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    n = 4, min = 0x10000;
  } else {
    return 0;
  }
  if (i + n > s.size()) return 0;
  uint32_t cp = lead & (0x7F >> n);
  for (size_t k = 1; k < n; ++k) {
    unsigned char c = static_cast<unsigned char>(s[i + k]);
    if ((c & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (c & 0x3F);
  }
  // Overlong forms, surrogates and values past U+10FFFF would make two spellings of one name.
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return n;
}

bool NeedsEscape(unsigned char c, bool first) {
  return c < 0x20 || c == 0x7F || c == '%' || c == '/' || c == '\\' || (first && c == '.');
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

uint64_t Fnv1a(std::string_view text) {
  uint64_t hash = 14695981039346656037ull;
  for (unsigned char c : text) {
    hash ^= c;
    hash *= 1099511628211ull;
  }
  return hash;
}

// Plain printable ASCII with nothing to escape: the name is its own encoding.
bool IsPlain(std::string_view name) {
  if (name.size() > kMaxEncodedName || (!name.empty() && name[0] == '.')) return false;
  for (char ch : name) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c < 0x20 || c >= 0x7F || c == '%' || c == '/' || c == '\\') return false;
  }
  return true;
}

}  // namespace

std::string EncodeFileName(std::string_view name) {
  if (IsPlain(name)) return std::string(name);
  std::string out;
  out.reserve(name.size());
  // Where each encoded unit ends, so that a shortened name never splits one.
  size_t cut = 0;
  constexpr size_t kKeep = kMaxEncodedName - kShortenedMark.size() - kHashDigits;
  for (size_t i = 0; i < name.size();) {
    unsigned char c = static_cast<unsigned char>(name[i]);
    size_t n = c < 0x80 ? 1 : Utf8SequenceAt(name, i);
    if (n == 0 || NeedsEscape(c, i == 0)) {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 0xF];
      n = 1;
    } else {
      out.append(name.substr(i, n));
    }
    i += n;
    if (out.size() <= kKeep) cut = out.size();
  }
  if (out.size() <= kMaxEncodedName) return out;
  out.resize(cut);
  out += kShortenedMark;
  uint64_t hash = Fnv1a(name);
  for (int shift = 60; shift >= 0; shift -= 4) out += kHex[(hash >> shift) & 0xF];
  return out;
}

std::optional<std::string> DecodeFileName(std::string_view encoded) {
  std::string out;
  out.reserve(encoded.size());
  for (size_t i = 0; i < encoded.size(); ++i) {
    if (encoded[i] != '%') {
      out += encoded[i];
      continue;
    }
    if (i + 2 >= encoded.size()) return std::nullopt;
    int high = HexValue(encoded[i + 1]);
    int low = HexValue(encoded[i + 2]);
    if (high < 0 || low < 0) return std::nullopt;
    out += static_cast<char>(high * 16 + low);
    i += 2;
  }
  // Only the text that EncodeFileName would write is a name.
  if (EncodeFileName(out) != encoded) return std::nullopt;
  return out;
}

}  // namespace vks
