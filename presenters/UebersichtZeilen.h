#pragma once
// What the account overview window shows, as text: its three lists' columns and rows and the
// block of account figures. Computed without any window, so the texts are tested headless; the
// window only displays them.
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/automation/AutomationLocale.h"
#include "presenters/SortierRoutinen.h"

namespace vks {

class clFilledOrder;
class clKonto;
class clOffeneOrder;
class clTitelPosition;

enum class UebersichtListe { kOrders = 0, kPositionen = 1, kAusfuehrungen = 2 };

struct UebersichtSpalte {
  const char* titel;
  int breite;  // pixels at 96 dots per inch
  bool rechts;
  SortArt sortierung;  // its header tag: 0 text, 1 number, 2 date
};

std::span<const UebersichtSpalte> Spalten(UebersichtListe liste);

struct UebersichtZeile {
  std::string key;  // order or fill ID, "#" + TitelWKN for a position
  std::vector<std::string> spalten;
  // A fill row may carry its fill instead of texts: a list of 100 000 fills then formats only the
  // cells it shows or sorts by (FillZelle).
  std::shared_ptr<const clFilledOrder> fill;
};

// "Buy (Enter)", "Sell (Exit)" …: an open order always names entry or exit, a fill only entry.
std::string RichtungsText(int16_t Aktion, bool IsEnterOrder, bool IstOrder);

UebersichtZeile BaueOrderZeile(const clOffeneOrder& order);
UebersichtZeile BauePositionsZeile(const clTitelPosition& position, const AutomationLocale& locale);
UebersichtZeile BaueFillZeile(const clFilledOrder& fill, const AutomationLocale& locale);
// One cell of a fill's row, 0 to 6.
std::string FillZelle(const clFilledOrder& fill, int spalte, const AutomationLocale& locale);

// The labels of the figures block; each counting row holds total, long, short.
struct KontoZahlen {
  std::array<std::string, 3> offene_orders;
  std::array<std::string, 6> enter_orders;  // counts, then margin
  std::array<std::string, 3> positionen;
  std::array<std::string, 3> gefillt;
  std::string cash, gesamt, margin, open_pl, verfuegbar;
};

KontoZahlen BaueKontoZahlen(const clKonto& konto, const AutomationLocale& locale);

}  // namespace vks
