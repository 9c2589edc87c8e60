#pragma once
// The evaluation of an account's rule scripts, as the bookings and the host's operations need it.
// The script host implements it, so accounts do not depend on the script engine; without one no
// rule runs and no rule ever objects.
//
// Who does what: the account's rules (KontoBedingungen.h) hand a rule text to this port and read
// its result. A placement rule's result refuses the order. A cancellation rule's result is only
// reported: the cancelling itself is the script's own request, made while it runs through its
// services object (StreicheEnterOrders), which asks every connected host to cancel the account's
// entry orders.
#include <cstdint>
#include <string>

namespace vks {

class KontoRegeln {
 public:
  virtual ~KontoRegeln() = default;
  // Runs Formel for account KontoName with OrderAktion visible to the script; ProzName only labels
  // the evaluation. True when the script ran to its end (Ergebnis then holds its result), false
  // when it could not run or failed (Ergebnis is left alone). Never fails towards the caller.
  virtual bool FuehreRegelAus(const std::string& ProzName, const std::string& Formel,
                              const std::string& KontoName, int32_t OrderAktion,
                              int32_t& Ergebnis) = 0;
};

}  // namespace vks
