#include "adapters/com/AutomationCall.h"

#include <map>
#include <new>
#include <tuple>
#include <utility>
#include <vector>

#include "adapters/com/ComPtr.h"
#include "adapters/com/WideText.h"

namespace vks::com {

HRESULT HResultOfError(int32_t number) {
  if (number < 0) return static_cast<HRESULT>(number);
  return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, number & 0xFFFF);
}

AutomationError ErrorOfHResult(HRESULT hr, const EXCEPINFO* excepinfo) {
  const auto number_of = [](HRESULT code) {
    return HRESULT_FACILITY(code) == FACILITY_CONTROL ? static_cast<int32_t>(code & 0xFFFF)
                                                      : static_cast<int32_t>(code);
  };
  if (hr == DISP_E_EXCEPTION && excepinfo) {
    EXCEPINFO filled = *excepinfo;
    if (filled.pfnDeferredFillIn) filled.pfnDeferredFillIn(&filled);
    const auto text = [](BSTR b) {
      return b ? Narrow(std::wstring_view(b, SysStringLen(b))) : std::string();
    };
    const int32_t number = filled.scode ? number_of(filled.scode) : filled.wCode;
    std::string source = text(filled.bstrSource), description = text(filled.bstrDescription);
    if (description.empty()) description = std::string(ErrorDescription(number));
    return AutomationError(number, std::move(source), std::move(description));
  }
  switch (hr) {
    case DISP_E_UNKNOWNNAME:
    case DISP_E_MEMBERNOTFOUND:
      return AutomationError(error::kMemberNotFound);
    case DISP_E_BADPARAMCOUNT:
    case DISP_E_PARAMNOTOPTIONAL:
      return AutomationError(error::kWrongArgumentCount);
    case DISP_E_TYPEMISMATCH:
      return AutomationError(error::kTypeMismatch);
    case DISP_E_OVERFLOW:
      return AutomationError(error::kOverflow);
    default:
      return AutomationError(number_of(hr));
  }
}

namespace {

BSTR Bstr(const std::string& text) {
  try {
    std::wstring wide = Widen(text);
    return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  } catch (const AutomationError&) {
    return nullptr;
  }
}

void SetThreadErrorInfo(const IID& iid, const AutomationError& e) {
  ICreateErrorInfo* raw = nullptr;
  if (FAILED(CreateErrorInfo(&raw))) return;
  ComPtr<ICreateErrorInfo> create;
  create.Attach(raw);
  std::wstring source = Widen(e.Source()), description = Widen(e.Description());
  create->SetGUID(iid);
  create->SetSource(source.data());
  create->SetDescription(description.data());
  ComPtr<IErrorInfo> info;
  if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, info.ReceiveVoid())))
    SetErrorInfo(0, info.Get());
}

// The automation type that a parameter's description asks for: through pointers, and an
// enumeration as the Long it is.
VARTYPE ParameterType(ITypeInfo* info, const TYPEDESC& t) {
  if (t.vt == VT_PTR) return ParameterType(info, *t.lptdesc);
  if (t.vt != VT_USERDEFINED) return t.vt;
  ComPtr<ITypeInfo> ref;
  TYPEATTR* attr = nullptr;
  VARTYPE vt = VT_DISPATCH;
  if (SUCCEEDED(info->GetRefTypeInfo(t.hreftype, ref.Receive())) &&
      SUCCEEDED(ref->GetTypeAttr(&attr))) {
    if (attr->typekind == TKIND_ENUM) vt = VT_I4;
    ref->ReleaseTypeAttr(attr);
  }
  return vt;
}

// The first argument (its position in rgvarg) that the member cannot take: a required one that the
// host marked as left out (DISP_E_PARAMNOTOPTIONAL), or one that does not convert to its
// parameter's type (DISP_E_TYPEMISMATCH). Hosts name the position; the platform's Invoke does not
// always tell the first case apart or say where.
std::optional<std::pair<HRESULT, UINT>> ArgumentFault(ITypeInfo* info, DISPID member, WORD flags,
                                                      const DISPPARAMS& params) {
  TYPEATTR* attr = nullptr;
  if (FAILED(info->GetTypeAttr(&attr))) return std::nullopt;
  std::optional<std::pair<HRESULT, UINT>> fault;
  bool put = flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
  for (UINT f = 0; f < attr->cFuncs && !fault; ++f) {
    FUNCDESC* desc = nullptr;
    if (FAILED(info->GetFuncDesc(f, &desc))) continue;
    bool is_put = desc->invkind & (INVOKE_PROPERTYPUT | INVOKE_PROPERTYPUTREF);
    for (UINT a = 0; desc->memid == member && put == is_put && a < params.cArgs &&
                     a < static_cast<UINT>(desc->cParams) && !fault;
         ++a) {
      UINT index = params.cArgs - 1 - a;  // arguments come last first
      const VARIANT& arg = params.rgvarg[index];
      const ELEMDESC& param = desc->lprgelemdescParam[a];
      if (arg.vt == VT_ERROR && arg.scode == DISP_E_PARAMNOTFOUND) {
        if (!(param.paramdesc.wParamFlags & PARAMFLAG_FOPT))
          fault.emplace(DISP_E_PARAMNOTOPTIONAL, index);
        continue;
      }
      VARTYPE want = ParameterType(info, param.tdesc);
      VARIANT probe;
      VariantInit(&probe);
      if (want != VT_VARIANT &&
          FAILED(VariantChangeType(&probe, const_cast<VARIANT*>(&arg), 0, want)))
        fault.emplace(DISP_E_TYPEMISMATCH, index);
      VariantClear(&probe);
    }
    info->ReleaseFuncDesc(desc);
  }
  info->ReleaseTypeAttr(attr);
  return fault;
}

