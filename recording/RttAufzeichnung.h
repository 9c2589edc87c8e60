#pragma once
// The one recorder of the RTT series. It appends each time-stamped value to the file of its account
// or position series through the file system, as one write of whole records at the end (the host
// reads these files while we write), keeps the files open between writes (OffeneRttDateien), and
// holds the values of a host's call until the call is answered. The program creates one and hands
// it to the accounts (KontoUmgebung); all calls come from one thread.
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/automation/AutomationError.h"
#include "platform/automation/Variant.h"
#include "platform/files/FileSystem.h"
#include "recording/OffeneRttDateien.h"
#include "recording/RttFileName.h"
#include "recording/RttRecord.h"
#include "recording/RttStorage.h"
#include "recording/eKontoDatenArt.h"

namespace vks {

class RttAufzeichnung;

// When the values that host's calls left waiting are written: the adapter that serves the calls
// keeps the time (D-Bus: a timer of 50 ms). Without one, a call's values are written when it ends.
class RttAufschub {
 public:
  virtual ~RttAufschub() = default;
  // A call ended with values waiting: have `aufzeichnung.SchreibeWartende()` run later, once,
  // unless it is planned already. Values of the calls that follow meanwhile join them.
  virtual void Planen(RttAufzeichnung& aufzeichnung) = 0;
};

class RttAufzeichnung {
 public:
  // Waiting values that a call's end writes at once instead of planning.
  static constexpr size_t kHoechstensWartend = 8192;

  RttAufzeichnung(FileSystem& dateien, RttStorage speicher, RttAufschub* aufschub = nullptr,
                  size_t offen_hoechstens = OffeneRttDateien::StandardAnzahl());
  // The server's end: the waiting values are written.
  ~RttAufzeichnung();
  RttAufzeichnung(const RttAufzeichnung&) = delete;
  RttAufzeichnung& operator=(const RttAufzeichnung&) = delete;

  const RttStorage& Speicher() const { return speicher_; }
  FileSystem& Dateien() const { return dateien_; }
  // The storage folder changes: what waits goes to the old one first, and its files are closed.
  void SetzeSpeicher(RttStorage speicher) noexcept;

  // Records one value. Creates folder, file and header on first use. Never fails towards the
  // caller: a folder that cannot be made, a file that cannot be opened, a full disk or a file that
  // is not 856 + 16 × n bytes long (it receives nothing) lose this one record silently. Inside a
  // call the value waits; outside one the waiting values are written first, then this one.
  void SchreibeWert(std::string_view KontoName, std::string_view TitelWKN,
                    std::string_view TitelName, eKontoDatenArt Datenart, DateValue Zeitpunkt,
                    float Wert, float Wert2) noexcept;

  // While one lives, a host's call is being answered and the values recorded wait. Calls inside a
  // call add to the outer one. When the outer one ends, the values are written at once (no
  // deferral, or kHoechstensWartend of them waiting) or the deferral plans their writing.
  class Aufruf {
   public:
    explicit Aufruf(RttAufzeichnung& aufzeichnung);
    ~Aufruf();
    Aufruf(const Aufruf&) = delete;
    Aufruf& operator=(const Aufruf&) = delete;

   private:
    RttAufzeichnung& aufzeichnung_;
  };

  // Writes the waiting values now: one write per file with all its records in their order, the
  // files in the order of their first value.
  void SchreibeWartende() noexcept;
  size_t Wartende() const { return wartende_werte_; }

  // Whoever names, checks or deletes RTT files sees everything booked before: these write the
  // waiting values first.
  // The full file name after creating its folder ("" when it cannot be created or no storage
  // folder is set); with NurName the encoded base name, touching nothing.
  std::string DateiName(std::string_view KontoName, std::string_view TitelWKN,
                        eKontoDatenArt Datenart, bool NurName);
  // True when a file (or a folder) of that name exists.
  bool DateiExistiert(const std::string& pfad);
  // Deletes the *.RTT files (any letter case) of the account's "Einzeltitel" folder, then of its
  // "Portfolio" folder; the folders stay. Each file that cannot be deleted, and a folder that does
  // not lie inside the storage folder, is handed to `fehler`, which goes on or throws to stop the
  // deletion. The waiting values are written and the open files closed first.
  void LoescheDateien(std::string_view KontoName,
                      const std::function<void(const AutomationError&)>& fehler);
  // Writes the waiting values and closes the files kept open.
  void SchliesseDateien() noexcept;

 private:
  // One file's waiting records, in their order, with what the file's header needs should it be
  // new (the names of its first value). Each file has one per round of waiting values, so that a
  // value costs an append of its 16 bytes, not a copy of its names.
  struct WartendeDatei {
    std::string datei;
    size_t ordner_laenge;
    std::string konto, wkn, titel;
    eKontoDatenArt art;
    std::vector<uint8_t> records;
  };
  // The location of a series, built once per account, security and kind as the host spells them
  // (every value of a series goes to the same file) and forgotten with the storage folder; with
  // the file's waiting records of this round, if it has some.
  struct Ort {
    RttLocation location;
    uint64_t runde = 0;
    size_t wartend = 0;  // index in wartend_ when runde is the current round
  };
  Ort& FindeOrt(std::string_view KontoName, std::string_view TitelWKN, eKontoDatenArt Datenart);
  void Anhaengen(const std::string& datei, size_t ordner_laenge, std::string_view KontoName,
                 std::string_view TitelWKN, std::string_view TitelName, eKontoDatenArt Datenart,
                 std::span<const uint8_t> records);

  FileSystem& dateien_;
  RttStorage speicher_;
  RttAufschub* aufschub_;
  OffeneRttDateien offen_;
  std::vector<WartendeDatei> wartend_;  // files in the order of their first waiting value
  std::unordered_map<std::string, size_t> wartend_nach_datei_;  // this round's, by file
  size_t wartende_werte_ = 0;
  uint64_t runde_ = 1;  // counts the writings of the waiting values
  std::unordered_map<std::string, Ort> orte_;
  std::string ort_schluessel_;  // kept to look up without allocating
  int aufrufe_ = 0;             // calls being answered, one inside another
};

}  // namespace vks
