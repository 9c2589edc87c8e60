#pragma once
// The account list as rows of text: what the account list window shows, computed without any
// window so that the texts are tested headless. The window only displays the rows it is handed.
#include <string>
#include <vector>

#include "platform/automation/AutomationLocale.h"

namespace vks {

class clKonto;

struct KontenZeile {
  std::string key;  // the account name in lower case
  std::string name;
  std::string datum;         // AktuelleZeit in the locale's date and time format
  std::string gesamtwert;    // total capital, "#,0.00"
  std::string enter_orders;  // open entry orders "/" their margin, "#,0.00"
  std::string positionen;    // number of positions
};

// The two texts of one row that follow the prices.
struct Kurswerte {
  std::string key;
  std::string datum;
  std::string gesamtwert;
};

KontenZeile BaueKontenZeile(const clKonto& konto, const AutomationLocale& locale);
// The two texts that follow the prices: the current time and the total capital.
std::string DatumText(const clKonto& konto, const AutomationLocale& locale);
std::string GesamtwertText(const clKonto& konto, const AutomationLocale& locale);

// The account list window as the presenter drives it.
class KontenListeAnsicht {
 public:
  virtual ~KontenListeAnsicht() = default;
  virtual void ListeLeeren() = 0;
  // Adds the row or replaces the one with the same key.
  virtual void ZeileSetzen(const KontenZeile& zeile) = 0;
  virtual void ZeileEntfernen(const std::string& key) = 0;
  // The price-save tick's refresh: "Datum" and "Gesamtwert" of an existing row.
  virtual void KurswerteSetzen(const std::string& key, const std::string& datum,
                               const std::string& gesamtwert) = 0;
  // The same for many rows, and the whole list at once in place of what it showed: a window can
  // take them in one go rather than hear of each cell. By default, one row after the other.
  virtual void AlleKurswerteSetzen(const std::vector<Kurswerte>& werte);
  virtual void ListeFuellen(const std::vector<KontenZeile>& zeilen);
};

}  // namespace vks
