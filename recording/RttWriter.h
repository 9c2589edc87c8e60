#pragma once
// Appends one time-stamped value to the RTT file of an account or position series. The host reads
// these files while we write, so each record is one single write of 16 bytes at the end. The files
// stay open between calls (see OffeneRttDateien).
#include <string_view>

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

// Closes the files kept open, e.g. before the storage folder moves.
void SchliesseRttDateien() noexcept;

}  // namespace vks
