#pragma once
// The computer clock as the core sees it: local time as an automation date. Tests hand the core a
// fake; the executables a SystemClock.
#include "platform/automation/Variant.h"

namespace vks {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual DateValue Now() = 0;
};

// Local wall-clock time, to the millisecond.
class SystemClock : public Clock {
 public:
  DateValue Now() override;
};

}  // namespace vks
