#pragma once
// A clKontoSchnittstelle as the automation object that hosts create: the dual interface
// _clKontoSchnittstelle, each member converting its arguments and calling the interface layer,
// and the connection point of its event __clKontoSchnittstelle.
#include <memory>

#include "VKSKontoServerV7.h"
#include "adapters/com/DispatchObject.h"
#include "adapters/com/KontoVerbindungspunkt.h"
#include "adapters/com/ObjektTabelle.h"
#include "interface/clKontoSchnittstelle.h"

namespace vks::com {

class KontoSchnittstelleComObjekt
    : public DispatchObject<VKSKontoServerV7::_clKontoSchnittstelle,
                            VKSKontoServerV7::IID__clKontoSchnittstelle,
                            VKSKontoServerV7::CLSID_clKontoSchnittstelle>,
      public IConnectionPointContainer {
 public:
  // The host's creation (counted, given its connection ID and registered by the interface layer);
  // holds one reference for the caller. `umgebung` and `objects` outlive the object.
  KontoSchnittstelleComObjekt(SchnittstellenUmgebung& umgebung, ObjektTabelle& objects,
                              ProzessReferenz* prozess);
  // The host's release.
  ~KontoSchnittstelleComObjekt() override;

  // IUnknown is the dual interface's; the container answers through it.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    return DispatchObject::QueryInterface(iid, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return DispatchObject::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return DispatchObject::Release(); }

  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** out) override;
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** out) override;

  HRESULT STDMETHODCALLTYPE get_cTitelPositionen(IDispatch** result) override;
  HRESULT STDMETHODCALLTYPE putref_cTitelPositionen(IDispatch* value) override;
  HRESULT STDMETHODCALLTYPE get_cOffeneOrders(IDispatch** result) override;
  HRESULT STDMETHODCALLTYPE putref_cOffeneOrders(IDispatch* value) override;
  HRESULT STDMETHODCALLTYPE get_cFilledOrders(IDispatch** result) override;
  HRESULT STDMETHODCALLTYPE putref_cFilledOrders(IDispatch* value) override;
  HRESULT STDMETHODCALLTYPE get_NeuerAktienwertSpeichern(VARIANT_BOOL* result) override;
  HRESULT STDMETHODCALLTYPE put_NeuerAktienwertSpeichern(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_NeuerOpenPLSpeichern(VARIANT_BOOL* result) override;
  HRESULT STDMETHODCALLTYPE put_NeuerOpenPLSpeichern(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_ID_Schnittstelle(BSTR* result) override;
  HRESULT STDMETHODCALLTYPE put_ID_Schnittstelle(BSTR value) override;
  HRESULT STDMETHODCALLTYPE
  get_KontoGlobalData(VKSKontoServerV7::_clKontoGlobalData** result) override;
  HRESULT STDMETHODCALLTYPE VKSClosePosition(BSTR KontoName, BSTR TitelWKN, FLOAT Kurs,
                                             VARIANT* result) override;
  HRESULT STDMETHODCALLTYPE VKSKontoKomplettReset(BSTR KontoName, DOUBLE KontoInitWert,
                                                  DOUBLE KontoStartDatum,
                                                  VARIANT_BOOL* result) override;
  HRESULT STDMETHODCALLTYPE InitKontoKennzahlen(IDispatch** myKontoKennzahlen) override;
  HRESULT STDMETHODCALLTYPE KontoVerbietetOrderaufgabe(BSTR KontoName, SHORT OrderAktion,
                                                       BSTR* Meldung,
                                                       VARIANT_BOOL* result) override;
  HRESULT STDMETHODCALLTYPE VKSGetTitelDateiName(BSTR KontoName, BSTR TitelWKN,
                                                 VKSKontoServerV7::eKontoDatenArt Datenart,
                                                 VARIANT_BOOL NurName, BSTR* result) override;
  HRESULT STDMETHODCALLTYPE VKSGetKontoWert(BSTR KontoName,
                                            VKSKontoServerV7::eKontoKennzahl KontoWert,
                                            FLOAT* result) override;
  HRESULT STDMETHODCALLTYPE VKSGetTitelPosition(BSTR KontoName, BSTR TitelWKN,
                                                FLOAT* result) override;
  HRESULT STDMETHODCALLTYPE VKSKontoNeuerKurs(DATE DatumZeit, BSTR KontoName, BSTR TitelWKN,
                                              FLOAT NeuerKurs,
                                              VARIANT_BOOL SofortSpeichern) override;
  HRESULT STDMETHODCALLTYPE VKSGetKontoNamenliste(VARIANT* result) override;
  HRESULT STDMETHODCALLTYPE VKSBaueKontoNamenStringFeld(VARIANT* Stringfeld,
                                                        VARIANT* result) override;
  HRESULT STDMETHODCALLTYPE VKSKontoExistiert(BSTR KontoName, VARIANT_BOOL* result) override;
  HRESULT STDMETHODCALLTYPE VKSKontoGetCashBetrag(BSTR KontoName, VARIANT* result) override;
  HRESULT STDMETHODCALLTYPE VKSKontoNeuerOrderstatus(
      DATE* DatumZeit, BSTR KontoName, BSTR OrderID, BSTR TitelWKN, BSTR TitelName, SHORT Aktion,
      LONG Anzahl, LONG FilledAnzahl, FLOAT AktFillPreis, VARIANT_BOOL IsEnterOrder,
      VKSKontoServerV7::_clOrderZusatzInfos** ZusatzInfos, SHORT* result) override;
  HRESULT STDMETHODCALLTYPE VKSSchreibePosWerte(BSTR KontoName, VARIANT* WKNFeld,
                                                VARIANT* TitelNameFeld, FLOAT Wert1, LONG Wert2,
                                                SHORT* result) override;
  HRESULT STDMETHODCALLTYPE VKSStreicheOrder(BSTR KontoName, BSTR OrderID, DATE DatumZeit,
                                             SHORT* result) override;
  HRESULT STDMETHODCALLTYPE VKSNeuesKontoZufügen(BSTR KontoName, BSTR KontoInfo, DOUBLE Kontostand,
                                                 DATE AktDatum, VARIANT_BOOL UseZeitstempel,
                                                 VARIANT_BOOL UseCommissions,
                                                 VARIANT_BOOL UseUmrechnung, BSTR* Fehlertext,
                                                 VARIANT_BOOL* result) override;
  HRESULT STDMETHODCALLTYPE VKSShowKontenFenster() override;
  HRESULT STDMETHODCALLTYPE VKSStreicheKontoOrders(BSTR KontoName) override;

 protected:
  void* FurtherInterface(REFIID iid) override;

 private:
  HRESULT GetDictionary(ObjectRef clKontoSchnittstelle::*feld, IDispatch** result);
  HRESULT SetDictionary(ObjectRef clKontoSchnittstelle::*feld, IDispatch* value);

  KontoVerbindungspunkt punkt_;
  ObjektTabelle& objects_;
  std::shared_ptr<clKontoSchnittstelle> objekt_;
  std::shared_ptr<KontoEreignisSenke> senke_;
};

}  // namespace vks::com