// What the function table says of one member's parameters: for each, whether it is passed by
// reference and the automation type it asks for. Looked up once per member: walking the type
// info's function descriptions on every call cost more than the rest of a call's conversions.
using ParameterTypes = std::vector<std::pair<bool, VARTYPE>>;

const ParameterTypes& ParametersOf(ITypeInfo* info, DISPID member, bool put) {
  static std::map<std::tuple<ITypeInfo*, DISPID, bool>, ParameterTypes> known;
  const auto key = std::make_tuple(info, member, put);
  if (auto it = known.find(key); it != known.end()) return it->second;
  ParameterTypes types;
  TYPEATTR* attr = nullptr;
  if (SUCCEEDED(info->GetTypeAttr(&attr))) {
    for (UINT f = 0; f < attr->cFuncs; ++f) {
      FUNCDESC* desc = nullptr;
      if (FAILED(info->GetFuncDesc(f, &desc))) continue;
      bool is_put = desc->invkind & (INVOKE_PROPERTYPUT | INVOKE_PROPERTYPUTREF);
      const bool found = desc->memid == member && put == is_put;
      for (SHORT a = 0; found && a < desc->cParams; ++a) {
        const TYPEDESC& type = desc->lprgelemdescParam[a].tdesc;
        types.emplace_back(type.vt == VT_PTR, ParameterType(info, type));
      }
      info->ReleaseFuncDesc(desc);
      if (found) break;
    }
    info->ReleaseTypeAttr(attr);
  }
  return known.emplace(key, std::move(types)).first->second;
}

// The arguments as the function table takes them: a variable that the host passes by reference as
// a VARIANT (as script hosts pass every variable) reaches a typed by-reference parameter as a
// reference into that VARIANT, its value first converted to the parameter's type, so that what the
// member writes there is the host's variable. The platform's Invoke does not always do this itself.
std::vector<VARIANT> ByReferenceArguments(ITypeInfo* info, DISPID member, WORD flags,
                                          const DISPPARAMS& params) {
  std::vector<VARIANT> args(params.rgvarg, params.rgvarg + params.cArgs);
  const ParameterTypes& types =
      ParametersOf(info, member, flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF));
  for (UINT a = 0; a < params.cArgs && a < types.size(); ++a) {
    VARIANT& arg = args[params.cArgs - 1 - a];
    const auto [by_reference, want] = types[a];
    if (!by_reference || arg.vt != (VT_BYREF | VT_VARIANT) || !arg.pvarVal ||
        (arg.pvarVal->vt & VT_BYREF))
      continue;
    VARIANT* inner = arg.pvarVal;
    if (want == VT_VARIANT || (want & VT_ARRAY)) continue;
    if (inner->vt != want && FAILED(VariantChangeType(inner, inner, 0, want))) continue;
    arg.vt = VT_BYREF | want;
    arg.byref = &inner->lVal;  // the value's place in the host's VARIANT
  }
  return args;
}

}  // namespace

HRESULT CallMember(const IID& iid, std::optional<AutomationError>& last,
                   const std::function<void()>& body) {
  try {
    body();
    return S_OK;
  } catch (const AutomationError& e) {
    last = e;
    try {
      SetThreadErrorInfo(iid, e);
    } catch (const AutomationError&) {  // a description that is not UTF-8: the number remains
    }
    return HResultOfError(e.Number());
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

HRESULT InvokeThroughTypeInfo(ITypeInfo* info, void* instance, std::optional<AutomationError>& last,
                              DISPID member, WORD flags, DISPPARAMS* params, VARIANT* result,
                              EXCEPINFO* excepinfo, UINT* arg_error) {
  last.reset();
  UINT ignored = 0;
  if (!arg_error) arg_error = &ignored;
  HRESULT hr = E_INVALIDARG;
  if (params) {
    std::vector<VARIANT> args = ByReferenceArguments(info, member, flags, *params);
    DISPPARAMS typed = *params;
    typed.rgvarg = args.data();
    hr = info->Invoke(instance, member, flags, &typed, result, excepinfo, arg_error);
  }
  if (hr == DISP_E_TYPEMISMATCH && params) {
    if (auto fault = ArgumentFault(info, member, flags, *params)) {
      hr = fault->first;
      *arg_error = fault->second;
    }
  }
  if (!last) return hr;
  // The member raised an automation error: the host gets its number, source and description.
  if (excepinfo && hr == DISP_E_EXCEPTION) {  // the platform filled it already; ours replaces it
    SysFreeString(excepinfo->bstrSource);
    SysFreeString(excepinfo->bstrDescription);
    SysFreeString(excepinfo->bstrHelpFile);
  }
  const AutomationError error = *last;
  last.reset();
  return ExceptionResult(error, excepinfo);
}

HRESULT ExceptionResult(const AutomationError& error, EXCEPINFO* excepinfo) {
  if (excepinfo) {
    *excepinfo = EXCEPINFO{};
    excepinfo->scode = HResultOfError(error.Number());
    excepinfo->bstrSource = Bstr(error.Source());
    excepinfo->bstrDescription = Bstr(error.Description());
  }
  return DISP_E_EXCEPTION;
}

}  // namespace vks::com
