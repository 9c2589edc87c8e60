// A host that is not ours and binds early: it calls the account server through the function table
// of the dual interface, as the generated declarations give it, and receives AlleOrdersStreichen
// through a connection point. Rules are set where the user sets them, in the store, so the test
// runs it twice:
//   EarlyBoundHost anlegen   creates the account "Regeln" (the driver then writes its rules)
//   EarlyBoundHost regeln    the placement rule refuses an order with its message; the
//                            cancellation rule raises the event, and the handler cancels the
//                            host's other entry orders by calling back into the server
// Each failed check prints a line; the exit code is their number.
#include <objbase.h>
#include <ocidl.h>

#include <cstdio>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "VKSKontoServerV7.h"
#include "adapters/com/ComPtr.h"
#include "tools/vks-host-demo/EreignisSenke.h"

namespace {

using namespace VKSKontoServerV7;
using vks::com::ComPtr;

constexpr double kTag = 45744;  // 28 March 2025
int failures = 0;

void Check(const char* what, bool ok) {
  if (!ok) {
    std::printf("FEHLER %s\n", what);
    ++failures;
  }
}

void Check(const char* what, HRESULT hr) {
  if (FAILED(hr)) {
    std::printf("FEHLER %s: HRESULT 0x%08lX\n", what, static_cast<unsigned long>(hr));
    ++failures;
  }
}

// A BSTR that frees itself.
class Text {
 public:
  explicit Text(const wchar_t* s = L"") : b_(SysAllocString(s)) {}
  ~Text() { SysFreeString(b_); }
  Text(const Text&) = delete;
  Text& operator=(const Text&) = delete;
  BSTR Get() const { return b_; }
  BSTR* Receive() {
    SysFreeString(b_);
    b_ = nullptr;
    return &b_;
  }
  std::wstring Str() const { return b_ ? std::wstring(b_, SysStringLen(b_)) : std::wstring(); }

 private:
  BSTR b_;
};

// The host's side of the event: cancels the host's open entry orders of the named account from
// inside the handler, while the server waits for the handler to return.
struct Handler {
  _clKontoSchnittstelle* konto;
  std::set<std::wstring> offen;
  std::vector<std::wstring> konten;
  std::vector<SHORT> ergebnisse;

  HRESULT operator()(const std::wstring& name) {
    konten.push_back(name);
    Text konto_name(name.c_str());
    for (const std::wstring& id_text : offen) {
      Text order(id_text.c_str());
      SHORT result = 0;
      Check("VKSStreicheOrder im Handler",
            konto->VKSStreicheOrder(konto_name.Get(), order.Get(), 0.0, &result));
      ergebnisse.push_back(result);
    }
    offen.clear();
    return S_OK;
  }
};

template <class T>
ComPtr<T> Create(const CLSID& clsid, const IID& iid) {
  ComPtr<T> p;
  Check("CoCreateInstance",
        CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, iid, p.ReceiveVoid()));
  return p;
}

void Anlegen() {
  auto konto = Create<_clKontoSchnittstelle>(CLSID_clKontoSchnittstelle, IID__clKontoSchnittstelle);
  if (!konto) return;
  Text name(L"Regeln"), info(L"Regeln des Hosttests"), fehlertext;
  VARIANT_BOOL ok = VARIANT_FALSE;
  Check("VKSNeuesKontoZufügen",
        konto->VKSNeuesKontoZufügen(name.Get(), info.Get(), 10000.0, kTag, VARIANT_TRUE,
                                    VARIANT_FALSE, VARIANT_FALSE, fehlertext.Receive(), &ok));
  Check("Konto angelegt", ok == VARIANT_TRUE && fehlertext.Str().empty());
}

SHORT Order(_clKontoSchnittstelle* konto, _clOrderZusatzInfos* extras, const wchar_t* id,
            LONG filled) {
  Text name(L"Regeln"), order(id), wkn(id), titel(L"Titel");
  DATE zeit = kTag + 0.4;
  // In and out: the reference passed in is the callee's to release, the one that comes back ours.
  _clOrderZusatzInfos* by_ref = extras;
  by_ref->AddRef();
  SHORT result = 0;
  Check("VKSKontoNeuerOrderstatus",
        konto->VKSKontoNeuerOrderstatus(&zeit, name.Get(), order.Get(), wkn.Get(), titel.Get(), 1,
                                        10, filled, 5.0f, VARIANT_TRUE, &by_ref, &result));
  Check("ZusatzInfos zurück", by_ref != nullptr);
  if (by_ref) by_ref->Release();
  Check("Datum unverändert", zeit == kTag + 0.4);
  return result;
}

