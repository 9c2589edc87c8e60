#include "adapters/com/EmbeddedTypeLibrary.h"

#include "adapters/com/DispatchObject.h"

#include <oleauto.h>

#include "platform/automation/AutomationError.h"

namespace vks::com {

ITypeLib* EmbeddedTypeLibrary() {
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

ComPtr<ITypeInfo> FunctionTableTypeInfo(const IID& iid) {
  ComPtr<ITypeInfo> info;
  if (FAILED(EmbeddedTypeLibrary()->GetTypeInfoOfGuid(iid, info.Receive())))
    throw AutomationError(error::kCannotCreateObject);
  // A dual interface's own type info is its dispatch view; the table stands behind it.
  HREFTYPE table = 0;
  ComPtr<ITypeInfo> function_table;
  if (SUCCEEDED(info->GetRefTypeOfImplType(-1, &table)) &&
      SUCCEEDED(info->GetRefTypeInfo(table, function_table.Receive())))
    return function_table;
  return info;
}

ComPtr<ITypeInfo> ClassTypeInfo(const CLSID& clsid) {
  ComPtr<ITypeInfo> info;
  if (FAILED(EmbeddedTypeLibrary()->GetTypeInfoOfGuid(clsid, info.Receive())))
    throw AutomationError(error::kCannotCreateObject);
  return info;
}

bool DefaultSourceInterface(ITypeInfo* class_info, IID& iid) {
  TYPEATTR* attr = nullptr;
  if (FAILED(class_info->GetTypeAttr(&attr))) return false;
  const UINT count = attr->cImplTypes;
  class_info->ReleaseTypeAttr(attr);
  for (UINT i = 0; i < count; ++i) {
    INT flags = 0;
    HREFTYPE href = 0;
    ComPtr<ITypeInfo> source;
    constexpr INT kDefaultSource = IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE;
    if (FAILED(class_info->GetImplTypeFlags(i, &flags)) ||
        (flags & kDefaultSource) != kDefaultSource ||
        FAILED(class_info->GetRefTypeOfImplType(i, &href)) ||
        FAILED(class_info->GetRefTypeInfo(href, source.Receive())) ||
        FAILED(source->GetTypeAttr(&attr)))
      continue;
    iid = attr->guid;
    source->ReleaseTypeAttr(attr);
    return true;
  }
  return false;
}

}  // namespace vks::com
