#include "presenters/KontenListe.h"

#include "accounts/clKonto.h"
#include "platform/automation/DateText.h"
#include "platform/automation/KeyedDictionary.h"
#include "platform/automation/NumberFormat.h"

namespace vks {

std::string DatumText(DateValue zeit, const AutomationLocale& locale) {
  return FormatDateText(zeit, locale);
}

std::string GesamtwertText(double gesamtkapital, const AutomationLocale& locale) {
  return FormatFixedNumber(gesamtkapital, 2, locale);
}

KontenZeile BaueKontenZeile(const clKonto& konto, const AutomationLocale& locale,
                            ZeilenAnlass anlass) {
  KontenZeile zeile;
  zeile.key = FoldCase(konto.KontoName);
  zeile.name = konto.KontoName;
  zeile.datum = DatumText(konto.AktuelleZeit, locale);
  zeile.gesamtwert = GesamtwertText(konto.BerechneGesamtKapital(), locale);
  const std::string orders =
      std::to_string(int64_t{konto.OffeneLongEnterOrders} + konto.OffeneShortEnterOrders);
  switch (anlass) {
    case ZeilenAnlass::kNeuesKonto:
      zeile.enter_orders = "0/0";
      break;
    case ZeilenAnlass::kReset:
      zeile.enter_orders = "0";
      break;
    case ZeilenAnlass::kPositionGeschlossen:
      zeile.enter_orders =
          orders + "/" + FormatFixedNumber(konto.EnterOrderMarginGesamt, 1, locale);
      break;
    case ZeilenAnlass::kListe:
      zeile.enter_orders =
          orders + "/" + FormatFixedNumber(konto.EnterOrderMarginGesamt, 2, locale);
      break;
  }
  zeile.positionen = std::to_string(konto.cTitelPositionen.Count());
  return zeile;
}

void KontenListeAnsicht::ListeFuellen(const std::vector<KontenZeile>& zeilen) {
  ListeLeeren();
  for (const KontenZeile& zeile : zeilen) ZeileSetzen(zeile);
}

}  // namespace vks
