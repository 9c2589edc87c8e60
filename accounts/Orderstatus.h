#pragma once
// An account's side of the host's order reports: booking a status change of an order, cancelling
// an open order, closing a position, and making a fill record from an order. The interface object
// finds the account and calls these; errors reach it unchanged.
#include <cstdint>
#include <string_view>

#include "accounts/clOrderZusatzInfos.h"
#include "platform/automation/Variant.h"

namespace vks {

class clKonto;
class clOffeneOrder;
struct KontoUmgebung;

enum class OrderstatusErgebnis {
  kGebucht,
  kBereitsAusgefuehrt,  // not open, but its ID is among the fills: nothing booked
};

// One status report of the host's about one order, as it arrives: the texts are the caller's and
// live as long as the booking.
struct Ordermeldung {
  DateValue DatumZeit;
  std::string_view OrderID;
  std::string_view TitelWKN;
  std::string_view TitelName;
  int16_t Aktion = 0;  // 1 buy, -1 sell
  int32_t Anzahl = 0;
  int32_t FilledAnzahl = 0;  // filled so far, in all
  float AktFillPreis = 0;
  bool IsEnterOrder = false;
  const clOrderZusatzInfos* ZusatzInfos = nullptr;  // none: the order's terms stay as they are
};

// Books one status report: a known open order takes the new quantities and books the newly filled
// part; an unknown one is opened (or goes straight to the fills when it is complete). A report
// that cannot be booked whole (a price that is no number, a negative quantity, more filled than
// ordered, a position or counter beyond a Long) is refused with AutomationError 5 or 6 before
// anything changes.
OrderstatusErgebnis BucheOrderstatus(clKonto& konto, const Ordermeldung& meldung,
                                     const KontoUmgebung& umgebung);

// Makes the fill record of an order (complete, or its filled part when Gestrichen) and adds it.
void FilledOrderAusOrder(clKonto& konto, const clOffeneOrder& order, DateValue DatumZeit,
                         bool Gestrichen, const KontoUmgebung& umgebung);

// Cancels an open order: its filled part becomes a fill record, the margin of the unfilled rest is
// released. DatumZeit 0 stands for the account's time, or the order's when that is later. Returns
// false when the order is not open (nothing changes).
bool StreicheOffeneOrder(clKonto& konto, std::string_view OrderID, DateValue DatumZeit,
                         const KontoUmgebung& umgebung);

// Books a fill against the whole position at `Kurs`. Returns false without a position to close.
bool SchliessePosition(clKonto& konto, std::string_view TitelWKN, float Kurs,
                       const KontoUmgebung& umgebung);

}  // namespace vks
