// The account's bookkeeping of open orders, fills, positions and their counters.
#include "accounts/KontoBeobachter.h"
#include "accounts/KontoUmgebung.h"
#include "accounts/Margin.h"
#include "accounts/clKonto.h"
#include "platform/automation/CheckedLong.h"

namespace vks {

DateValue Buchungszeit(const clKonto& konto, DateValue DatumZeit, Clock& clock) {
  return konto.UseSimulZeit ? DatumZeit : clock.Now();
}

namespace {

void RecordOrderCounts(const clKonto& konto, DateValue t, const KontoUmgebung& umgebung) {
  RecordKontoWert(umgebung, konto, dOffeneOrders, t,
                  static_cast<double>(konto.cOffeneOrders.Count()));
  RecordKontoWert(umgebung, konto, dOffeneEnterOrders, t,
                  static_cast<double>(konto.OffeneLongEnterOrders) + konto.OffeneShortEnterOrders);
}

void RecordDirection(const clKonto& konto, bool buy, DateValue t, const KontoUmgebung& umgebung) {
  if (buy) {
    RecordKontoWert(umgebung, konto, dOffeneLongOrders, t, konto.OffeneLongOrders);
    RecordKontoWert(umgebung, konto, dOffeneLongEnterOrders, t, konto.OffeneLongEnterOrders);
  } else {
    RecordKontoWert(umgebung, konto, dOffeneShortOrders, t, konto.OffeneShortOrders);
    RecordKontoWert(umgebung, konto, dOffeneShortEnterOrders, t, konto.OffeneShortEnterOrders);
  }
}

}  // namespace

void clKonto::OffeneOrderZufügen(std::shared_ptr<clOffeneOrder> AktOrder, DateValue DatumZeit,
                                 const KontoUmgebung& umgebung) {
  const clOffeneOrder& order = *cOffeneOrders.Add(AktOrder->ID, AktOrder);
  const bool buy = order.Aktion >= 1;
  if (buy) {
    OffeneLongOrders = CheckedLong(int64_t{OffeneLongOrders} + 1);
    if (order.IsEnterOrder) OffeneLongEnterOrders = CheckedLong(int64_t{OffeneLongEnterOrders} + 1);
  } else {
    OffeneShortOrders = CheckedLong(int64_t{OffeneShortOrders} + 1);
    if (order.IsEnterOrder)
      OffeneShortEnterOrders = CheckedLong(int64_t{OffeneShortEnterOrders} + 1);
  }
  const DateValue t = Buchungszeit(*this, DatumZeit, umgebung.clock);
  RecordDirection(*this, buy, t, umgebung);
  RecordOrderCounts(*this, t, umgebung);
  if (umgebung.beobachter) {
    umgebung.beobachter->OrderAdded(*this, order);
    umgebung.beobachter->AccountRowChanged(*this);
  }
}

void clKonto::OffeneOrderLöschen(const clOffeneOrder& AktOrder, DateValue DatumZeit,
                                 const KontoUmgebung& umgebung) {
  // Keep the order alive for the windows while it leaves the collection.
  std::shared_ptr<clOffeneOrder> order = cOffeneOrders.Item(AktOrder.ID);
  cOffeneOrders.Remove(AktOrder.ID);
  const DateValue t = Buchungszeit(*this, DatumZeit, umgebung.clock);
  if (cOffeneOrders.Count() == 0) {
    OffeneLongOrders = OffeneLongEnterOrders = OffeneShortOrders = OffeneShortEnterOrders = 0;
  } else {
    const bool buy = order->Aktion > 0;
    int32_t& orders = buy ? OffeneLongOrders : OffeneShortOrders;
    int32_t& entries = buy ? OffeneLongEnterOrders : OffeneShortEnterOrders;
    orders = CheckedLong(int64_t{orders} - 1);
    if (order->IsEnterOrder) entries = CheckedLong(int64_t{entries} - 1);
    RecordDirection(*this, buy, t, umgebung);
  }
  RecordOrderCounts(*this, t, umgebung);
  if (umgebung.beobachter) {
    umgebung.beobachter->OrderRemoved(*this, *order);
    umgebung.beobachter->AccountRowChanged(*this);
  }
}

void clKonto::OffeneOrderÄndern(const clOffeneOrder& AktOrder, const KontoUmgebung& umgebung) {
  if (umgebung.beobachter) umgebung.beobachter->OrderChanged(*this, AktOrder);
}

void clKonto::OffeneOrderMarginAendern(clOffeneOrder& AktOrder, int32_t PlusAnzahl,
                                       int32_t MinusAnzahl, const KontoUmgebung& umgebung) {
  const int32_t aenderung = CheckedLong(int64_t{PlusAnzahl} - MinusAnzahl);
  if (!AktOrder.IsEnterOrder || AktOrder.Kurs == 0 || aenderung == 0) return;
  const bool umrechnen = UseUmrechnung && MarginUmrechnen;
  if (AktOrder.AktUmrechnungsWert == 0) {
    AktOrder.StartUmrechnungswert = 1;
  } else if (AktOrder.StartUmrechnungswert == 0) {
    AktOrder.StartUmrechnungswert = umrechnen ? AktOrder.AktUmrechnungsWert : 1.0f;
  }
  const bool sell = AktOrder.Aktion < 0;
  if (AktOrder.PointValue <= 0) {
    const double x = AktienEnterOrderMargin(AktOrder.Kurs, aenderung, AktOrder.Margin,
                                            umrechnen ? AktOrder.StartUmrechnungswert : 1.0f);
    EnterOrderMarginGesamt += x;
    EnterOrderAktienMarginGesamt += x;
    if (sell) {
      EnterOrderMarginShort += x;
      EnterOrderAktienMarginShort += x;
    }
  } else {
    const double x = KontraktEnterOrderMargin(AktOrder.Margin, aenderung);
    EnterOrderMarginGesamt += x;
    if (sell) EnterOrderMarginShort += x;
  }
  const DateValue t = UseSimulZeit ? AktuelleZeit : umgebung.clock.Now();
  auto rec = [&](eKontoDatenArt art, double wert) {
    RecordKontoWert(umgebung, *this, art, t, wert);
  };
  rec(dEnterOrdersMargin, EnterOrderMarginGesamt);
  rec(dEnterOrdersMarginLong, EnterOrderMarginGesamt - EnterOrderMarginShort);
  rec(dEnterOrdersMarginShort, EnterOrderMarginShort);
  rec(dEnterOrdersAktienMargin, EnterOrderAktienMarginGesamt);
  rec(dEnterOrdersAktienMarginLong, EnterOrderAktienMarginGesamt - EnterOrderAktienMarginShort);
  rec(dEnterOrdersAktienMarginShort, EnterOrderAktienMarginShort);
  if (umgebung.beobachter) umgebung.beobachter->EntryMarginChanged(*this);
}

void clKonto::NeuePositionZufügen(std::shared_ptr<clTitelPosition> AktPos,
                                  const KontoUmgebung& umgebung) {
  const clTitelPosition& position = *cTitelPositionen.Add(AktPos->TitelWKN, AktPos);
  if (umgebung.beobachter) {
    umgebung.beobachter->PositionAdded(*this, position);
    umgebung.beobachter->AccountRowChanged(*this);
  }
}

void clKonto::FilledOrderZufügen(std::shared_ptr<clFilledOrder> AktFilledOrder,
                                 const KontoUmgebung& umgebung) {
  const clFilledOrder& fill = *cFilledOrders.Add(AktFilledOrder->ID, AktFilledOrder);
  const DateValue t = UseSimulZeit ? fill.SimulDatum : fill.RealDatum;
  auto rec = [&](eKontoDatenArt art, double wert) {
    RecordKontoWert(umgebung, *this, art, t, wert);
  };
  FilledOrders = CheckedLong(int64_t{FilledOrders} + 1);
  rec(dFilledOrders, FilledOrders);
  if (fill.Aktion >= 1) {
    FilledLongOrders = CheckedLong(int64_t{FilledLongOrders} + 1);
    rec(dFilledLongOrders, FilledLongOrders);
    if (fill.IsEnterOrder) {
      FilledEnterLongOrders = CheckedLong(int64_t{FilledEnterLongOrders} + 1);
      rec(dFilledEnterOrders, static_cast<double>(FilledEnterLongOrders) + FilledEnterShortOrders);
      rec(dFilledEnterLongOrders, FilledEnterLongOrders);
    }
  } else {
    FilledShortOrders = CheckedLong(int64_t{FilledShortOrders} + 1);
    rec(dFilledShortOrders, FilledShortOrders);
    if (fill.IsEnterOrder) {
      FilledEnterShortOrders = CheckedLong(int64_t{FilledEnterShortOrders} + 1);
      rec(dFilledEnterOrders, static_cast<double>(FilledEnterLongOrders) + FilledEnterShortOrders);
      rec(dFilledEnterShortOrders, FilledEnterShortOrders);
    }
  }
  if (umgebung.beobachter) umgebung.beobachter->FillAdded(*this, fill);
}

void clKonto::PositionÄndern(const clTitelPosition& AktPos, DateValue /*DatumZeit*/,
                             const KontoUmgebung& umgebung) {
  // Keep the position alive for the windows while it leaves the collection.
  std::shared_ptr<clTitelPosition> position = cTitelPositionen.Item(AktPos.TitelWKN);
  if (position->Position == 0) cTitelPositionen.Remove(position->TitelWKN);
  if (umgebung.beobachter) {
    umgebung.beobachter->PositionChanged(*this, *position);
    umgebung.beobachter->AccountRowChanged(*this);
  }
}

void clKonto::PositionsZahlenAendern(int16_t Aktion, bool IsShortPos, bool IsAktie, int32_t Anzahl,
                                     const KontoUmgebung& umgebung) {
  if (!UseSimulZeit) AktuelleZeit = umgebung.clock.Now();
  const DateValue t = AktuelleZeit;
  auto rec = [&](eKontoDatenArt art, double wert, double wert2 = 1) {
    RecordKontoWert(umgebung, *this, art, t, wert, wert2);
  };
  AnzahlPositionen = CheckedLong(int64_t{AnzahlPositionen} + Aktion);
  if (IsShortPos) AnzahlShortPositionen = CheckedLong(int64_t{AnzahlShortPositionen} + Aktion);
  rec(dAnzahlPositionen, AnzahlPositionen);
  rec(dAnzahlShortPositionen, AnzahlShortPositionen);
  rec(dAnzahlLongPositionen, static_cast<double>(AnzahlPositionen) - AnzahlShortPositionen);
  if (IsAktie) {
    AktienPositionen = CheckedLong(int64_t{AktienPositionen} + Aktion);
    if (IsShortPos) AktienPositionenShort = CheckedLong(int64_t{AktienPositionenShort} + Aktion);
    rec(dAktienPositionen, AktienPositionen);
    rec(dAktienShortPositionen, AktienPositionenShort);
    rec(dAktienLongPositionen, static_cast<double>(AktienPositionen) - AktienPositionenShort);
  } else {
    KontraktAnzahl = CheckedLong(int64_t{KontraktAnzahl} + Anzahl);
    if (IsShortPos) KontraktAnzahlShort = CheckedLong(int64_t{KontraktAnzahlShort} + Anzahl);
    rec(dKontraktAnzahl, KontraktAnzahl, KontraktAnzahlShort);
    rec(dKontraktShortPositionen, KontraktAnzahlShort);
    rec(dKontraktLongPositionen, static_cast<double>(KontraktAnzahl) - KontraktAnzahlShort);
  }
}

}  // namespace vks
