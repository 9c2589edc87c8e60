#pragma once
// Appends one time-stamped value to the RTT file of an account or position series. The host reads
// these files while we write, so each record is one single write of 16 bytes at the end. The files
// stay open between calls (see OffeneRttDateien).
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/Variant.h"
#include "recording/RttStorage.h"
#include "recording/eKontoDatenArt.h"

namespace vks {

// Creates folder, file and header on first use. Never fails towards the caller: a folder that
// cannot be made, a file that cannot be opened, a full disk or a file that is not 856 + 16 × n
// bytes long (it receives nothing) lose this one record silently.
void SchreibeRTTWert(const RttStorage& storage, std::string_view KontoName,
                     std::string_view TitelWKN, std::string_view TitelName, eKontoDatenArt Datenart,
                     DateValue Zeitpunkt, float Wert, float Wert2) noexcept;

// Writes the values waiting in this thread's RttAufschub, then closes the files kept open: before
// RTT files are deleted, or the storage folder moves.
void SchliesseRttDateien() noexcept;

// While one lives on a thread, the values written there wait and are written, in their order, when
// it ends: a host's call is answered first and the files are written while the answer travels.
// Scopes inside another add to the outer one. Whoever reads or checks RTT files inside such a scope
// writes the waiting values first (SchreibeWartendeRttWerte); deleting goes through
// SchliesseRttDateien, which does it too.
class RttAufschub {
 public:
  RttAufschub();
  ~RttAufschub();
  RttAufschub(const RttAufschub&) = delete;
  RttAufschub& operator=(const RttAufschub&) = delete;

  struct Wert {
    std::string datei;
    size_t ordner_laenge;
    std::string konto, wkn, titel;
    eKontoDatenArt art;
    DateValue zeitpunkt;
    float wert, wert2;
  };

 private:
  bool aussen_;
  std::vector<Wert> werte_;
  friend void SchreibeWartendeRttWerte() noexcept;
  friend void SchreibeRTTWert(const RttStorage&, std::string_view, std::string_view,
                              std::string_view, eKontoDatenArt, DateValue, float, float) noexcept;
};

// Writes the values waiting in this thread's RttAufschub now.
void SchreibeWartendeRttWerte() noexcept;

}  // namespace vks
