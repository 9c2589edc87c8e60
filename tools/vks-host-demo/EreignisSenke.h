#pragma once
// A host's sink of __clKontoSchnittstelle: AlleOrdersStreichen(KontoName) calls `ereignis` with
// the account's name as the server sent it (a BSTR). The sink lives as long as its owner, who
// unadvises it before it goes, so it counts no references. Used by the Windows demo and by the
// early-bound test host.
#include <functional>
#include <string>

#include "VKSKontoServerV7.h"

namespace vks::demo {

class EreignisSenke : public IDispatch {
 public:
  // `ereignis` returns S_OK or the failure that the server then sees from this host.
  explicit EreignisSenke(std::function<HRESULT(const std::wstring&)> ereignis)
      : ereignis_(std::move(ereignis)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IDispatch ||
        iid == VKSKontoServerV7::DIID___clKontoSchnittstelle) {
      *out = static_cast<IDispatch*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
    *n = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                   EXCEPINFO*, UINT*) override {
    if (id != VKSKontoServerV7::kDispId___clKontoSchnittstelle_AlleOrdersStreichen)
      return DISP_E_MEMBERNOTFOUND;
    if (params->cArgs != 1) return DISP_E_BADPARAMCOUNT;
    const VARIANT& arg = params->rgvarg[0];
    const BSTR name = V_VT(&arg) == VT_BSTR                ? V_BSTR(&arg)
                      : V_VT(&arg) == (VT_BSTR | VT_BYREF) ? *V_BSTRREF(&arg)
                                                           : nullptr;
    if (!name) return DISP_E_TYPEMISMATCH;
    return ereignis_(std::wstring(name, SysStringLen(name)));
  }

 private:
  std::function<HRESULT(const std::wstring&)> ereignis_;
};

}  // namespace vks::demo
