#include "adapters/com/KontoSchnittstelleComObjekt.h"

#include <olectl.h>

#include "adapters/com/ComValues.h"
#include "adapters/com/ConnectionEnum.h"
#include "adapters/com/OrderZusatzInfosComObjekt.h"
#include "adapters/com/TypeLibraryWriter.h"
#include "platform/automation/AutomationError.h"
#include "platform/automation/VariantConversions.h"
#include "session/clKontoGlobalData.h"

namespace vks::com {

namespace {

// The event's way from the interface layer to the object's connection point, cut when the object
// goes.
class VerbindungspunktSenke : public KontoEreignisSenke {
 public:
  explicit VerbindungspunktSenke(KontoVerbindungspunkt* punkt) : punkt_(punkt) {}
  void AlleOrdersStreichen(const std::string& KontoName) override {
    if (punkt_) punkt_->AlleOrdersStreichen(KontoName);
  }
  void Trennen() { punkt_ = nullptr; }

 private:
  KontoVerbindungspunkt* punkt_;
};

// A BSTR argument passed by reference takes its new text, the old one freed only once the new one
// exists.
void Ersetze(BSTR* slot, const std::string& text) {
  BSTR neu = ToBstr(text);
  SysFreeString(*slot);
  *slot = neu;
}

// The interface `iid` of the object that `dispatch` (ours, a new reference) stands for; the
// reference passes to the result. Error 13 when the object has no such interface.
template <class T>
T* Als(IDispatch* dispatch, const IID& iid) {
  ComPtr<IDispatch> held;
  held.Attach(dispatch);
  T* result = nullptr;
  if (FAILED(dispatch->QueryInterface(iid, reinterpret_cast<void**>(&result))))
    throw AutomationError(error::kTypeMismatch);
  return result;
}

std::shared_ptr<VerbindungspunktSenke> SenkeVon(const std::shared_ptr<KontoEreignisSenke>& senke) {
  return std::static_pointer_cast<VerbindungspunktSenke>(senke);
}

}  // namespace

KontoSchnittstelleComObjekt::KontoSchnittstelleComObjekt(SchnittstellenUmgebung& umgebung,
                                                         ObjektTabelle& objects,
                                                         ProzessReferenz* prozess)
    : DispatchObject(prozess),
      punkt_(this),
      objects_(objects),
      objekt_(clKontoSchnittstelle::Create(umgebung)) {
  senke_ = std::make_shared<VerbindungspunktSenke>(&punkt_);
  objekt_->SetzeEreignisSenke(senke_);
}

KontoSchnittstelleComObjekt::~KontoSchnittstelleComObjekt() {
  SenkeVon(senke_)->Trennen();
  objekt_->SetzeEreignisSenke(nullptr);
  objekt_.reset();  // the release: the interface layer unregisters and may save
}

void* KontoSchnittstelleComObjekt::FurtherInterface(REFIID iid) {
  if (iid == IID_IConnectionPointContainer) return static_cast<IConnectionPointContainer*>(this);
  return nullptr;
}

HRESULT KontoSchnittstelleComObjekt::EnumConnectionPoints(IEnumConnectionPoints** out) {
  return ConnectionPointEnum::Create({&punkt_}, out);
}

HRESULT KontoSchnittstelleComObjekt::FindConnectionPoint(REFIID iid, IConnectionPoint** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid != VKSKontoServerV7::DIID___clKontoSchnittstelle) return CONNECT_E_NOCONNECTION;
  punkt_.AddRef();
  *out = &punkt_;
  return S_OK;
}

