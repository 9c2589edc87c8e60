// Deleting marked open orders, positions and fills from an account by the user's command.
#include "accounts/EintraegeLoeschen.h"

#include <cmath>
#include <cstdlib>

#include "accounts/KontoUmgebung.h"
#include "accounts/Margin.h"
#include "accounts/clKonto.h"
#include "platform/automation/CheckedLong.h"
#include "platform/automation/NoValue.h"

namespace vks {
namespace {

void Minus1(int32_t& zaehler) {
  zaehler = CheckedLong(int64_t{zaehler} - 1);
}

DateValue LoeschZeit(const clKonto& konto, const KontoUmgebung& umgebung) {
  return konto.UseSimulZeit ? konto.AktuelleZeit : umgebung.clock.Now();
}

// Records a total, its long part (total − short) and its short part as three kinds in a row.
void RecordDrei(const KontoUmgebung& umgebung, const clKonto& konto, eKontoDatenArt gesamt,
                DateValue t, double total, double short_teil) {
  RecordKontoWert(umgebung, konto, gesamt, t, total);
  RecordKontoWert(umgebung, konto, static_cast<eKontoDatenArt>(gesamt + 1), t, total - short_teil);
  RecordKontoWert(umgebung, konto, static_cast<eKontoDatenArt>(gesamt + 2), t, short_teil);
}

// Position counts come as total, short and the difference, three kinds apart.
void RecordAnzahlen(const KontoUmgebung& umgebung, const clKonto& konto, eKontoDatenArt gesamt,
                    DateValue t, int32_t total, int32_t short_teil) {
  RecordKontoWert(umgebung, konto, gesamt, t, total);
  RecordKontoWert(umgebung, konto, static_cast<eKontoDatenArt>(gesamt + 3), t, short_teil);
  RecordKontoWert(umgebung, konto, static_cast<eKontoDatenArt>(gesamt + 6), t,
                  static_cast<double>(total) - short_teil);
}

void EntferneOffeneOrder(clKonto& Konto, const std::string& key, bool& long_seite,
                         bool& short_seite) {
  std::shared_ptr<clOffeneOrder> o = Konto.cOffeneOrders.Item(key);
  const clOffeneOrder& order = *o;
  const int32_t rest = CheckedLong(int64_t{order.Anzahl} - order.FilledAnzahl);
  const bool kurz = order.Aktion <= 0;
  if (!kurz) {
    Minus1(Konto.OffeneLongOrders);
    if (order.IsEnterOrder) Minus1(Konto.OffeneLongEnterOrders);
  } else {
    Minus1(Konto.OffeneShortOrders);
    if (order.IsEnterOrder) Minus1(Konto.OffeneShortEnterOrders);
  }
  if (order.IsEnterOrder) {
    double x;
    if (order.PointValue == 0) {
      x = AktienEnterOrderMargin(order.Kurs, rest, order.Margin,
                                 MarginUmrechnungsFaktor(Konto, order.AktUmrechnungsWert));
      Konto.EnterOrderAktienMarginGesamt -= x;
      if (kurz) Konto.EnterOrderAktienMarginShort -= x;
    } else {
      x = KontraktEnterOrderMargin(order.Margin, rest);
    }
    Konto.EnterOrderMarginGesamt -= x;
    if (kurz) Konto.EnterOrderMarginShort -= x;
  }
  (kurz ? short_seite : long_seite) = true;
  Konto.cOffeneOrders.Remove(key);
}

}  // namespace

void LöscheOffeneOrders(clKonto& Konto, const std::vector<std::string>& markiert,
                        const KontoUmgebung& umgebung, const ZeileEntfernt& entfernt) {
  const DateValue t = LoeschZeit(Konto, umgebung);
  bool long_seite = false, short_seite = false;
  for (auto it = markiert.rbegin(); it != markiert.rend(); ++it) {
    EntferneOffeneOrder(Konto, *it, long_seite, short_seite);
    if (entfernt) entfernt(*it);
  }
  if (long_seite) {
    RecordKontoWert(umgebung, Konto, dOffeneLongOrders, t, Konto.OffeneLongOrders);
    RecordKontoWert(umgebung, Konto, dOffeneLongEnterOrders, t, Konto.OffeneLongEnterOrders);
  }
  if (short_seite) {
    RecordKontoWert(umgebung, Konto, dOffeneShortOrders, t, Konto.OffeneShortOrders);
    RecordKontoWert(umgebung, Konto, dOffeneShortEnterOrders, t, Konto.OffeneShortEnterOrders);
  }
  if (!long_seite && !short_seite) return;
  RecordKontoWert(umgebung, Konto, dOffeneOrders, t,
                  static_cast<double>(Konto.cOffeneOrders.Count()));
  RecordKontoWert(umgebung, Konto, dOffeneEnterOrders, t,
                  static_cast<double>(Konto.OffeneLongEnterOrders) + Konto.OffeneShortEnterOrders);
  RecordDrei(umgebung, Konto, dEnterOrdersMargin, t, Konto.EnterOrderMarginGesamt,
             Konto.EnterOrderMarginShort);
  RecordDrei(umgebung, Konto, dEnterOrdersAktienMargin, t, Konto.EnterOrderAktienMarginGesamt,
             Konto.EnterOrderAktienMarginShort);
}

void LöschePositionen(clKonto& Konto, const std::vector<std::string>& markiert, bool abrechnen,
                      const KontoUmgebung& umgebung, const ZeileEntfernt& entfernt) {
  const DateValue t = LoeschZeit(Konto, umgebung);
  bool aktie_weg = false, kontrakt_weg = false;
  for (auto it = markiert.rbegin(); it != markiert.rend(); ++it) {
    const std::string wkn = it->starts_with('#') ? it->substr(1) : *it;
    std::shared_ptr<clTitelPosition> p = Konto.cTitelPositionen.Item(wkn);
    const clTitelPosition& pos = *p;
    const bool kurz = pos.Position <= 0;
    const double menge = std::abs(static_cast<double>(pos.Position));
    Minus1(Konto.AnzahlPositionen);
    if (kurz) Minus1(Konto.AnzahlShortPositionen);
    auto buche = [&](double& gesamt, double& short_teil, double betrag) {
      gesamt -= betrag;
      if (kurz) short_teil -= betrag;
    };
    if (pos.IstAktie()) {
      Minus1(Konto.AktienPositionen);
      if (kurz) Minus1(Konto.AktienPositionenShort);
      if (abrechnen) {
        const double m = menge * pos.Durchschnittspreis * pos.Margin *
                         MarginUmrechnungsFaktor(Konto, pos.AktUmrechnungsWert);
        // A position that never saw a price is still worth what it cost.
        const float kurs =
            pos.AktuellerKurs == NoValue ? pos.Durchschnittspreis : pos.AktuellerKurs;
        buche(Konto.KapitalAktienOpenPLGesamt, Konto.KapitalAktienOpenPLShort, pos.OpenPL);
        buche(Konto.KapitalAktienMarginGesamt, Konto.KapitalAktienMarginShort, m);
        buche(Konto.AktienInvestWertGesamt, Konto.AktienInvestWertShort,
              menge * pos.Durchschnittspreis);
        buche(Konto.AktienWertAktuellGesamt, Konto.AktienWertAktuellShort, menge * kurs);
        Konto.CashBetrag += pos.OpenPL + m;
      }
      aktie_weg = true;
    } else {
      Minus1(Konto.KontraktAnzahl);
      if (kurz) Minus1(Konto.KontraktAnzahlShort);
      if (abrechnen) {
        const double m = menge * pos.Margin;
        buche(Konto.KapitalKontrakteOpenPLGesamt, Konto.KapitalKontrakteOpenPLShort, pos.OpenPL);
        buche(Konto.KapitalKontrakteMarginGesamt, Konto.KapitalKontrakteMarginShort, m);
        Konto.CashBetrag += pos.OpenPL + m;
      }
      kontrakt_weg = true;
    }
    umgebung.rtt.SchreibeWert(Konto.KontoName, pos.TitelWKN, pos.TitelName, dTitelPos, t,
                              pos.Durchschnittspreis, 0);
    Konto.cTitelPositionen.Remove(wkn);
    if (entfernt) entfernt(*it);
  }
  if (!aktie_weg && !kontrakt_weg) return;
  RecordAnzahlen(umgebung, Konto, dAnzahlPositionen, t, Konto.AnzahlPositionen,
                 Konto.AnzahlShortPositionen);
  RecordKontoWert(umgebung, Konto, dKapitalCash, t, Konto.CashBetrag, 0);
  RecordKontoWert(umgebung, Konto, dKapitalGesamtKapital, t, Konto.BerechneGesamtKapital(), 0);
  RecordKontoWert(umgebung, Konto, dKapitalVerfuegbarKapital, t, Konto.BerechneVerfuegbarKapital(),
                  0);
  if (aktie_weg) {
    RecordAnzahlen(umgebung, Konto, dAktienPositionen, t, Konto.AktienPositionen,
                   Konto.AktienPositionenShort);
    RecordDrei(umgebung, Konto, dKapitalAktienMargin, t, Konto.KapitalAktienMarginGesamt,
               Konto.KapitalAktienMarginShort);
    RecordDrei(umgebung, Konto, dKapitalAktienInvestWert, t, Konto.AktienInvestWertGesamt,
               Konto.AktienInvestWertShort);
    RecordDrei(umgebung, Konto, dKapitalAktienAktuellerWert, t, Konto.AktienWertAktuellGesamt,
               Konto.AktienWertAktuellShort);
    RecordDrei(umgebung, Konto, dKapitalAktienOpenPL, t, Konto.KapitalAktienOpenPLGesamt,
               Konto.KapitalAktienOpenPLShort);
  }
  if (kontrakt_weg) {
    RecordAnzahlen(umgebung, Konto, dKontraktAnzahl, t, Konto.KontraktAnzahl,
                   Konto.KontraktAnzahlShort);
    RecordDrei(umgebung, Konto, dKapitalKontraktOpenPL, t, Konto.KapitalKontrakteOpenPLGesamt,
               Konto.KapitalKontrakteOpenPLShort);
    RecordDrei(umgebung, Konto, dKapitalKontraktMargin, t, Konto.KapitalKontrakteMarginGesamt,
               Konto.KapitalKontrakteMarginShort);
  }
}

void LöscheAusführungen(clKonto& Konto, const std::vector<std::string>& markiert,
                        const KontoUmgebung& umgebung, const ZeileEntfernt& entfernt) {
  for (auto it = markiert.rbegin(); it != markiert.rend(); ++it) {
    std::shared_ptr<clFilledOrder> f = Konto.cFilledOrders.Item(*it);
    Minus1(Konto.FilledOrders);
    if (f->Aktion < 1) {
      Minus1(Konto.FilledShortOrders);
      if (f->IsEnterOrder) Minus1(Konto.FilledEnterShortOrders);
    } else {
      Minus1(Konto.FilledLongOrders);
      if (f->IsEnterOrder) Minus1(Konto.FilledEnterLongOrders);
    }
    Konto.cFilledOrders.Remove(f->ID);
    if (entfernt) entfernt(*it);
  }
  // FilledOrders went down as well, so its series is recorded too; the entry-fill total once.
  const DateValue t = Konto.AktuelleZeit;
  auto rec = [&](eKontoDatenArt art, double wert) {
    RecordKontoWert(umgebung, Konto, art, t, wert, 0);
  };
  rec(dFilledOrders, Konto.FilledOrders);
  rec(dFilledLongOrders, Konto.FilledLongOrders);
  rec(dFilledEnterOrders,
      static_cast<double>(Konto.FilledEnterLongOrders) + Konto.FilledEnterShortOrders);
  rec(dFilledEnterLongOrders, Konto.FilledEnterLongOrders);
  rec(dFilledShortOrders, Konto.FilledShortOrders);
  rec(dFilledEnterShortOrders, Konto.FilledEnterShortOrders);
}

}  // namespace vks
