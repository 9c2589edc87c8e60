#include "recording/eKontoDatenArt.h"

#include <array>

namespace vks {
namespace {

struct KindEntry {
  std::string_view name;
  std::string_view prefix;  // followed by KontoName; empty for the position
};

// Indexed by value - 1. The prefixes are the names the host knows; several differ from the
// member names (19, 22, 23, 41).
constexpr std::array<KindEntry, 51> kKinds = {{
    {"dTitelPos", ""},
    {"dOffeneOrders", "OffeneOrders-"},
    {"dOffeneLongOrders", "OffeneLongOrders-"},
    {"dOffeneShortOrders", "OffeneShortOrders-"},
    {"dOffeneEnterOrders", "OffeneEnterOrders-"},
    {"dOffeneLongEnterOrders", "OffeneLongEnterOrders-"},
    {"dOffeneShortEnterOrders", "OffeneShortEnterOrders-"},
    {"dFilledOrders", "Filled-"},
    {"dFilledLongOrders", "FilledLong-"},
    {"dFilledShortOrders", "FilledShort-"},
    {"dFilledEnterOrders", "FilledEnter-"},
    {"dFilledEnterLongOrders", "FilledEnterLong-"},
    {"dFilledEnterShortOrders", "FilledEnterShort-"},
    {"dAnzahlPositionen", "AnzahlPositionen-"},
    {"dAktienPositionen", "AktienPositionen-"},
    {"dKontraktAnzahl", "KontraktAnzahl-"},
    {"dAnzahlShortPositionen", "AnzahlShortPositionen-"},
    {"dAktienShortPositionen", "AktienShortPositionen-"},
    {"dKontraktShortPositionen", "KontraktShortAnzahl-"},
    {"dAnzahlLongPositionen", "AnzahlLongPositionen-"},
    {"dAktienLongPositionen", "AktienLongPositionen-"},
    {"dKontraktLongPositionen", "KontraktLongAnzahl-"},
    {"dKapitalAktienInvestWert", "AktienKaufwert-"},
    {"dKapitalAktienInvestWertLong", "AktienKaufwertLong-"},
    {"dKapitalAktienInvestWertShort", "AktienKaufwertShort-"},
    {"dKapitalAktienAktuellerWert", "AktienAktuellerWert-"},
    {"dKapitalAktienAktuellerWertLong", "AktienAktuellerWertLong-"},
    {"dKapitalAktienAktuellerWertShort", "AktienAktuellerWertShort-"},
    {"dKapitalKontraktOpenPL", "KontraktOpenPL-"},
    {"dKapitalKontraktOpenPLLong", "KontraktOpenPLLong-"},
    {"dKapitalKontraktOpenPLShort", "KontraktOpenPLShort-"},
    {"dKapitalAktienOpenPL", "AktienOpenPL-"},
    {"dKapitalAktienOpenPLLong", "AktienOpenPLLong-"},
    {"dKapitalAktienOpenPLShort", "AktienOpenPLShort-"},
    {"dKapitalKontraktMargin", "KontraktMargin-"},
    {"dKapitalKontraktMarginLong", "KontraktMarginLong-"},
    {"dKapitalKontraktMarginShort", "KontraktMarginShort-"},
    {"dKapitalAktienMargin", "AktienMargin-"},
    {"dKapitalAktienMarginLong", "AktienMarginLong-"},
    {"dKapitalAktienMarginShort", "AktienMarginShort-"},
    {"dEnterOrdersMargin", "EnterOrderMargin-"},
    {"dEnterOrdersMarginLong", "EnterOrderMarginLong-"},
    {"dEnterOrdersMarginShort", "EnterOrderMarginShort-"},
    {"dEnterOrdersAktienMargin", "AktienEnterOrderMargin-"},
    {"dEnterOrdersAktienMarginLong", "AktienEnterOrderMarginLong-"},
    {"dEnterOrdersAktienMarginShort", "AktienEnterOrderMarginShort-"},
    {"dKapitalCash", "KapitalCash-"},
    {"dKapitalGesamtKapital", "KapitalGesamt-"},
    {"dKapitalVerfuegbarKapital", "KapitalVerfuegbar-"},
    {"dPaidCommissions", "PaidCommissions-"},
    {"dPlatzierenVerhindert", "KeineEnterOrder-"},
}};

bool InRange(eKontoDatenArt Datenart) {
  return Datenart >= kFirstKontoDatenArt && Datenart <= kLastKontoDatenArt;
}

}  // namespace

std::string RttBaseName(std::string_view KontoName, std::string_view TitelWKN,
                        eKontoDatenArt Datenart) {
  std::string name;
  if (Datenart == dTitelPos) {
    name.append(KontoName).append("-Pos-").append(TitelWKN);
  } else if (InRange(Datenart)) {
    name.append(kKinds[Datenart - 1].prefix).append(KontoName);
  } else {
    name.append(TitelWKN);
  }
  return name;
}

std::string_view RttSubFolder(eKontoDatenArt Datenart) {
  return Datenart == dTitelPos ? "Einzeltitel" : "Portfolio";
}

std::string_view KontoDatenArtName(eKontoDatenArt Datenart) {
  return InRange(Datenart) ? kKinds[Datenart - 1].name : std::string_view();
}

}  // namespace vks
