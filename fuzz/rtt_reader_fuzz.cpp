// Any bytes as an RTT file: reading must never crash, and every listing of what was read must be
// producible.
#include <cstddef>
#include <cstdint>
#include <span>
#include <sstream>

#include "recording/RttReader.h"
#include "tools/vks-rtt/RttCommands.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  vks::Result<vks::RttContents> contents = vks::ParseRtt(std::span<const uint8_t>(data, size));
  if (!contents.ok()) return 0;
  std::ostringstream out;
  vks::rtt_tool::PrintInfo(*contents, "fuzz.RTT", out);
  vks::rtt_tool::PrintCsv(*contents, out);
  vks::rtt_tool::PrintJson(*contents, "fuzz.RTT", out);
  return 0;
}
