#include "recording/OffeneRttDateien.h"

namespace vks {

OffeneRttDateien::OffeneRttDateien(size_t hoechstens)
    : hoechstens_(hoechstens == 0 ? 1 : hoechstens) {}

OffeneRttDateien::~OffeneRttDateien() {
  SchliesseAlle();
}

void OffeneRttDateien::Schliesse(Reihe::iterator eintrag) {
  (void)posix::Close(eintrag->second);
  nach_pfad_.erase(eintrag->first);
  zuletzt_.erase(eintrag);
}

void OffeneRttDateien::SchliesseAlle() {
  while (!zuletzt_.empty()) Schliesse(zuletzt_.begin());
}

posix::FileHandle OffeneRttDateien::Oeffne(const std::string& pfad, int64_t& groesse) {
  uint32_t fehler = 0;
  if (auto gefunden = nach_pfad_.find(pfad); gefunden != nach_pfad_.end()) {
    Reihe::iterator eintrag = gefunden->second;
    groesse = posix::NamedFileSize(eintrag->second, fehler);
    if (groesse >= 0) {
      zuletzt_.splice(zuletzt_.begin(), zuletzt_, eintrag);
      return eintrag->second;
    }
    Schliesse(eintrag);
  }
  posix::FileHandle handle = posix::OpenOrCreate(pfad, false, fehler);
  if (handle == posix::kInvalidHandle) return handle;
  groesse = posix::FileSize(handle, fehler);
  if (groesse < 0) {
    (void)posix::Close(handle);
    return posix::kInvalidHandle;
  }
  zuletzt_.emplace_front(pfad, handle);
  nach_pfad_.emplace(pfad, zuletzt_.begin());
  if (zuletzt_.size() > hoechstens_) Schliesse(std::prev(zuletzt_.end()));
  return handle;
}

}  // namespace vks
