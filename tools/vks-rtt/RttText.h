#pragma once
// How vks-rtt writes times and numbers: exact and locale-free, so that dumps compare byte for byte.
#include <string>
#include <string_view>

#include "platform/automation/Variant.h"

namespace vks::rtt_tool {

// "2024-03-05T14:30:00" (local time, to the second); "" for a value that is no date.
std::string IsoTime(DateValue date);
// The shortest text that reads back as the same number ("45000.5", "1e+30", "nan").
std::string ExactNumber(double value);
std::string ExactNumber(float value);
// A JSON string literal, quotes included; bytes that are not UTF-8 become U+FFFD.
std::string JsonString(std::string_view utf8);
// A JSON number, or null for NaN and infinities.
std::string JsonNumber(double value);
std::string JsonNumber(float value);

}  // namespace vks::rtt_tool
