#pragma once
// The process's one sequence of pseudo-random fractions in [0, 1). It is not seeded from the clock,
// so a run draws the same numbers as the run before.
#include <cstdint>

namespace vks {

class Zufallsfolge {
 public:
  virtual ~Zufallsfolge() = default;
  virtual double Rnd() = 0;
};

// A 24-bit linear congruential sequence with a fixed start.
class StandardZufallsfolge : public Zufallsfolge {
 public:
  double Rnd() override {
    state_ = (state_ * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFFu;
    return static_cast<double>(state_) / 16777216.0;
  }

 private:
  uint32_t state_ = 0x50000u;
};

}  // namespace vks
