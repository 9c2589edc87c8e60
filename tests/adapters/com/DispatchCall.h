#pragma once
// A late-bound call as a host makes it, for the tests of the automation objects: the name looked
// up, the arguments in reverse order, a property's new value as the named argument
// DISPID_PROPERTYPUT.
#include <oleauto.h>

#include <string>
#include <vector>

#include "adapters/com/VariantConversion.h"
#include "adapters/com/WideText.h"

namespace vks::com {

struct Outcome {
  HRESULT hr = E_FAIL;
  Variant result;
  uint32_t scode = 0;  // with DISP_E_EXCEPTION, as are the source and description
  std::string source, description;
  UINT arg_error = ~0u;
};

inline VARIANT Arg(const Variant& v, ObjectBridge* objects = nullptr) {
  VARIANT out;
  VariantInit(&out);
  ToVariant(v, out, objects);
  return out;
}

// `args` in their written order; the caller keeps and clears them (by-reference ones come back
// changed there).
inline Outcome Call(IDispatch* object, const std::wstring& name, WORD flags,
                    std::vector<VARIANT> args, ObjectBridge* objects = nullptr) {
  Outcome out;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name.c_str())};
  DISPID id = 0;
  out.hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(out.hr)) return out;
  std::vector<VARIANT> reversed(args.rbegin(), args.rend());
  DISPID put = DISPID_PROPERTYPUT;
  DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF))
    params.rgdispidNamedArgs = &put, params.cNamedArgs = 1;
  OwnedVariant result;
  EXCEPINFO e{};
  out.hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, &result, &e,
                          &out.arg_error);
  if (SUCCEEDED(out.hr)) out.result = FromVariant(result, objects);
  out.scode = static_cast<uint32_t>(e.scode);
  out.source = Narrow(e.bstrSource ? e.bstrSource : L"");
  out.description = Narrow(e.bstrDescription ? e.bstrDescription : L"");
  SysFreeString(e.bstrSource), SysFreeString(e.bstrDescription), SysFreeString(e.bstrHelpFile);
  return out;
}

// The same with our values as the arguments, made into VARIANTs and cleared here.
inline Outcome CallWith(IDispatch* object, const std::wstring& name, WORD flags,
                        const std::vector<Variant>& values) {
  std::vector<VARIANT> args;
  for (const auto& v : values) args.push_back(Arg(v));
  Outcome out = Call(object, name, flags, args);
  for (auto& a : args) VariantClear(&a);
  return out;
}

// An object as a host passes it; the caller keeps the reference.
inline VARIANT ObjectArg(IDispatch* object) {
  VARIANT out;
  VariantInit(&out);
  out.vt = VT_DISPATCH;
  out.pdispVal = object;
  return out;
}

// Arrays within arrays, `levels` deep.
inline Variant Nested(int levels) {
  Variant v(int16_t{7});
  for (int i = 0; i < levels; ++i) v = Variant(VariantArray::Vector(0, {v, Variant("x")}));
  return v;
}

// An array nested one level deeper than ToVariant makes them, as a host can still build it.
inline void NestedTooDeep(OwnedVariant& out) {
  VARIANT limit = Arg(Nested(kMaxArrayNesting));
  out.vt = VT_ARRAY | VT_VARIANT;
  out.parray = SafeArrayCreateVector(VT_VARIANT, 0, 1);
  LONG zero = 0;
  SafeArrayPutElement(out.parray, &zero, &limit);
  VariantClear(&limit);
}

}  // namespace vks::com
