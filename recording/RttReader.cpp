#include "recording/RttReader.h"

#include <algorithm>
#include <array>

#include "platform/automation/Windows1252.h"

namespace vks {
namespace {

constexpr std::string_view kSource = "RttReader";
constexpr int64_t kHeader = rtt::kHeaderSize;
constexpr int64_t kRecord = rtt::kRecordSize;

std::string Text(std::span<const uint8_t, rtt::kHeaderSize> bytes, rtt::Field field) {
  std::string_view raw(reinterpret_cast<const char*>(bytes.data()) + field.offset, field.size);
  size_t end = raw.find_last_not_of(' ');
  raw = end == std::string_view::npos ? std::string_view() : raw.substr(0, end + 1);
  return Windows1252ToUtf8(raw);
}

bool AllZero(std::span<const uint8_t> bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b == 0; });
}

// The file system's error with the file's name, as the tools show it.
AutomationError WithPath(const AutomationError& e, const std::string& path) {
  return AutomationError(e.Number(), std::string(kSource),
                         std::string(ErrorDescription(e.Number())) + ": '" + path + "'");
}

// Decodes the complete records in [first, end) of the file, kRecordsPerRead at a time.
void VisitRecords(ReadableFile& file, int64_t end, int64_t first, const RttRecordVisitor& visit) {
  if (first < 0) return;
  std::vector<uint8_t> buffer(RttFile::kRecordsPerRead * rtt::kRecordSize);
  for (int64_t index = first; index < end;) {
    const int64_t want = std::min<int64_t>(end - index, RttFile::kRecordsPerRead);
    const size_t got = file.ReadAt(kHeader + index * kRecord,
                                   std::span(buffer).first(static_cast<size_t>(want * kRecord)));
    // A file cut meanwhile ends the walk at its last complete record.
    const int64_t records = static_cast<int64_t>(got) / kRecord;
    for (int64_t i = 0; i < records; ++i, ++index)
      visit(index, DecodeRttRecord(std::span<const uint8_t>(buffer)
                                       .subspan(static_cast<size_t>(i * kRecord))
                                       .first<rtt::kRecordSize>()));
    if (records < want) return;
  }
}

}  // namespace

RttHeaderFields ParseRttHeader(std::span<const uint8_t, rtt::kHeaderSize> bytes) {
  RttHeaderFields h;
  h.signature = Text(bytes, rtt::kSignature);
  h.minus_one =
      static_cast<int16_t>(bytes[rtt::kMinusOne.offset] | (bytes[rtt::kMinusOne.offset + 1] << 8));
  h.display_name = Text(bytes, rtt::kDisplayName);
  h.base_name = Text(bytes, rtt::kBaseName);
  h.description = Text(bytes, rtt::kDescription);
  h.ja = Text(bytes, rtt::kJa);
  h.display_name_long = Text(bytes, rtt::kDisplayNameLong);
  h.base_name_long = Text(bytes, rtt::kBaseNameLong);
  h.maker = Text(bytes, rtt::kMaker);
  h.category = Text(bytes, rtt::kCategory);
  h.signature_ok = h.signature == rtt::kSignatureText;
  size_t maker_end = rtt::kMaker.offset + rtt::kMaker.size;
  h.zero_fields_ok = AllZero(bytes.subspan(maker_end, rtt::kCategory.offset - maker_end)) &&
                     AllZero(bytes.subspan(rtt::kCategory.offset + rtt::kCategory.size));
  return h;
}

Result<RttFile> RttFile::Open(FileSystem& files, const std::string& path) {
  try {
    std::unique_ptr<ReadableFile> file = files.OpenReadable(path);
    std::array<uint8_t, rtt::kHeaderSize> header;
    const int64_t size = file->Size();
    const size_t got = file->ReadAt(0, header);
    if (got < rtt::kHeaderSize)
      return AutomationError(error::kBadFileFormat, std::string(kSource),
                             std::string(ErrorDescription(error::kBadFileFormat)) + ": " +
                                 std::to_string(got) +
                                 " Bytes sind weniger als der RTT-Kopf von 856 Bytes");
    RttSummary summary;
    summary.header = ParseRttHeader(header);
    // A file that grew between the size and the header's read counts from its header on.
    summary.size = std::max<int64_t>(size, kHeader);
    summary.record_count = (summary.size - kHeader) / kRecord;
    summary.trailing_bytes = (summary.size - kHeader) % kRecord;
    summary.well_formed = summary.trailing_bytes == 0;
    return RttFile(std::move(file), std::move(summary));
  } catch (const AutomationError& e) {
    return WithPath(e, path);
  }
}

RttRecord RttFile::Record(int64_t index) {
  RttRecordBytes bytes{};
  (void)file_->ReadAt(kHeader + index * kRecord, bytes);
  return DecodeRttRecord(bytes);
}

void RttFile::ForEachRecord(int64_t first, const RttRecordVisitor& visit) {
  VisitRecords(*file_, summary_.record_count, first, visit);
}

Result<RttContents> ReadRttFile(FileSystem& files, const std::string& path) {
  Result<RttFile> file = RttFile::Open(files, path);
  if (!file) return file.error();
  RttContents contents;
  static_cast<RttSummary&>(contents) = file->Summary();
  try {
    contents.records.reserve(static_cast<size_t>(contents.record_count));
    file->ForEachRecord(0, [&](int64_t, const RttRecord& r) { contents.records.push_back(r); });
    contents.record_count = static_cast<int64_t>(contents.records.size());
  } catch (const AutomationError& e) {
    return WithPath(e, path);
  }
  return contents;
}

Result<std::vector<RttRecord>> ReadRttRecordsFrom(FileSystem& files, const std::string& path,
                                                  int64_t first) {
  std::vector<RttRecord> records;
  try {
    std::unique_ptr<ReadableFile> file = files.OpenReadable(path);
    const int64_t end = std::max<int64_t>(file->Size() - kHeader, 0) / kRecord;
    VisitRecords(*file, end, first, [&](int64_t, const RttRecord& r) { records.push_back(r); });
  } catch (const AutomationError& e) {
    return WithPath(e, path);
  }
  return records;
}

}  // namespace vks
