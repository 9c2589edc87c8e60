#pragma once
// The enumerator behind For Each: a fixed list of VARIANTs handed out in order (IEnumVARIANT).
#include <windows.h>

#include <oaidl.h>

#include <atomic>
#include <memory>
#include <vector>

#include "adapters/com/VariantConversion.h"
#include "platform/automation/Dispatch.h"

namespace vks::com {

// For Each over a core object (DISPID_NEWENUM): `result` receives an enumerator of its elements,
// or the call fails with DISP_E_EXCEPTION (error 451 for an object that is no collection).
HRESULT NewEnumOf(Dispatch& object, ObjectBridge& objects, VARIANT* result);

class VariantEnum final : public IEnumVARIANT {
 public:
  // Takes over the VARIANTs; holds one reference for the caller.
  explicit VariantEnum(std::vector<VARIANT> elements);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* out, ULONG* fetched) override;
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override;
  HRESULT STDMETHODCALLTYPE Reset() override;
  HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** out) override;

 private:
  struct Elements {
    std::vector<VARIANT> list;
    ~Elements();
  };
  VariantEnum(std::shared_ptr<Elements> elements, size_t next)
      : elements_(std::move(elements)), next_(next) {}

  std::atomic<ULONG> references_{1};
  std::shared_ptr<Elements> elements_;  // shared with the clones
  size_t next_ = 0;
};

}  // namespace vks::com
