#pragma once
// The order extras as the automation object that a host creates and fills for every order status
// report (the dual interface _clOrderZusatzInfos): fields stored and returned.
#include "VKSKontoServerV7.h"
#include "accounts/clOrderZusatzInfos.h"
#include "adapters/com/DispatchObject.h"
#include "adapters/com/ObjektTabelle.h"

namespace vks::com {

class OrderZusatzInfosComObjekt
    : public DispatchObject<VKSKontoServerV7::_clOrderZusatzInfos,
                            VKSKontoServerV7::IID__clOrderZusatzInfos,
                            VKSKontoServerV7::CLSID_clOrderZusatzInfos> {
 public:
  // Holds one reference for the caller; `objects` converts MinTickSize and outlives the object.
  OrderZusatzInfosComObjekt(ObjektTabelle& objects, ProzessReferenz* prozess)
      : DispatchObject(prozess), objects_(objects) {}

  HRESULT STDMETHODCALLTYPE get_PointValue(FLOAT* result) override;
  HRESULT STDMETHODCALLTYPE put_PointValue(FLOAT value) override;
  HRESULT STDMETHODCALLTYPE get_MinTickSize(VARIANT* result) override;
  HRESULT STDMETHODCALLTYPE put_MinTickSize(VARIANT value) override;
  HRESULT STDMETHODCALLTYPE putref_MinTickSize(VARIANT value) override;
  HRESULT STDMETHODCALLTYPE get_Margin(FLOAT* result) override;
  HRESULT STDMETHODCALLTYPE put_Margin(FLOAT value) override;
  HRESULT STDMETHODCALLTYPE get_Commissions(FLOAT* result) override;
  HRESULT STDMETHODCALLTYPE put_Commissions(FLOAT value) override;
  HRESULT STDMETHODCALLTYPE get_CommissionsArePoints(VARIANT_BOOL* result) override;
  HRESULT STDMETHODCALLTYPE put_CommissionsArePoints(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_MindestCommissions(FLOAT* result) override;
  HRESULT STDMETHODCALLTYPE put_MindestCommissions(FLOAT value) override;
  HRESULT STDMETHODCALLTYPE get_MaximalCommissions(FLOAT* result) override;
  HRESULT STDMETHODCALLTYPE put_MaximalCommissions(FLOAT value) override;
  HRESULT STDMETHODCALLTYPE get_ZusatzCommissions(FLOAT* result) override;
  HRESULT STDMETHODCALLTYPE put_ZusatzCommissions(FLOAT value) override;
  HRESULT STDMETHODCALLTYPE get_AktUmrechnungsWert(FLOAT* result) override;
  HRESULT STDMETHODCALLTYPE put_AktUmrechnungsWert(FLOAT value) override;
  HRESULT STDMETHODCALLTYPE get_UmrechnungAuchGebuehren(VARIANT_BOOL* result) override;
  HRESULT STDMETHODCALLTYPE put_UmrechnungAuchGebuehren(VARIANT_BOOL value) override;

 private:
  clOrderZusatzInfos werte_;
  ObjektTabelle& objects_;
};

// The fields of any object with the interface (ours, or a host's own implementation), read through
// its function table. Throws AutomationError 13 when a field cannot be read.
clOrderZusatzInfos LeseZusatzInfos(VKSKontoServerV7::_clOrderZusatzInfos& zusatz,
                                   ObjectBridge& objects);

}  // namespace vks::com
