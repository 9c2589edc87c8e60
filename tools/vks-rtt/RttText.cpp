#include "tools/vks-rtt/RttText.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "platform/automation/AutomationDate.h"
#include "platform/automation/AutomationError.h"

namespace vks::rtt_tool {
namespace {

template <class T>
std::string Shortest(T value) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

}  // namespace

std::string IsoTime(DateValue date) {
  if (!std::isfinite(date.days) || date.days < kMinAutomationDate || date.days > kMaxAutomationDate)
    return {};
  try {
    CalendarDateTime c = FromAutomationDate(date);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02dT%02d:%02d:%02d", c.year, c.month, c.day,
                  c.hour, c.minute, c.second);
    return buffer;
  } catch (const AutomationError&) {
    return {};
  }
}

std::string ExactNumber(double value) {
  return Shortest(value);
}
std::string ExactNumber(float value) {
  return Shortest(value);
}

std::string JsonNumber(double value) {
  return std::isfinite(value) ? Shortest(value) : "null";
}
std::string JsonNumber(float value) {
  return std::isfinite(value) ? Shortest(value) : "null";
}

std::string JsonString(std::string_view utf8) {
  std::string out = "\"";
  for (size_t i = 0; i < utf8.size();) {
    unsigned char c = static_cast<unsigned char>(utf8[i]);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
      ++i;
    } else if (c < 0x20 || c == 0x7F) {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
      out += buffer;
      ++i;
    } else if (c < 0x80) {
      out += static_cast<char>(c);
      ++i;
    } else {
      size_t n = (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
      bool valid = n != 0 && i + n <= utf8.size();
      for (size_t k = 1; valid && k < n; ++k)
        valid = (static_cast<unsigned char>(utf8[i + k]) & 0xC0) == 0x80;
      if (valid) {
        out.append(utf8.substr(i, n));
        i += n;
      } else {
        out += "\xEF\xBF\xBD";
        ++i;
      }
    }
  }
  out += '"';
  return out;
}

}  // namespace vks::rtt_tool
