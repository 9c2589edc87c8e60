// Writing a complete set of an account's values at once, and closing all its series with zeros.
#include <array>

#include "accounts/KontoUmgebung.h"
#include "accounts/clKonto.h"

namespace vks {

void RecordKontoWert(const KontoUmgebung& umgebung, const clKonto& konto, eKontoDatenArt art,
                     DateValue zeit, double wert, double wert2) {
  umgebung.rtt.SchreibeWert(konto.KontoName, "", "", art, zeit, static_cast<float>(wert),
                            static_cast<float>(wert2));
}

void clKonto::SchreibeInitRTTWerte(bool OnlyAktuellesDatum, const KontoUmgebung& umgebung) const {
  auto pass = [&](DateValue t) {
    auto rec = [&](eKontoDatenArt art, double wert, double wert2 = 1) {
      RecordKontoWert(umgebung, *this, art, t, wert, wert2);
    };
    auto split = [&](eKontoDatenArt gesamt, double total, double short_part) {
      rec(gesamt, total);
      rec(static_cast<eKontoDatenArt>(gesamt + 1), total - short_part);
      rec(static_cast<eKontoDatenArt>(gesamt + 2), short_part);
    };
    rec(dKapitalCash, CashBetrag, 0);
    rec(dKapitalGesamtKapital, BerechneGesamtKapital(), 0);
    rec(dKapitalVerfuegbarKapital, BerechneVerfuegbarKapital(), 0);
    split(dKapitalAktienMargin, KapitalAktienMarginGesamt, KapitalAktienMarginShort);
    split(dKapitalAktienInvestWert, AktienInvestWertGesamt, AktienInvestWertShort);
    split(dKapitalAktienAktuellerWert, AktienWertAktuellGesamt, AktienWertAktuellShort);
    split(dKapitalAktienOpenPL, KapitalAktienOpenPLGesamt, KapitalAktienOpenPLShort);
    split(dKapitalKontraktOpenPL, KapitalKontrakteOpenPLGesamt, KapitalKontrakteOpenPLShort);
    split(dKapitalKontraktMargin, KapitalKontrakteMarginGesamt, KapitalKontrakteMarginShort);
    rec(dPaidCommissions, PaidCommissions, PaidCommissions);
    rec(dAnzahlPositionen, AnzahlPositionen);
    rec(dAktienPositionen, AktienPositionen);
    rec(dKontraktAnzahl, KontraktAnzahl);
    rec(dAnzahlShortPositionen, AnzahlShortPositionen);
    rec(dAnzahlLongPositionen, static_cast<double>(AnzahlPositionen) - AnzahlShortPositionen);
    rec(dAktienShortPositionen, AktienPositionenShort);
    rec(dAktienLongPositionen, static_cast<double>(AktienPositionen) - AktienPositionenShort);
    rec(dKontraktShortPositionen, KontraktAnzahlShort);
    rec(dKontraktLongPositionen, static_cast<double>(KontraktAnzahl) - KontraktAnzahlShort);
    rec(dOffeneShortOrders, OffeneShortOrders);
    rec(dOffeneLongOrders, OffeneLongOrders);
    rec(dOffeneOrders, static_cast<double>(cOffeneOrders.Count()));
    rec(dOffeneShortEnterOrders, OffeneShortEnterOrders);
    rec(dOffeneLongEnterOrders, OffeneLongEnterOrders);
    rec(dOffeneEnterOrders, static_cast<double>(OffeneLongEnterOrders) + OffeneShortEnterOrders);
    for (eKontoDatenArt art : {dFilledOrders, dFilledLongOrders, dFilledEnterLongOrders,
                               dFilledShortOrders, dFilledEnterOrders, dFilledEnterShortOrders})
      rec(art, 0, 0);
    for (int art = dEnterOrdersMargin; art <= dEnterOrdersAktienMarginShort; ++art)
      rec(static_cast<eKontoDatenArt>(art), 0);
  };
  if (OnlyAktuellesDatum) {
    pass(AktuelleZeit);
    return;
  }
  // Two points a minute apart on each of five days, the last at the account's time.
  for (int i = 1; i <= 5; ++i) {
    for (int j = 1; j <= 2; ++j)
      pass(DateValue{AktuelleZeit.days - (5 - i) - (2 - j) * 0.000694444444444442});
  }
}

void clKonto::AlleRTTDatenZuruecksetzen(const KontoUmgebung& umgebung) {
  if (!UseSimulZeit) AktuelleZeit = umgebung.clock.Now();
  const DateValue t = AktuelleZeit;
  for (auto& entry : cTitelPositionen) {
    clTitelPosition& position = *entry.value;
    position.Position = 0;
    umgebung.rtt.SchreibeWert(KontoName, position.TitelWKN, position.TitelName, dTitelPos, t,
                              position.Durchschnittspreis, 0);
  }
  auto zero = [&](int art, double wert2 = 1) {
    RecordKontoWert(umgebung, *this, static_cast<eKontoDatenArt>(art), t, 0, wert2);
  };
  for (int art : {4, 3, 2, 7, 6, 5}) zero(art);
  for (int art = 14; art <= 22; ++art) zero(art);
  zero(48, 0);
  zero(49, 0);
  for (int art : {38, 39, 40, 23, 24, 25, 26, 27, 28, 32, 33, 34,
                  29, 30, 31, 35, 36, 37, 41, 42, 43, 44, 45, 46})
    zero(art);
}

}  // namespace vks
