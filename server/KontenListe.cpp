#include "server/KontenListe.h"

#include "accounts/clKonto.h"
#include "platform/automation/DateText.h"
#include "platform/automation/KeyedDictionary.h"
#include "platform/automation/NumberFormat.h"

namespace vks {

std::string DatumText(const clKonto& konto, const AutomationLocale& locale) {
  return FormatDateText(konto.AktuelleZeit, locale);
}

std::string GesamtwertText(const clKonto& konto, const AutomationLocale& locale) {
  return FormatFixedNumber(konto.BerechneGesamtKapital(), 2, locale);
}

KontenZeile BaueKontenZeile(const clKonto& konto, const AutomationLocale& locale) {
  KontenZeile zeile;
  zeile.key = FoldCase(konto.KontoName);
  zeile.name = konto.KontoName;
  zeile.datum = DatumText(konto, locale);
  zeile.gesamtwert = GesamtwertText(konto, locale);
  zeile.enter_orders =
      std::to_string(int64_t{konto.OffeneLongEnterOrders} + konto.OffeneShortEnterOrders) + "/" +
      FormatFixedNumber(konto.EnterOrderMarginGesamt, 2, locale);
  zeile.positionen = std::to_string(konto.cTitelPositionen.Count());
  return zeile;
}

void KontenListeAnsicht::AlleKurswerteSetzen(const std::vector<Kurswerte>& werte) {
  for (const Kurswerte& w : werte) KurswerteSetzen(w.key, w.datum, w.gesamtwert);
}

void KontenListeAnsicht::ListeFuellen(const std::vector<KontenZeile>& zeilen) {
  ListeLeeren();
  for (const KontenZeile& zeile : zeilen) ZeileSetzen(zeile);
}

}  // namespace vks
