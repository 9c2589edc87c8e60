#pragma once
// The file object of the RTT writer: one open file with 64-bit positions exchanged as currency
// values. Failures are automation errors with the source "Win32File Object"; the messages carry the
// Windows code and text of the platform failure, as the host knows them. Reads go through the file
// system at the handle's position; the handle positions, writes, sizes and truncates.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/Variant.h"
#include "platform/files/FileSystem.h"
#include "platform/files/RawFile.h"
#include "recording/eKontoDatenArt.h"

namespace vks {

inline constexpr std::string_view kDateiIOSource = "Win32File Object";

namespace error {
inline constexpr int32_t kDateiSchonOffen = 45601;
inline constexpr int32_t kDateiOeffnen = 45602;
inline constexpr int32_t kKeineDateiOffen = 45603;
inline constexpr int32_t kSeekFehler = 45604;
}  // namespace error

class clDateiIO {
 public:
  // `files` outlives the object.
  explicit clDateiIO(FileSystem& files) : files_(files) {}
  ~clDateiIO();
  clDateiIO(const clDateiIO&) = delete;
  clDateiIO& operator=(const clDateiIO&) = delete;

  // Opens or creates the file (also when OnlyRead), readable and writable by others meanwhile.
  // Throws 45601 while a file is open, 45602 when the platform fails.
  void OpenFile(const std::string& sFileName, bool OnlyRead = false);
  // Every member below except IsOpen and convert64to32 throws 45603 while no file is open.
  void CloseFile();
  bool IsOpen() const { return handle_ != rawfile::kInvalidHandle; }
  rawfile::FileHandle FileHandle() const;
  const std::string& FileName() const;
  bool AutoFlush() const;
  void SetAutoFlush(bool value);

  CurrencyValue FileSize();
  CurrencyValue GetFilePointer();
  // The platform's result is not checked, as callers position past the end on purpose.
  void SeekAbsolute(CurrencyValue NewFilePos);
  // Throws 45604 when the platform refuses (a position before the start).
  void SeekRelative(int32_t Offset);

  // Exactly ByteCount bytes from the current position; what lies past the end stays 0. Throws
  // AutomationError 9 for ByteCount below 1 and 7 for more than VariantArray::kMaxElements.
  std::vector<uint8_t> ReadBytes(int32_t ByteCount);
  std::vector<uint8_t> ReadHeader(int32_t ByteCount) { return ReadBytes(ByteCount); }
  void WriteBytes(std::span<const uint8_t> DataBytes);
  // The RTT header for the series, written at the current position (no seek first).
  void WriteNewHeader(std::string_view KontoName, std::string_view TitelWKN,
                      std::string_view TitelName, eKontoDatenArt Datenart);
  void Flush();
  void SetzeDateiEnde();

  // InputValue / 10 000, rounded half to even at the fourth decimal.
  CurrencyValue convert64to32(CurrencyValue InputValue) const;

 private:
  void RequireOpen() const;
  [[noreturn]] void Raise(int32_t number, std::string text) const;
  // "" when the last platform call succeeded, else CR LF "Error " n CR LF and the system text.
  std::string PlatformPart() const;

  FileSystem& files_;
  rawfile::FileHandle handle_ = rawfile::kInvalidHandle;
  std::unique_ptr<ReadableFile> reader_;
  std::string file_name_;
  bool auto_flush_ = false;
  uint32_t last_error_ = 0;  // Windows code of the last platform call
};

}  // namespace vks
