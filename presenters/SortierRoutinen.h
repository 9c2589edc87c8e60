#pragma once
// Sorting of report lists by a click on a column header: the per-list state machine (which column,
// which order, whether the list keeps itself sorted by text) and the values that number and date
// columns sort by. The list widget applies the outcome; this holds no widget.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/AutomationLocale.h"

namespace vks {

// A column's header tag says how it sorts: "0" or empty by text, "1" by number, "2" by date.
enum class SortArt { Text, Zahl, Datum };

// The sort properties of one list control.
struct ListenSortierung {
  int16_t SortKey = 0;    // zero-based column sorted by
  int16_t SortOrder = 0;  // 0 ascending, 1 descending
  bool Sorted = false;    // the list keeps itself sorted by text
  std::string Tag;        // "S" once a number or date sort was applied
};

// What the list is to do after a click: sort column `spalte` as `art`, descending or not.
struct SortierAuftrag {
  SortArt art = SortArt::Text;
  int16_t spalte = 0;
  bool absteigend = false;
};

// One per process: it holds the column of the current number or date comparison, which every
// list shares.
class SortierRoutinen {
 public:
  // The header click: the tag's numeric value picks the sort (text that is no number counts 0);
  // any other value does nothing. `spalte` is the zero-based index of the clicked column.
  std::optional<SortierAuftrag> SpaltenKlick(ListenSortierung& liste, std::string_view tag,
                                             int16_t spalte);

  SortierAuftrag SortiereText(ListenSortierung& liste, int16_t spalte);
  SortierAuftrag SortiereZahl(ListenSortierung& liste, int16_t spalte);
  SortierAuftrag SortiereDatum(ListenSortierung& liste, int16_t spalte);

 private:
  SortierAuftrag SortiereWert(ListenSortierung& liste, int16_t spalte, SortArt art);
};

// A number cell's value: at most 31 characters, trimmed, cut before the first blank and before the
// first "%", read by the locale's rules; empty or unreadable text is 0.
double ZellenWertZahl(std::string_view text, const AutomationLocale& locale);
// A date cell's value as an automation date: at most 31 characters, trimmed, read as the locale's
// date and time; empty or unreadable text is 0.
double ZellenWertDatum(std::string_view text, const AutomationLocale& locale);

// The order of the rows after a sort: indexes into `zellen`, equal values keeping their order.
// Text compares without regard to letter case.
std::vector<size_t> SortierteReihenfolge(const std::vector<std::string>& zellen, SortArt art,
                                         bool absteigend, const AutomationLocale& locale);

}  // namespace vks
