// Any bytes as an RTT file: reading must never crash, and every listing of what was read must be
// producible.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "fakes/MemoryFileSystem.h"
#include "recording/RttReader.h"
#include "tools/vks-rtt/RttCommands.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  vks::fuzzing::MemoryFileSystem files;
  files.files["fuzz.RTT"].assign(reinterpret_cast<const char*>(data), size);
  vks::Result<vks::RttFile> file = vks::RttFile::Open(files, "fuzz.RTT");
  if (!file.ok()) return 0;
  std::ostringstream out;
  vks::rtt_tool::PrintInfo(*file, "fuzz.RTT", out);
  vks::rtt_tool::PrintCsv(*file, out);
  vks::rtt_tool::PrintJson(*file, "fuzz.RTT", out);
  return 0;
}
