#pragma once
// Windows-1252, the single-byte code page of the store file and RTT headers, to and from UTF-8. The
// full table, 0x80–0x9F included; the five bytes that have no character (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) map to the control characters U+0081 … U+009D and back, so every byte string survives a
// round trip.
#include <string>
#include <string_view>

#include "platform/automation/Result.h"

namespace vks {

// Every byte decodes; the result is valid UTF-8.
std::string Windows1252ToUtf8(std::string_view bytes);
// Fails (error 5, the description names the character and its byte offset) for invalid UTF-8 or
// a character the code page cannot hold.
Result<std::string> Utf8ToWindows1252(std::string_view utf8);
// True when Utf8ToWindows1252 would succeed.
bool FitsWindows1252(std::string_view utf8);

}  // namespace vks
