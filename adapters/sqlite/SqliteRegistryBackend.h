#pragma once
// The registry kept in one SQLite file. WAL mode and a busy timeout let several processes read and
// write it at once; every change is one immediate transaction, so a crash or a concurrent writer
// never leaves half of it behind. Reads fetch a value with one indexed SELECT.
#include <sqlite3.h>

#include <memory>
#include <string>

#include "platform/automation/Result.h"
#include "adapters/sqlite/SqliteStatement.h"
#include "platform/settings/RegistryBackend.h"

namespace vks {

class SqliteRegistryBackend : public RegistryBackend {
 public:
  struct Options {
    bool read_only = false;
    // How long a write waits for another process's transaction before it fails with error 70.
    int busy_timeout_ms = 5000;
  };

  // Opens or creates the store (and its folder). Error 321 for a file that is not a registry store
  // or is damaged, 75 when it cannot be opened or created.
  static Result<std::unique_ptr<SqliteRegistryBackend>> Open(const std::string& file,
                                                             Options options);
  static Result<std::unique_ptr<SqliteRegistryBackend>> Open(const std::string& file) {
    return Open(file, Options{});
  }
  ~SqliteRegistryBackend() override;
  SqliteRegistryBackend(const SqliteRegistryBackend&) = delete;
  SqliteRegistryBackend& operator=(const SqliteRegistryBackend&) = delete;

  Result<bool> KeyExists(ERegistryClassConstants root, std::string_view path) override;
  Result<bool> CreateKey(ERegistryClassConstants root, std::string_view path) override;
  Result<bool> DeleteKey(ERegistryClassConstants root, std::string_view path) override;
  Result<bool> DeleteTree(ERegistryClassConstants root, std::string_view path) override;
  Result<std::optional<RegistryValue>> GetValue(ERegistryClassConstants root, std::string_view path,
                                                std::string_view name) override;
  Result<bool> SetValue(ERegistryClassConstants root, std::string_view path, std::string_view name,
                        const RegistryValue& value) override;
  Result<bool> DeleteValue(ERegistryClassConstants root, std::string_view path,
                           std::string_view name) override;
  Result<std::optional<std::vector<std::string>>> EnumerateSubkeys(ERegistryClassConstants root,
                                                                   std::string_view path) override;
  Result<std::optional<std::vector<std::string>>> EnumerateValues(ERegistryClassConstants root,
                                                                  std::string_view path) override;

  const std::string& File() const { return file_; }

 private:
  struct Statements;
  // One key path in the store's terms: the folded path of every level from the root down, and the
  // names as given.
  struct KeyChain {
    std::vector<std::string> folded;  // [0] is the root
    std::vector<std::string_view> names;
    const std::string& Key() const { return folded.back(); }
  };

  SqliteRegistryBackend(sqlite3* db, std::string file);
  Result<bool> Prepare();
  Result<KeyChain> Chain(ERegistryClassConstants root, std::string_view path) const;
  // The folded path of the key alone, for reads.
  Result<std::string> FoldedKey(ERegistryClassConstants root, std::string_view path) const;
  AutomationError Error(int rc) const;
  // Runs body inside BEGIN IMMEDIATE … COMMIT; rolls back when body or the commit fails.
  template <class Body>
  Result<bool> Transaction(Body&& body);
  Result<bool> InsertKeys(const KeyChain& chain);
  Result<bool> Exists(const std::string& folded_path);
  Result<std::optional<std::vector<std::string>>> Names(SqliteStatement& statement,
                                                        ERegistryClassConstants root,
                                                        std::string_view path);

  sqlite3* db_;
  std::string file_;
  std::unique_ptr<Statements> statements_;
};

}  // namespace vks
