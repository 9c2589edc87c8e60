#include "adapters/com/VariantEnum.h"

#include <oleauto.h>

#include <algorithm>
#include <new>

#include "adapters/com/AutomationCall.h"
#include "platform/automation/AutomationError.h"

namespace vks::com {

VariantEnum::Elements::~Elements() {
  for (VARIANT& v : list) VariantClear(&v);
}

VariantEnum::VariantEnum(std::vector<VARIANT> elements)
    : elements_(std::make_shared<Elements>(Elements{std::move(elements)})) {}

HRESULT VariantEnum::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid != IID_IUnknown && iid != IID_IEnumVARIANT) return E_NOINTERFACE;
  *out = static_cast<IEnumVARIANT*>(this);
  AddRef();
  return S_OK;
}

ULONG VariantEnum::Release() {
  ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT VariantEnum::Next(ULONG count, VARIANT* out, ULONG* fetched) {
  if (!out && count) return E_POINTER;
  ULONG given = 0;
  for (; given < count && next_ < elements_->list.size(); ++given, ++next_) {
    VariantInit(&out[given]);
    HRESULT hr = VariantCopy(&out[given], &elements_->list[next_]);
    if (FAILED(hr)) {
      for (ULONG i = 0; i < given; ++i) VariantClear(&out[i]);
      if (fetched) *fetched = 0;
      return hr;
    }
  }
  if (fetched) *fetched = given;
  return given == count ? S_OK : S_FALSE;
}

HRESULT VariantEnum::Skip(ULONG count) {
  size_t left = elements_->list.size() - next_;
  next_ += std::min<size_t>(count, left);
  return count <= left ? S_OK : S_FALSE;
}

HRESULT VariantEnum::Reset() {
  next_ = 0;
  return S_OK;
}

HRESULT VariantEnum::Clone(IEnumVARIANT** out) {
  if (!out) return E_POINTER;
  *out = new (std::nothrow) VariantEnum(elements_, next_);
  return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT NewEnumOf(Dispatch& object, ObjectBridge& objects, VARIANT* result) {
  if (!result) return E_POINTER;
  std::vector<VARIANT> elements;
  const auto clear = [&] {
    for (VARIANT& v : elements) VariantClear(&v);
  };
  try {
    for (const Variant& element : object.Enumerate()) {
      elements.emplace_back();
      VariantInit(&elements.back());
      ToVariant(element, elements.back(), &objects);
    }
  } catch (const AutomationError& e) {
    clear();
    return ExceptionResult(e, nullptr);
  } catch (...) {
    clear();
    return E_OUTOFMEMORY;
  }
  auto* items = new (std::nothrow) VariantEnum(std::move(elements));
  if (!items) return E_OUTOFMEMORY;
  VariantInit(result);
  result->vt = VT_UNKNOWN;
  result->punkVal = items;
  return S_OK;
}

}  // namespace vks::com
