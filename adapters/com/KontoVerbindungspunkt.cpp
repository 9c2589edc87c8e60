#include "adapters/com/KontoVerbindungspunkt.h"

#include <oleauto.h>
#include <olectl.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <thread>

#include "VKSKontoServerV7.h"
#include "adapters/com/AutomationCall.h"
#include "adapters/com/ConnectionEnum.h"
#include "adapters/com/WideText.h"

namespace vks::com {

namespace {

// The host of the sink has ended or cut the connection: the sink will not come back.
bool SenkeWeg(HRESULT hr) {
  switch (hr) {
    case RPC_E_DISCONNECTED:
    case RPC_E_SERVER_DIED:
    case RPC_E_SERVER_DIED_DNE:
    case CO_E_OBJNOTCONNECTED:
    case HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE):
    case HRESULT_FROM_WIN32(RPC_S_CALL_FAILED):
    case HRESULT_FROM_WIN32(RPC_S_CALL_FAILED_DNE):
      return true;
    default:
      return false;
  }
}

// One call of a sink's handler, made from a thread of its own so that the server's thread can stop
// waiting for a host that does not answer. Both threads hold it; the last one frees it.
struct SenkenAufruf {
  IStream* senke = nullptr;  // the sink, marshalled for the calling thread
  IID iid{};
  BSTR name = nullptr;
  HANDLE fertig = nullptr;
  HRESULT hr = E_FAIL;
  EXCEPINFO excepinfo{};

  ~SenkenAufruf() {
    if (senke) {  // never taken by a calling thread
      const LARGE_INTEGER start{};
      senke->Seek(start, STREAM_SEEK_SET, nullptr);
      CoReleaseMarshalData(senke);
      senke->Release();
    }
    SysFreeString(name);
    SysFreeString(excepinfo.bstrSource);
    SysFreeString(excepinfo.bstrDescription);
    SysFreeString(excepinfo.bstrHelpFile);
    if (fertig) CloseHandle(fertig);
  }
};

// The calling thread: in the process's multi-threaded apartment, where the call may block as long
// as the sink's host takes; it ends when the host answers, fails or goes.
void RufeSenke(std::shared_ptr<SenkenAufruf> aufruf) {
  HRESULT hr = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  if (SUCCEEDED(hr)) {
    ComPtr<IDispatch> senke;
    hr = CoGetInterfaceAndReleaseStream(std::exchange(aufruf->senke, nullptr), aufruf->iid,
                                        senke.ReceiveVoid());
    if (SUCCEEDED(hr)) {
      VARIANT name;
      name.vt = VT_BSTR;
      name.bstrVal = aufruf->name;
      DISPPARAMS params{&name, nullptr, 1, 0};
      hr = senke->Invoke(VKSKontoServerV7::kDispId___clKontoSchnittstelle_AlleOrdersStreichen,
                         IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr,
                         &aufruf->excepinfo, nullptr);
    }
    senke.Reset();
    CoUninitialize();
  }
  aufruf->hr = hr;
  SetEvent(aufruf->fertig);
}

// Calls `senke` (advised as `iid`) with the event and waits for its answer at most
// SenkenFristMs(), serving the server's hosts meanwhile (the sink's own calls back among them).
// RPC_E_CALL_CANCELED when the answer is still out; on failure `fehler` gets the error as the host
// is to see it.
HRESULT RufeMitFrist(IDispatch* senke, const IID& iid, const std::wstring& name,
                     std::optional<AutomationError>& fehler) {
  auto aufruf = std::make_shared<SenkenAufruf>();
  aufruf->iid = iid;
  aufruf->fertig = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  aufruf->name = SysAllocStringLen(name.data(), static_cast<UINT>(name.size()));
  if (!aufruf->fertig || !aufruf->name) return E_OUTOFMEMORY;
  const HRESULT hr = CoMarshalInterThreadInterfaceInStream(iid, senke, &aufruf->senke);
  if (FAILED(hr)) return hr;
  try {
    std::thread(RufeSenke, aufruf).detach();
  } catch (const std::system_error&) {
    return E_OUTOFMEMORY;
  }
  DWORD index = 0;
  HANDLE fertig = aufruf->fertig;
  if (CoWaitForMultipleHandles(0, SenkenFristMs(), 1, &fertig, &index) != S_OK) {
    fehler = AutomationError(static_cast<int32_t>(RPC_E_CALL_CANCELED), "",
                             "Ein Empfänger von AlleOrdersStreichen hat nicht binnen " +
                                 std::to_string(SenkenFristMs()) +
                                 " ms geantwortet und wurde abgemeldet");
    return RPC_E_CALL_CANCELED;
  }
  if (FAILED(aufruf->hr)) fehler = ErrorOfHResult(aufruf->hr, &aufruf->excepinfo);
  return aufruf->hr;
}

}  // namespace

