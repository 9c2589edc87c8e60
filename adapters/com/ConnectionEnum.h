#pragma once
// The enumerators of the event's connections: IEnumConnectionPoints over a container's points and
// IEnumConnections over a point's sinks. Each holds a reference to every element it lists, taken
// when it was made, so a sink advised or unadvised later does not change it; clones share the list.
#include <windows.h>

#include <ocidl.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace vks::com {

inline IUnknown* HeldInterface(IConnectionPoint* point) {
  return point;
}
inline IUnknown* HeldInterface(const CONNECTDATA& connection) {
  return connection.pUnk;
}

template <class Enum, class Element, const IID& kIid>
class ConnectionEnum final : public Enum {
 public:
  // `*out` lists `elements`, taking a reference to each; it holds one reference for the caller.
  static HRESULT Create(const std::vector<Element>& elements, Enum** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    try {
      auto list = std::make_shared<List>();
      list->elements.reserve(elements.size());
      for (const Element& e : elements) {
        HeldInterface(e)->AddRef();
        list->elements.push_back(e);
      }
      *out = new ConnectionEnum(std::move(list), 0);
      return S_OK;
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    }
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != kIid) return E_NOINTERFACE;
    *out = static_cast<Enum*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE Next(ULONG count, Element* out, ULONG* fetched) override {
    if (!out && count) return E_POINTER;
    if (count > 1 && !fetched) return E_POINTER;
    ULONG given = 0;
    for (; given < count && next_ < list_->elements.size(); ++given, ++next_) {
      out[given] = list_->elements[next_];
      HeldInterface(out[given])->AddRef();
    }
    if (fetched) *fetched = given;
    return given == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    const size_t left = list_->elements.size() - next_;
    next_ += std::min<size_t>(count, left);
    return count <= left ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    next_ = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(Enum** out) override {
    if (!out) return E_POINTER;
    *out = new (std::nothrow) ConnectionEnum(list_, next_);
    return *out ? S_OK : E_OUTOFMEMORY;
  }

 private:
  struct List {
    std::vector<Element> elements;
    ~List() {
      for (const Element& e : elements) HeldInterface(e)->Release();
    }
  };
  ConnectionEnum(std::shared_ptr<List> list, size_t next) : list_(std::move(list)), next_(next) {}

  std::atomic<ULONG> references_{1};
  std::shared_ptr<List> list_;
  size_t next_;
};

using ConnectionPointEnum =
    ConnectionEnum<IEnumConnectionPoints, IConnectionPoint*, IID_IEnumConnectionPoints>;
using ConnectionsEnum = ConnectionEnum<IEnumConnections, CONNECTDATA, IID_IEnumConnections>;

}  // namespace vks::com