// KontoVerbietetOrderaufgabe for a buy: whether it is refused, and the message.
std::pair<bool, std::wstring> Verbietet(_clKontoSchnittstelle* konto) {
  Text name(L"Regeln"), meldung;
  VARIANT_BOOL result = VARIANT_FALSE;
  Check("KontoVerbietetOrderaufgabe",
        konto->KontoVerbietetOrderaufgabe(name.Get(), 0, meldung.Receive(), &result));
  return {result == VARIANT_TRUE, meldung.Str()};
}

void Regeln() {
  auto konto = Create<_clKontoSchnittstelle>(CLSID_clKontoSchnittstelle, IID__clKontoSchnittstelle);
  auto extras = Create<_clOrderZusatzInfos>(CLSID_clOrderZusatzInfos, IID__clOrderZusatzInfos);
  if (!konto || !extras) return;
  Check("Margin", extras->put_Margin(100.0f));

  // The placement rule reads its limit from the store that hosts and rules share.
  ComPtr<_clKontoGlobalData> daten;
  Check("KontoGlobalData", konto->get_KontoGlobalData(daten.Receive()));
  if (!daten) return;
  Text max(L"Max");
  VARIANT eins;
  VariantInit(&eins);
  V_VT(&eins) = VT_I4;
  V_I4(&eins) = 1;
  Check("Item", daten->put_Item(max.Get(), eins));

  ComPtr<IConnectionPointContainer> container;
  Check("IConnectionPointContainer",
        konto->QueryInterface(IID_IConnectionPointContainer, container.ReceiveVoid()));
  ComPtr<IConnectionPoint> punkt;
  if (container)
    Check("FindConnectionPoint",
          container->FindConnectionPoint(DIID___clKontoSchnittstelle, punkt.Receive()));
  Handler handler{konto.Get(), {L"E-2", L"E-3"}, {}, {}};
  vks::demo::EreignisSenke sink(std::ref(handler));
  DWORD cookie = 0;
  if (punkt) Check("Advise", punkt->Advise(&sink, &cookie));

  for (const wchar_t* id : {L"E-1", L"E-2", L"E-3"})
    Check("Order offen", Order(konto.Get(), extras.Get(), id, 0) == -1);
  const auto erlaubt = Verbietet(konto.Get());
  Check("erlaubt ohne Position", !erlaubt.first && erlaubt.second.empty());

  // The fill gives a position: the cancellation rule fires, and the handler has cancelled E-2 and
  // E-3 by the time the report returns.
  Check("Fill", Order(konto.Get(), extras.Get(), L"E-1", 10) == -1);
  Check("ein Ereignis", handler.konten == std::vector<std::wstring>{L"Regeln"});
  Check("im Handler gestrichen", handler.ergebnisse == std::vector<SHORT>{-1, -1});
  Text name(L"Regeln");
  FLOAT offen = -1;
  Check("VKSGetKontoWert",
        konto->VKSGetKontoWert(name.Get(), static_cast<eKontoKennzahl>(1), &offen));
  Check("keine offene Order", offen == 0.0f);

  const auto abgelehnt = Verbietet(konto.Get());
  Check("abgelehnt", abgelehnt.first);
  Check("Meldung", abgelehnt.second == L"Nur 1 Positionen");
  if (abgelehnt.second != L"Nur 1 Positionen")
    std::printf("  Meldung: %ls\n", abgelehnt.second.c_str());

  if (punkt) Check("Unadvise", punkt->Unadvise(cookie));
}

}  // namespace

int main(int argc, char** argv) {
  const std::string phase = argc == 2 ? argv[1] : "";
  if (phase != "anlegen" && phase != "regeln") {
    std::fprintf(stderr, "Aufruf: EarlyBoundHost anlegen|regeln\n");
    return 2;
  }
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 2;
  if (phase == "anlegen") {
    Anlegen();
  } else {
    Regeln();
  }
  CoUninitialize();
  std::printf("ENDE %d Fehler\n", failures);
  return failures;
}
