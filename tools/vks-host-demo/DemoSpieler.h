#pragma once
// The demo's host logic, the same on every transport: creates or resets the accounts, asks the
// placement rule before each new order, reports prices and order states, and answers
// AlleOrdersStreichen by cancelling the account's open entry orders, calling back into the server
// from the handler.
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "tools/vks-host-demo/DemoOrdner.h"
#include "tools/vks-host-demo/DemoTransport.h"
#include "tools/vks-host-demo/Kennzahlentabelle.h"

namespace vks::demo {

class DemoSpieler {
 public:
  // Progress lines (refusals, events) go to `aus`.
  DemoSpieler(DemoTransport& transport, std::ostream& aus) : transport_(transport), aus_(aus) {}

  void Verbinde();
  // Accounts with rules must be in the store already (only the settings dialog sets rules); they
  // are reset to the day's start, the others created. Then every event in order.
  void Spiele(const Handelstag& tag);

  int Abgelehnt() const { return abgelehnt_; }
  int Gestrichen() const { return gestrichen_; }
  int Signale() const { return signale_; }

 private:
  void Order(const Ereignis& e, const Handelstag& tag);
  void AlleOrdersStreichen(const std::string& konto);

  DemoTransport& transport_;
  std::ostream& aus_;
  // Open entry orders by account (lower case) as the host knows them.
  std::map<std::string, std::set<std::string>> offene_enter_;
  std::set<std::string> erledigt_;  // refused or cancelled: later reports are not sent
  std::set<std::string> bekannt_;
  int abgelehnt_ = 0;
  int gestrichen_ = 0;
  int signale_ = 0;
};

struct DemoErgebnis {
  std::vector<std::string> zeilen;  // metric names and "Cash"
  std::vector<KontoSpalte> spalten;
  int abgelehnt = 0;
  int signale = 0;
  int gestrichen = 0;
};

// Connects, plays the day, reads every account's metrics and cash, and releases the object.
// Throws std::runtime_error.
DemoErgebnis SpieleTag(DemoTransport& transport, const Handelstag& tag, std::ostream& aus);

// The closing table, the counts of the day and where its files lie.
void ZeigeErgebnis(std::ostream& aus, const DemoErgebnis& e, const DemoOrdner& ordner);

}  // namespace vks::demo
