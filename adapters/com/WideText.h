#pragma once
// UTF-8, the core's text, to and from UTF-16, the platform's.
#include <string>
#include <string_view>

namespace vks::com {

// Throw AutomationError 5 for text that is not valid UTF-8 (Widen) or UTF-16, a lone surrogate
// (Narrow); nothing is replaced silently.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace vks::com
