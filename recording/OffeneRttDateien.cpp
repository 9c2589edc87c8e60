#include "recording/OffeneRttDateien.h"

#include <algorithm>
#include <utility>

#include "platform/files/RawFile.h"

namespace vks {

size_t OffeneRttDateien::StandardAnzahl() {
  static const size_t anzahl =
      std::clamp(rawfile::RaiseOpenFileLimit() / 4, kMindestens, kHoechstens);
  return anzahl;
}

OffeneRttDateien::OffeneRttDateien(FileSystem& dateien, size_t hoechstens)
    : dateien_(dateien), hoechstens_(hoechstens == 0 ? 1 : hoechstens) {}

OffeneRttDateien::~OffeneRttDateien() {
  SchliesseAlle();
}

void OffeneRttDateien::Schliesse(Reihe::iterator eintrag) {
  offen_.erase(std::string_view(eintrag->pfad));
  reihe_.erase(eintrag);
}

void OffeneRttDateien::SchliesseAlle() {
  while (!reihe_.empty()) Schliesse(reihe_.begin());
}

OffeneRttDateien::Zugriff OffeneRttDateien::Oeffne(const std::string& pfad) {
  const uint64_t jetzt = ++zaehler_;
  if (auto gefunden = offen_.find(std::string_view(pfad)); gefunden != offen_.end()) {
    const Reihe::iterator eintrag = gefunden->second;
    const int64_t groesse = eintrag->datei->NamedSize();
    if (groesse >= 0) {
      eintrag->zuletzt = jetzt;
      reihe_.splice(reihe_.begin(), reihe_, eintrag);
      return Zugriff(eintrag->datei.get(), groesse);
    }
    Schliesse(eintrag);
  }
  std::unique_ptr<PositionedFile> datei;
  int64_t groesse;
  try {
    datei = dateien_.OpenPositioned(pfad);
    groesse = datei->NamedSize();
  } catch (const AutomationError&) {
    return {};
  }
  if (groesse < 0) return {};
  if (reihe_.size() >= hoechstens_ && jetzt - reihe_.back().zuletzt > kAlterJePlatz * hoechstens_)
    Schliesse(std::prev(reihe_.end()));
  if (reihe_.size() >= hoechstens_) return Zugriff(std::move(datei), groesse);
  reihe_.push_front(Eintrag{pfad, std::move(datei), jetzt});
  offen_.emplace(std::string_view(reihe_.front().pfad), reihe_.begin());
  return Zugriff(reihe_.front().datei.get(), groesse);
}

}  // namespace vks
