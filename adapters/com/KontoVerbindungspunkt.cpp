#include "adapters/com/KontoVerbindungspunkt.h"

#include <oleauto.h>
#include <olectl.h>

#include <algorithm>
#include <optional>

#include "VKSKontoServerV7.h"
#include "adapters/com/AutomationCall.h"
#include "adapters/com/ComValues.h"
#include "adapters/com/VariantConversion.h"

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

}  // namespace

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
  if (FAILED(sink->QueryInterface(VKSKontoServerV7::DIID___clKontoSchnittstelle,
                                  dispatch.ReceiveVoid())) &&
      FAILED(sink->QueryInterface(IID_IDispatch, dispatch.ReceiveVoid())))
    return CONNECT_E_CANNOTCONNECT;
  *cookie = naechstes_cookie_++;
  senken_.emplace_back(*cookie, std::move(dispatch));
  return S_OK;
}

HRESULT KontoVerbindungspunkt::Unadvise(DWORD cookie) {
  auto it = std::find_if(senken_.begin(), senken_.end(),
                         [cookie](const auto& s) { return s.first == cookie; });
  if (it == senken_.end()) return CONNECT_E_NOCONNECTION;
  senken_.erase(it);
  return S_OK;
}

HRESULT KontoVerbindungspunkt::EnumConnections(IEnumConnections** out) {
  if (out) *out = nullptr;
  return E_NOTIMPL;
}

void KontoVerbindungspunkt::AlleOrdersStreichen(const std::string& KontoName) {
  ComPtr<IUnknown> keep_alive;  // a handler may release the object
  container_->AddRef();
  keep_alive.Attach(container_);
  const auto senken = senken_;
  OwnedVariant name;
  ToVariant(Variant(KontoName), name);
  std::optional<AutomationError> erster_fehler;
  for (const auto& [cookie, senke] : senken) {
    DISPPARAMS params{&name, nullptr, 1, 0};
    EXCEPINFO excepinfo{};
    HRESULT hr = senke->Invoke(VKSKontoServerV7::kDispId___clKontoSchnittstelle_AlleOrdersStreichen,
                               IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr,
                               &excepinfo, nullptr);
    if (FAILED(hr) && SenkeWeg(hr)) {
      Unadvise(cookie);
    } else if (FAILED(hr) && !erster_fehler) {
      erster_fehler = ErrorOfHResult(hr, &excepinfo);
    }
    SysFreeString(excepinfo.bstrSource);
    SysFreeString(excepinfo.bstrDescription);
    SysFreeString(excepinfo.bstrHelpFile);
  }
  if (erster_fehler) throw *erster_fehler;
}

}  // namespace vks::com
