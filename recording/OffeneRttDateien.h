#pragma once
// The RTT files written to lately, kept open. A fill books some 26 values into as many files, and
// opening and closing each file cost several times the 16-byte write itself. An open handle keeps
// nobody from reading, renaming or deleting the file; a handle whose file has lost its name since
// is noticed and the name opened afresh, so a deleted series starts again with a new header.
#include <cstddef>
#include <cstdint>
#include <list>
#include <string>
#include <unordered_map>
#include <utility>

#include "platform/files/PosixFile.h"

namespace vks {

class OffeneRttDateien {
 public:
  static constexpr size_t kStandardAnzahl = 256;  // well below the usual limit of 1 024 handles

  explicit OffeneRttDateien(size_t hoechstens = kStandardAnzahl);
  ~OffeneRttDateien();
  OffeneRttDateien(const OffeneRttDateien&) = delete;
  OffeneRttDateien& operator=(const OffeneRttDateien&) = delete;

  // The handle of `pfad`, creating the file when missing, and its current size in `groesse`;
  // kInvalidHandle when it cannot be opened. The least recently used handle beyond the limit
  // closes.
  posix::FileHandle Oeffne(const std::string& pfad, int64_t& groesse);
  void SchliesseAlle();
  size_t Anzahl() const { return zuletzt_.size(); }

 private:
  using Reihe = std::list<std::pair<std::string, posix::FileHandle>>;  // most recent first
  void Schliesse(Reihe::iterator eintrag);

  size_t hoechstens_;
  Reihe zuletzt_;
  std::unordered_map<std::string, Reihe::iterator> nach_pfad_;
};

}  // namespace vks
