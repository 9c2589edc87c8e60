#pragma once
// The plain automation types of member signatures to and from the core's.
#include <windows.h>

#include <oaidl.h>

#include <string>

namespace vks::com {

// A null BSTR is "". Throws AutomationError 5 for a lone surrogate.
std::string FromBstr(BSTR text);
// Throws AutomationError 5 for text that is not UTF-8, 7 when the platform cannot allocate.
BSTR ToBstr(const std::string& text);
inline VARIANT_BOOL ToVariantBool(bool b) {
  return b ? VARIANT_TRUE : VARIANT_FALSE;
}

}  // namespace vks::com
