#include "adapters/com/KlassenFabrik.h"

#include <new>

#include "adapters/com/ComPtr.h"
#include "platform/automation/AutomationError.h"

namespace vks::com {

HRESULT KlassenFabrik::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid != IID_IUnknown && iid != IID_IClassFactory) return E_NOINTERFACE;
  *out = static_cast<IClassFactory*>(this);
  AddRef();
  return S_OK;
}

ULONG KlassenFabrik::Release() {
  ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT KlassenFabrik::CreateInstance(IUnknown* outer, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  ComPtr<IUnknown> objekt;
  try {
    objekt.Attach(erzeuge_());
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
  return objekt->QueryInterface(iid, out);
}

HRESULT KlassenFabrik::LockServer(BOOL lock) {
  if (prozess_) lock ? prozess_->Hinzu() : prozess_->Weg();
  return S_OK;
}

}  // namespace vks::com
