#pragma once
// The 48 account metrics that the host reads, rule scripts use and the script editor offers: their
// numbers, display names and categories, and how an account computes each.
#include <cstdint>
#include <string_view>

#include "accounts/clKonto.h"
#include "platform/automation/KeyedDictionary.h"
#include "platform/automation/Variant.h"

namespace vks {

enum eKontoKennzahl : int32_t {
  eOpenOrders = 1,
  eOpenLOrders = 2,
  eOpenSOrders = 3,
  eOpenEnterOrders = 4,
  eOpenLEnterOrders = 5,
  eOpenSEnterOrders = 6,
  eFilledOrders = 7,
  eFilledLOrders = 8,
  eFilledSOrders = 9,
  eFilledEnterOrders = 10,
  eFilledLEnterOrders = 11,
  eFilledSEnterOrders = 12,
  eAnzahlPositionen = 13,
  eAnzahlLPositionen = 14,
  eAnzahlSPositionen = 15,
  eAktienPositionen = 16,
  eAktienLPositionen = 17,
  eAktienSPositionen = 18,
  eKontraktAnzahl = 19,
  eKontraktLAnzahl = 20,
  eKontraktSAnzahl = 21,
  eEnterOrderMarginLong = 22,
  eEnterOrderMarginShort = 23,
  eEnterOrderAktienMarginLong = 24,
  eEnterOrderAktienMarginShort = 25,
  eAktienInvestWert = 26,
  eAktienInvestLWert = 27,
  eAktienInvestSWert = 28,
  eAktienAktuellWert = 29,
  eAktienAktuellLWert = 30,
  eAktienAktuellSWert = 31,
  eAktienOpenPL = 32,
  eAktienLOpenPL = 33,
  eAktienSOpenPL = 34,
  eAktienMargin = 35,
  eAktienLMargin = 36,
  eAktienSMargin = 37,
  eKontrakteOpenPL = 38,
  eKontrakteLOpenPL = 39,
  eKontrakteSOpenPL = 40,
  eKontrakteMargin = 41,
  eKontrakteLMargin = 42,
  eKontrakteSMargin = 43,
  eFreiesKapital = 44,
  eGesamtKapital = 45,
  eVerfuegbarKapital = 46,
  ebezahltegebuehren = 47,
  ePlatzierenVerhindert = 48,
};

inline constexpr int32_t kKontoKennzahlCount = 48;

// Categories of the metrics.
enum class KennzahlKategorie : int16_t {
  Orders = 1,
  Positionen = 2,
  WertUndPL = 3,
  Margin = 4,
  Kapital = 5,
};

struct KennzahlInfo {
  std::string_view display_name;
  KennzahlKategorie kategorie;
};

// Display name and category of metric 1 … 48. REQUIRES: 1 <= Kennzahl <= 48.
const KennzahlInfo& KennzahlBeschreibung(int32_t Kennzahl);

// The metric as the account holds it now: a Long for 1 to 21, a Double for 22 to 47, Empty for 48
// and for every number outside 1 to 47.
Variant GetKontoKennzahl(const clKonto& konto, int32_t Kennzahl);

// Adds the 48 entries: key = display name without blanks, item = array (from 0) of display name,
// number (Long) and category (Integer). A key that Liste holds already raises error 457.
void FuelleKennzahlenListe(KeyedDictionary<Variant>& Liste);

}  // namespace vks
