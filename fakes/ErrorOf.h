#pragma once
// The automation error number a call raises, 0 when it raises none.
#include <functional>

#include "platform/automation/AutomationError.h"

namespace vks::testing {

inline int ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const AutomationError& e) {
    return e.Number();
  }
  return 0;
}

}  // namespace vks::testing
