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

// Writes the values waiting on this thread, then closes the files kept open: before RTT files are
// deleted, or the storage folder moves.
void SchliesseRttDateien() noexcept;

// While one lives on a thread, the values written there wait: a host's call is answered first and
// the files are written afterwards. Scopes inside another add to the outer one. When the outer one
// ends, the values are written (Nachlauf::Schreiben), or wait further (Nachlauf::Sammeln) until
// SchreibeWartendeRttWerte, until a value is written outside any scope, or until
// kHoechstensWartend wait: a burst of calls then costs one write per file instead of one per value.
// Whoever reads or checks RTT files writes the waiting values first (SchreibeWartendeRttWerte);
// deleting goes through SchliesseRttDateien, which does it too.
class RttAufschub {
 public:
  enum class Nachlauf { Schreiben, Sammeln };
  static constexpr size_t kHoechstensWartend = 8192;

  explicit RttAufschub(Nachlauf nachlauf = Nachlauf::Schreiben);
  ~RttAufschub();
  RttAufschub(const RttAufschub&) = delete;
  RttAufschub& operator=(const RttAufschub&) = delete;

 private:
  bool aussen_;
  Nachlauf nachlauf_;
};

// Writes the values waiting on this thread now, in their order within each file.
void SchreibeWartendeRttWerte() noexcept;

// How many values wait on this thread.
size_t WartendeRttWerte() noexcept;

}  // namespace vks
