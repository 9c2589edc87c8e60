#include "adapters/com/FremdesObjekt.h"

#include <oleauto.h>

#include "adapters/com/AutomationCall.h"
#include "adapters/com/ComValues.h"
#include "adapters/com/VariantConversion.h"
#include "adapters/com/WideText.h"
#include "platform/automation/AutomationError.h"

namespace vks::com {

namespace {

// Frees what an EXCEPINFO holds once the error has been read.
struct ExcepInfoGuard : EXCEPINFO {
  ExcepInfoGuard() : EXCEPINFO{} {}
  ~ExcepInfoGuard() {
    SysFreeString(bstrSource);
    SysFreeString(bstrDescription);
    SysFreeString(bstrHelpFile);
  }
};

void Check(HRESULT hr, const EXCEPINFO* excepinfo = nullptr) {
  if (FAILED(hr)) throw ErrorOfHResult(hr, excepinfo);
}

}  // namespace

FremdesObjekt::FremdesObjekt(IDispatch* dispatch, ObjectBridge& objects) : objects_(objects) {
  dispatch->AddRef();
  dispatch_.Attach(dispatch);
}

std::string FremdesObjekt::TypeName() const {
  ComPtr<ITypeInfo> info;
  BSTR name = nullptr;
  if (FAILED(dispatch_->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.Receive())) || !info ||
      FAILED(info->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr)))
    return "Object";
  std::string text = FromBstr(name);
  SysFreeString(name);
  return text;
}

Variant FremdesObjekt::Invoke(std::string_view name, InvokeKind kind, std::span<Variant> args) {
  DISPID id = DISPID_VALUE;
  if (!name.empty()) {
    std::wstring wide = Widen(std::string(name));
    LPOLESTR names[] = {wide.data()};
    Check(dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id));
  }
  // The values, and the references to them that the call receives, last argument first.
  std::vector<OwnedVariant> values(args.size());
  std::vector<VARIANT> refs(args.size());
  for (size_t i = 0; i < args.size(); ++i) {
    ToVariant(args[i], values[i], &objects_);
    VARIANT& ref = refs[args.size() - 1 - i];
    VariantInit(&ref);
    ref.vt = VT_BYREF | VT_VARIANT;
    ref.pvarVal = &values[i];
  }
  WORD flags = DISPATCH_METHOD | DISPATCH_PROPERTYGET;
  DISPID put = DISPID_PROPERTYPUT;
  DISPPARAMS params{refs.data(), nullptr, static_cast<UINT>(refs.size()), 0};
  if (kind == InvokeKind::PropertyLet || kind == InvokeKind::PropertySet) {
    flags = kind == InvokeKind::PropertyLet ? DISPATCH_PROPERTYPUT : DISPATCH_PROPERTYPUTREF;
    if (!refs.empty()) {
      // The new value goes by value: a property assignment takes no reference.
      refs[0] = values.back();
      params.rgdispidNamedArgs = &put, params.cNamedArgs = 1;
    }
  }
  OwnedVariant result;
  ExcepInfoGuard excepinfo;
  UINT arg_error = 0;
  Check(dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, &result, &excepinfo,
                          &arg_error),
        &excepinfo);
  for (size_t i = 0; i < args.size(); ++i) args[i] = FromVariant(values[i], &objects_);
  return FromVariant(result, &objects_);
}

std::vector<Variant> FremdesObjekt::Enumerate() {
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  OwnedVariant result;
  HRESULT hr =
      dispatch_->Invoke(DISPID_NEWENUM, IID_NULL, LOCALE_USER_DEFAULT,
                        DISPATCH_METHOD | DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr);
  ComPtr<IEnumVARIANT> items;
  if (FAILED(hr) || (result.vt != VT_UNKNOWN && result.vt != VT_DISPATCH) || !result.punkVal ||
      FAILED(result.punkVal->QueryInterface(IID_IEnumVARIANT, items.ReceiveVoid())))
    throw AutomationError(error::kNotACollection);
  std::vector<Variant> elements;
  for (;;) {
    OwnedVariant element;
    ULONG fetched = 0;
    if (items->Next(1, &element, &fetched) != S_OK || fetched != 1) break;
    elements.push_back(FromVariant(element, &objects_));
  }
  return elements;
}

}  // namespace vks::com
