#pragma once
// The global data store (and each of its categories) as an automation object: the dual interface
// _clKontoGlobalData, each member converting its arguments and calling the store; For Each walks
// the store's values.
#include <memory>

#include "VKSKontoServerV7.h"
#include "adapters/com/DispatchObject.h"
#include "adapters/com/ObjektTabelle.h"
#include "session/clKontoGlobalData.h"

namespace vks::com {

class GlobalDataComObjekt : public DispatchObject<VKSKontoServerV7::_clKontoGlobalData,
                                                  VKSKontoServerV7::IID__clKontoGlobalData,
                                                  VKSKontoServerV7::CLSID_clKontoGlobalData> {
 public:
  // Holds one reference for the caller; announces itself in `objects`, which outlives it.
  GlobalDataComObjekt(std::shared_ptr<clKontoGlobalData> daten, ObjektTabelle& objects,
                      ProzessReferenz* prozess);
  ~GlobalDataComObjekt() override;

  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID iid, LCID lcid, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* excepinfo,
                                   UINT* arg_error) override;

  HRESULT STDMETHODCALLTYPE Add(BSTR Key, VARIANT NewValue) override;
  HRESULT STDMETHODCALLTYPE get_GetAllKeys(VARIANT* result) override;
  HRESULT STDMETHODCALLTYPE Remove(BSTR Key) override;
  HRESULT STDMETHODCALLTYPE get_KeyExists(BSTR Key, VARIANT_BOOL* result) override;
  HRESULT STDMETHODCALLTYPE AddCategory(BSTR Key, VARIANT_BOOL* result) override;
  HRESULT STDMETHODCALLTYPE get_Item(BSTR Key, VARIANT* result) override;
  HRESULT STDMETHODCALLTYPE put_Item(BSTR Key, VARIANT NewValue) override;
  HRESULT STDMETHODCALLTYPE putref_Item(BSTR Key, VARIANT NewValue) override;
  HRESULT STDMETHODCALLTYPE RemoveAll() override;

 private:
  std::shared_ptr<clKontoGlobalData> daten_;
  ObjektTabelle& objects_;
};

}  // namespace vks::com
