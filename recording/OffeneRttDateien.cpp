#include "recording/OffeneRttDateien.h"

#include <algorithm>
#include <utility>

namespace vks {

size_t OffeneRttDateien::StandardAnzahl() {
  static const size_t anzahl =
      std::clamp(posix::RaiseOpenFileLimit() / 4, kMindestens, kHoechstens);
  return anzahl;
}

OffeneRttDateien::Zugriff::~Zugriff() {
  if (!behalten_ && handle_ != posix::kInvalidHandle) (void)posix::Close(handle_);
}

OffeneRttDateien::Zugriff::Zugriff(Zugriff&& other) noexcept
    : handle_(std::exchange(other.handle_, posix::kInvalidHandle)),
      groesse_(other.groesse_),
      behalten_(other.behalten_) {}

OffeneRttDateien::Zugriff& OffeneRttDateien::Zugriff::operator=(Zugriff&& other) noexcept {
  if (this != &other) {
    if (!behalten_ && handle_ != posix::kInvalidHandle) (void)posix::Close(handle_);
    handle_ = std::exchange(other.handle_, posix::kInvalidHandle);
    groesse_ = other.groesse_;
    behalten_ = other.behalten_;
  }
  return *this;
}

OffeneRttDateien::OffeneRttDateien(size_t hoechstens)
    : hoechstens_(hoechstens == 0 ? 1 : hoechstens) {}

OffeneRttDateien::~OffeneRttDateien() {
  SchliesseAlle();
}

void OffeneRttDateien::Schliesse(Reihe::iterator eintrag) {
  (void)posix::Close(eintrag->handle);
  offen_.erase(std::string_view(eintrag->pfad));
  reihe_.erase(eintrag);
}

void OffeneRttDateien::SchliesseAlle() {
  while (!reihe_.empty()) Schliesse(reihe_.begin());
}

OffeneRttDateien::Zugriff OffeneRttDateien::Oeffne(const std::string& pfad) {
  uint32_t fehler = 0;
  const uint64_t jetzt = ++zaehler_;
  if (auto gefunden = offen_.find(std::string_view(pfad)); gefunden != offen_.end()) {
    const Reihe::iterator eintrag = gefunden->second;
    const int64_t groesse = posix::NamedFileSize(eintrag->handle, fehler);
    if (groesse >= 0) {
      eintrag->zuletzt = jetzt;
      reihe_.splice(reihe_.begin(), reihe_, eintrag);
      return Zugriff(eintrag->handle, groesse, true);
    }
    Schliesse(eintrag);
  }
  const posix::FileHandle handle = posix::OpenOrCreate(pfad, false, fehler);
  if (handle == posix::kInvalidHandle) return {};
  const int64_t groesse = posix::FileSize(handle, fehler);
  if (groesse < 0) {
    (void)posix::Close(handle);
    return {};
  }
  if (reihe_.size() >= hoechstens_ && jetzt - reihe_.back().zuletzt > kAlterJePlatz * hoechstens_)
    Schliesse(std::prev(reihe_.end()));
  if (reihe_.size() >= hoechstens_) return Zugriff(handle, groesse, false);
  reihe_.push_front(Eintrag{pfad, handle, jetzt});
  offen_.emplace(std::string_view(reihe_.front().pfad), reihe_.begin());
  return Zugriff(handle, groesse, true);
}

}  // namespace vks
