#pragma once
// A core object that has no interface in the type library (a dictionary a rule script made, say)
// as an automation object: its members are found by name at run time, its default member is
// DISPID_VALUE, and For Each walks it through _NewEnum (DISPID_NEWENUM).
#include <windows.h>

#include <oaidl.h>

#include <atomic>
#include <string>
#include <vector>

#include "adapters/com/ObjektTabelle.h"

namespace vks::com {

class DispatchAdapter final : public IDispatch {
 public:
  // Holds one reference for the caller; announces itself in `objects`, which outlives it.
  DispatchAdapter(ObjectRef object, ObjektTabelle& objects, ProzessReferenz* prozess);
  ~DispatchAdapter();
  DispatchAdapter(const DispatchAdapter&) = delete;
  DispatchAdapter& operator=(const DispatchAdapter&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* excepinfo, UINT* arg_error) override;

 private:
  std::atomic<ULONG> references_{1};
  ObjectRef object_;
  ObjektTabelle& objects_;
  ProzessReferenz* prozess_;
  std::vector<std::string> names_;  // DISPID n names names_[n - 1]
};

}  // namespace vks::com
