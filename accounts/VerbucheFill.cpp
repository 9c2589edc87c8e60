#include "accounts/VerbucheFill.h"

#include <cmath>
#include <cstdlib>

#include "accounts/KontoUmgebung.h"
#include "accounts/Margin.h"
#include "accounts/clKonto.h"
#include "platform/automation/CheckedLong.h"

namespace vks {
namespace {

double Abs(int32_t value) {
  return static_cast<double>(std::llabs(int64_t{value}));
}

// Takes the position's current amounts out of cash and the totals, at the fill price.
void ReleasePosition(clKonto& konto, clTitelPosition& pos, DateValue DatumZeit, float preis,
                     const KontoUmgebung& umgebung) {
  const int32_t p0 = pos.Position;
  const float s = GebuchterMarginFaktor(pos.StartMarginUmrechnungswert);
  bool sofort = true;
  konto.NeuerKurs(pos.TitelWKN, Buchungszeit(konto, DatumZeit, umgebung.clock), preis, sofort,
                  umgebung.clock);
  const double open_pl = pos.OpenPL;
  if (!pos.IstAktie()) {
    const double margin = KontraktMargin(pos.Margin, p0);
    konto.CashBetrag += static_cast<double>(pos.Margin) * Abs(p0) + open_pl;
    konto.KapitalKontrakteOpenPLGesamt -= open_pl;
    konto.KapitalKontrakteMarginGesamt -= margin;
    if (p0 < 0) {
      konto.KapitalKontrakteOpenPLShort -= open_pl;
      konto.KapitalKontrakteMarginShort -= margin;
    }
    return;
  }
  const double a0 = pos.Durchschnittspreis;
  const double invest = a0 * Abs(p0);
  const double margin = AktienMargin(pos.Durchschnittspreis, p0, pos.Margin, s);
  konto.CashBetrag +=
      static_cast<double>(pos.Margin) * Abs(p0) * std::fabs(a0) * static_cast<double>(s) + open_pl;
  konto.AktienWertAktuellGesamt -= invest + open_pl;
  konto.AktienInvestWertGesamt -= invest;
  konto.KapitalAktienMarginGesamt -= margin;
  konto.KapitalAktienOpenPLGesamt -= open_pl;
  if (p0 < 0) {
    konto.AktienWertAktuellShort -= invest + open_pl;
    konto.AktienInvestWertShort -= invest;
    konto.KapitalAktienMarginShort -= margin;
    konto.KapitalAktienOpenPLShort -= open_pl;
  }
}

// Moves the position by the fill, counting opened and closed positions.
void ChangePosition(clKonto& konto, clTitelPosition& pos, int16_t aktion, int32_t n, float preis,
                    const KontoUmgebung& umgebung) {
  const int32_t p0 = pos.Position;
  const bool aktie = pos.IstAktie();
  const double a0 = pos.Durchschnittspreis;
  auto count = [&](int16_t change, bool short_pos, int32_t anzahl) {
    konto.PositionsZahlenAendern(change, short_pos, aktie, anzahl, umgebung);
  };
  if (p0 == 0) {
    pos.OpenPL = 0;
    pos.Position = CheckedLong(int64_t{aktion} * n);
    pos.Durchschnittspreis = preis;
    count(1, pos.Position < 0, n);
  } else if (p0 > 0 && aktion > 0) {
    const int32_t neu = CheckedLong(int64_t{p0} + n);
    pos.Position = neu;
    pos.Durchschnittspreis = static_cast<float>((a0 * p0 + static_cast<double>(preis) * n) / neu);
    count(0, false, n);
  } else if (p0 > 0 && n <= p0) {
    pos.Position = p0 - n;
    count(pos.Position == 0 ? -1 : 0, false, -n);
  } else if (p0 > 0) {
    count(-1, false, -p0);
    pos.Position = -(n - p0);
    count(1, true, n - p0);
    pos.Durchschnittspreis = preis;
  } else if (aktion < 0) {
    const int32_t neu = CheckedLong(int64_t{p0} - n);
    pos.Position = neu;
    pos.Durchschnittspreis =
        static_cast<float>((a0 * Abs(p0) + static_cast<double>(preis) * n) / Abs(neu));
    count(0, true, n);
  } else if (n <= -int64_t{p0}) {
    pos.Position = p0 + n;
    count(pos.Position == 0 ? -1 : 0, true, -n);
  } else {
    const int32_t rest = CheckedLong(int64_t{n} + p0);  // n - |p0|
    count(-1, true, p0);
    pos.Position = rest;
    count(1, false, rest);
    pos.Durchschnittspreis = preis;
  }
}

}  // namespace

void VerbucheFill(clKonto& Konto, DateValue DatumZeit, std::string_view TitelWKN,
                  std::string_view TitelName, int16_t Aktion, int32_t Anzahl, float Preis,
                  const clOrderZusatzInfos* ZusatzInfos, const KontoUmgebung& umgebung) {
  if (Anzahl <= 0) return;
  // A price that is no number would poison cash and every total for good.
  if (!std::isfinite(Preis) || !std::isfinite(DatumZeit.days))
    throw AutomationError(error::kInvalidCall, "",
                          "Ungültiger Preis oder Zeitpunkt der Ausführung");
  Konto.AktuelleZeit = DatumZeit;

  std::shared_ptr<clTitelPosition>* found = Konto.cTitelPositionen.Find(TitelWKN);
  std::shared_ptr<clTitelPosition> position;
  if (found) {
    position = *found;
  } else {
    position = std::make_shared<clTitelPosition>();
    position->TitelWKN = std::string(TitelWKN);
    position->TitelName = std::string(TitelName);
    Konto.NeuePositionZufügen(position, umgebung);
  }
  clTitelPosition& pos = *position;
  if (ZusatzInfos) pos.SchreibeZusatzInfos(*ZusatzInfos);

  const int32_t p0 = pos.Position;
  if (p0 != 0) ReleasePosition(Konto, pos, DatumZeit, Preis, umgebung);
  pos.AktuellerKurs = Preis;
  ChangePosition(Konto, pos, Aktion, Anzahl, Preis, umgebung);

  const int32_t p = pos.Position;
  const double a = pos.Durchschnittspreis;
  if (p0 != 0) {
    pos.OpenPL = (static_cast<double>(pos.AktuellerKurs) - a) * p *
                 (pos.PointValue > 0 ? static_cast<double>(pos.PointValue) : 1.0) *
                 static_cast<double>(UmrechnungsFaktor(Konto, pos.AktUmrechnungsWert));
  }
  const float m = MarginUmrechnungsFaktor(Konto, pos.AktUmrechnungsWert);
  pos.StartMarginUmrechnungswert = m;
  Konto.CashBetrag = Konto.CashBetrag - pos.OpenPL -
                     static_cast<double>(pos.Margin) * Abs(p) *
                         (pos.IstAktie() ? a * static_cast<double>(m) : 1.0);

  float c = 0;
  if (Konto.UseCommissions) {
    c = pos.BerechneCommissions(Anzahl, Preis);
    Konto.CashBetrag -= c;
    Konto.PaidCommissions += c;
  }

  const DateValue t = Buchungszeit(Konto, DatumZeit, umgebung.clock);
  auto rec = [&](eKontoDatenArt art, double wert, double wert2 = 1) {
    RecordKontoWert(umgebung, Konto, art, t, wert, wert2);
  };
  auto split = [&](eKontoDatenArt gesamt, double total, double short_part) {
    rec(gesamt, total);
    rec(static_cast<eKontoDatenArt>(gesamt + 1), total - short_part);
    rec(static_cast<eKontoDatenArt>(gesamt + 2), short_part);
  };
  const bool short_pos = p < 0;
  if (!pos.IstAktie()) {
    const double margin = KontraktMargin(pos.Margin, p);
    Konto.KapitalKontrakteOpenPLGesamt += pos.OpenPL;
    Konto.KapitalKontrakteMarginGesamt += margin;
    if (short_pos) {
      Konto.KapitalKontrakteOpenPLShort += pos.OpenPL;
      Konto.KapitalKontrakteMarginShort += margin;
    }
    split(dKapitalKontraktOpenPL, Konto.KapitalKontrakteOpenPLGesamt,
          Konto.KapitalKontrakteOpenPLShort);
    split(dKapitalKontraktMargin, Konto.KapitalKontrakteMarginGesamt,
          Konto.KapitalKontrakteMarginShort);
  } else {
    const double invest = a * Abs(p);
    const double margin = AktienMargin(pos.Durchschnittspreis, p, pos.Margin, m);
    Konto.AktienWertAktuellGesamt += invest + pos.OpenPL;
    Konto.AktienInvestWertGesamt += invest;
    Konto.KapitalAktienMarginGesamt += margin;
    Konto.KapitalAktienOpenPLGesamt += pos.OpenPL;
    if (short_pos) {
      Konto.AktienWertAktuellShort += invest + pos.OpenPL;
      Konto.AktienInvestWertShort += invest;
      Konto.KapitalAktienMarginShort += margin;
      Konto.KapitalAktienOpenPLShort += pos.OpenPL;
    }
    split(dKapitalAktienMargin, Konto.KapitalAktienMarginGesamt, Konto.KapitalAktienMarginShort);
    split(dKapitalAktienInvestWert, Konto.AktienInvestWertGesamt, Konto.AktienInvestWertShort);
    split(dKapitalAktienAktuellerWert, Konto.AktienWertAktuellGesamt, Konto.AktienWertAktuellShort);
    split(dKapitalAktienOpenPL, Konto.KapitalAktienOpenPLGesamt, Konto.KapitalAktienOpenPLShort);
  }
  rec(dKapitalCash, Konto.CashBetrag, 0);
  rec(dKapitalGesamtKapital, Konto.BerechneGesamtKapital(), 0);
  rec(dKapitalVerfuegbarKapital, Konto.BerechneVerfuegbarKapital(), 0);
  if (c > 0) rec(dPaidCommissions, Konto.PaidCommissions, c);

  umgebung.rtt.SchreibeWert(Konto.KontoName, pos.TitelWKN, pos.TitelName, dTitelPos, t,
                            Konto.PosLetztenPreisSpeichern ? Preis : pos.Durchschnittspreis,
                            static_cast<float>(p));
  Konto.PositionÄndern(pos, DatumZeit, umgebung);
}

}  // namespace vks
