#include "presenters/UebersichtZeilen.h"

#include "accounts/clKonto.h"
#include "platform/automation/DateText.h"
#include "platform/automation/NumberFormat.h"
#include "platform/automation/VariantConversions.h"

namespace vks {
namespace {

constexpr UebersichtSpalte kOrderSpalten[] = {
    {"ID", 128, false, SortArt::Text},      {"Titel", 120, false, SortArt::Text},
    {"WKN", 96, false, SortArt::Text},      {"Aktion", 56, false, SortArt::Text},
    {"Stückzahl", 64, true, SortArt::Zahl}, {"Filled", 64, true, SortArt::Zahl},
};
constexpr UebersichtSpalte kPositionsSpalten[] = {
    {"Titel", 160, false, SortArt::Text},
    {"WKN", 160, false, SortArt::Text},
    {"Position", 80, true, SortArt::Zahl},
    {"Einstiegspreis", 80, true, SortArt::Zahl},
};
constexpr UebersichtSpalte kFillSpalten[] = {
    {"ID", 128, false, SortArt::Text},   {"Titel", 120, false, SortArt::Text},
    {"WKN", 96, false, SortArt::Text},   {"Aktion", 56, false, SortArt::Text},
    {"Filled", 64, true, SortArt::Zahl}, {"Datum", 96, false, SortArt::Datum},
    {"Kurs", 64, false, SortArt::Zahl},
};

std::string Ganzzahl(int64_t wert) {
  return std::to_string(wert);
}

}  // namespace

std::span<const UebersichtSpalte> Spalten(UebersichtListe liste) {
  switch (liste) {
    case UebersichtListe::kOrders:
      return kOrderSpalten;
    case UebersichtListe::kPositionen:
      return kPositionsSpalten;
    case UebersichtListe::kAusfuehrungen:
      break;
  }
  return kFillSpalten;
}

std::string RichtungsText(int16_t Aktion, bool IsEnterOrder, bool IstOrder) {
  std::string text = Aktion > 0 ? "Buy" : "Sell";
  if (IsEnterOrder) return text + " (Enter)";
  return IstOrder ? text + " (Exit)" : text;
}

UebersichtZeile BaueOrderZeile(const clOffeneOrder& order) {
  return {order.ID,
          {order.ID, order.TitelName, order.TitelWKN,
           RichtungsText(order.Aktion, order.IsEnterOrder, true), Ganzzahl(order.Anzahl),
           Ganzzahl(order.FilledAnzahl)},
          nullptr};
}

UebersichtZeile BauePositionsZeile(const clTitelPosition& position,
                                   const AutomationLocale& locale) {
  return {"#" + position.TitelWKN,
          {position.TitelName, position.TitelWKN, Ganzzahl(position.Position),
           FormatSingle(position.Durchschnittspreis, locale)},
          nullptr};
}

std::string FillZelle(const clFilledOrder& fill, int spalte, const AutomationLocale& locale) {
  switch (spalte) {
    case 0:
      return fill.ID;
    case 1:
      return fill.TitelName;
    case 2:
      return fill.TitelWKN;
    case 3:
      return RichtungsText(fill.Aktion, fill.IsEnterOrder, false);
    case 4:
      return Ganzzahl(fill.FilledAnzahl);
    case 5:
      return FormatDateText(fill.SimulDatum, locale);
    case 6:
      return fill.EnterPreis > 0 ? FormatSingle(fill.EnterPreis, locale) : "K/A";
    default:
      return {};
  }
}

UebersichtZeile BaueFillZeile(const clFilledOrder& fill, const AutomationLocale& locale) {
  UebersichtZeile zeile{fill.ID, {}, nullptr};
  for (int spalte = 0; spalte < 7; ++spalte)
    zeile.spalten.push_back(FillZelle(fill, spalte, locale));
  return zeile;
}

KontoZahlen BaueKontoZahlen(const clKonto& konto, const AutomationLocale& locale) {
  auto betrag = [&](double wert) { return FormatFixedNumber(wert, 2, locale); };
  auto ganz = [&](double wert) { return FormatFixedNumber(wert, 0, locale); };
  const int64_t orders = static_cast<int64_t>(konto.cOffeneOrders.Count());
  const int64_t positionen = static_cast<int64_t>(konto.cTitelPositionen.Count());
  const int64_t fills = static_cast<int64_t>(konto.cFilledOrders.Count());
  KontoZahlen z;
  z.offene_orders = {Ganzzahl(orders), Ganzzahl(konto.OffeneLongOrders),
                     Ganzzahl(orders - konto.OffeneLongOrders)};
  z.enter_orders = {Ganzzahl(int64_t{konto.OffeneLongEnterOrders} + konto.OffeneShortEnterOrders),
                    Ganzzahl(konto.OffeneLongEnterOrders),
                    Ganzzahl(konto.OffeneShortEnterOrders),
                    ganz(konto.EnterOrderMarginGesamt),
                    ganz(konto.EnterOrderMarginGesamt - konto.EnterOrderMarginShort),
                    ganz(konto.EnterOrderMarginShort)};
  z.positionen = {Ganzzahl(positionen), Ganzzahl(positionen - konto.AnzahlShortPositionen),
                  Ganzzahl(konto.AnzahlShortPositionen)};
  z.gefillt = {Ganzzahl(fills), Ganzzahl(konto.FilledLongOrders),
               Ganzzahl(fills - konto.FilledLongOrders)};
  z.cash = betrag(konto.CashBetrag);
  z.gesamt = betrag(konto.BerechneGesamtKapital());
  z.margin = betrag(konto.KapitalAktienMarginGesamt + konto.KapitalKontrakteMarginGesamt);
  z.open_pl = betrag(konto.KapitalAktienOpenPLGesamt + konto.KapitalKontrakteOpenPLGesamt);
  z.verfuegbar = betrag(konto.BerechneVerfuegbarKapital());
  return z;
}

}  // namespace vks
