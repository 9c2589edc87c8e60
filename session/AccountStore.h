#pragma once
// The account store file: all accounts with their positions, open orders and fills in one file in
// the data folder, read once at start-up and rewritten whole on every save.
//
// Saving writes the new store under a temporary name in the same folder, forces it to the disk and
// renames it over the old one, so that whatever instant the process dies at, the file is the whole
// old store or the whole new one. A store that fails to load is copied aside as
// "VKSVirtKonten.dat.defekt-<time>" before anything can replace it.
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "accounts/clKonto.h"
#include "platform/automation/AutomationError.h"
#include "platform/automation/KeyedDictionary.h"

namespace vks {

class Clock;
class ErrorLog;
class FileSystem;
class MessageReporter;
class WritableFile;

// The account collection: account name → account, keys without regard to case, in the order the
// accounts were added (the order of the store and of every list).
using KontenSammlung = KeyedDictionary<std::shared_ptr<clKonto>>;

// The store's file name in the data folder.
inline constexpr const char* kStoreFileName = "VKSVirtKonten.dat";

class AccountStore {
 public:
  // `data_folder` empty: there is no store, loading and saving do nothing.
  AccountStore(std::string data_folder, std::string own_folder, FileSystem& files,
               MessageReporter& reporter, ErrorLog& error_log, Clock& clock);

  // Path of the store file ("" without a data folder).
  std::string StorePath() const;

  // Reads the store into `konten` (replacing it when the file holds accounts). A missing file is
  // created empty. On any error the load stops there, the accounts read so far stay, and the user
  // is told "Fehler beim Laden der Konten aufgetreten: " + the description. A temporary file that
  // an interrupted save left behind is deleted once the store has loaded whole.
  void LadeKonten(KontenSammlung& konten);

  // Writes every account in collection order. With no account the store file is deleted. Returns
  // the failure, if any; a failed save leaves the previous file in place. It never shows a message
  // and never throws. The error log hears of the first failure of a run (and of a failure with
  // another description), and of the save that succeeds after it, not of every retry.
  [[nodiscard]] std::optional<AutomationError> SpeichereKonten(const KontenSammlung& konten);

 private:
  void KeepDamagedFile(const std::string& bytes);
  void RemoveUnfinishedSave();
  std::optional<AutomationError> WriteStore(const KontenSammlung& konten);
  // Writes a file through `write` under a temporary name and renames it into place.
  void WriteAtomically(const std::string& path, const std::function<void(WritableFile&)>& write);

  std::string data_folder_;
  std::string own_folder_;
  FileSystem& files_;
  MessageReporter& reporter_;
  ErrorLog& error_log_;
  Clock& clock_;
  std::optional<std::string> logged_failure_;  // of the failing saves since the last good one
  int failed_saves_ = 0;
};

// The whole collection as the store's bytes (an array 1..N of account records). Throws
// AutomationError naming the account for a record that cannot be stored. Used by tools too.
std::string SerialisiereKonten(const KontenSammlung& konten);

// The same bytes appended to `out`; `after_each` is called after every account and may take the
// bytes written so far out of `out`.
void SchreibeKonten(const KontenSammlung& konten, std::string& out,
                    const std::function<void(std::string&)>& after_each);

}  // namespace vks
