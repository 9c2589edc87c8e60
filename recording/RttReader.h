#pragma once
// Reads RTT files back: the header's fields and the records. For the tools, the charts and the
// tests; the server itself only appends. Any bytes are accepted: what is not a well-formed RTT file
// is reported, never trusted. Files are read through the file system in pieces of a fixed size, so
// that memory stays the same however long a series grows.
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/automation/Result.h"
#include "platform/files/FileSystem.h"
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

// What the header and the size tell.
struct RttSummary {
  RttHeaderFields header;
  int64_t size = 0;
  int64_t record_count = 0;  // every complete record
  // A well-formed file is the header plus whole records; a writer that is half-way through a
  // record (or a cut file) leaves `trailing_bytes` after the last complete one.
  bool well_formed = false;
  int64_t trailing_bytes = 0;
};

struct RttContents : RttSummary {
  std::vector<RttRecord> records;
};

RttHeaderFields ParseRttHeader(std::span<const uint8_t, rtt::kHeaderSize> bytes);

using RttRecordVisitor = std::function<void(int64_t index, const RttRecord& record)>;

// An RTT file open for reading: the summary as the file was when opened, the records on demand.
// Reads after the opening throw the file system's errors.
class RttFile {
 public:
  // Records decoded per read.
  static constexpr size_t kRecordsPerRead = 4096;

  // The file system's error when the file cannot be opened or read (53 when it is missing), 321
  // when it is shorter than a header.
  static Result<RttFile> Open(FileSystem& files, const std::string& path);

  const RttSummary& Summary() const { return summary_; }
  // REQUIRES: 0 <= index < Summary().record_count
  RttRecord Record(int64_t index);
  // Visits the records from `first` on (none for a negative `first`) in file order.
  void ForEachRecord(int64_t first, const RttRecordVisitor& visit);

 private:
  RttFile(std::unique_ptr<ReadableFile> file, RttSummary summary)
      : file_(std::move(file)), summary_(std::move(summary)) {}

  std::unique_ptr<ReadableFile> file_;
  RttSummary summary_;
};

// The whole file, records included: for series known to be small (tests, one chart's series).
Result<RttContents> ReadRttFile(FileSystem& files, const std::string& path);
// The complete records from record `first` on, as the file is now; for following a growing file.
// The file system's error when the file cannot be opened or read.
Result<std::vector<RttRecord>> ReadRttRecordsFrom(FileSystem& files, const std::string& path,
                                                  int64_t first);

}  // namespace vks
