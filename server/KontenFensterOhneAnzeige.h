#pragma once
// The account list window as the server runs it without a display: the pending-save flag and the
// two timer ticks (account store, price-driven values), and the unload when the last interface
// object is gone. The event loop that drives the ticks belongs to the executable.
#include <functional>

#include "interface/clKontoSchnittstelle.h"
#include "server/AccountStore.h"
#include "server/ServerState.h"

namespace vks {

class KontenFensterOhneAnzeige : public KontenFensterSteuerung {
 public:
  // REQUIRES: state and store outlive the window.
  KontenFensterOhneAnzeige(ServerState& state, AccountStore& store)
      : state_(state), store_(store) {}

  // Set by every operation that changes an account.
  bool SpeichernAusstehend = false;

  // The store save tick: saves when changes are pending and clears the flag even if the save
  // failed (the store reports its own failures to the error log).
  void OnSaveTick();
  // The price-save tick: writes each account's pending price-driven values.
  void OnPriceSaveTick();

  // Nothing to show without a display.
  void ZeigeKontenFenster() override {}
  // Saves pending changes; the executable ends the process once its last object is gone.
  void EntladeKontenFenster() override;

 private:
  ServerState& state_;
  AccountStore& store_;
};

}  // namespace vks
