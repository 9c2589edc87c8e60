#pragma once
// The account's rule scripts as the bookings and the host's operations see them: after every newly
// booked fill the cancellation rule is checked, before an order is placed the placement rule. The
// script host implements it; without one no rule runs and every order is allowed.
#include <cstdint>
#include <string>

namespace vks {

class clKonto;
struct KontoUmgebung;

class KontoRegeln {
 public:
  virtual ~KontoRegeln() = default;
  // Evaluates the account's cancellation rule and, when it demands it, asks every host to cancel
  // the account's entry orders. Never fails towards the caller.
  virtual void PrüfeFillStreichen(clKonto& konto) = 0;
  // True when the placement rule refuses an order of direction OrderAktion; Meldung then holds
  // the refusal text. Never fails towards the caller.
  virtual bool PrüfePlatzierenNichtMöglich(clKonto& /*konto*/, int32_t /*OrderAktion*/,
                                           std::string& /*Meldung*/,
                                           const KontoUmgebung& /*umgebung*/) {
    return false;
  }
};

}  // namespace vks
