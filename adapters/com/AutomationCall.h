#pragma once
// The frame of every member that a COM object of ours serves: the call runs, and an automation
// error leaves it as the platform's error object (IErrorInfo) with an HRESULT that automation
// hosts turn back into Err.Number; the dispatch side turns it into DISP_E_EXCEPTION with EXCEPINFO.
#include <windows.h>

#include <oaidl.h>

#include <functional>
#include <optional>

#include "platform/automation/AutomationError.h"

namespace vks::com {

// The HRESULT of an error number: numbers up to 65535 in the control facility (0x800A0000 + n), as
// hosts expect them; a number that is an HRESULT already (negative) as it is.
HRESULT HResultOfError(int32_t number);

// The error that a failed call of another object's IDispatch::Invoke stands for: the exception's
// number (back from its HRESULT form), source and description; any other failure as its HRESULT
// (438 for an unknown name, 450 for a wrong argument count, 13 for a type mismatch).
AutomationError ErrorOfHResult(HRESULT hr, const EXCEPINFO* excepinfo = nullptr);

// Runs body. An AutomationError becomes `last` and the thread's error info for `iid`; other
// failures become E_OUTOFMEMORY or E_UNEXPECTED, never an exception across the interface.
HRESULT CallMember(const IID& iid, std::optional<AutomationError>& last,
                   const std::function<void()>& body);

// DISP_E_EXCEPTION, with `excepinfo` (may be null) holding the error's number in its HRESULT form,
// its source and its description.
HRESULT ExceptionResult(const AutomationError& error, EXCEPINFO* excepinfo);

// Invokes `member` of `instance` through the function-table type info `info`, so that names,
// optional arguments, by-reference arguments and coercion come from the type library; an error
// that the member raised (`last`) comes back as DISP_E_EXCEPTION with `excepinfo` filled.
HRESULT InvokeThroughTypeInfo(ITypeInfo* info, void* instance, std::optional<AutomationError>& last,
                              DISPID member, WORD flags, DISPPARAMS* params, VARIANT* result,
                              EXCEPINFO* excepinfo, UINT* arg_error);

}  // namespace vks::com
