#pragma once
// Reads RTT files back: the header's fields and the records. For the tools and the tests; the
// server itself only appends. Any bytes are accepted: what is not a well-formed RTT file is
// reported, never trusted.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/automation/Result.h"
#include "recording/RttRecord.h"

namespace vks {

// The header's texts as UTF-8 without the padding spaces.
struct RttHeaderFields {
  std::string signature;
  int16_t minus_one = 0;
  std::string display_name;
  std::string base_name;
  std::string description;
  std::string ja;
  std::string display_name_long;
  std::string base_name_long;
  std::string maker;
  std::string category;
  bool signature_ok = false;
  bool zero_fields_ok = false;  // every byte the server leaves unset is 0
};

struct RttContents {
  RttHeaderFields header;
  std::vector<RttRecord> records;  // every complete record
  int64_t size = 0;
  // A well-formed file is the header plus whole records; a writer that is half-way through a
  // record (or a cut file) leaves `trailing_bytes` after the last complete one.
  bool well_formed = false;
  int64_t trailing_bytes = 0;
};

RttHeaderFields ParseRttHeader(std::span<const uint8_t, rtt::kHeaderSize> bytes);
// Error 321 for fewer bytes than a header.
Result<RttContents> ParseRtt(std::span<const uint8_t> bytes);
// Error 53 when the file cannot be opened, 321 when it is shorter than a header.
Result<RttContents> ReadRttFile(const std::string& path);
// The complete records from record `first` on, as the file is now; for following a growing file.
// Error 53 when the file cannot be opened.
Result<std::vector<RttRecord>> ReadRttRecordsFrom(const std::string& path, int64_t first);

}  // namespace vks
