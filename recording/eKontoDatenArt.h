#pragma once
// The recorded series of an account: kind 1 is one position, every other kind a value of the whole
// account. The values are those of the automation interface.
#include <cstdint>
#include <string>
#include <string_view>

namespace vks {

enum eKontoDatenArt : int32_t {
  dTitelPos = 1,
  dOffeneOrders = 2,
  dOffeneLongOrders = 3,
  dOffeneShortOrders = 4,
  dOffeneEnterOrders = 5,
  dOffeneLongEnterOrders = 6,
  dOffeneShortEnterOrders = 7,
  dFilledOrders = 8,
  dFilledLongOrders = 9,
  dFilledShortOrders = 10,
  dFilledEnterOrders = 11,
  dFilledEnterLongOrders = 12,
  dFilledEnterShortOrders = 13,
  dAnzahlPositionen = 14,
  dAktienPositionen = 15,
  dKontraktAnzahl = 16,
  dAnzahlShortPositionen = 17,
  dAktienShortPositionen = 18,
  dKontraktShortPositionen = 19,
  dAnzahlLongPositionen = 20,
  dAktienLongPositionen = 21,
  dKontraktLongPositionen = 22,
  dKapitalAktienInvestWert = 23,
  dKapitalAktienInvestWertLong = 24,
  dKapitalAktienInvestWertShort = 25,
  dKapitalAktienAktuellerWert = 26,
  dKapitalAktienAktuellerWertLong = 27,
  dKapitalAktienAktuellerWertShort = 28,
  dKapitalKontraktOpenPL = 29,
  dKapitalKontraktOpenPLLong = 30,
  dKapitalKontraktOpenPLShort = 31,
  dKapitalAktienOpenPL = 32,
  dKapitalAktienOpenPLLong = 33,
  dKapitalAktienOpenPLShort = 34,
  dKapitalKontraktMargin = 35,
  dKapitalKontraktMarginLong = 36,
  dKapitalKontraktMarginShort = 37,
  dKapitalAktienMargin = 38,
  dKapitalAktienMarginLong = 39,
  dKapitalAktienMarginShort = 40,
  dEnterOrdersMargin = 41,
  dEnterOrdersMarginLong = 42,
  dEnterOrdersMarginShort = 43,
  dEnterOrdersAktienMargin = 44,
  dEnterOrdersAktienMarginLong = 45,
  dEnterOrdersAktienMarginShort = 46,
  dKapitalCash = 47,
  dKapitalGesamtKapital = 48,
  dKapitalVerfuegbarKapital = 49,
  dPaidCommissions = 50,
  dPlatzierenVerhindert = 51,
};

inline constexpr int32_t kFirstKontoDatenArt = dTitelPos;
inline constexpr int32_t kLastKontoDatenArt = dPlatzierenVerhindert;

// The file base name of a series (before the folder and the extension): the kind's prefix and the
// account name, KontoName + "-Pos-" + TitelWKN for a position, TitelWKN for a value outside 1..51.
std::string RttBaseName(std::string_view KontoName, std::string_view TitelWKN,
                        eKontoDatenArt Datenart);
// "Einzeltitel" for a position, "Portfolio" for everything else.
std::string_view RttSubFolder(eKontoDatenArt Datenart);
// The enumeration member's name ("dKapitalCash"); "" outside 1..51.
std::string_view KontoDatenArtName(eKontoDatenArt Datenart);

}  // namespace vks
