#include "recording/clDateiIO.h"

#include "platform/automation/AutomationError.h"
#include "platform/files/WindowsError.h"
#include "recording/FilePosition.h"
#include "recording/RttHeader.h"

namespace vks {
namespace {
constexpr std::string_view kCrLf = "\r\n";
constexpr size_t kMaxSystemText = 256;

// The Windows code for a file system error, as far as its number tells it.
uint32_t WindowsCode(const AutomationError& e) {
  switch (e.Number()) {
    case 53:
      return winerror::kFileNotFound;
    case 76:
      return winerror::kPathNotFound;
    case 70:
      return winerror::kAccessDenied;
    case 61:
      return winerror::kDiskFull;
    case 57:
      return winerror::kIoDevice;
    default:
      return winerror::kGenFailure;
  }
}
}  // namespace

clDateiIO::~clDateiIO() {
  if (IsOpen()) (void)rawfile::Close(handle_);
}

void clDateiIO::Raise(int32_t number, std::string text) const {
  throw AutomationError(number, std::string(kDateiIOSource), std::move(text));
}

std::string clDateiIO::PlatformPart() const {
  if (last_error_ == 0) return {};
  std::string text = SystemErrorMessage(last_error_);
  if (text.size() > kMaxSystemText) text.resize(kMaxSystemText);
  return std::string(kCrLf) + "Error " + std::to_string(last_error_) + std::string(kCrLf) + text;
}

void clDateiIO::RequireOpen() const {
  if (!IsOpen()) Raise(error::kKeineDateiOffen, "There is no open file.");
}

void clDateiIO::OpenFile(const std::string& sFileName, bool OnlyRead) {
  if (IsOpen())
    Raise(error::kDateiSchonOffen,
          "The file '" + file_name_ + "' is already open." + PlatformPart());
  rawfile::FileHandle handle = rawfile::OpenOrCreate(sFileName, OnlyRead, last_error_);
  if (handle == rawfile::kInvalidHandle)
    Raise(error::kDateiOeffnen, "Error opening '" + sFileName + "'." + PlatformPart());
  try {
    reader_ = files_.OpenReadable(sFileName);
  } catch (const AutomationError& e) {
    (void)rawfile::Close(handle);
    last_error_ = WindowsCode(e);
    Raise(error::kDateiOeffnen, "Error opening '" + sFileName + "'." + PlatformPart());
  }
  handle_ = handle;
  file_name_ = sFileName;
}

void clDateiIO::CloseFile() {
  RequireOpen();
  last_error_ = rawfile::Close(handle_);
  reader_.reset();
  file_name_.clear();
  auto_flush_ = false;
  handle_ = rawfile::kInvalidHandle;
}

rawfile::FileHandle clDateiIO::FileHandle() const {
  RequireOpen();
  return handle_;
}

const std::string& clDateiIO::FileName() const {
  RequireOpen();
  return file_name_;
}

bool clDateiIO::AutoFlush() const {
  RequireOpen();
  return auto_flush_;
}

void clDateiIO::SetAutoFlush(bool value) {
  RequireOpen();
  auto_flush_ = value;
}

CurrencyValue clDateiIO::FileSize() {
  RequireOpen();
  int64_t size = rawfile::FileSize(handle_, last_error_);
  // The platform reports a failed size query as the low half -1 with the high half 0.
  PositionHalves pair = size < 0 ? PositionHalves{-1, 0}
                                 : PositionHalves{static_cast<int32_t>(static_cast<uint32_t>(size)),
                                                  static_cast<int32_t>(size >> 32)};
  return PairToValue(pair.low, pair.high);
}

CurrencyValue clDateiIO::GetFilePointer() {
  RequireOpen();
  int64_t pos = rawfile::Seek(handle_, 0, rawfile::SeekOrigin::Current, last_error_);
  PositionHalves pair = pos < 0 ? PositionHalves{-1, 0}
                                : PositionHalves{static_cast<int32_t>(static_cast<uint32_t>(pos)),
                                                 static_cast<int32_t>(pos >> 32)};
  return PairToValue(pair.low, pair.high);
}

void clDateiIO::SeekAbsolute(CurrencyValue NewFilePos) {
  RequireOpen();
  PositionHalves pair = ValueToPair(NewFilePos);
  (void)rawfile::Seek(handle_, PairToOffset(pair), rawfile::SeekOrigin::Begin, last_error_);
}

void clDateiIO::SeekRelative(int32_t Offset) {
  RequireOpen();
  if (rawfile::Seek(handle_, Offset, rawfile::SeekOrigin::Current, last_error_) < 0 &&
      last_error_ != 0) {
    std::string n = std::to_string(last_error_);
    Raise(error::kSeekFehler,
          "Seek Error." + std::string(kCrLf) + "Error " + n + "." + std::string(kCrLf) + n);
  }
}

std::vector<uint8_t> clDateiIO::ReadBytes(int32_t ByteCount) {
  RequireOpen();
  if (ByteCount < 1)
    throw AutomationError(error::kSubscriptOutOfRange, std::string(kDateiIOSource));
  if (ByteCount > VariantArray::kMaxElements)
    throw AutomationError(error::kOutOfMemory, std::string(kDateiIOSource));
  std::vector<uint8_t> bytes(static_cast<size_t>(ByteCount), 0);
  const int64_t position = rawfile::Seek(handle_, 0, rawfile::SeekOrigin::Current, last_error_);
  if (position < 0) return bytes;
  try {
    const size_t got = reader_->ReadAt(position, bytes);
    (void)rawfile::Seek(handle_, position + static_cast<int64_t>(got), rawfile::SeekOrigin::Begin,
                        last_error_);
  } catch (const AutomationError& e) {
    last_error_ = WindowsCode(e);
  }
  return bytes;
}

void clDateiIO::WriteBytes(std::span<const uint8_t> DataBytes) {
  RequireOpen();
  (void)rawfile::Write(handle_, DataBytes, last_error_);
  if (auto_flush_) Flush();
}

void clDateiIO::WriteNewHeader(std::string_view KontoName, std::string_view TitelWKN,
                               std::string_view TitelName, eKontoDatenArt Datenart) {
  RequireOpen();
  RttHeaderBytes header = ErzeugeRTTHeader(KontoName, TitelWKN, TitelName, Datenart);
  (void)rawfile::Write(handle_, header, last_error_);
}

void clDateiIO::Flush() {
  RequireOpen();
  last_error_ = rawfile::Flush(handle_);
}

void clDateiIO::SetzeDateiEnde() {
  RequireOpen();
  last_error_ = rawfile::SetEndOfFile(handle_);
}

CurrencyValue clDateiIO::convert64to32(CurrencyValue InputValue) const {
  int64_t quotient = InputValue.scaled / kCurrencyScale;
  int64_t remainder = InputValue.scaled % kCurrencyScale;
  int64_t twice = 2 * (remainder < 0 ? -remainder : remainder);
  int64_t step = InputValue.scaled < 0 ? -1 : 1;
  if (twice > kCurrencyScale || (twice == kCurrencyScale && (quotient % 2) != 0)) quotient += step;
  return CurrencyValue{quotient};
}

}  // namespace vks
