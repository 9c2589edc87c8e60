#pragma once
// The windows that show an account (its row in the account list, its overview window) learn of
// every change the bookings make through this interface. Without windows nobody listens.
#include <memory>

namespace vks {

class clFilledOrder;
class clKonto;
class clOffeneOrder;
class clTitelPosition;

class KontoBeobachter {
 public:
  virtual ~KontoBeobachter() = default;
  virtual void OrderAdded(const clKonto& konto, const clOffeneOrder& order) = 0;
  virtual void OrderChanged(const clKonto& konto, const clOffeneOrder& order) = 0;
  virtual void OrderRemoved(const clKonto& konto, const clOffeneOrder& order) = 0;
  // The margin reserved by entry orders changed: the overview refreshes its figures, or else the
  // account list its capital and entry-order columns.
  virtual void EntryMarginChanged(const clKonto& konto) = 0;
  virtual void PositionAdded(const clKonto& konto, const clTitelPosition& position) = 0;
  // Also when the position became flat and left the account.
  virtual void PositionChanged(const clKonto& konto, const clTitelPosition& position) = 0;
  virtual void FillAdded(const clKonto& konto, const clFilledOrder& fill) = 0;
  // The account's row in the account list is to be refreshed.
  virtual void AccountRowChanged(const clKonto& konto) = 0;
  // The account was replaced by a new one of the same name (a reset): windows showing the old one
  // show the new one.
  virtual void AccountReplaced(const std::shared_ptr<clKonto>& /*konto*/) {}
};

}  // namespace vks
