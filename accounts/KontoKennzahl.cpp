#include "accounts/KontoKennzahl.h"

#include <array>

namespace vks {

namespace {

using K = KennzahlKategorie;

constexpr std::array<KennzahlInfo, kKontoKennzahlCount> kKennzahlen = {{
    {"Offene Orders", K::Orders},
    {"Offene Long Orders", K::Orders},
    {"Offene Short Orders", K::Orders},
    {"Offene Enter Orders", K::Orders},
    {"Offene Enter Long Orders", K::Orders},
    {"Offene Enter Short Orders", K::Orders},
    {"Ausgeführte Orders", K::Orders},
    {"Ausgeführte Long Orders", K::Orders},
    {"Ausgeführte Short Orders", K::Orders},
    {"Ausgeführte Enter Orders", K::Orders},
    {"Ausgeführte Enter Long Orders", K::Orders},
    {"Ausgeführte Enter Short Orders", K::Orders},
    {"Positionen", K::Positionen},
    {"Long Positionen", K::Positionen},
    {"Short Positionen", K::Positionen},
    {"Aktien Positionen", K::Positionen},
    {"Aktien Positionen Long", K::Positionen},
    {"Aktien Positionen Short", K::Positionen},
    {"Anzahl Kontrakte", K::Positionen},
    {"Anzahl Long Kontrakte", K::Positionen},
    {"Anzahl Short Kontrakte", K::Positionen},
    {"Enter Order Margin Long", K::Margin},
    {"Enter Order Margin Short", K::Margin},
    {"Aktien Enter Order Margin Long", K::Margin},
    {"Aktien Enter Order Margin Short", K::Margin},
    {"Aktien Investitionswert", K::WertUndPL},
    {"Aktien Investitionswert Long", K::WertUndPL},
    {"Aktien Investitionswert Short", K::WertUndPL},
    {"Aktien aktueller Wert", K::WertUndPL},
    {"Aktien aktueller Wert Long", K::WertUndPL},
    {"Aktien aktueller Wert Short", K::WertUndPL},
    {"Aktien offener PL", K::WertUndPL},
    {"Aktien offener PL Long", K::WertUndPL},
    {"Aktien offener PL Short", K::WertUndPL},
    {"Aktien eingesetzte Margin", K::Margin},
    {"Aktien eingesetzte Margin Long", K::Margin},
    {"Aktien eingesetzte Margin Short", K::Margin},
    {"Kontrakte offener PL", K::WertUndPL},
    {"Kontrakte offener PL Long", K::WertUndPL},
    {"Kontrakte offener PL Short", K::WertUndPL},
    {"Kontrakte eingesetzte Margin", K::Margin},
    {"Kontrakte eingesetzte Margin Long", K::Margin},
    {"Kontrakte eingesetzte Margin Short", K::Margin},
    {"Freies Kapital", K::Kapital},
    {"Gesamtkapital", K::Kapital},
    {"Verfügbares Kapital", K::Kapital},
    {"Bezahlte Gebuehren", K::Kapital},
    {"Keine Enter Order", K::Orders},
}};

// Counts are Longs; a sum of two counts beyond the Long range is an overflow, never a wrap.
Variant Count(int64_t value) {
  if (value < INT32_MIN || value > INT32_MAX) throw AutomationError(error::kOverflow);
  return Variant(static_cast<int32_t>(value));
}

}  // namespace

const KennzahlInfo& KennzahlBeschreibung(int32_t Kennzahl) {
  return kKennzahlen.at(static_cast<size_t>(Kennzahl - 1));
}

Variant GetKontoKennzahl(const clKonto& k, int32_t Kennzahl) {
  using L = int64_t;
  switch (Kennzahl) {
    case eOpenOrders:
      return Count(L{k.OffeneLongOrders} + k.OffeneShortOrders);
    case eOpenLOrders:
      return Count(k.OffeneLongOrders);
    case eOpenSOrders:
      return Count(k.OffeneShortOrders);
    case eOpenEnterOrders:
      return Count(L{k.OffeneLongEnterOrders} + k.OffeneShortEnterOrders);
    case eOpenLEnterOrders:
      return Count(k.OffeneLongEnterOrders);
    case eOpenSEnterOrders:
      return Count(k.OffeneShortEnterOrders);
    case eFilledOrders:
      return Count(L{k.FilledLongOrders} + k.FilledShortOrders);
    case eFilledLOrders:
      return Count(k.FilledLongOrders);
    case eFilledSOrders:
      return Count(k.FilledShortOrders);
    case eFilledEnterOrders:
      return Count(L{k.FilledEnterLongOrders} + k.FilledEnterShortOrders);
    case eFilledLEnterOrders:
      return Count(k.FilledEnterLongOrders);
    case eFilledSEnterOrders:
      return Count(k.FilledEnterShortOrders);
    case eAnzahlPositionen:
      return Count(k.AnzahlPositionen);
    case eAnzahlLPositionen:
      return Count(L{k.AnzahlPositionen} - k.AnzahlShortPositionen);
    case eAnzahlSPositionen:
      return Count(k.AnzahlShortPositionen);
    case eAktienPositionen:
      return Count(k.AktienPositionen);
    case eAktienLPositionen:
      return Count(L{k.AktienPositionen} - k.AktienPositionenShort);
    case eAktienSPositionen:
      return Count(k.AktienPositionenShort);
    case eKontraktAnzahl:
      return Count(k.KontraktAnzahl);
    case eKontraktLAnzahl:
      return Count(L{k.KontraktAnzahl} - k.KontraktAnzahlShort);
    case eKontraktSAnzahl:
      return Count(k.KontraktAnzahlShort);
    case eEnterOrderMarginLong:
      return Variant(k.EnterOrderMarginGesamt - k.EnterOrderMarginShort);
    case eEnterOrderMarginShort:
      return Variant(k.EnterOrderMarginShort);
    case eEnterOrderAktienMarginLong:
      return Variant(k.EnterOrderAktienMarginGesamt - k.EnterOrderAktienMarginShort);
    case eEnterOrderAktienMarginShort:
      return Variant(k.EnterOrderAktienMarginShort);
    case eAktienInvestWert:
      return Variant(k.AktienInvestWertGesamt);
    case eAktienInvestLWert:
      return Variant(k.AktienInvestWertGesamt - k.AktienInvestWertShort);
    case eAktienInvestSWert:
      return Variant(k.AktienInvestWertShort);
    case eAktienAktuellWert:
      return Variant(k.AktienWertAktuellGesamt);
    case eAktienAktuellLWert:
      return Variant(k.AktienWertAktuellGesamt - k.AktienWertAktuellShort);
    case eAktienAktuellSWert:
      return Variant(k.AktienWertAktuellShort);
    case eAktienOpenPL:
      return Variant(k.KapitalAktienOpenPLGesamt);
    case eAktienLOpenPL:
      return Variant(k.KapitalAktienOpenPLGesamt - k.KapitalAktienOpenPLShort);
    case eAktienSOpenPL:
      return Variant(k.KapitalAktienOpenPLShort);
    case eAktienMargin:
      return Variant(k.KapitalAktienMarginGesamt);
    case eAktienLMargin:
      return Variant(k.KapitalAktienMarginGesamt - k.KapitalAktienMarginShort);
    case eAktienSMargin:
      return Variant(k.KapitalAktienMarginShort);
    case eKontrakteOpenPL:
      return Variant(k.KapitalKontrakteOpenPLGesamt);
    case eKontrakteLOpenPL:
      return Variant(k.KapitalKontrakteOpenPLGesamt - k.KapitalKontrakteOpenPLShort);
    case eKontrakteSOpenPL:
      return Variant(k.KapitalKontrakteOpenPLShort);
    case eKontrakteMargin:
      return Variant(k.KapitalKontrakteMarginGesamt);
    case eKontrakteLMargin:
      return Variant(k.KapitalKontrakteMarginGesamt - k.KapitalKontrakteMarginShort);
    case eKontrakteSMargin:
      return Variant(k.KapitalKontrakteMarginShort);
    case eFreiesKapital:
      return Variant(k.CashBetrag);
    case eGesamtKapital:
      return Variant(k.BerechneGesamtKapital());
    case eVerfuegbarKapital:
      return Variant(k.BerechneVerfuegbarKapital());
    case ebezahltegebuehren:
      return Variant(k.PaidCommissions);
    default:
      return Variant();  // 48 and every number outside the table
  }
}

void FuelleKennzahlenListe(KeyedDictionary<Variant>& Liste) {
  for (int32_t i = 1; i <= kKontoKennzahlCount; ++i) {
    const KennzahlInfo& info = KennzahlBeschreibung(i);
    std::string key;
    for (char c : info.display_name) {
      if (c != ' ') key += c;
    }
    Liste.Add(std::move(key),
              Variant(VariantArray::Vector(0, {Variant(std::string(info.display_name)), Variant(i),
                                               Variant(static_cast<int16_t>(info.kategorie))})));
  }
}

}  // namespace vks
