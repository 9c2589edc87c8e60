#include "adapters/com/DispatchAdapter.h"

#include <oleauto.h>

#include "adapters/com/AutomationCall.h"
#include "adapters/com/ComPtr.h"
#include "adapters/com/VariantEnum.h"
#include "adapters/com/WideText.h"
#include "platform/automation/AutomationError.h"
#include "platform/automation/KeyedDictionary.h"

namespace vks::com {

DispatchAdapter::DispatchAdapter(ObjectRef object, ObjektTabelle& objects, ProzessReferenz* prozess)
    : object_(std::move(object)), objects_(objects), prozess_(prozess) {
  objects_.Anmelden(this, this, object_);
  if (prozess_) prozess_->Hinzu();
}

DispatchAdapter::~DispatchAdapter() {
  objects_.Abmelden(this);
  object_.reset();
  if (prozess_) prozess_->Weg();
}

HRESULT DispatchAdapter::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid != IID_IUnknown && iid != IID_IDispatch) return E_NOINTERFACE;
  *out = static_cast<IDispatch*>(this);
  AddRef();
  return S_OK;
}

ULONG DispatchAdapter::Release() {
  ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT DispatchAdapter::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT DispatchAdapter::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return DISP_E_BADINDEX;
}

// Every name gets an identifier; whether the object has such a member shows when it is called.
HRESULT DispatchAdapter::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (!names || !ids || count == 0) return E_POINTER;
  try {
    const std::string name = FoldCase(Narrow(names[0]));
    size_t index = 0;
    while (index < names_.size() && names_[index] != name) ++index;
    if (index == names_.size()) names_.push_back(name);
    ids[0] = static_cast<DISPID>(index + 1);
  } catch (...) {
    return DISP_E_UNKNOWNNAME;
  }
  for (UINT i = 1; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
}

HRESULT DispatchAdapter::Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                VARIANT* result, EXCEPINFO* excepinfo, UINT*) {
  if (member == DISPID_NEWENUM) return NewEnumOf(*object_, objects_, result);
  std::string name;  // the default member
  if (member != DISPID_VALUE) {
    if (member < 1 || static_cast<size_t>(member) > names_.size()) return DISP_E_MEMBERNOTFOUND;
    name = names_[member - 1];
  }
  if (!params) return E_INVALIDARG;
  const bool put = flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
  if (params->cNamedArgs > (put ? 1u : 0u)) return DISP_E_NONAMEDARGS;
  const InvokeKind kind = (flags & DISPATCH_PROPERTYPUTREF) ? InvokeKind::PropertySet
                          : (flags & DISPATCH_PROPERTYPUT)  ? InvokeKind::PropertyLet
                          : (flags & DISPATCH_METHOD)       ? InvokeKind::Method
                                                            : InvokeKind::PropertyGet;
  ComPtr<IUnknown> keep_alive;  // the call may drop the host's last reference
  AddRef();
  keep_alive.Attach(this);
  std::optional<AutomationError> error;
  HRESULT hr = CallMember(IID_IDispatch, error, [&] {
    // Arguments come last first; the new value of an assignment is rgvarg[0], so it comes last.
    std::vector<Variant> args;
    for (UINT i = params->cArgs; i-- > 0;)
      args.push_back(FromVariant(params->rgvarg[i], &objects_));
    const Variant value = object_->Invoke(name, kind, args);
    for (UINT i = 0; i < params->cArgs; ++i) {
      const VARIANT& arg = params->rgvarg[params->cArgs - 1 - i];
      if (arg.vt & VT_BYREF) StoreByRef(args[i], arg, &objects_);
    }
    if (result) ToVariant(value, *result, &objects_);
  });
  return error ? ExceptionResult(*error, excepinfo) : hr;
}

}  // namespace vks::com
