#include "tools/vks-host-demo/ComDemoHost.h"

#include <cstdio>
#include <stdexcept>

#include "adapters/com/ComValues.h"
#include "adapters/com/VariantConversion.h"
#include "adapters/com/WideText.h"
#include "platform/automation/VariantConversions.h"

namespace vks::demo {

using namespace VKSKontoServerV7;
using com::ComPtr;

namespace {

// The failing member with the server's description, when it gave one.
void Pruefe(HRESULT hr, const char* member) {
  if (SUCCEEDED(hr)) return;
  std::string text;
  IErrorInfo* info = nullptr;
  if (GetErrorInfo(0, &info) == S_OK && info) {
    BSTR beschreibung = nullptr;
    if (SUCCEEDED(info->GetDescription(&beschreibung))) text = com::FromBstr(beschreibung);
    SysFreeString(beschreibung);
    info->Release();
  }
  char code[16];
  std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(hr));
  throw std::runtime_error(std::string(member) + ": " + (text.empty() ? code : text));
}

// A BSTR argument or result that frees itself.
class Text {
 public:
  Text() = default;
  explicit Text(const std::string& s) : b_(com::ToBstr(s)) {}
  ~Text() { SysFreeString(b_); }
  Text(const Text&) = delete;
  Text& operator=(const Text&) = delete;
  BSTR Get() const { return b_; }
  BSTR* Receive() { return &b_; }
  std::string Str() const { return com::FromBstr(b_); }

 private:
  BSTR b_ = nullptr;
};

template <class T>
ComPtr<T> Erzeuge(const CLSID& clsid, const IID& iid, const char* was) {
  ComPtr<T> p;
  Pruefe(CoCreateInstance(clsid, nullptr, CLSCTX_ALL, iid, p.ReceiveVoid()), was);
  return p;
}

// The host's order extras as the server's own object, filled field by field; a report without
// extras gets a new object, whose fields keep their defaults.
ComPtr<_clOrderZusatzInfos> ZusatzObjekt(const clOrderZusatzInfos* z) {
  auto o = Erzeuge<_clOrderZusatzInfos>(CLSID_clOrderZusatzInfos, IID__clOrderZusatzInfos,
                                        "clOrderZusatzInfos");
  if (!z) return o;
  Pruefe(o->put_PointValue(z->PointValue), "PointValue");
  Pruefe(o->put_Margin(z->Margin), "Margin");
  Pruefe(o->put_Commissions(z->Commissions), "Commissions");
  Pruefe(o->put_CommissionsArePoints(com::ToVariantBool(z->CommissionsArePoints)),
         "CommissionsArePoints");
  Pruefe(o->put_MindestCommissions(z->MindestCommissions), "MindestCommissions");
  Pruefe(o->put_MaximalCommissions(z->MaximalCommissions), "MaximalCommissions");
  Pruefe(o->put_ZusatzCommissions(z->ZusatzCommissions), "ZusatzCommissions");
  Pruefe(o->put_AktUmrechnungsWert(z->AktUmrechnungsWert), "AktUmrechnungsWert");
  Pruefe(o->put_UmrechnungAuchGebuehren(com::ToVariantBool(z->UmrechnungAuchGebuehren)),
         "UmrechnungAuchGebuehren");
  return o;
}

}  // namespace

ComDemoHost::ComDemoHost() = default;

ComDemoHost::~ComDemoHost() {
  Freigeben();
}

void ComDemoHost::Verbinde(std::function<void(const std::string&)> ereignis) {
  konto_ = Erzeuge<_clKontoSchnittstelle>(CLSID_clKontoSchnittstelle, IID__clKontoSchnittstelle,
                                          "clKontoSchnittstelle");
  ComPtr<IConnectionPointContainer> container;
  Pruefe(konto_->QueryInterface(IID_IConnectionPointContainer, container.ReceiveVoid()),
         "IConnectionPointContainer");
  Pruefe(container->FindConnectionPoint(DIID___clKontoSchnittstelle, punkt_.Receive()),
         "FindConnectionPoint");
  senke_ = std::make_unique<EreignisSenke>(
      [ereignis = std::move(ereignis)](const std::wstring& konto) -> HRESULT {
        try {
          ereignis(com::Narrow(konto));
          return S_OK;
        } catch (const std::exception& e) {
          // The server goes on with its next host; the demo's own failure shows here.
          std::fprintf(stderr, "vks-host-demo: AlleOrdersStreichen: %s\n", e.what());
          return E_FAIL;
        }
      });
  Pruefe(punkt_->Advise(senke_.get(), &cookie_), "Advise");
}

bool ComDemoHost::KontoKomplettReset(const std::string& konto, double kontostand, double datum) {
  VARIANT_BOOL ok = VARIANT_FALSE;
  Pruefe(konto_->VKSKontoKomplettReset(Text(konto).Get(), kontostand, datum, &ok),
         "VKSKontoKomplettReset");
  return ok == VARIANT_TRUE;
}

std::string ComDemoHost::NeuesKontoZufuegen(const DemoKonto& k, double datum) {
  Text fehlertext;
  VARIANT_BOOL ok = VARIANT_FALSE;
  Pruefe(
      konto_->VKSNeuesKontoZufügen(Text(k.name).Get(), Text(k.beschreibung).Get(), k.kontostand,
                                   datum, VARIANT_TRUE, com::ToVariantBool(k.use_commissions),
                                   com::ToVariantBool(k.use_umrechnung), fehlertext.Receive(), &ok),
      "VKSNeuesKontoZufügen");
  if (ok == VARIANT_TRUE) return {};
  return fehlertext.Str().empty() ? "nicht angelegt" : fehlertext.Str();
}

