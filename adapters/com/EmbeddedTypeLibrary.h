#pragma once
// The type library that this program carries as its resource TYPELIB 1, loaded once.
#include <windows.h>

#include <oaidl.h>

#include "adapters/com/ComPtr.h"

namespace vks::com {

// The type info of a dual interface's function table (the view that ITypeInfo::Invoke calls
// through). Throws AutomationError 429 when the program carries no library or no such interface.
ComPtr<ITypeInfo> FunctionTableTypeInfo(const IID& iid);

}  // namespace vks::com
