#include "recording/RttWriter.h"

#include "platform/automation/AutomationError.h"
#include "recording/FilePosition.h"
#include "recording/RttFileName.h"
#include "recording/RttFormat.h"
#include "recording/RttRecord.h"
#include "recording/clDateiIO.h"

namespace vks {
namespace {

void AppendRecord(const RttLocation& location, std::string_view KontoName,
                  std::string_view TitelWKN, std::string_view TitelName, eKontoDatenArt Datenart,
                  const RttRecord& record) {
  clDateiIO file;
  try {
    file.OpenFile(location.file);
  } catch (const AutomationError&) {
    // The folder is checked only when the file cannot be opened: on every later write it exists,
    // and a stat per record would cost as much as the write itself.
    if (!ErzeugeOrdnerPfad(location.Folder())) return;
    file.OpenFile(location.file);
  }
  int64_t size = file.FileSize().scaled / kCurrencyScale;
  int64_t position = size;
  if (size <= 0) {
    file.WriteNewHeader(KontoName, TitelWKN, TitelName, Datenart);
    position = static_cast<int64_t>(rtt::kHeaderSize);
  } else if (!rtt::IsWellFormedSize(size)) {
    return;
  }
  RttRecordBytes bytes = EncodeRttRecord(record);
  uint32_t ignored;
  (void)posix::WriteAt(file.FileHandle(), position, bytes, ignored);
  file.CloseFile();
}

}  // namespace

void SchreibeRTTWert(const RttStorage& storage, std::string_view KontoName,
                     std::string_view TitelWKN, std::string_view TitelName, eKontoDatenArt Datenart,
                     DateValue Zeitpunkt, float Wert, float Wert2) noexcept {
  try {
    RttLocation location = RttFileLocation(storage, KontoName, TitelWKN, Datenart);
    if (location.file.empty()) return;
    AppendRecord(location, KontoName, TitelWKN, TitelName, Datenart,
                 RttRecord{Zeitpunkt, Wert, Wert2});
  } catch (...) {
    // A lost record is the documented outcome; the caller goes on with its booking.
  }
}

}  // namespace vks
