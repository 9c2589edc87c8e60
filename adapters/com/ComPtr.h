#pragma once
// Holds one reference of a COM interface and releases it when it goes.
#include <unknwn.h>

#include <utility>

namespace vks::com {

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(const ComPtr& other) : p_(other.p_) {
    if (p_) p_->AddRef();
  }
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }
  ~ComPtr() { Reset(); }

  // Takes over a reference that the caller owns.
  void Attach(T* p) {
    Reset();
    p_ = p;
  }
  void Reset() {
    if (p_) std::exchange(p_, nullptr)->Release();
  }
  // For an out parameter that hands over a reference.
  T** Receive() {
    Reset();
    return &p_;
  }
  void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }

  T* Get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  T* p_ = nullptr;
};

}  // namespace vks::com
