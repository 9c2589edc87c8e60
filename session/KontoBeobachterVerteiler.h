#pragma once
// Hands every change the bookings report to all windows that show accounts: the account list and
// each open overview window. The accounts see one observer; windows join and leave while open.
#include <algorithm>
#include <vector>

#include "accounts/KontoBeobachter.h"

namespace vks {

class KontoBeobachterVerteiler : public KontoBeobachter {
 public:
  void Anmelden(KontoBeobachter* beobachter) { beobachter_.push_back(beobachter); }
  void Abmelden(KontoBeobachter* beobachter) { std::erase(beobachter_, beobachter); }

  void OrderAdded(const clKonto& k, const clOffeneOrder& o) override {
    Jeder([&](KontoBeobachter& b) { b.OrderAdded(k, o); });
  }
  void OrderChanged(const clKonto& k, const clOffeneOrder& o) override {
    Jeder([&](KontoBeobachter& b) { b.OrderChanged(k, o); });
  }
  void OrderRemoved(const clKonto& k, const clOffeneOrder& o) override {
    Jeder([&](KontoBeobachter& b) { b.OrderRemoved(k, o); });
  }
  void EntryMarginChanged(const clKonto& k) override {
    Jeder([&](KontoBeobachter& b) { b.EntryMarginChanged(k); });
  }
  void PositionAdded(const clKonto& k, const clTitelPosition& p) override {
    Jeder([&](KontoBeobachter& b) { b.PositionAdded(k, p); });
  }
  void PositionChanged(const clKonto& k, const clTitelPosition& p) override {
    Jeder([&](KontoBeobachter& b) { b.PositionChanged(k, p); });
  }
  void FillAdded(const clKonto& k, const clFilledOrder& f) override {
    Jeder([&](KontoBeobachter& b) { b.FillAdded(k, f); });
  }
  void AccountRowChanged(const clKonto& k) override {
    Jeder([&](KontoBeobachter& b) { b.AccountRowChanged(k); });
  }
  void AccountReplaced(const std::shared_ptr<clKonto>& k) override {
    Jeder([&](KontoBeobachter& b) { b.AccountReplaced(k); });
  }

 private:
  // By index over the live list: a window that leaves while being told is never called again.
  template <class F>
  void Jeder(F f) {
    for (size_t i = 0; i < beobachter_.size(); ++i) f(*beobachter_[i]);
  }
  std::vector<KontoBeobachter*> beobachter_;
};

}  // namespace vks
