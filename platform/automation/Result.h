#pragma once
// Value or automation error, for operations whose failure is an expected outcome (reading a file,
// converting text at a boundary) rather than an exception.
#include <utility>
#include <variant>

#include "platform/automation/AutomationError.h"

namespace vks {

template <class T>
class [[nodiscard]] Result {
 public:
  Result(T value) : state_(std::move(value)) {}
  Result(AutomationError error) : state_(std::move(error)) {}

  bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }
  // REQUIRES: ok()
  T& value() & { return std::get<0>(state_); }
  const T& value() const& { return std::get<0>(state_); }
  T&& value() && { return std::get<0>(std::move(state_)); }
  T& operator*() & { return value(); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }
  // REQUIRES: !ok()
  const AutomationError& error() const { return std::get<1>(state_); }
  // The value, or the error thrown.
  T ValueOrThrow() && {
    if (!ok()) throw error();
    return std::get<0>(std::move(state_));
  }

 private:
  std::variant<T, AutomationError> state_;
};

}  // namespace vks