void ComDemoHost::SetzeGlobal(const std::string& key, int32_t wert) {
  ComPtr<_clKontoGlobalData> daten;
  Pruefe(konto_->get_KontoGlobalData(daten.Receive()), "KontoGlobalData");
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_I4;
  V_I4(&v) = wert;
  Pruefe(daten->put_Item(Text(key).Get(), v), "KontoGlobalData.Item");
}

void ComDemoHost::NeuerKurs(const Ereignis& e) {
  Pruefe(konto_->VKSKontoNeuerKurs(e.zeit, Text(e.konto).Get(), Text(e.wkn).Get(), e.kurs,
                                   VARIANT_TRUE),
         "VKSKontoNeuerKurs");
}

bool ComDemoHost::Verbietet(const std::string& konto, int16_t order_aktion, std::string& meldung) {
  Text text(meldung);
  VARIANT_BOOL verboten = VARIANT_FALSE;
  Pruefe(konto_->KontoVerbietetOrderaufgabe(Text(konto).Get(), order_aktion, text.Receive(),
                                            &verboten),
         "KontoVerbietetOrderaufgabe");
  meldung = text.Str();
  return verboten == VARIANT_TRUE;
}

int16_t ComDemoHost::NeuerOrderstatus(const Ereignis& e, const clOrderZusatzInfos* zusatz) {
  ComPtr<_clOrderZusatzInfos> extras = ZusatzObjekt(zusatz);
  // Both by reference: the server may hand back another date or extras object.
  DATE zeit = e.zeit;
  _clOrderZusatzInfos* by_ref = extras.Get();
  by_ref->AddRef();
  SHORT ergebnis = 0;
  const HRESULT hr = konto_->VKSKontoNeuerOrderstatus(
      &zeit, Text(e.konto).Get(), Text(e.order_id).Get(), Text(e.wkn).Get(),
      Text(e.titel_name).Get(), e.aktion, e.anzahl, e.filled_anzahl, e.kurs,
      com::ToVariantBool(e.enter), &by_ref, &ergebnis);
  if (by_ref) by_ref->Release();
  Pruefe(hr, "VKSKontoNeuerOrderstatus");
  return ergebnis;
}

void ComDemoHost::StreicheOrder(const std::string& konto, const std::string& order_id,
                                double zeit) {
  SHORT ergebnis = 0;
  Pruefe(konto_->VKSStreicheOrder(Text(konto).Get(), Text(order_id).Get(), zeit, &ergebnis),
         "VKSStreicheOrder");
}

void ComDemoHost::ClosePosition(const Ereignis& e) {
  com::OwnedVariant leer;
  Pruefe(konto_->VKSClosePosition(Text(e.konto).Get(), Text(e.wkn).Get(), e.kurs, &leer),
         "VKSClosePosition");
}

std::vector<std::string> ComDemoHost::KennzahlNamen() {
  CLSID dictionary;
  Pruefe(CLSIDFromProgID(L"Scripting.Dictionary", &dictionary), "Scripting.Dictionary");
  ComPtr<IDispatch> namen = Erzeuge<IDispatch>(dictionary, IID_IDispatch, "Scripting.Dictionary");
  IDispatch* by_ref = namen.Get();
  by_ref->AddRef();
  const HRESULT hr = konto_->InitKontoKennzahlen(&by_ref);
  if (by_ref) by_ref->Release();
  Pruefe(hr, "InitKontoKennzahlen");
  LPOLESTR keys_name = const_cast<LPOLESTR>(L"Keys");
  DISPID keys = 0;
  Pruefe(namen->GetIDsOfNames(IID_NULL, &keys_name, 1, LOCALE_USER_DEFAULT, &keys), "Keys");
  DISPPARAMS keine{nullptr, nullptr, 0, 0};
  com::OwnedVariant liste;
  Pruefe(namen->Invoke(keys, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &keine, &liste,
                       nullptr, nullptr),
         "Keys");
  std::vector<std::string> ergebnis;
  const Variant v = com::FromVariant(liste);
  if (!v.IsArray()) throw std::runtime_error("InitKontoKennzahlen: keine Namen");
  for (const Variant& name : v.AsArray().Elements()) ergebnis.push_back(ToString(name));
  return ergebnis;
}

KontoErgebnis ComDemoHost::Ergebnis(const std::string& konto) {
  KontoErgebnis e{konto, {}, 0};
  const Text name(konto);
  for (LONG k = 1; k <= 48; ++k) {
    FLOAT wert = 0;
    Pruefe(konto_->VKSGetKontoWert(name.Get(), static_cast<eKontoKennzahl>(k), &wert),
           "VKSGetKontoWert");
    e.kennzahlen.push_back(wert);
  }
  com::OwnedVariant cash;
  Pruefe(konto_->VKSKontoGetCashBetrag(name.Get(), &cash), "VKSKontoGetCashBetrag");
  e.cash = V_VT(&cash) == VT_R8 ? V_R8(&cash) : 0;
  return e;
}

void ComDemoHost::Freigeben() {
  if (punkt_) punkt_->Unadvise(cookie_);
  punkt_.Reset();
  konto_.Reset();
}

}  // namespace vks::demo