DWORD SenkenFristMs() {
  static const DWORD frist = [] {
    const char* text = std::getenv("VKS_SENKE_FRIST_MS");
    const long ms = text ? std::strtol(text, nullptr, 10) : 0;
    return ms > 0 ? static_cast<DWORD>(ms) : DWORD{20000};
  }();
  return frist;
}

HRESULT KontoVerbindungspunkt::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid != IID_IUnknown && iid != IID_IConnectionPoint) return E_NOINTERFACE;
  *out = static_cast<IConnectionPoint*>(this);
  AddRef();
  return S_OK;
}

HRESULT KontoVerbindungspunkt::GetConnectionInterface(IID* iid) {
  if (!iid) return E_POINTER;
  *iid = VKSKontoServerV7::DIID___clKontoSchnittstelle;
  return S_OK;
}

HRESULT KontoVerbindungspunkt::GetConnectionPointContainer(IConnectionPointContainer** out) {
  if (!out) return E_POINTER;
  container_->AddRef();
  *out = container_;
  return S_OK;
}

HRESULT KontoVerbindungspunkt::Advise(IUnknown* sink, DWORD* cookie) {
  if (!cookie) return E_POINTER;
  *cookie = 0;
  if (!sink) return E_POINTER;
  // A sink made for the event interface, or any late-bound object that takes its dispatch id.
  ComPtr<IDispatch> dispatch;
  IID iid = VKSKontoServerV7::DIID___clKontoSchnittstelle;
  if (FAILED(sink->QueryInterface(iid, dispatch.ReceiveVoid()))) {
    iid = IID_IDispatch;
    if (FAILED(sink->QueryInterface(iid, dispatch.ReceiveVoid()))) return CONNECT_E_CANNOTCONNECT;
  }
  try {
    senken_.push_back({naechstes_cookie_, std::move(dispatch), iid});
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  *cookie = naechstes_cookie_++;
  return S_OK;
}

HRESULT KontoVerbindungspunkt::Unadvise(DWORD cookie) {
  return Entferne(cookie, true);
}

HRESULT KontoVerbindungspunkt::Entferne(DWORD cookie, bool freigeben) {
  auto it = std::find_if(senken_.begin(), senken_.end(),
                         [cookie](const Senke& s) { return s.cookie == cookie; });
  if (it == senken_.end()) return CONNECT_E_NOCONNECTION;
  Senke senke = std::move(*it);
  senken_.erase(it);
  if (!freigeben) {
    IDispatch* bleibt = senke.dispatch.Get();
    bleibt->AddRef();  // held until the process ends, never released: that would call the host
  }
  return S_OK;
}

HRESULT KontoVerbindungspunkt::EnumConnections(IEnumConnections** out) {
  std::vector<CONNECTDATA> verbindungen;
  try {
    for (const Senke& senke : senken_) verbindungen.push_back({senke.dispatch.Get(), senke.cookie});
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return ConnectionsEnum::Create(verbindungen, out);
}

void KontoVerbindungspunkt::AlleOrdersStreichen(const std::string& KontoName) {
  ComPtr<IUnknown> keep_alive;  // a handler may release the object
  container_->AddRef();
  keep_alive.Attach(container_);
  const auto senken = senken_;
  const std::wstring name = Widen(KontoName);
  std::optional<AutomationError> erster_fehler;
  for (const Senke& senke : senken) {
    std::optional<AutomationError> fehler;
    const HRESULT hr = RufeMitFrist(senke.dispatch.Get(), senke.iid, name, fehler);
    if (SenkeWeg(hr)) HostWeg(senke.cookie);
    if (hr == RPC_E_CALL_CANCELED) Entferne(senke.cookie, false);
    if (FAILED(hr) && !erster_fehler) erster_fehler = fehler ? *fehler : ErrorOfHResult(hr);
  }
  if (erster_fehler) throw *erster_fehler;
}

void KontoVerbindungspunkt::HostWeg(DWORD cookie) {
  if (FAILED(Entferne(cookie, true)) || !senken_.empty()) return;
  // Both identities that hosts hold: the object and this point, whose references count as the
  // object's.
  CoDisconnectObject(static_cast<IConnectionPoint*>(this), 0);
  CoDisconnectObject(container_, 0);
}

}  // namespace vks::com
