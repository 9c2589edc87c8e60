// A host that is not ours and binds early: it calls the account server through the function table
// of the dual interface, as the generated declarations give it, and receives AlleOrdersStreichen
// through a connection point. Rules are set where the user sets them, in the store, so the test
// runs it twice:
//   EarlyBoundHost anlegen   creates the account "Regeln" (the driver then writes its rules)
//   EarlyBoundHost regeln    the placement rule refuses an order with its message; the
//                            cancellation rule raises the event, and the handler cancels the
//                            host's other entry orders by calling back into the server
//   EarlyBoundHost senken    sinks that fail and sinks whose host hangs, is killed mid-call and
//                            holding objects: the event still reaches every other sink in
//                            registry order, and the server serves on (needs the rules above)
//   EarlyBoundHost haengen ORDER-ID   the hanging host that `senken` starts (twice)
// Each failed check prints a line; the exit code is their number.
#include <objbase.h>
#include <ocidl.h>
#include <olectl.h>
#include <process.h>

#include <cstdio>
#include <functional>
#include <set>
#include <string>
#include <utility>
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
  Text info(L"Regeln des Hosttests"), fehlertext;
  const auto neu = [&](const wchar_t* name_text) {
    Text name(name_text);
    VARIANT_BOOL ok = VARIANT_FALSE;
    Check("VKSNeuesKontoZufügen",
          konto->VKSNeuesKontoZufügen(name.Get(), info.Get(), 10000.0, kTag, VARIANT_TRUE,
                                      VARIANT_FALSE, VARIANT_FALSE, fehlertext.Receive(), &ok));
    return ok == VARIANT_TRUE;
  };
  Check("Konto angelegt", neu(L"Regeln") && fehlertext.Str().empty());
  // Text beyond Windows-1252 cannot be stored with an account: the name is refused, with why.
  Check(
      "Name außerhalb von Windows-1252 abgelehnt",
      !neu(L"\x41A\x43E\x43D\x442\x43E \xD83D\xDE00") &&
          fehlertext.Str() == L"KontoName enthält Zeichen, die Windows-1252 nicht darstellen kann");
}

// The event's connections of one object: its one point, and the sinks advised there.
struct Verbindung {
  ComPtr<_clKontoSchnittstelle> konto;
  ComPtr<IConnectionPoint> punkt;
  std::vector<std::pair<vks::demo::EreignisSenke*, DWORD>> senken;

  Verbindung()
      : konto(
            Create<_clKontoSchnittstelle>(CLSID_clKontoSchnittstelle, IID__clKontoSchnittstelle)) {
    ComPtr<IConnectionPointContainer> container;
    if (!konto ||
        FAILED(konto->QueryInterface(IID_IConnectionPointContainer, container.ReceiveVoid())))
      return;
    // The container lists exactly the one point that FindConnectionPoint gives.
    ComPtr<IEnumConnectionPoints> punkte;
    Check("EnumConnectionPoints", container->EnumConnectionPoints(punkte.Receive()));
    IConnectionPoint* gelistet[2] = {};
    ULONG anzahl = 0;
    if (punkte) punkte->Next(2, gelistet, &anzahl);
    IID iid{};
    Check("ein Verbindungspunkt", anzahl == 1 &&
                                      SUCCEEDED(gelistet[0]->GetConnectionInterface(&iid)) &&
                                      iid == DIID___clKontoSchnittstelle);
    for (ULONG i = 0; i < anzahl; ++i) gelistet[i]->Release();
    Check("FindConnectionPoint",
          container->FindConnectionPoint(DIID___clKontoSchnittstelle, punkt.Receive()));
  }
  void Advise(vks::demo::EreignisSenke* senke) {
    DWORD cookie = 0;
    if (punkt) Check("Advise", punkt->Advise(senke, &cookie));
    senken.emplace_back(senke, cookie);
  }
  // The point lists its sinks in the order they came.
  void PruefeVerbindungen() {
    ComPtr<IEnumConnections> liste;
    if (punkt) Check("EnumConnections", punkt->EnumConnections(liste.Receive()));
    std::vector<DWORD> cookies;
    CONNECTDATA data{};
    while (liste && liste->Next(1, &data, nullptr) == S_OK) {
      cookies.push_back(data.dwCookie);
      data.pUnk->Release();
    }
    std::vector<DWORD> erwartet;
    for (const auto& s : senken) erwartet.push_back(s.second);
    Check("Verbindungen in Reihenfolge", cookies == erwartet);
  }
  void UnadviseAlle() {
    for (const auto& s : senken)
      if (punkt) Check("Unadvise", punkt->Unadvise(s.second));
  }
};

