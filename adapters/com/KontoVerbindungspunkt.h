#pragma once
// The connection point of one clKontoSchnittstelle object for its event interface
// __clKontoSchnittstelle: hosts advise their sinks here, and the event reaches each of them,
// synchronously, in the order they came. It lives inside its object and counts as that object.
// The server's thread never calls a sink itself, as a sink's host may not answer: a thread of its
// own makes each call while the server's thread waits a bounded time.
#include <windows.h>

#include <ocidl.h>

#include <string>
#include <vector>

#include "adapters/com/ComPtr.h"

namespace vks::com {

// How long the server waits for one sink's handler of AlleOrdersStreichen: 20 seconds, or the
// milliseconds in the environment variable VKS_SENKE_FRIST_MS.
DWORD SenkenFristMs();

class KontoVerbindungspunkt : public IConnectionPoint {
 public:
  // container: the object this point belongs to (its identity and reference count).
  explicit KontoVerbindungspunkt(IConnectionPointContainer* container) : container_(container) {}
  KontoVerbindungspunkt(const KontoVerbindungspunkt&) = delete;
  KontoVerbindungspunkt& operator=(const KontoVerbindungspunkt&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return container_->AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return container_->Release(); }

  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** out) override;
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** out) override;

  // Raises AlleOrdersStreichen(KontoName) on every sink, in the order they were advised. A sink
  // whose host has gone is dropped; one that has not answered within SenkenFristMs() is dropped
  // too, as it would hold up every later event the same way (its host may still answer; that
  // answer is lost, and its references are left to the host's end). A sink that fails stays
  // advised. No sink keeps the others from the event; the first failure is thrown (as
  // AutomationError) once all have had it. Sinks may call the server meanwhile, and advise or
  // unadvise: the event goes to the sinks there were when it began.
  void AlleOrdersStreichen(const std::string& KontoName);

 private:
  struct Senke {
    DWORD cookie;
    ComPtr<IDispatch> dispatch;
    IID iid;  // the interface it was advised with
  };

  // Removes the sink; `freigeben` false leaves its references (a host that does not answer).
  HRESULT Entferne(DWORD cookie, bool freigeben);
  // The sink's host has gone: removes the sink, and once the object has no sink left, disconnects
  // it (the host that advised here is taken to be the one that made and holds the object). The
  // platform's own rundown of a dead host's references may never come (Wine has none): this lets
  // the server end once its living hosts let go.
  void HostWeg(DWORD cookie);

  IConnectionPointContainer* container_;
  std::vector<Senke> senken_;
  DWORD naechstes_cookie_ = 1;
};

}  // namespace vks::com
