// Opening the store: the file, its schema and the mapping of SQLite failures to automation errors.
#include <filesystem>

#include "adapters/sqlite/SqliteRegistryBackend.h"
#include "platform/settings/RegistryPath.h"

namespace vks {

namespace {

// Marks a file as ours ('VKSR'), so that another program's SQLite file is refused, not altered.
constexpr int kApplicationId = 0x564B5352;
constexpr int kSchemaVersion = 1;

// Key paths are stored folded ("HKCU\SOFTWARE\…"): the path is the key's identity, its parent's
// path finds its subkeys in name order, and a value is read with one lookup by (key, fold).
constexpr const char* kSchema = R"sql(
BEGIN IMMEDIATE;
CREATE TABLE keys(
  path TEXT PRIMARY KEY,
  parent TEXT REFERENCES keys(path) ON DELETE CASCADE,
  name TEXT NOT NULL
) WITHOUT ROWID;
CREATE INDEX keys_by_parent ON keys(parent);
CREATE TABLE vals(
  id INTEGER PRIMARY KEY,
  key TEXT NOT NULL REFERENCES keys(path) ON DELETE CASCADE,
  fold TEXT NOT NULL,
  name TEXT NOT NULL,
  type INTEGER NOT NULL,
  data BLOB NOT NULL,
  UNIQUE(key, fold)
);
INSERT INTO keys VALUES('HKCR', NULL, 'HKEY_CLASSES_ROOT'), ('HKCU', NULL, 'HKEY_CURRENT_USER'),
  ('HKLM', NULL, 'HKEY_LOCAL_MACHINE'), ('HKU', NULL, 'HKEY_USERS');
PRAGMA application_id = 1447777106;
PRAGMA user_version = 1;
COMMIT;
)sql";
static_assert(kApplicationId == 1447777106);

int QueryInt(sqlite3* db, const char* sql, int& out) {
  SqliteStatement statement;
  int rc = statement.Prepare(db, sql);
  if (rc != SQLITE_OK) return rc;
  SqliteStatement::Use use(statement);
  rc = use.Step();
  if (rc != SQLITE_ROW) return rc;
  out = static_cast<int>(use.ColumnInt(0));
  return SQLITE_OK;
}

AutomationError NotAStore(const std::string& file, std::string_view why) {
  return AutomationError(
      321, std::string(kRegistryErrorSource),
      std::string(ErrorDescription(321)) + " (" + file + ": " + std::string(why) + ")");
}

}  // namespace

AutomationError SqliteRegistryBackend::Error(int rc) const {
  int number = 75;
  std::string_view why = "Datenbankfehler";
  switch (rc & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      number = 70;
      why = "von einem anderen Prozess gesperrt";
      break;
    case SQLITE_READONLY:
      why = "schreibgeschützt";
      break;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
      number = 321;
      why = "beschädigt";
      break;
    case SQLITE_FULL:
      number = 61;
      why = "kein Platz";
      break;
    case SQLITE_CANTOPEN:
      why = "kann nicht geöffnet werden";
      break;
    case SQLITE_IOERR:
      why = "Ein-/Ausgabefehler";
      break;
    case SQLITE_NOMEM:
      number = error::kOutOfMemory;
      why = "kein Speicher";
      break;
    default:
      break;
  }
  return AutomationError(
      number, std::string(kRegistryErrorSource),
      std::string(ErrorDescription(number)) + " (" + file_ + ": " + std::string(why) + ")");
}

Result<std::unique_ptr<SqliteRegistryBackend>> SqliteRegistryBackend::Open(const std::string& file,
                                                                           Options options) {
  if (!options.read_only) {
    std::error_code ignored;
    const std::filesystem::path folder = std::filesystem::path(file).parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder, ignored);
  }
  sqlite3* db = nullptr;
  const int flags =
      (options.read_only ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE) |
      SQLITE_OPEN_NOMUTEX;
  const int open_rc = sqlite3_open_v2(file.c_str(), &db, flags, nullptr);
  // The object owns the handle from here on, also when opening failed.
  std::unique_ptr<SqliteRegistryBackend> backend(new SqliteRegistryBackend(db, file));
  if (open_rc != SQLITE_OK) return backend->Error(open_rc);
  sqlite3_extended_result_codes(db, 1);
  sqlite3_busy_timeout(db, options.busy_timeout_ms);

  int rc = sqlite3_exec(db, "PRAGMA foreign_keys = ON", nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) return backend->Error(rc);
  int version = 0;
  if ((rc = QueryInt(db, "PRAGMA user_version", version)) != SQLITE_OK) return backend->Error(rc);
  if (version == 0 && !options.read_only) {
    int tables = 0;
    rc = QueryInt(db, "SELECT count(*) FROM sqlite_master", tables);
    if (rc != SQLITE_OK) return backend->Error(rc);
    if (tables != 0) return NotAStore(file, "fremde Datenbank");
    // WAL must be chosen outside a transaction; it then sticks to the file.
    rc = sqlite3_exec(db, "PRAGMA journal_mode = WAL", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) return backend->Error(rc);
    rc = sqlite3_exec(db, kSchema, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
      sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
      // Another process may have created the schema first; the checks below decide.
      if ((rc & 0xFF) != SQLITE_ERROR) return backend->Error(rc);
    }
    if ((rc = QueryInt(db, "PRAGMA user_version", version)) != SQLITE_OK) {
      return backend->Error(rc);
    }
  }
  int application_id = 0;
  if ((rc = QueryInt(db, "PRAGMA application_id", application_id)) != SQLITE_OK) {
    return backend->Error(rc);
  }
  if (application_id != kApplicationId) return NotAStore(file, "fremde Datenbank");
  if (version != kSchemaVersion) {
    return NotAStore(file, "unbekannte Version " + std::to_string(version));
  }
  if (auto prepared = backend->Prepare(); !prepared.ok()) return prepared.error();
  return backend;
}

}  // namespace vks
