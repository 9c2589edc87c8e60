#pragma once
// The user's deletions of open orders, positions and fills from an account, as the overview
// window offers them. They change the account's counters (and, on request, its capital) without
// asking the host, and record the changed series. The window passes the keys of its marked rows
// in list order; each deletion works from the last to the first and reports every removed row.
//
// A key that the account does not hold (any more) ends the deletion at that row with the
// collection's error 32811: what was deleted before stays deleted and nothing is recorded.
#include <functional>
#include <string>
#include <vector>

namespace vks {

class clKonto;
struct KontoUmgebung;

using ZeileEntfernt = std::function<void(const std::string& key)>;

// Keys are order IDs. Releases the entry-order margin of the unfilled rest of each entry order.
void LöscheOffeneOrders(clKonto& Konto, const std::vector<std::string>& markiert,
                        const KontoUmgebung& umgebung, const ZeileEntfernt& entfernt);

// Keys are "#" + TitelWKN. With `abrechnen` the open profit and loss and the bound margin go back
// to cash and the capital totals lose the position; without it only the counters change.
void LöschePositionen(clKonto& Konto, const std::vector<std::string>& markiert, bool abrechnen,
                      const KontoUmgebung& umgebung, const ZeileEntfernt& entfernt);

// Keys are fill IDs. Records the fill counts also when nothing was marked.
void LöscheAusführungen(clKonto& Konto, const std::vector<std::string>& markiert,
                        const KontoUmgebung& umgebung, const ZeileEntfernt& entfernt);

}  // namespace vks
