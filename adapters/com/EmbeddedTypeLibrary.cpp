#include "adapters/com/EmbeddedTypeLibrary.h"

#include <oleauto.h>

#include "platform/automation/AutomationError.h"

namespace vks::com {

namespace {

ITypeLib* Library() {
  // Loaded on first use and kept for the life of the process, like the classes it describes.
  static ITypeLib* library = [] {
    wchar_t exe[MAX_PATH];
    ITypeLib* loaded = nullptr;
    DWORD n = GetModuleFileNameW(nullptr, exe, MAX_PATH);
    if (n == 0 || n == MAX_PATH || FAILED(LoadTypeLibEx(exe, REGKIND_NONE, &loaded)))
      return static_cast<ITypeLib*>(nullptr);
    return loaded;
  }();
  if (!library) throw AutomationError(error::kCannotCreateObject);
  return library;
}

}  // namespace

ComPtr<ITypeInfo> FunctionTableTypeInfo(const IID& iid) {
  ComPtr<ITypeInfo> info;
  if (FAILED(Library()->GetTypeInfoOfGuid(iid, info.Receive())))
    throw AutomationError(error::kCannotCreateObject);
  // A dual interface's own type info is its dispatch view; the table stands behind it.
  HREFTYPE table = 0;
  ComPtr<ITypeInfo> function_table;
  if (SUCCEEDED(info->GetRefTypeOfImplType(-1, &table)) &&
      SUCCEEDED(info->GetRefTypeInfo(table, function_table.Receive())))
    return function_table;
  return info;
}

}  // namespace vks::com
