#include "accounts/Orderstatus.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "accounts/KontoRegeln.h"
#include "accounts/KontoUmgebung.h"
#include "accounts/VerbucheFill.h"
#include "accounts/clKonto.h"
#include "platform/automation/AutomationError.h"
#include "platform/automation/CheckedLong.h"

namespace vks {
namespace {

void PruefeFillStreichen(clKonto& konto, const KontoUmgebung& umgebung) {
  if (umgebung.regeln) umgebung.regeln->PrüfeFillStreichen(konto);
}

// A complete order leaves the open orders and lives on as a fill.
void Abschliessen(clKonto& konto, const clOffeneOrder& order, DateValue DatumZeit,
                  const KontoUmgebung& umgebung) {
  if (!konto.cFilledOrders.Exists(order.ID))
    FilledOrderAusOrder(konto, order, DatumZeit, false, umgebung);
}

void BucheBekannteOrder(clKonto& konto, clOffeneOrder& order, DateValue DatumZeit,
                        std::string_view TitelWKN, std::string_view TitelName, int16_t Aktion,
                        int32_t Anzahl, int32_t FilledAnzahl, float AktFillPreis,
                        const clOrderZusatzInfos* ZusatzInfos, const KontoUmgebung& umgebung) {
  if (ZusatzInfos) order.SchreibeZusatzInfos(*ZusatzInfos);
  if (Anzahl != order.Anzahl) {
    konto.OffeneOrderMarginAendern(order, CheckedLong(int64_t{Anzahl} - order.Anzahl), 0, umgebung);
    order.Anzahl = Anzahl;
  }
  const int32_t bisher = order.FilledAnzahl;
  if (FilledAnzahl > bisher) {
    const int32_t neu = CheckedLong(int64_t{FilledAnzahl} - bisher);
    order.FillDurchschnittsKurs =
        bisher < 1
            ? AktFillPreis
            : static_cast<float>((static_cast<double>(AktFillPreis) * neu +
                                  static_cast<double>(order.FillDurchschnittsKurs) * bisher) /
                                 FilledAnzahl);
    konto.OffeneOrderMarginAendern(order, 0, neu, umgebung);
    VerbucheFill(konto, DatumZeit, TitelWKN, TitelName, Aktion, neu, AktFillPreis, ZusatzInfos,
                 umgebung);
    order.FilledAnzahl = FilledAnzahl;
    PruefeFillStreichen(konto, umgebung);
  }
  if (order.FilledAnzahl < order.Anzahl) {
    konto.OffeneOrderÄndern(order, umgebung);
  } else {
    konto.OffeneOrderLöschen(order, DatumZeit, umgebung);
    Abschliessen(konto, order, DatumZeit, umgebung);
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
void PruefeOrderstatus(const clKonto& konto, DateValue DatumZeit, std::string_view OrderID,
                       std::string_view TitelWKN, int16_t Aktion, int32_t Anzahl,
                       int32_t FilledAnzahl, float AktFillPreis,
                       const clOrderZusatzInfos* ZusatzInfos) {
  if (!std::isfinite(AktFillPreis) || !std::isfinite(DatumZeit.days))
    Refuse(error::kInvalidCall, "Ungültiger Preis oder Zeitpunkt");
  if (Anzahl < 0 || FilledAnzahl < 0) Refuse(error::kInvalidCall, "Negative Stückzahl");
  if (FilledAnzahl > Anzahl) {
    Refuse(error::kInvalidCall, "Ausgeführte Stückzahl " + std::to_string(FilledAnzahl) +
                                    " ist größer als die Orderstückzahl " + std::to_string(Anzahl));
  }
  PruefeZaehler(konto);
  int64_t neu = FilledAnzahl;
  if (auto* open = konto.cOffeneOrders.Find(OrderID)) neu -= (*open)->FilledAnzahl;
  if (neu <= 0) return;
  int64_t position = 0;
  bool kontrakt = ZusatzInfos && ZusatzInfos->PointValue != 0;
  if (auto* found = konto.cTitelPositionen.Find(TitelWKN)) {
    position = (*found)->Position;
    if (!ZusatzInfos) kontrakt = !(*found)->IstAktie();
  }
  const int64_t danach = position == 0  ? int64_t{Aktion} * neu
                         : position > 0 ? position + (Aktion > 0 ? neu : -neu)
                                        : position + (Aktion < 0 ? -neu : neu);
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

OrderstatusErgebnis BucheOrderstatus(clKonto& konto, DateValue DatumZeit, std::string_view OrderID,
                                     std::string_view TitelWKN, std::string_view TitelName,
                                     int16_t Aktion, int32_t Anzahl, int32_t FilledAnzahl,
                                     float AktFillPreis, bool IsEnterOrder,
                                     const clOrderZusatzInfos* ZusatzInfos,
                                     const KontoUmgebung& umgebung) {
  PruefeOrderstatus(konto, DatumZeit, OrderID, TitelWKN, Aktion, Anzahl, FilledAnzahl, AktFillPreis,
                    ZusatzInfos);
  if (DatumZeit.days >= konto.AktuelleZeit.days) konto.AktuelleZeit = DatumZeit;

  if (auto* open = konto.cOffeneOrders.Find(OrderID)) {
    // Hold the order: completing it removes it from the collection.
    std::shared_ptr<clOffeneOrder> order = *open;
    BucheBekannteOrder(konto, *order, DatumZeit, TitelWKN, TitelName, Aktion, Anzahl, FilledAnzahl,
                       AktFillPreis, ZusatzInfos, umgebung);
    return OrderstatusErgebnis::kGebucht;
  }
  if (konto.cFilledOrders.Exists(OrderID)) return OrderstatusErgebnis::kBereitsAusgefuehrt;

  auto order = std::make_shared<clOffeneOrder>();
  order->Aktion = Aktion;
  order->Anzahl = Anzahl;
  order->FilledAnzahl = FilledAnzahl;
  order->TitelWKN = std::string(TitelWKN);
  order->TitelName = std::string(TitelName);
  order->ID = std::string(OrderID);
  order->SimulDatum = DatumZeit;
  order->RealDatum = umgebung.clock.Now();
  order->IsEnterOrder = IsEnterOrder;
  if (ZusatzInfos) order->SchreibeZusatzInfos(*ZusatzInfos);
  order->Kurs = AktFillPreis;
  if (FilledAnzahl > 0) {
    order->FillDurchschnittsKurs = AktFillPreis;
    VerbucheFill(konto, DatumZeit, TitelWKN, TitelName, Aktion, FilledAnzahl, AktFillPreis,
                 ZusatzInfos, umgebung);
  }
  if (FilledAnzahl >= Anzahl) {
    Abschliessen(konto, *order, DatumZeit, umgebung);
  } else {
    konto.OffeneOrderZufügen(order, DatumZeit, umgebung);
  }
  konto.OffeneOrderMarginAendern(*order, Anzahl, FilledAnzahl, umgebung);
  if (FilledAnzahl > 0) PruefeFillStreichen(konto, umgebung);
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