// The status of an order of the account "Regeln": `menge` ordered, `filled` of it filled. With a
// position there, the account's cancellation rule broadcasts AlleOrdersStreichen.
SHORT Orderstatus(_clKontoSchnittstelle* konto, const wchar_t* id, const wchar_t* wkn_text,
                  LONG menge, LONG filled, _clOrderZusatzInfos* extras = nullptr) {
  Text name(L"Regeln"), order(id), wkn(wkn_text), titel(L"Titel");
  DATE zeit = kTag + 0.4;
  // In and out: the reference passed in is the callee's to release, the one that comes back ours.
  _clOrderZusatzInfos* by_ref = extras;
  if (by_ref) by_ref->AddRef();
  SHORT result = 0;
  Check("VKSKontoNeuerOrderstatus",
        konto->VKSKontoNeuerOrderstatus(&zeit, name.Get(), order.Get(), wkn.Get(), titel.Get(), 1,
                                        menge, filled, 5.0f, VARIANT_TRUE, &by_ref, &result));
  Check("ZusatzInfos zurück", !extras || by_ref);
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
  Verbindung v;
  auto extras = Create<_clOrderZusatzInfos>(CLSID_clOrderZusatzInfos, IID__clOrderZusatzInfos);
  if (!v.konto || !extras) return;
  _clKontoSchnittstelle* konto = v.konto.Get();
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

  Handler handler{konto, {L"E-2", L"E-3"}, {}, {}};
  vks::demo::EreignisSenke sink(std::ref(handler));
  v.Advise(&sink);

  for (const wchar_t* id : {L"E-1", L"E-2", L"E-3"})
    Check("Order offen", Orderstatus(konto, id, id, 10, 0, extras.Get()) == -1);
  const auto erlaubt = Verbietet(konto);
  Check("erlaubt ohne Position", !erlaubt.first && erlaubt.second.empty());

  // The fill gives a position: the cancellation rule fires, and the handler has cancelled E-2 and
  // E-3 by the time the report returns.
  Check("Fill", Orderstatus(konto, L"E-1", L"E-1", 10, 10, extras.Get()) == -1);
  Check("ein Ereignis", handler.konten == std::vector<std::wstring>{L"Regeln"});
  Check("im Handler gestrichen", handler.ergebnisse == std::vector<SHORT>{-1, -1});
  Text name(L"Regeln");
  FLOAT offen = -1;
  Check("VKSGetKontoWert",
        konto->VKSGetKontoWert(name.Get(), static_cast<eKontoKennzahl>(1), &offen));
  Check("keine offene Order", offen == 0.0f);

  const auto abgelehnt = Verbietet(konto);
  Check("abgelehnt", abgelehnt.first);
  Check("Meldung", abgelehnt.second == L"Nur 1 Positionen");
  if (abgelehnt.second != L"Nur 1 Positionen")
    std::printf("  Meldung: %ls\n", abgelehnt.second.c_str());

  v.UnadviseAlle();
}

// The named events between `senken` and the hanging hosts it starts.
constexpr wchar_t kBereit[] = L"VKSHostTest-bereit";  // the hanging host's sink is advised
constexpr wchar_t kLos[] = L"VKSHostTest-los";        // it may report its fill now
constexpr wchar_t kHaengt[] = L"VKSHostTest-haengt";  // its handler has the event and hangs

HANDLE Ereignis(const wchar_t* name) {
  return CreateEventW(nullptr, FALSE, FALSE, name);
}

// Waits for `h` while the apartment serves the calls that come in (the events among them).
bool Warte(HANDLE h, DWORD ms = 120000) {
  DWORD index = 0;
  return CoWaitForMultipleHandles(0, ms, 1, &h, &index) == S_OK;
}

// The hanging host (in the multi-threaded apartment, so that its handler can block on a thread of
// its own while the report waits for the server): its sink takes the event and does not return.
void Haengen(const wchar_t* order_id) {
  HANDLE bereit = Ereignis(kBereit), los = Ereignis(kLos), haengt = Ereignis(kHaengt);
  HANDLE loslassen = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  Verbindung v;
  vks::demo::EreignisSenke senke([&](const std::wstring&) {
    SetEvent(haengt);
    WaitForSingleObject(loslassen, INFINITE);
    return S_OK;
  });
  v.Advise(&senke);
  SetEvent(bereit);
  WaitForSingleObject(los, INFINITE);
  // The server gives up on the sink after its bound and answers the report.
  Check("Fill trotz hängender Senke", Orderstatus(v.konto.Get(), order_id, L"H-WKN", 1, 1) == -1);
  SetEvent(loslassen);
  Check("hängende Senke abgemeldet",
        v.punkt && v.punkt->Unadvise(v.senken[0].second) == CONNECT_E_NOCONNECTION);
}

