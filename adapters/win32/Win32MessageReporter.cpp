#include "adapters/win32/Win32MessageReporter.h"

#include "adapters/win32/Win32Path.h"

#include <windows.h>

namespace vks {

bool HatInteraktivenDesktop() {
  USEROBJECTFLAGS flags{};
  HWINSTA station = ::GetProcessWindowStation();
  return station &&
         ::GetUserObjectInformationW(station, UOI_FLAGS, &flags, sizeof flags, nullptr) &&
         (flags.dwFlags & WSF_VISIBLE);
}

int32_t Win32MessageReporter::ZeigeMeldung(const std::string& text, int32_t style,
                                           const std::string& title) {
  if (!interaktiv_) return log_.ZeigeMeldung(text, style, title);
  std::wstring wide_text, wide_title;
  (void)win32::ToUtf16(text, wide_text);
  (void)win32::ToUtf16(title.empty() ? kDefaultMessageTitle : title, wide_title);
  const int answer = ::MessageBoxW(nullptr, wide_text.c_str(), wide_title.c_str(),
                                   static_cast<UINT>(style) | MB_SETFOREGROUND);
  // A box that could not be shown still gets its message into the log and its default answer.
  return answer != 0 ? answer : log_.ZeigeMeldung(text, style, title);
}

}  // namespace vks
