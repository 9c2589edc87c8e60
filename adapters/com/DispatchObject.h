#pragma once
// The COM side that every automation object of ours shares: reference counting, IDispatch served
// through the type library's description of the dual interface, ISupportErrorInfo and
// IProvideClassInfo2 (the class and its event interface, for hosts that bind events late). A class
// derives from it with its generated interface and class identifier and implements that
// interface's members.
#include <windows.h>

#include <oaidl.h>
#include <ocidl.h>

#include <atomic>
#include <optional>

#include "adapters/com/AutomationCall.h"
#include "adapters/com/ComPtr.h"
#include "adapters/com/EmbeddedTypeLibrary.h"
#include "adapters/com/ProzessReferenz.h"

namespace vks::com {

// The default source interface of the class that `class_info` describes; false when it has none.
bool DefaultSourceInterface(ITypeInfo* class_info, IID& iid);

template <class Interface, const IID& kIid, const CLSID& kClsid>
class DispatchObject : public Interface, public ISupportErrorInfo, public IProvideClassInfo2 {
 public:
  // prozess (may be null) counts this object for as long as it lives.
  explicit DispatchObject(ProzessReferenz* prozess = nullptr)
      : type_info_(FunctionTableTypeInfo(kIid)), prozess_(prozess) {
    if (prozess_) prozess_->Hinzu();
  }
  virtual ~DispatchObject() {
    if (prozess_) prozess_->Weg();
  }
  DispatchObject(const DispatchObject&) = delete;
  DispatchObject& operator=(const DispatchObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == kIid) {
      *out = static_cast<Interface*>(this);
    } else if (iid == IID_ISupportErrorInfo) {
      *out = static_cast<ISupportErrorInfo*>(this);
    } else if (iid == IID_IProvideClassInfo || iid == IID_IProvideClassInfo2) {
      *out = static_cast<IProvideClassInfo2*>(this);
    } else {
      *out = FurtherInterface(iid);
    }
    if (!*out) return E_NOINTERFACE;
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

  HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** info) override {
    if (!info) return E_POINTER;
    *info = nullptr;
    return CallMember(kIid, last_error_, [&] {
      ComPtr<ITypeInfo> class_info = ClassTypeInfo(kClsid);
      class_info->AddRef();
      *info = class_info.Get();
    });
  }
  HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* guid) override {
    if (!guid) return E_POINTER;
    *guid = GUID_NULL;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) return E_INVALIDARG;
    bool found = false;
    HRESULT hr = CallMember(kIid, last_error_, [&] {
      found = DefaultSourceInterface(ClassTypeInfo(kClsid).Get(), *guid);
    });
    return FAILED(hr) ? hr : found ? S_OK : E_INVALIDARG;
  }

 protected:
  // An interface beyond those served here (the connection points); null when there is none. The
  // caller adds the reference.
  virtual void* FurtherInterface(REFIID) { return nullptr; }
  // The frame of each member: see CallMember.
  HRESULT Call(const std::function<void()>& body) { return CallMember(kIid, last_error_, body); }

 private:
  std::atomic<ULONG> references_{1};
  ComPtr<ITypeInfo> type_info_;
  std::optional<AutomationError> last_error_;
  ProzessReferenz* prozess_;
};

}  // namespace vks::com
