#pragma once
#include "platform/system/Clock.h"

namespace vks::testing {

// A clock that stands still until the test moves it.
class FakeClock : public Clock {
 public:
  explicit FakeClock(double days = 45658.5) : now_{days} {}
  DateValue Now() override { return now_; }
  void Set(double days) { now_.days = days; }
  void AdvanceSeconds(double seconds) { now_.days += seconds / 86400.0; }

 private:
  DateValue now_;
};

}  // namespace vks::testing
