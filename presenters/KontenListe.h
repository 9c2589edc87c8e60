#pragma once
// The account list as rows of text: what the account list window shows, computed without any
// window so that the texts are tested headless. The window only displays the rows it is handed.
#include <string>
#include <string_view>
#include <vector>

#include "accounts/KontoBeobachter.h"
#include "platform/automation/AutomationLocale.h"
#include "platform/automation/Variant.h"

namespace vks {

class clKonto;

struct KontenZeile {
  std::string key;  // the account name in lower case
  std::string name;
  std::string datum;         // AktuelleZeit in the locale's date and time format
  std::string gesamtwert;    // total capital, "#,0.00"
  std::string enter_orders;  // open entry orders "/" their margin, "#,0.00" (see ZeilenAnlass)
  std::string positionen;    // number of positions
};

// What a price moves in one row, as numbers: a window makes the texts (DatumText, GesamtwertText)
// when it shows the row, which in a long list most rows never are between two ticks.
struct Kurswerte {
  size_t position;        // the account's place in the collection, where its row usually is
  std::string_view name;  // the account's name, the row's text: how the row is told apart
  DateValue zeit;
  double gesamtkapital;
};

KontenZeile BaueKontenZeile(const clKonto& konto, const AutomationLocale& locale,
                            ZeilenAnlass anlass = ZeilenAnlass::kListe);
// The two texts that follow the prices: the current time and the total capital.
std::string DatumText(DateValue zeit, const AutomationLocale& locale);
std::string GesamtwertText(double gesamtkapital, const AutomationLocale& locale);

// The account list window as the presenter drives it.
class KontenListeAnsicht {
 public:
  virtual ~KontenListeAnsicht() = default;
  virtual void ListeLeeren() = 0;
  // Adds the row or replaces the one with the same key.
  virtual void ZeileSetzen(const KontenZeile& zeile) = 0;
  virtual void ZeileEntfernen(const std::string& key) = 0;
  // The price-save tick's refresh: "Datum" and "Gesamtwert" of existing rows, in the window's
  // locale; a name without a row is passed over.
  virtual void AlleKurswerteSetzen(const std::vector<Kurswerte>& werte) = 0;
  // The whole list at once in place of what it showed: a window can take it in one go rather than
  // hear of each row. By default, one row after the other.
  virtual void ListeFuellen(const std::vector<KontenZeile>& zeilen);
  // The window's status line: why the accounts are not saved; "" when they are.
  virtual void SpeicherstatusZeigen(const std::string& /*text*/) {}
};

}  // namespace vks
