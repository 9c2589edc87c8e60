#pragma once
// The COM side that every automation object of ours shares: reference counting, IDispatch served
// through the type library's description of the dual interface, and ISupportErrorInfo. A class
// derives from it with its generated interface and implements that interface's members.
#include <windows.h>

#include <oaidl.h>

#include <atomic>
#include <optional>

#include "adapters/com/AutomationCall.h"
#include "adapters/com/ComPtr.h"
#include "adapters/com/EmbeddedTypeLibrary.h"

namespace vks::com {

template <class Interface, const IID& kIid>
class DispatchObject : public Interface, public ISupportErrorInfo {
 public:
  DispatchObject() : type_info_(FunctionTableTypeInfo(kIid)) {}
  virtual ~DispatchObject() = default;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == kIid) {
      *out = static_cast<Interface*>(this);
    } else if (iid == IID_ISupportErrorInfo) {
      *out = static_cast<ISupportErrorInfo*>(this);
    } else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    type_info_->AddRef();
    *info = type_info_.Get();
    return S_OK;
  }
  // Names without regard to case, as the type library compares them.
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    return DispGetIDsOfNames(type_info_.Get(), names, count, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* excepinfo,
                                   UINT* arg_error) override {
    ComPtr<IUnknown> keep_alive;  // a member may drop the host's last reference
    AddRef();
    keep_alive.Attach(static_cast<Interface*>(this));
    return InvokeThroughTypeInfo(type_info_.Get(), static_cast<Interface*>(this), last_error_,
                                 member, flags, params, result, excepinfo, arg_error);
  }

  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override {
    return iid == kIid ? S_OK : S_FALSE;
  }

 protected:
  // The frame of each member: see CallMember.
  HRESULT Call(const std::function<void()>& body) { return CallMember(kIid, last_error_, body); }

 private:
  std::atomic<ULONG> references_{1};
  ComPtr<ITypeInfo> type_info_;
  std::optional<AutomationError> last_error_;
};

}  // namespace vks::com