// The Dictionary properties store the host's object and give it back as it came.
HRESULT KontoSchnittstelleComObjekt::GetDictionary(ObjectRef clKontoSchnittstelle::*feld,
                                                   IDispatch** result) {
  return Call([&] {
    const ObjectRef& dictionary = (*objekt_).*feld;
    *result =
        dictionary ? Als<IDispatch>(objects_.ToDispatch(dictionary), kIID_IDictionary) : nullptr;
  });
}
HRESULT KontoSchnittstelleComObjekt::SetDictionary(ObjectRef clKontoSchnittstelle::*feld,
                                                   IDispatch* value) {
  return Call([&] { (*objekt_).*feld = value ? objects_.FromDispatch(value) : nullptr; });
}
HRESULT KontoSchnittstelleComObjekt::get_cTitelPositionen(IDispatch** result) {
  return GetDictionary(&clKontoSchnittstelle::cTitelPositionen, result);
}
HRESULT KontoSchnittstelleComObjekt::putref_cTitelPositionen(IDispatch* value) {
  return SetDictionary(&clKontoSchnittstelle::cTitelPositionen, value);
}
HRESULT KontoSchnittstelleComObjekt::get_cOffeneOrders(IDispatch** result) {
  return GetDictionary(&clKontoSchnittstelle::cOffeneOrders, result);
}
HRESULT KontoSchnittstelleComObjekt::putref_cOffeneOrders(IDispatch* value) {
  return SetDictionary(&clKontoSchnittstelle::cOffeneOrders, value);
}
HRESULT KontoSchnittstelleComObjekt::get_cFilledOrders(IDispatch** result) {
  return GetDictionary(&clKontoSchnittstelle::cFilledOrders, result);
}
HRESULT KontoSchnittstelleComObjekt::putref_cFilledOrders(IDispatch* value) {
  return SetDictionary(&clKontoSchnittstelle::cFilledOrders, value);
}

HRESULT KontoSchnittstelleComObjekt::get_NeuerAktienwertSpeichern(VARIANT_BOOL* result) {
  return Call([&] { *result = ToVariantBool(objekt_->NeuerAktienwertSpeichern); });
}
HRESULT KontoSchnittstelleComObjekt::put_NeuerAktienwertSpeichern(VARIANT_BOOL value) {
  return Call([&] { objekt_->NeuerAktienwertSpeichern = value != VARIANT_FALSE; });
}
HRESULT KontoSchnittstelleComObjekt::get_NeuerOpenPLSpeichern(VARIANT_BOOL* result) {
  return Call([&] { *result = ToVariantBool(objekt_->NeuerOpenPLSpeichern); });
}
HRESULT KontoSchnittstelleComObjekt::put_NeuerOpenPLSpeichern(VARIANT_BOOL value) {
  return Call([&] { objekt_->NeuerOpenPLSpeichern = value != VARIANT_FALSE; });
}
HRESULT KontoSchnittstelleComObjekt::get_ID_Schnittstelle(BSTR* result) {
  return Call([&] { *result = ToBstr(objekt_->ID_Schnittstelle); });
}
HRESULT KontoSchnittstelleComObjekt::put_ID_Schnittstelle(BSTR value) {
  return Call([&] { objekt_->ID_Schnittstelle = FromBstr(value); });
}

HRESULT KontoSchnittstelleComObjekt::get_KontoGlobalData(
    VKSKontoServerV7::_clKontoGlobalData** result) {
  return Call([&] {
    const ObjectRef daten = objekt_->KontoGlobalData();
    *result = daten ? Als<VKSKontoServerV7::_clKontoGlobalData>(
                          objects_.ToDispatch(daten), VKSKontoServerV7::IID__clKontoGlobalData)
                    : nullptr;
  });
}

HRESULT KontoSchnittstelleComObjekt::VKSClosePosition(BSTR KontoName, BSTR TitelWKN, FLOAT Kurs,
                                                      VARIANT* result) {
  return Call([&] {
    ToVariant(objekt_->VKSClosePosition(FromBstr(KontoName), FromBstr(TitelWKN), Kurs), *result,
              &objects_);
  });
}

HRESULT KontoSchnittstelleComObjekt::VKSKontoKomplettReset(BSTR KontoName, DOUBLE KontoInitWert,
                                                           DOUBLE KontoStartDatum,
                                                           VARIANT_BOOL* result) {
  return Call([&] {
    *result = ToVariantBool(
        objekt_->VKSKontoKomplettReset(FromBstr(KontoName), KontoInitWert, KontoStartDatum));
  });
}

