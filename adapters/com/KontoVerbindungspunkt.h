#pragma once
// The connection point of one clKontoSchnittstelle object for its event interface
// __clKontoSchnittstelle: hosts advise their sinks here, and the event reaches each of them,
// synchronously, in the order they came. It lives inside its object and counts as that object.
#include <windows.h>

#include <ocidl.h>

#include <string>
#include <utility>
#include <vector>

#include "adapters/com/ComPtr.h"

namespace vks::com {

class KontoVerbindungspunkt : public IConnectionPoint {
 public:
  // container: the object this point belongs to (its identity and reference count).
  explicit KontoVerbindungspunkt(IConnectionPointContainer* container) : container_(container) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return container_->AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return container_->Release(); }

  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** out) override;
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** out) override;

  // Raises AlleOrdersStreichen(KontoName) on every sink. A sink whose host has gone is dropped; a
  // sink that fails does not keep the others from the event, and the first failure is thrown
  // (as AutomationError) once all have had it. Sinks may call the server meanwhile, and advise or
  // unadvise: the event goes to the sinks there were when it began.
  void AlleOrdersStreichen(const std::string& KontoName);

 private:
  IConnectionPointContainer* container_;
  std::vector<std::pair<DWORD, ComPtr<IDispatch>>> senken_;
  DWORD naechstes_cookie_ = 1;
};

}  // namespace vks::com
