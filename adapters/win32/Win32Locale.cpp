#include <windows.h>

#include "adapters/win32/Win32Path.h"
#include "platform/automation/AutomationLocale.h"

namespace vks {

AutomationLocale AutomationLocale::FromEnvironment() {
  wchar_t name[LOCALE_NAME_MAX_LENGTH];
  if (::GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH) == 0) return Invariant();
  return FromName(win32::ToUtf8(name));
}

}  // namespace vks
