#include "accounts/Orderstatus.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "accounts/KontoBedingungen.h"
#include "accounts/KontoUmgebung.h"
#include "accounts/VerbucheFill.h"
#include "accounts/clKonto.h"
#include "platform/automation/AutomationError.h"
#include "platform/automation/CheckedLong.h"

namespace vks {
namespace {

// A complete order leaves the open orders and lives on as a fill.
void Abschliessen(clKonto& konto, const clOffeneOrder& order, DateValue DatumZeit,
                  const KontoUmgebung& umgebung) {
  if (!konto.cFilledOrders.Exists(order.ID))
    FilledOrderAusOrder(konto, order, DatumZeit, false, umgebung);
}

void BucheBekannteOrder(clKonto& konto, clOffeneOrder& order, const Ordermeldung& m,
                        const KontoUmgebung& umgebung) {
  if (m.ZusatzInfos) order.SchreibeZusatzInfos(*m.ZusatzInfos);
  if (m.Anzahl != order.Anzahl) {
    konto.OffeneOrderMarginAendern(order, CheckedLong(int64_t{m.Anzahl} - order.Anzahl), 0,
                                   umgebung);
    order.Anzahl = m.Anzahl;
  }
  const int32_t bisher = order.FilledAnzahl;
  if (m.FilledAnzahl > bisher) {
    const int32_t neu = CheckedLong(int64_t{m.FilledAnzahl} - bisher);
    order.FillDurchschnittsKurs =
        bisher < 1
            ? m.AktFillPreis
            : static_cast<float>((static_cast<double>(m.AktFillPreis) * neu +
                                  static_cast<double>(order.FillDurchschnittsKurs) * bisher) /
                                 m.FilledAnzahl);
    konto.OffeneOrderMarginAendern(order, 0, neu, umgebung);
    VerbucheFill(konto, m.DatumZeit, m.TitelWKN, m.TitelName, m.Aktion, neu, m.AktFillPreis,
                 m.ZusatzInfos, umgebung);
    order.FilledAnzahl = m.FilledAnzahl;
    PrüfeFillStreichen(konto, umgebung);
  }
  if (order.FilledAnzahl < order.Anzahl) {
    konto.OffeneOrderÄndern(order, umgebung);
  } else {
    konto.OffeneOrderLöschen(order, m.DatumZeit, umgebung);
    Abschliessen(konto, order, m.DatumZeit, umgebung);
  }
}

[[noreturn]] void Refuse(int32_t number, const std::string& what) {
  throw AutomationError(number, "", what);
}

// Every counter one booking may move by one must have room for it.
void PruefeZaehler(const clKonto& k) {
  for (int32_t counter :
       {k.OffeneLongOrders, k.OffeneShortOrders, k.OffeneLongEnterOrders, k.OffeneShortEnterOrders,
        k.FilledOrders, k.FilledLongOrders, k.FilledShortOrders, k.FilledEnterLongOrders,
        k.FilledEnterShortOrders, k.AnzahlPositionen, k.AnzahlShortPositionen, k.AktienPositionen,
        k.AktienPositionenShort, k.KontraktAnzahl, k.KontraktAnzahlShort}) {
    if (counter == INT32_MAX || counter == INT32_MIN) throw AutomationError(error::kOverflow);
  }
}

// Everything that could stop a booking half-way is checked before anything changes, so that a
// refused report leaves the account exactly as it was.
void PruefeOrderstatus(const clKonto& konto, const Ordermeldung& m) {
  if (!std::isfinite(m.AktFillPreis) || !std::isfinite(m.DatumZeit.days))
    Refuse(error::kInvalidCall, "Ungültiger Preis oder Zeitpunkt");
  if (m.Anzahl < 0 || m.FilledAnzahl < 0) Refuse(error::kInvalidCall, "Negative Stückzahl");
  if (m.FilledAnzahl > m.Anzahl) {
    Refuse(error::kInvalidCall, "Ausgeführte Stückzahl " + std::to_string(m.FilledAnzahl) +
                                    " ist größer als die Orderstückzahl " +
                                    std::to_string(m.Anzahl));
  }
  PruefeZaehler(konto);
  int64_t neu = m.FilledAnzahl;
  if (auto* open = konto.cOffeneOrders.Find(m.OrderID)) neu -= (*open)->FilledAnzahl;
  if (neu <= 0) return;
  int64_t position = 0;
  bool kontrakt = m.ZusatzInfos && m.ZusatzInfos->PointValue != 0;
  if (auto* found = konto.cTitelPositionen.Find(m.TitelWKN)) {
    position = (*found)->Position;
    if (!m.ZusatzInfos) kontrakt = !(*found)->IstAktie();
  }
  const int64_t danach = position == 0  ? int64_t{m.Aktion} * neu
                         : position > 0 ? position + (m.Aktion > 0 ? neu : -neu)
                                        : position + (m.Aktion < 0 ? -neu : neu);
  if (danach < INT32_MIN || danach > INT32_MAX) throw AutomationError(error::kOverflow);
  if (!kontrakt) return;
  // The contract counts hold the sizes of all contract positions; on the way through a reversal
  // they only fall, so their final values are the ones to check.
  const int64_t anzahl = int64_t{konto.KontraktAnzahl} - std::llabs(position) + std::llabs(danach);
  const int64_t kurz = int64_t{konto.KontraktAnzahlShort} - (position < 0 ? -position : 0) +
                       (danach < 0 ? -danach : 0);
  if (anzahl > INT32_MAX || kurz > INT32_MAX) throw AutomationError(error::kOverflow);
}

}  // namespace

OrderstatusErgebnis BucheOrderstatus(clKonto& konto, const Ordermeldung& m,
                                     const KontoUmgebung& umgebung) {
  PruefeOrderstatus(konto, m);
  if (m.DatumZeit.days >= konto.AktuelleZeit.days) konto.AktuelleZeit = m.DatumZeit;

  if (auto* open = konto.cOffeneOrders.Find(m.OrderID)) {
    // Hold the order: completing it removes it from the collection.
    std::shared_ptr<clOffeneOrder> order = *open;
    BucheBekannteOrder(konto, *order, m, umgebung);
    return OrderstatusErgebnis::kGebucht;
  }
  if (konto.cFilledOrders.Exists(m.OrderID)) return OrderstatusErgebnis::kBereitsAusgefuehrt;

  auto order = std::make_shared<clOffeneOrder>();
  order->Aktion = m.Aktion;
  order->Anzahl = m.Anzahl;
  order->FilledAnzahl = m.FilledAnzahl;
  order->TitelWKN = std::string(m.TitelWKN);
  order->TitelName = std::string(m.TitelName);
  order->ID = std::string(m.OrderID);
  order->SimulDatum = m.DatumZeit;
  order->RealDatum = umgebung.clock.Now();
  order->IsEnterOrder = m.IsEnterOrder;
  if (m.ZusatzInfos) order->SchreibeZusatzInfos(*m.ZusatzInfos);
  order->Kurs = m.AktFillPreis;
  if (m.FilledAnzahl > 0) {
    order->FillDurchschnittsKurs = m.AktFillPreis;
    VerbucheFill(konto, m.DatumZeit, m.TitelWKN, m.TitelName, m.Aktion, m.FilledAnzahl,
                 m.AktFillPreis, m.ZusatzInfos, umgebung);
  }
  if (m.FilledAnzahl >= m.Anzahl) {
    Abschliessen(konto, *order, m.DatumZeit, umgebung);
  } else {
    konto.OffeneOrderZufügen(order, m.DatumZeit, umgebung);
  }
  konto.OffeneOrderMarginAendern(*order, m.Anzahl, m.FilledAnzahl, umgebung);
  if (m.FilledAnzahl > 0) PrüfeFillStreichen(konto, umgebung);
  return OrderstatusErgebnis::kGebucht;
}

void FilledOrderAusOrder(clKonto& konto, const clOffeneOrder& order, DateValue DatumZeit,
                         bool Gestrichen, const KontoUmgebung& umgebung) {
  auto fill = std::make_shared<clFilledOrder>();
  fill->ID = order.ID;
  fill->FilledAnzahl = order.FilledAnzahl;
  fill->EnterPreis = order.FillDurchschnittsKurs == 0 ? order.Kurs : order.FillDurchschnittsKurs;
  fill->Aktion = order.Aktion;
  fill->TitelName = order.TitelName;
  fill->TitelWKN = order.TitelWKN;
  fill->SimulDatum = DatumZeit;
  fill->RealDatum = umgebung.clock.Now();
  fill->IsEnterOrder = order.IsEnterOrder;
  fill->Gestrichen = Gestrichen;
  konto.FilledOrderZufügen(std::move(fill), umgebung);
}

bool StreicheOffeneOrder(clKonto& konto, std::string_view OrderID, DateValue DatumZeit,
                         const KontoUmgebung& umgebung) {
  auto* open = konto.cOffeneOrders.Find(OrderID);
  if (!open) return false;
  PruefeZaehler(konto);
  std::shared_ptr<clOffeneOrder> order = *open;
  if (DatumZeit.days == 0) {
    DatumZeit = konto.AktuelleZeit;
    if (order->SimulDatum.days > DatumZeit.days) DatumZeit = order->SimulDatum;
  }
  if (order->FilledAnzahl != 0 && !konto.cFilledOrders.Exists(order->ID))
    FilledOrderAusOrder(konto, *order, DatumZeit, true, umgebung);
  konto.OffeneOrderLöschen(*order, DatumZeit, umgebung);
  konto.OffeneOrderMarginAendern(
      *order, 0, CheckedLong(int64_t{order->Anzahl} - order->FilledAnzahl), umgebung);
  return true;
}

bool SchliessePosition(clKonto& konto, std::string_view TitelWKN, float Kurs,
                       const KontoUmgebung& umgebung) {
  auto* found = konto.cTitelPositionen.Find(TitelWKN);
  if (!found || (*found)->Position == 0) return false;
  PruefeZaehler(konto);
  std::shared_ptr<clTitelPosition> position = *found;
  const int32_t size = position->Position;
  VerbucheFill(konto, umgebung.clock.Now(), TitelWKN, position->TitelName, size > 0 ? -1 : 1,
               size > 0 ? size : CheckedLong(-int64_t{size}), Kurs, nullptr, umgebung);
  return true;
}

}  // namespace vks
