#pragma once
// Paths and texts as the Win32 API takes them: UTF-16, backslashes, and the \\?\ form for paths
// longer than MAX_PATH. Names that Windows refuses or silently changes are refused here, before any
// call, so that a file is never created under another name than the one asked for.
#include <cstdint>
#include <string>
#include <string_view>

namespace vks::win32 {

// Lossless conversions; false for text that is not valid UTF-8 or UTF-16.
bool ToUtf16(std::string_view utf8, std::wstring& wide);
std::string ToUtf8(std::wstring_view wide);

// `path` for the file calls. Returns 0, or ERROR_INVALID_NAME for a name Windows refuses: a
// reserved device name (CON, NUL, COM1, ...; also with an extension), a trailing dot or blank,
// one of <>:"|?* or a control character, text that is not UTF-8; ERROR_FILENAME_EXCED_RANGE for a
// name longer than 255 or a path longer than the \\?\ form takes (32767). "." and ".." stay, and
// "\\?\" paths are taken as they are.
uint32_t WidePath(const std::string& path, std::wstring& wide);

// True when the last call's error means that the name itself was refused.
bool RefusedName(uint32_t code);

}  // namespace vks::win32
