#include "recording/RttReader.h"

#include <algorithm>

#include "platform/automation/Windows1252.h"
#include "platform/files/RawFile.h"
#include "platform/files/WindowsError.h"

namespace vks {
namespace {

constexpr std::string_view kSource = "RttReader";

std::string Text(std::span<const uint8_t, rtt::kHeaderSize> bytes, rtt::Field field) {
  std::string_view raw(reinterpret_cast<const char*>(bytes.data()) + field.offset, field.size);
  size_t end = raw.find_last_not_of(' ');
  raw = end == std::string_view::npos ? std::string_view() : raw.substr(0, end + 1);
  return Windows1252ToUtf8(raw);
}

bool AllZero(std::span<const uint8_t> bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b == 0; });
}

AutomationError OpenError(const std::string& path, uint32_t code) {
  return AutomationError(error::kFileNotFound, std::string(kSource),
                         std::string(ErrorDescription(error::kFileNotFound)) + ": '" + path +
                             "' (" + SystemErrorMessage(code) + ")");
}

// Reads the whole file as it is at this moment.
Result<std::vector<uint8_t>> ReadAll(const std::string& path) {
  uint32_t code = 0;
  rawfile::FileHandle handle = rawfile::OpenForReading(path, code);
  if (handle == rawfile::kInvalidHandle) return OpenError(path, code);
  std::vector<uint8_t> bytes;
  int64_t size = rawfile::FileSize(handle, code);
  bytes.resize(static_cast<size_t>(std::max<int64_t>(size, 0)));
  int64_t got = rawfile::Read(handle, bytes, code);
  (void)rawfile::Close(handle);
  bytes.resize(static_cast<size_t>(std::max<int64_t>(got, 0)));
  return bytes;
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

Result<RttContents> ParseRtt(std::span<const uint8_t> bytes) {
  if (bytes.size() < rtt::kHeaderSize)
    return AutomationError(error::kBadFileFormat, std::string(kSource),
                           std::string(ErrorDescription(error::kBadFileFormat)) + ": " +
                               std::to_string(bytes.size()) +
                               " Bytes sind weniger als der RTT-Kopf von 856 Bytes");
  RttContents contents;
  contents.size = static_cast<int64_t>(bytes.size());
  contents.header = ParseRttHeader(bytes.first<rtt::kHeaderSize>());
  std::span<const uint8_t> body = bytes.subspan(rtt::kHeaderSize);
  size_t count = body.size() / rtt::kRecordSize;
  contents.records.reserve(count);
  for (size_t i = 0; i < count; ++i)
    contents.records.push_back(
        DecodeRttRecord(body.subspan(i * rtt::kRecordSize).first<rtt::kRecordSize>()));
  contents.trailing_bytes = static_cast<int64_t>(body.size() % rtt::kRecordSize);
  contents.well_formed = contents.trailing_bytes == 0;
  return contents;
}

Result<RttContents> ReadRttFile(const std::string& path) {
  Result<std::vector<uint8_t>> bytes = ReadAll(path);
  if (!bytes) return bytes.error();
  return ParseRtt(*bytes);
}

Result<std::vector<RttRecord>> ReadRttRecordsFrom(const std::string& path, int64_t first) {
  uint32_t code = 0;
  rawfile::FileHandle handle = rawfile::OpenForReading(path, code);
  if (handle == rawfile::kInvalidHandle) return OpenError(path, code);
  std::vector<RttRecord> records;
  int64_t size = rawfile::FileSize(handle, code);
  int64_t start = static_cast<int64_t>(rtt::kHeaderSize) + first * int64_t{rtt::kRecordSize};
  if (first >= 0 && size > start &&
      rawfile::Seek(handle, start, rawfile::SeekOrigin::Begin, code) == start) {
    std::vector<uint8_t> bytes(static_cast<size_t>((size - start) / int64_t{rtt::kRecordSize}) *
                               rtt::kRecordSize);
    int64_t got = rawfile::Read(handle, bytes, code);
    for (int64_t at = 0; at + int64_t{rtt::kRecordSize} <= got; at += rtt::kRecordSize)
      records.push_back(DecodeRttRecord(std::span<const uint8_t>(bytes)
                                            .subspan(static_cast<size_t>(at))
                                            .first<rtt::kRecordSize>()));
  }
  (void)rawfile::Close(handle);
  return records;
}

}  // namespace vks
