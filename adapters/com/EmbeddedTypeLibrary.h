#pragma once
// The type library that this program carries as its resource TYPELIB 1, loaded once.
#include <windows.h>

#include <oaidl.h>

#include "adapters/com/ComPtr.h"

namespace vks::com {

// The library itself. Throws AutomationError 429 when the program carries none.
ITypeLib* EmbeddedTypeLibrary();

// The type info of a dual interface's function table (the view that ITypeInfo::Invoke calls
// through). Throws AutomationError 429 when the program carries no library or no such interface.
ComPtr<ITypeInfo> FunctionTableTypeInfo(const IID& iid);

// The type info of the class `clsid` (for IProvideClassInfo); throws AutomationError 429 as above.
ComPtr<ITypeInfo> ClassTypeInfo(const CLSID& clsid);

}  // namespace vks::com