// The host's dictionary gets the metric entries through its own Add; one that it holds already
// is refused before any is added, as the interface layer refuses it.
HRESULT KontoSchnittstelleComObjekt::InitKontoKennzahlen(IDispatch** myKontoKennzahlen) {
  return Call([&] {
    if (!myKontoKennzahlen || !*myKontoKennzahlen) throw AutomationError(error::kObjectRequired);
    const ObjectRef dictionary = objects_.FromDispatch(*myKontoKennzahlen);
    const Variant keys = dictionary->Invoke("Keys", InvokeKind::Method, {});
    const Variant items = dictionary->Invoke("Items", InvokeKind::Method, {});
    if (!keys.IsArray() || !items.IsArray()) throw AutomationError(error::kTypeMismatch);
    KeyedDictionary<Variant> kennzahlen;
    const auto& k = keys.AsArray().Elements();
    const auto& v = items.AsArray().Elements();
    for (size_t i = 0; i < k.size() && i < v.size(); ++i) kennzahlen.Add(ToString(k[i]), v[i]);
    const size_t vorher = kennzahlen.Count();
    objekt_->InitKontoKennzahlen(kennzahlen);
    size_t index = 0;
    for (const auto& entry : kennzahlen) {
      if (index++ < vorher) continue;
      Variant args[] = {Variant(entry.key), entry.value};
      dictionary->Invoke("Add", InvokeKind::Method, args);
    }
  });
}

HRESULT KontoSchnittstelleComObjekt::KontoVerbietetOrderaufgabe(BSTR KontoName, SHORT OrderAktion,
                                                                BSTR* Meldung,
                                                                VARIANT_BOOL* result) {
  return Call([&] {
    const std::string vorher = FromBstr(*Meldung);
    std::string meldung = vorher;
    *result = ToVariantBool(
        objekt_->KontoVerbietetOrderaufgabe(FromBstr(KontoName), OrderAktion, meldung));
    if (meldung != vorher) Ersetze(Meldung, meldung);
  });
}

HRESULT KontoSchnittstelleComObjekt::VKSGetTitelDateiName(BSTR KontoName, BSTR TitelWKN,
                                                          VKSKontoServerV7::eKontoDatenArt Datenart,
                                                          VARIANT_BOOL NurName, BSTR* result) {
  return Call([&] {
    *result = ToBstr(objekt_->VKSGetTitelDateiName(FromBstr(KontoName), FromBstr(TitelWKN),
                                                   static_cast<int32_t>(Datenart),
                                                   NurName != VARIANT_FALSE));
  });
}

HRESULT KontoSchnittstelleComObjekt::VKSGetKontoWert(BSTR KontoName,
                                                     VKSKontoServerV7::eKontoKennzahl KontoWert,
                                                     FLOAT* result) {
  return Call([&] {
    *result = objekt_->VKSGetKontoWert(FromBstr(KontoName), static_cast<int32_t>(KontoWert));
  });
}

HRESULT KontoSchnittstelleComObjekt::VKSGetTitelPosition(BSTR KontoName, BSTR TitelWKN,
                                                         FLOAT* result) {
  return Call(
      [&] { *result = objekt_->VKSGetTitelPosition(FromBstr(KontoName), FromBstr(TitelWKN)); });
}

HRESULT KontoSchnittstelleComObjekt::VKSKontoNeuerKurs(DATE DatumZeit, BSTR KontoName,
                                                       BSTR TitelWKN, FLOAT NeuerKurs,
                                                       VARIANT_BOOL SofortSpeichern) {
  return Call([&] {
    objekt_->VKSKontoNeuerKurs(DateValue{DatumZeit}, FromBstr(KontoName), FromBstr(TitelWKN),
                               NeuerKurs, SofortSpeichern != VARIANT_FALSE);
  });
}

HRESULT KontoSchnittstelleComObjekt::VKSGetKontoNamenliste(VARIANT* result) {
  return Call([&] { ToVariant(objekt_->VKSGetKontoNamenliste(), *result, &objects_); });
}

HRESULT KontoSchnittstelleComObjekt::VKSBaueKontoNamenStringFeld(VARIANT* Stringfeld,
                                                                 VARIANT* result) {
  return Call([&] {
    Variant feld = FromVariant(*Stringfeld, &objects_);
    ToVariant(objekt_->VKSBaueKontoNamenStringFeld(feld), *result, &objects_);
    VARIANT ref;
    ref.vt = VT_BYREF | VT_VARIANT;
    ref.pvarVal = Stringfeld;
    StoreByRef(feld, ref, &objects_);
  });
}

HRESULT KontoSchnittstelleComObjekt::VKSKontoExistiert(BSTR KontoName, VARIANT_BOOL* result) {
  return Call([&] { *result = ToVariantBool(objekt_->VKSKontoExistiert(FromBstr(KontoName))); });
}

