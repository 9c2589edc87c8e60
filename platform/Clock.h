#pragma once
// The computer clock as the core sees it: now, as a local automation date. Tests hand the core a
// clock that says what they want.
#include "platform/automation/Variant.h"

namespace vks {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual DateValue Now() = 0;
};

}  // namespace vks
