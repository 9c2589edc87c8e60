// Capital figures of an account and the revaluation of a position at a new price.
#include <cmath>

#include "accounts/Eingabepruefung.h"
#include "accounts/Margin.h"
#include "accounts/clKonto.h"

namespace vks {

double clKonto::BerechneGesamtKapital() const {
  return CashBetrag + KapitalKontrakteOpenPLGesamt + KapitalAktienOpenPLGesamt +
         KapitalKontrakteMarginGesamt + KapitalAktienMarginGesamt;
}

double clKonto::BerechneVerfuegbarKapital() const {
  return CashBetrag + KapitalKontrakteOpenPLGesamt + KapitalAktienOpenPLGesamt;
}

void clKonto::NeuerKurs(std::string_view TitelWKN, DateValue DatumZeit, float NeuerKurs,
                        bool& SofortSpeichern, Clock& clock) {
  // A price or time that is no number would poison every total it touches, for good.
  if (!std::isfinite(NeuerKurs) || !IstGueltigesDatum(DatumZeit)) return;
  std::shared_ptr<clTitelPosition>* found = cTitelPositionen.Find(TitelWKN);
  if (!found) return;
  clTitelPosition& position = **found;
  if (position.Position == 0 || NeuerKurs == position.AktuellerKurs) return;

  if (!UseSimulZeit) {
    AktuelleZeit = clock.Now();
    position.AktuelleZeit = AktuelleZeit;
  } else if (DatumZeit.days > 0) {
    AktuelleZeit = DatumZeit;
    position.AktuelleZeit = DatumZeit;
  }

  // Old value out, new value in, as two bookings: the totals stay the sum of what was booked.
  const bool short_position = position.Position < 0;
  const double alt = position.OpenPL;
  position.OpenPL =
      (static_cast<double>(NeuerKurs) - static_cast<double>(position.Durchschnittspreis)) *
      position.Position * (position.IstAktie() ? 1.0 : static_cast<double>(position.PointValue)) *
      static_cast<double>(UmrechnungsFaktor(*this, position.AktUmrechnungsWert));
  const double neu = position.OpenPL;
  if (position.IstAktie()) {
    AktienWertAktuellGesamt = AktienWertAktuellGesamt - alt + neu;
    KapitalAktienOpenPLGesamt = KapitalAktienOpenPLGesamt - alt + neu;
    if (short_position) {
      AktienWertAktuellShort = AktienWertAktuellShort - alt + neu;
      KapitalAktienOpenPLShort = KapitalAktienOpenPLShort - alt + neu;
    }
    if (!SofortSpeichern) NeuerAktienwertSpeichern = true;
  } else {
    KapitalKontrakteOpenPLGesamt = KapitalKontrakteOpenPLGesamt - alt + neu;
    if (short_position) KapitalKontrakteOpenPLShort = KapitalKontrakteOpenPLShort - alt + neu;
    if (!SofortSpeichern) NeuerOpenPLSpeichern = true;
  }

  if (!SofortSpeichern) {
    position.AktuellerKurs = NeuerKurs;
    position.NeuenKursSpeichern = true;
  }
}

}  // namespace vks
