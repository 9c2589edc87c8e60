#include "recording/RttWriter.h"

#include <mutex>

#include "recording/OffeneRttDateien.h"
#include "recording/RttFileName.h"
#include "recording/RttFormat.h"
#include "recording/RttHeader.h"
#include "recording/RttRecord.h"

namespace vks {
namespace {

OffeneRttDateien& Dateien() {
  static OffeneRttDateien dateien;
  return dateien;
}

std::mutex& DateienSperre() {
  static std::mutex sperre;
  return sperre;
}

thread_local RttAufschub* t_aufschub = nullptr;

void AppendRecord(const RttLocation& location, std::string_view KontoName,
                  std::string_view TitelWKN, std::string_view TitelName, eKontoDatenArt Datenart,
                  const RttRecord& record) {
  std::lock_guard<std::mutex> gesperrt(DateienSperre());
  OffeneRttDateien::Zugriff file = Dateien().Oeffne(location.file);
  if (!file.Offen()) {
    // The folder is checked only when the file cannot be opened: on every later write it exists,
    // and a stat per record would cost as much as the write itself.
    if (!ErzeugeOrdnerPfad(location.Folder())) return;
    file = Dateien().Oeffne(location.file);
    if (!file.Offen()) return;
  }
  int64_t size = file.Groesse();
  uint32_t ignored;
  if (size == 0) {
    RttHeaderBytes header = ErzeugeRTTHeader(KontoName, TitelWKN, TitelName, Datenart);
    if (posix::WriteAt(file.Handle(), 0, header, ignored) != static_cast<int64_t>(header.size()))
      return;
    size = static_cast<int64_t>(rtt::kHeaderSize);
  } else if (!rtt::IsWellFormedSize(size)) {
    return;
  }
  RttRecordBytes bytes = EncodeRttRecord(record);
  (void)posix::WriteAt(file.Handle(), size, bytes, ignored);
}

}  // namespace

void SchreibeRTTWert(const RttStorage& storage, std::string_view KontoName,
                     std::string_view TitelWKN, std::string_view TitelName, eKontoDatenArt Datenart,
                     DateValue Zeitpunkt, float Wert, float Wert2) noexcept {
  try {
    RttLocation location = RttFileLocation(storage, KontoName, TitelWKN, Datenart);
    if (location.file.empty()) return;
    if (t_aufschub) {
      t_aufschub->werte_.push_back(RttAufschub::Wert{
          std::move(location.file), location.folder_length, std::string(KontoName),
          std::string(TitelWKN), std::string(TitelName), Datenart, Zeitpunkt, Wert, Wert2});
      return;
    }
    AppendRecord(location, KontoName, TitelWKN, TitelName, Datenart,
                 RttRecord{Zeitpunkt, Wert, Wert2});
  } catch (...) {
    // A lost record is the documented outcome; the caller goes on with its booking.
  }
}

void SchliesseRttDateien() noexcept {
  // Waiting values would only open the files again after the close.
  SchreibeWartendeRttWerte();
  try {
    std::lock_guard<std::mutex> gesperrt(DateienSperre());
    Dateien().SchliesseAlle();
  } catch (...) {
  }
}

RttAufschub::RttAufschub() : aussen_(t_aufschub == nullptr) {
  if (aussen_) t_aufschub = this;
}

RttAufschub::~RttAufschub() {
  if (!aussen_) return;
  SchreibeWartendeRttWerte();
  t_aufschub = nullptr;
}

void SchreibeWartendeRttWerte() noexcept {
  if (!t_aufschub) return;
  // Taken out first: a value that writing triggers (none today) would go to the next round.
  std::vector<RttAufschub::Wert> werte = std::move(t_aufschub->werte_);
  t_aufschub->werte_.clear();
  for (RttAufschub::Wert& w : werte) {
    try {
      RttLocation location{std::move(w.datei), w.ordner_laenge};
      AppendRecord(location, w.konto, w.wkn, w.titel, w.art,
                   RttRecord{w.zeitpunkt, w.wert, w.wert2});
    } catch (...) {
      // As when written at once: a lost record harms nothing else.
    }
  }
}

}  // namespace vks
