#pragma once
// The class object of one creatable class: makes a new automation object for each creation by a
// host, and holds the server while a host locks it.
#include <windows.h>

#include <unknwn.h>

#include <atomic>
#include <functional>

#include "adapters/com/ProzessReferenz.h"

namespace vks::com {

class KlassenFabrik final : public IClassFactory {
 public:
  // erzeuge: a new object holding one reference for the caller; may throw AutomationError.
  // prozess (may be null) counts the locks.
  KlassenFabrik(std::function<IUnknown*()> erzeuge, ProzessReferenz* prozess)
      : erzeuge_(std::move(erzeuge)), prozess_(prozess) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

 private:
  std::atomic<ULONG> references_{1};
  std::function<IUnknown*()> erzeuge_;
  ProzessReferenz* prozess_;
};

}  // namespace vks::com
