#include "adapters/win32/Win32Path.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cwctype>

#include "platform/files/WindowsError.h"

namespace vks::win32 {
namespace {

// The longest path the plain form takes: CreateDirectoryW leaves room for an 8.3 file name.
constexpr size_t kPlainPathLimit = MAX_PATH - 12;
// The longest name of one file or folder.
constexpr size_t kMaxNameLength = 255;
// The longest path of the \\?\ form, in UTF-16 units.
constexpr size_t kLongPathLimit = 32767;

uint32_t CheckedLength(const std::wstring& wide) {
  return wide.size() <= kLongPathLimit ? winerror::kSuccess : winerror::kFilenameExcedRange;
}

bool ReservedDeviceName(std::wstring_view element) {
  std::wstring base(element.substr(0, element.find(L'.')));
  while (!base.empty() && base.back() == L' ') base.pop_back();
  std::transform(base.begin(), base.end(), base.begin(),
                 [](wchar_t c) { return std::towupper(c); });
  static constexpr std::array<std::wstring_view, 4> kNames = {L"CON", L"PRN", L"AUX", L"NUL"};
  if (std::find(kNames.begin(), kNames.end(), base) != kNames.end()) return true;
  return base.size() == 4 && (base.starts_with(L"COM") || base.starts_with(L"LPT")) &&
         base[3] >= L'1' && base[3] <= L'9';
}

bool RefusedElement(std::wstring_view element, bool first) {
  if (element.empty() || element == L"." || element == L"..") return false;
  // A drive ("C:") is the one place for a colon.
  if (first && element.size() == 2 && element[1] == L':' && std::iswalpha(element[0])) return false;
  if (element.back() == L'.' || element.back() == L' ') return true;
  for (wchar_t c : element) {
    if (c < 32 || std::wstring_view(L"<>:\"|?*").find(c) != std::wstring_view::npos) return true;
  }
  return ReservedDeviceName(element);
}

}  // namespace

bool ToUtf16(std::string_view utf8, std::wstring& wide) {
  wide.clear();
  if (utf8.empty()) return true;
  const int size = static_cast<int>(utf8.size());
  int n = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
  if (n <= 0) return false;
  wide.resize(static_cast<size_t>(n));
  return ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), n) ==
         n;
}

std::string ToUtf8(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  int n = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(std::max(n, 0)), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), n, nullptr, nullptr);
  return utf8;
}

uint32_t WidePath(const std::string& path, std::wstring& wide) {
  if (path.find('\0') != std::string::npos || !ToUtf16(path, wide)) return winerror::kInvalidName;
  if (wide.starts_with(L"\\\\?\\")) return CheckedLength(wide);
  std::replace(wide.begin(), wide.end(), L'/', L'\\');
  size_t start = 0;
  for (bool first = true; start <= wide.size(); first = false) {
    const size_t end = std::min(wide.find(L'\\', start), wide.size());
    if (end - start > kMaxNameLength) return winerror::kFilenameExcedRange;
    if (RefusedElement(std::wstring_view(wide).substr(start, end - start), first)) {
      return winerror::kInvalidName;
    }
    start = end + 1;
  }
  if (wide.size() < kPlainPathLimit) return winerror::kSuccess;
  // The long form takes no "." or "..": the full path resolves them first.
  DWORD n = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  std::wstring full(n, L'\0');
  n = ::GetFullPathNameW(wide.c_str(), n, full.data(), nullptr);
  if (n == 0) return ::GetLastError();
  full.resize(n);
  wide = full.starts_with(L"\\\\") ? L"\\\\?\\UNC\\" + full.substr(2) : L"\\\\?\\" + full;
  return CheckedLength(wide);
}

bool RefusedName(uint32_t code) {
  return code == winerror::kInvalidName;
}

}  // namespace vks::win32
