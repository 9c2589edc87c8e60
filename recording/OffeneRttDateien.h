#pragma once
// The RTT files written to, kept open. A fill books some 26 values into as many files, and opening
// and closing each file cost several times the 16-byte write itself. An open handle keeps nobody
// from reading, renaming or deleting the file; a handle whose file has lost its name since is
// noticed and the name opened afresh, so a deleted series starts again with a new header.
//
// Once the limit is reached, a file makes room only for one that has not been written to for a
// long while (kAlter writes of any file); otherwise the new file is opened for one write only. A
// set of files larger than the limit, written round and round (a price-save tick of a huge
// account), would otherwise close a cold file for every write and cost more than no cache at all,
// while the files of a deleted or idle account still give way in time.
#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/files/FileSystem.h"

namespace vks {

class OffeneRttDateien {
 public:
  // A quarter of the handles the process may hold, between these bounds: a price-save tick of a
  // hundred accounts writes some 1 100 files, and all of them should stay open.
  static constexpr size_t kMindestens = 64;
  static constexpr size_t kHoechstens = 4096;
  static size_t StandardAnzahl();
  // Writes after which an unused open file gives way, in multiples of the limit.
  static constexpr uint64_t kAlterJePlatz = 4;

  // A file opened for writing; closes on destruction unless the cache keeps it.
  class Zugriff {
   public:
    Zugriff() = default;
    Zugriff(PositionedFile* datei, int64_t groesse) : datei_(datei), groesse_(groesse) {}
    Zugriff(std::unique_ptr<PositionedFile> eigen, int64_t groesse)
        : datei_(eigen.get()), groesse_(groesse), eigen_(std::move(eigen)) {}

    bool Offen() const { return datei_ != nullptr; }
    PositionedFile& Datei() const { return *datei_; }
    int64_t Groesse() const { return groesse_; }  // the file's size when it was handed out
    bool Behalten() const { return !eigen_; }

   private:
    PositionedFile* datei_ = nullptr;
    int64_t groesse_ = 0;
    std::unique_ptr<PositionedFile> eigen_;  // a file the cache has no room for
  };

  explicit OffeneRttDateien(FileSystem& dateien, size_t hoechstens = StandardAnzahl());
  ~OffeneRttDateien();
  OffeneRttDateien(const OffeneRttDateien&) = delete;
  OffeneRttDateien& operator=(const OffeneRttDateien&) = delete;

  // The file `pfad`, created when missing; not Offen() when it cannot be opened.
  Zugriff Oeffne(const std::string& pfad);
  void SchliesseAlle();
  size_t Anzahl() const { return offen_.size(); }

 private:
  struct Eintrag {
    std::string pfad;
    std::unique_ptr<PositionedFile> datei;
    uint64_t zuletzt;  // the write count at its last use
  };
  using Reihe = std::list<Eintrag>;  // most recently used first
  void Schliesse(Reihe::iterator eintrag);

  FileSystem& dateien_;
  size_t hoechstens_;
  uint64_t zaehler_ = 0;
  Reihe reihe_;
  // Keyed by the path held in the list entry, which stays in place while the entry lives.
  std::unordered_map<std::string_view, Reihe::iterator> offen_;
};

}  // namespace vks
