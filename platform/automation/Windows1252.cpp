#include "platform/automation/Windows1252.h"

#include <cstdint>
#include <cstdio>
#include <optional>

namespace vks {
namespace {

// The characters of 0x80..0x9F; the bytes without one keep their own code point.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

char32_t CodePointOf(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : byte;
}

// The byte for a code point, or -1 when the code page has none.
int ByteOf(char32_t code_point) {
  if (code_point < 0x80 || (code_point >= 0xA0 && code_point <= 0xFF))
    return static_cast<int>(code_point);
  for (int i = 0; i < 32; ++i)
    if (kHighControls[i] == code_point) return 0x80 + i;
  return -1;
}

void AppendUtf8(char32_t code_point, std::string& out) {
  if (code_point < 0x80) {
    out.push_back(static_cast<char>(code_point));
  } else if (code_point < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code_point >> 6)));
    out.push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
  } else {  // the table holds nothing beyond the Basic Multilingual Plane
    out.push_back(static_cast<char>(0xE0 | (code_point >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code_point >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
  }
}

// Decodes one UTF-8 character at `pos`, strictly: no overlong forms, no surrogates, nothing beyond
// U+10FFFF. Returns its length, or 0 when the bytes there are not valid UTF-8.
size_t DecodeUtf8(std::string_view text, size_t pos, char32_t& code_point) {
  auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  unsigned char lead = byte(pos);
  size_t length;
  char32_t min;
  if (lead < 0x80) {
    code_point = lead;
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, min = 0x80, code_point = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, min = 0x800, code_point = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, min = 0x10000, code_point = lead & 0x07;
  } else {
    return 0;
  }
  if (text.size() - pos < length) return 0;
  for (size_t i = 1; i < length; ++i) {
    unsigned char next = byte(pos + i);
    if ((next & 0xC0) != 0x80) return 0;
    code_point = (code_point << 6) | (next & 0x3F);
  }
  if (code_point < min || code_point > 0x10FFFF || (code_point >= 0xD800 && code_point <= 0xDFFF))
    return 0;
  return length;
}

AutomationError InvalidUtf8(size_t offset) {
  return AutomationError(error::kInvalidCall, "",
                         "Ungültiges UTF-8 an Byte " + std::to_string(offset));
}

AutomationError NotRepresentable(char32_t code_point, size_t offset) {
  char name[16];
  std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(code_point));
  return AutomationError(error::kInvalidCall, "",
                         std::string("Das Zeichen ") + name + " an Byte " + std::to_string(offset) +
                             " ist in Windows-1252 nicht darstellbar");
}

// Where and why a text does not fit the code page.
struct Failure {
  size_t offset;
  char32_t code_point;  // meaningful only when the UTF-8 is valid
  bool invalid_utf8;
};

// Encodes into `out` when given; stops at the first failure.
std::optional<Failure> Encode(std::string_view utf8, std::string* out) {
  for (size_t pos = 0; pos < utf8.size();) {
    char32_t code_point = 0;
    size_t length = DecodeUtf8(utf8, pos, code_point);
    if (length == 0) return Failure{pos, 0, true};
    int byte = ByteOf(code_point);
    if (byte < 0) return Failure{pos, code_point, false};
    if (out) out->push_back(static_cast<char>(byte));
    pos += length;
  }
  return std::nullopt;
}

}  // namespace

std::string Windows1252ToUtf8(std::string_view bytes) {
  std::string utf8;
  utf8.reserve(bytes.size());
  for (char c : bytes) AppendUtf8(CodePointOf(static_cast<unsigned char>(c)), utf8);
  return utf8;
}

Result<std::string> Utf8ToWindows1252(std::string_view utf8) {
  std::string bytes;
  bytes.reserve(utf8.size());
  if (std::optional<Failure> failure = Encode(utf8, &bytes)) {
    if (failure->invalid_utf8) return InvalidUtf8(failure->offset);
    return NotRepresentable(failure->code_point, failure->offset);
  }
  return bytes;
}

bool FitsWindows1252(std::string_view utf8) {
  return !Encode(utf8, nullptr).has_value();
}

}  // namespace vks
