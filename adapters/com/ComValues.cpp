#include "adapters/com/ComValues.h"

#include <oleauto.h>

#include "adapters/com/WideText.h"
#include "platform/automation/AutomationError.h"

namespace vks::com {

std::string FromBstr(BSTR text) {
  return text ? Narrow(std::wstring_view(text, SysStringLen(text))) : std::string();
}

BSTR ToBstr(const std::string& text) {
  std::wstring wide = Widen(text);
  BSTR b = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  if (!b) throw AutomationError(error::kOutOfMemory);
  return b;
}

}  // namespace vks::com
