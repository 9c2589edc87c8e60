#include "recording/RttWriter.h"

#include <mutex>
#include <span>
#include <unordered_map>
#include <utility>

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

// A value waiting for its file, with what the file's header needs should it be new.
struct WartenderWert {
  std::string datei;
  size_t ordner_laenge;
  std::string konto, wkn, titel;
  eKontoDatenArt art;
  RttRecordBytes bytes;
};

thread_local RttAufschub* t_aufschub = nullptr;
thread_local std::vector<WartenderWert> t_wartend;

// Appends records (whole ones, in their order) to the file, which gets its header when new.
void AppendRecords(const RttLocation& location, std::string_view KontoName,
                   std::string_view TitelWKN, std::string_view TitelName, eKontoDatenArt Datenart,
                   std::span<const uint8_t> records) {
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
  (void)posix::WriteAt(file.Handle(), size, records, ignored);
}

}  // namespace

void SchreibeRTTWert(const RttStorage& storage, std::string_view KontoName,
                     std::string_view TitelWKN, std::string_view TitelName, eKontoDatenArt Datenart,
                     DateValue Zeitpunkt, float Wert, float Wert2) noexcept {
  try {
    RttLocation location = RttFileLocation(storage, KontoName, TitelWKN, Datenart);
    if (location.file.empty()) return;
    const RttRecordBytes bytes = EncodeRttRecord(RttRecord{Zeitpunkt, Wert, Wert2});
    if (t_aufschub) {
      t_wartend.push_back(WartenderWert{std::move(location.file), location.folder_length,
                                        std::string(KontoName), std::string(TitelWKN),
                                        std::string(TitelName), Datenart, bytes});
      return;
    }
    // Values of earlier calls go first, so that each file stays in time order.
    if (!t_wartend.empty()) SchreibeWartendeRttWerte();
    AppendRecords(location, KontoName, TitelWKN, TitelName, Datenart, bytes);
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

RttAufschub::RttAufschub(Nachlauf nachlauf) : aussen_(t_aufschub == nullptr), nachlauf_(nachlauf) {
  if (aussen_) t_aufschub = this;
}

RttAufschub::~RttAufschub() {
  if (!aussen_) return;
  t_aufschub = nullptr;
  if (nachlauf_ == Nachlauf::Schreiben || t_wartend.size() >= kHoechstensWartend)
    SchreibeWartendeRttWerte();
}

void SchreibeWartendeRttWerte() noexcept {
  if (t_wartend.empty()) return;
  // Taken out first: a value that writing triggers (none today) would go to the next round.
  std::vector<WartenderWert> werte = std::move(t_wartend);
  t_wartend.clear();
  try {
    // One write per file, its values in their order; files come in the order of their first value.
    std::unordered_map<std::string_view, size_t> gruppe_von;
    std::vector<std::pair<const WartenderWert*, std::vector<uint8_t>>> gruppen;
    for (const WartenderWert& w : werte) {
      auto [it, neu] = gruppe_von.try_emplace(std::string_view(w.datei), gruppen.size());
      if (neu) gruppen.emplace_back(&w, std::vector<uint8_t>());
      std::vector<uint8_t>& bytes = gruppen[it->second].second;
      bytes.insert(bytes.end(), w.bytes.begin(), w.bytes.end());
    }
    for (const auto& [w, bytes] : gruppen) {
      try {
        RttLocation location{w->datei, w->ordner_laenge};
        AppendRecords(location, w->konto, w->wkn, w->titel, w->art, bytes);
      } catch (...) {
        // As when written at once: a lost file's records harm nothing else.
      }
    }
  } catch (...) {
    // Out of memory while grouping: these values are lost, as a failed write would lose them.
  }
}

size_t WartendeRttWerte() noexcept {
  return t_wartend.size();
}

}  // namespace vks
