#include "adapters/com/WideText.h"

#include <windows.h>

#include "platform/automation/AutomationError.h"

namespace vks::com {

std::wstring Widen(std::string_view utf8) {
  if (utf8.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                              static_cast<int>(utf8.size()), nullptr, 0);
  if (n <= 0)
    throw AutomationError(
        error::kInvalidCall, "",
        std::string(ErrorDescription(error::kInvalidCall)) + ": der Text ist kein gültiges UTF-8");
  std::wstring wide(n, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
  return wide;
}

std::string Narrow(std::wstring_view utf16) {
  if (utf16.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, utf16.data(),
                              static_cast<int>(utf16.size()), nullptr, 0, nullptr, nullptr);
  if (n <= 0)
    throw AutomationError(error::kInvalidCall, "",
                          std::string(ErrorDescription(error::kInvalidCall)) +
                              ": UTF-16-Text mit einzelnem Ersatzzeichen");
  std::string narrow(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), narrow.data(), n,
                      nullptr, nullptr);
  return narrow;
}

}  // namespace vks::com
