#include "recording/RttAufzeichnung.h"

#include <unordered_map>
#include <utility>

#include "recording/RttFormat.h"
#include "recording/RttHeader.h"

namespace vks {

RttAufzeichnung::RttAufzeichnung(FileSystem& dateien, RttStorage speicher, RttAufschub* aufschub,
                                 size_t offen_hoechstens)
    : dateien_(dateien),
      speicher_(std::move(speicher)),
      aufschub_(aufschub),
      offen_(dateien, offen_hoechstens) {}

RttAufzeichnung::~RttAufzeichnung() {
  SchreibeWartende();
}

void RttAufzeichnung::SetzeSpeicher(RttStorage speicher) noexcept {
  SchliesseDateien();
  speicher_ = std::move(speicher);
  orte_.clear();
}

RttAufzeichnung::Ort& RttAufzeichnung::FindeOrt(std::string_view KontoName,
                                                std::string_view TitelWKN,
                                                eKontoDatenArt Datenart) {
  // The key: the account name's length, the kind, the account name, the security; no two series
  // share one, whatever bytes the names hold.
  const size_t laenge = KontoName.size();
  const int32_t art = Datenart;
  ort_schluessel_.assign(reinterpret_cast<const char*>(&laenge), sizeof laenge);
  ort_schluessel_.append(reinterpret_cast<const char*>(&art), sizeof art);
  ort_schluessel_.append(KontoName).append(TitelWKN);
  if (auto it = orte_.find(ort_schluessel_); it != orte_.end()) return it->second;
  // A host that names ever new securities does not make the table grow without end.
  constexpr size_t kHoechstensOrte = size_t{1} << 16;
  if (orte_.size() >= kHoechstensOrte) orte_.clear();
  return orte_
      .emplace(ort_schluessel_, Ort{RttFileLocation(speicher_, KontoName, TitelWKN, Datenart)})
      .first->second;
}

// Appends records (whole ones, in their order) to the file, which gets its header when new.
void RttAufzeichnung::Anhaengen(const std::string& datei, size_t ordner_laenge,
                                std::string_view KontoName, std::string_view TitelWKN,
                                std::string_view TitelName, eKontoDatenArt Datenart,
                                std::span<const uint8_t> records) {
  OffeneRttDateien::Zugriff file = offen_.Oeffne(datei);
  if (!file.Offen()) {
    // The folder is checked only when the file cannot be opened: on every later write it exists,
    // and a look per record would cost as much as the write itself.
    if (!CreateFolderPath(dateien_, std::string_view(datei).substr(0, ordner_laenge))) return;
    file = offen_.Oeffne(datei);
    if (!file.Offen()) return;
  }
  int64_t size = file.Groesse();
  if (size == 0) {
    const RttHeaderBytes header = ErzeugeRTTHeader(KontoName, TitelWKN, TitelName, Datenart);
    file.Datei().WriteAt(0, header);
    size = static_cast<int64_t>(rtt::kHeaderSize);
  } else if (!rtt::IsWellFormedSize(size)) {
    return;
  }
  file.Datei().WriteAt(size, records);
}

void RttAufzeichnung::SchreibeWert(std::string_view KontoName, std::string_view TitelWKN,
                                   std::string_view TitelName, eKontoDatenArt Datenart,
                                   DateValue Zeitpunkt, float Wert, float Wert2) noexcept {
  try {
    Ort& ort = FindeOrt(KontoName, TitelWKN, Datenart);
    const RttLocation& location = ort.location;
    if (location.file.empty()) return;
    const RttRecordBytes bytes = EncodeRttRecord(RttRecord{Zeitpunkt, Wert, Wert2});
    if (aufrufe_ > 0) {
      if (ort.runde != runde_) {
        // Series that differ only in the spelling of their names may share a file.
        if (auto it = wartend_nach_datei_.find(location.file); it != wartend_nach_datei_.end()) {
          ort.wartend = it->second;
        } else {
          wartend_.push_back(WartendeDatei{location.file,
                                           location.folder_length,
                                           std::string(KontoName),
                                           std::string(TitelWKN),
                                           std::string(TitelName),
                                           Datenart,
                                           {}});
          try {
            wartend_nach_datei_.emplace(location.file, wartend_.size() - 1);
          } catch (...) {
            wartend_.pop_back();
            throw;
          }
          ort.wartend = wartend_.size() - 1;
        }
        ort.runde = runde_;
      }
      std::vector<uint8_t>& records = wartend_[ort.wartend].records;
      records.insert(records.end(), bytes.begin(), bytes.end());
      ++wartende_werte_;
      return;
    }
    // Values of earlier calls go first, so that each file stays in time order.
    if (!wartend_.empty()) SchreibeWartende();
    Anhaengen(location.file, location.folder_length, KontoName, TitelWKN, TitelName, Datenart,
              bytes);
  } catch (...) {
    // A lost record is the documented outcome; the caller goes on with its booking.
  }
}

RttAufzeichnung::Aufruf::Aufruf(RttAufzeichnung& aufzeichnung) : aufzeichnung_(aufzeichnung) {
  ++aufzeichnung_.aufrufe_;
}

RttAufzeichnung::Aufruf::~Aufruf() {
  RttAufzeichnung& a = aufzeichnung_;
  if (--a.aufrufe_ > 0 || a.wartend_.empty()) return;
  if (!a.aufschub_ || a.wartende_werte_ >= kHoechstensWartend) {
    a.SchreibeWartende();
    return;
  }
  try {
    a.aufschub_->Planen(a);
  } catch (...) {
    a.SchreibeWartende();  // no later: now rather than never
  }
}

void RttAufzeichnung::SchreibeWartende() noexcept {
  if (wartend_.empty()) return;
  // Taken out first: a value that writing triggers (none today) would go to the next round.
  std::vector<WartendeDatei> dateien = std::move(wartend_);
  wartend_.clear();
  wartend_nach_datei_.clear();
  wartende_werte_ = 0;
  ++runde_;
  // One write per file, its values in their order; files come in the order of their first value.
  for (const WartendeDatei& d : dateien) {
    if (d.records.empty()) continue;  // its value was lost to a full memory
    try {
      Anhaengen(d.datei, d.ordner_laenge, d.konto, d.wkn, d.titel, d.art, d.records);
    } catch (...) {
      // As when written at once: a lost file's records harm nothing else.
    }
  }
}

std::string RttAufzeichnung::DateiName(std::string_view KontoName, std::string_view TitelWKN,
                                       eKontoDatenArt Datenart, bool NurName) {
  if (!NurName) SchreibeWartende();
  return GetRTTDateiName(dateien_, speicher_, KontoName, TitelWKN, Datenart, NurName);
}

bool RttAufzeichnung::DateiExistiert(const std::string& pfad) {
  SchreibeWartende();  // a file that waits to be created counts as existing
  return dateien_.FileExists(pfad) || dateien_.FolderExists(pfad);
}

void RttAufzeichnung::LoescheDateien(std::string_view KontoName,
                                     const std::function<void(const AutomationError&)>& fehler) {
  // Where open files cannot be deleted, ours would stand in the way.
  SchliesseDateien();
  for (eKontoDatenArt art : {dTitelPos, dKapitalCash}) {
    // Any series of the kind names its sub-folder.
    const std::string ordner(RttFileLocation(speicher_, KontoName, "x", art).Folder());
    if (ordner.empty()) return;  // no storage folder, no files
    // Whatever the name holds (a link, say), nothing outside the storage folder is touched.
    if (!LiegtIn(dateien_, ordner, speicher_.folder)) {
      fehler(AutomationError(75, "", "Der Ordner " + ordner + " liegt nicht im Speicherordner"));
      continue;
    }
    for (const std::string& datei : dateien_.ListFiles(ordner, ".RTT")) {
      try {
        dateien_.DeleteFile(datei);
      } catch (const AutomationError& e) {
        fehler(e);
      }
    }
  }
}

void RttAufzeichnung::SchliesseDateien() noexcept {
  // Waiting values would only open the files again after the close.
  SchreibeWartende();
  offen_.SchliesseAlle();
}

}  // namespace vks
