#pragma once
// The account's rule scripts as the bookings see them: after every newly booked fill the
// cancellation rule is checked. The script host implements it; without one no rule runs.
namespace vks {

class clKonto;

class KontoRegeln {
 public:
  virtual ~KontoRegeln() = default;
  // Evaluates the account's cancellation rule and, when it demands it, asks every host to cancel
  // the account's entry orders. Never fails towards the caller.
  virtual void PrüfeFillStreichen(clKonto& konto) = 0;
};

}  // namespace vks
