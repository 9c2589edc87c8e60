#pragma once
// What an account's operations need from the server around it: the computer clock and the
// recorder of its RTT series. The server owns one and hands it to every operation that books or
// records, so the account holds no global state.
#include <string_view>

#include "platform/system/Clock.h"
#include "recording/RttAufzeichnung.h"
#include "recording/eKontoDatenArt.h"

namespace vks {

class clKonto;
class KontoBeobachter;
class KontoRegeln;

struct KontoUmgebung {
  Clock& clock;
  RttAufzeichnung& rtt;
  KontoBeobachter* beobachter = nullptr;  // the windows, when any are open
  KontoRegeln* regeln = nullptr;          // the rule scripts, when a script host runs them
};

// The time a booking records: the host's time with simulated time, else the computer clock.
DateValue Buchungszeit(const clKonto& konto, DateValue DatumZeit, Clock& clock);

// Records one account value (no security) of `konto` through the RTT recorder.
void RecordKontoWert(const KontoUmgebung& umgebung, const clKonto& konto, eKontoDatenArt art,
                     DateValue zeit, double wert, double wert2 = 1);

}  // namespace vks
