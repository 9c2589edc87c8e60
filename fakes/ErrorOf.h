#pragma once
// The automation error a call raises, for tests that check its number or texts.
#include <functional>

#include "platform/automation/AutomationError.h"

namespace vks::testing {

// The error `f` raises; error 0 with empty texts when it raises none.
inline AutomationError RaisedError(const std::function<void()>& f) {
  try {
    f();
  } catch (const AutomationError& e) {
    return e;
  }
  return AutomationError(0, "", "");
}

// Its number alone, 0 when it raises none.
inline int ErrorOf(const std::function<void()>& f) {
  return RaisedError(f).Number();
}

}  // namespace vks::testing