// Starts `EarlyBoundHost haengen ORDER-ID` and waits until its sink is advised.
HANDLE StarteHaengenden(const wchar_t* order_id, HANDLE bereit) {
  wchar_t exe[MAX_PATH];
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  const std::wstring quoted = L"\"" + std::wstring(exe) + L"\"";
  const intptr_t process = _wspawnl(_P_NOWAIT, exe, quoted.c_str(), L"haengen", order_id, nullptr);
  Check("hängenden Host starten", process != -1);
  if (process == -1) return nullptr;
  Check("hängender Host bereit", Warte(bereit));
  return reinterpret_cast<HANDLE>(process);
}

void Senken() {
  HANDLE bereit = Ereignis(kBereit), los = Ereignis(kLos), haengt = Ereignis(kHaengt);
  // Who had the event, in order; 2 fails as a host's handler may.
  std::vector<int> empfangen;
  const auto senke = [&](int nummer) {
    return [&empfangen, nummer](const std::wstring& name) {
      if (name != L"Regeln") return E_INVALIDARG;
      empfangen.push_back(nummer);
      return nummer == 2 ? E_FAIL : S_OK;
    };
  };
  vks::demo::EreignisSenke s1(senke(1)), s2(senke(2)), s3(senke(3)), s4(senke(4));
  Verbindung erste;
  for (auto* s : {&s1, &s2, &s3}) erste.Advise(s);
  erste.PruefeVerbindungen();

  // Registry order: this host's first object, the hanging host's, this host's second.
  HANDLE haengend = StarteHaengenden(L"H-1", bereit);
  Verbindung zweite;
  zweite.Advise(&s4);
  SetEvent(los);
  Check("hängender Host endet", haengend && Warte(haengend));
  DWORD code = ~0u;
  if (haengend) GetExitCodeProcess(haengend, &code), CloseHandle(haengend);
  Check("hängender Host ohne Fehler", code == 0);
  Check("Senken in Registrierungsreihenfolge", empfangen == std::vector<int>{1, 2, 3, 4});

  // A host killed while its report waits for the server and its sink hangs, holding its objects;
  // its object came last, so every sink here has had the event by then.
  empfangen.clear();
  ResetEvent(haengt);  // set by the first hanging host too
  haengend = StarteHaengenden(L"H-2", bereit);
  SetEvent(los);
  Check("Senke hängt", Warte(haengt));
  if (haengend) TerminateProcess(haengend, 9), CloseHandle(haengend);
  Check("vor der hängenden alle Senken", empfangen == std::vector<int>{1, 2, 3, 4});

  // The server serves on, with both fills booked.
  Text name(L"Regeln"), wkn(L"H-WKN");
  FLOAT position = 0;
  Check("VKSGetTitelPosition", erste.konto->VKSGetTitelPosition(name.Get(), wkn.Get(), &position));
  Check("beide Fills gebucht", position == 2.0f);
  erste.UnadviseAlle();
  zweite.UnadviseAlle();
}

}  // namespace

int main(int argc, char** argv) {
  const std::string phase = argc >= 2 ? argv[1] : "";
  if (phase != "anlegen" && phase != "regeln" && phase != "senken" &&
      !(phase == "haengen" && argc == 3)) {
    std::fprintf(stderr, "Aufruf: EarlyBoundHost anlegen|regeln|senken|haengen ORDER-ID\n");
    return 2;
  }
  const bool mta = phase == "haengen";
  if (FAILED(CoInitializeEx(nullptr, mta ? COINIT_MULTITHREADED : COINIT_APARTMENTTHREADED)))
    return 2;
  if (phase == "anlegen") {
    Anlegen();
  } else if (phase == "regeln") {
    Regeln();
  } else if (phase == "senken") {
    Senken();
  } else {
    const std::string id = argv[2];
    Haengen(std::wstring(id.begin(), id.end()).c_str());
  }
  CoUninitialize();
  std::printf("ENDE %d Fehler\n", failures);
  return failures;
}