HRESULT KontoSchnittstelleComObjekt::VKSKontoGetCashBetrag(BSTR KontoName, VARIANT* result) {
  return Call(
      [&] { ToVariant(objekt_->VKSKontoGetCashBetrag(FromBstr(KontoName)), *result, &objects_); });
}

HRESULT KontoSchnittstelleComObjekt::VKSKontoNeuerOrderstatus(
    DATE* DatumZeit, BSTR KontoName, BSTR OrderID, BSTR TitelWKN, BSTR TitelName, SHORT Aktion,
    LONG Anzahl, LONG FilledAnzahl, FLOAT AktFillPreis, VARIANT_BOOL IsEnterOrder,
    VKSKontoServerV7::_clOrderZusatzInfos** ZusatzInfos, SHORT* result) {
  return Call([&] {
    std::optional<clOrderZusatzInfos> zusatz;
    if (ZusatzInfos && *ZusatzInfos) {
      // What arrives may be any automation object: its function table only through its interface.
      ComPtr<VKSKontoServerV7::_clOrderZusatzInfos> extras;
      if (FAILED((*ZusatzInfos)
                     ->QueryInterface(VKSKontoServerV7::IID__clOrderZusatzInfos,
                                      extras.ReceiveVoid())))
        throw AutomationError(error::kTypeMismatch);
      zusatz = LeseZusatzInfos(*extras.Get(), objects_);
    }
    DateValue datum{*DatumZeit};
    *result = objekt_->VKSKontoNeuerOrderstatus(
        datum, FromBstr(KontoName), FromBstr(OrderID), FromBstr(TitelWKN), FromBstr(TitelName),
        Aktion, Anzahl, FilledAnzahl, AktFillPreis, IsEnterOrder != VARIANT_FALSE,
        zusatz ? &*zusatz : nullptr);
    *DatumZeit = datum.days;
  });
}

HRESULT KontoSchnittstelleComObjekt::VKSSchreibePosWerte(BSTR KontoName, VARIANT* WKNFeld,
                                                         VARIANT* TitelNameFeld, FLOAT Wert1,
                                                         LONG Wert2, SHORT* result) {
  return Call([&] {
    *result = objekt_->VKSSchreibePosWerte(FromBstr(KontoName), FromVariant(*WKNFeld, &objects_),
                                           FromVariant(*TitelNameFeld, &objects_), Wert1, Wert2);
  });
}

HRESULT KontoSchnittstelleComObjekt::VKSStreicheOrder(BSTR KontoName, BSTR OrderID, DATE DatumZeit,
                                                      SHORT* result) {
  return Call([&] {
    *result =
        objekt_->VKSStreicheOrder(FromBstr(KontoName), FromBstr(OrderID), DateValue{DatumZeit});
  });
}

HRESULT KontoSchnittstelleComObjekt::VKSNeuesKontoZufügen(BSTR KontoName, BSTR KontoInfo,
                                                          DOUBLE Kontostand, DATE AktDatum,
                                                          VARIANT_BOOL UseZeitstempel,
                                                          VARIANT_BOOL UseCommissions,
                                                          VARIANT_BOOL UseUmrechnung,
                                                          BSTR* Fehlertext, VARIANT_BOOL* result) {
  return Call([&] {
    const std::string vorher = FromBstr(*Fehlertext);
    std::string fehlertext = vorher;
    *result = ToVariantBool(objekt_->VKSNeuesKontoZufügen(
        FromBstr(KontoName), FromBstr(KontoInfo), Kontostand, DateValue{AktDatum},
        UseZeitstempel != VARIANT_FALSE, UseCommissions != VARIANT_FALSE,
        UseUmrechnung != VARIANT_FALSE, fehlertext));
    if (fehlertext != vorher) Ersetze(Fehlertext, fehlertext);
  });
}

HRESULT KontoSchnittstelleComObjekt::VKSShowKontenFenster() {
  return Call([&] { objekt_->VKSShowKontenFenster(); });
}

HRESULT KontoSchnittstelleComObjekt::VKSStreicheKontoOrders(BSTR KontoName) {
  return Call([&] { objekt_->VKSStreicheKontoOrders(FromBstr(KontoName)); });
}

}  // namespace vks::com
