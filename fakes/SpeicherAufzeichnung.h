#pragma once
// An RTT recorder whose files live in memory: account tests book and read the series back without
// a temporary folder.
#include <string>
#include <string_view>

#include "fakes/MemoryFileSystem.h"
#include "recording/RttAufzeichnung.h"
#include "recording/RttFileName.h"
#include "recording/RttReader.h"

namespace vks::testing {

struct SpeicherAufzeichnung {
  fuzzing::MemoryFileSystem dateien;
  RttAufzeichnung rtt{dateien, RttStorage{"/rtt"}};

  // One series' file.
  Result<RttContents> Inhalt(std::string_view konto, std::string_view wkn, eKontoDatenArt art) {
    return ReadRttFile(dateien, RttFileLocation(rtt.Speicher(), konto, wkn, art).file);
  }
  // Its records; none when its file was never written.
  std::vector<RttRecord> Records(std::string_view konto, std::string_view wkn, eKontoDatenArt art) {
    Result<RttContents> contents = Inhalt(konto, wkn, art);
    return contents.ok() ? contents->records : std::vector<RttRecord>{};
  }
};

}  // namespace vks::testing
