#include "adapters/sqlite/SqliteRegistryBackend.h"

#include "platform/settings/RegistryPath.h"

namespace vks {

struct SqliteRegistryBackend::Statements {
  SqliteStatement begin, begin_read, commit, rollback;
  SqliteStatement key_exists, has_subkey, insert_key, delete_key, delete_below, delete_root_values;
  SqliteStatement get_value, upsert_value, delete_value;
  SqliteStatement subkeys, values;
};

namespace {

std::string_view RootPrefix(ERegistryClassConstants root) {
  switch (root) {
    case HKEY_CLASSES_ROOT:
      return "HKCR";
    case HKEY_CURRENT_USER:
      return "HKCU";
    case HKEY_LOCAL_MACHINE:
      return "HKLM";
    case HKEY_USERS:
      return "HKU";
  }
  return "";
}

}  // namespace

SqliteRegistryBackend::SqliteRegistryBackend(sqlite3* db, std::string file)
    : db_(db), file_(std::move(file)), statements_(std::make_unique<Statements>()) {}

SqliteRegistryBackend::~SqliteRegistryBackend() {
  statements_.reset();  // statements must be finalized before the connection closes
  sqlite3_close(db_);
}

Result<bool> SqliteRegistryBackend::Prepare() {
  Statements& s = *statements_;
  const std::pair<SqliteStatement*, const char*> all[] = {
      {&s.begin, "BEGIN IMMEDIATE"},
      {&s.begin_read, "BEGIN"},
      {&s.commit, "COMMIT"},
      {&s.rollback, "ROLLBACK"},
      {&s.key_exists, "SELECT 1 FROM keys WHERE path = ?1"},
      {&s.has_subkey, "SELECT 1 FROM keys WHERE parent = ?1 LIMIT 1"},
      {&s.insert_key,
       "INSERT INTO keys(path, parent, name) VALUES(?1, ?2, ?3) ON CONFLICT(path) DO NOTHING"},
      {&s.delete_key, "DELETE FROM keys WHERE path = ?1"},
      // Folded subkey paths begin with the parent's path and a backslash; ']' follows '\'.
      {&s.delete_below, "DELETE FROM keys WHERE path > ?1 || '\\' AND path < ?1 || ']'"},
      {&s.delete_root_values, "DELETE FROM vals WHERE key = ?1"},
      {&s.get_value, "SELECT type, data FROM vals WHERE key = ?1 AND fold = ?2"},
      {&s.upsert_value,
       "INSERT INTO vals(key, fold, name, type, data) VALUES(?1, ?2, ?3, ?4, ?5) "
       "ON CONFLICT(key, fold) DO UPDATE SET type = excluded.type, data = excluded.data"},
      {&s.delete_value, "DELETE FROM vals WHERE key = ?1 AND fold = ?2"},
      {&s.subkeys, "SELECT name FROM keys WHERE parent = ?1 ORDER BY path"},
      {&s.values, "SELECT name FROM vals WHERE key = ?1 ORDER BY id"},
  };
  for (const auto& [statement, sql] : all) {
    if (int rc = statement->Prepare(db_, sql); rc != SQLITE_OK) return Error(rc);
  }
  return true;
}

Result<SqliteRegistryBackend::KeyChain> SqliteRegistryBackend::Chain(ERegistryClassConstants root,
                                                                     std::string_view path) const {
  auto segments = SplitKeyPath(path);
  if (!segments.ok()) return segments.error();
  KeyChain chain;
  chain.names = std::move(segments.value());
  chain.folded.reserve(chain.names.size() + 1);
  chain.folded.emplace_back(RootPrefix(root));
  for (std::string_view name : chain.names) {
    chain.folded.push_back(chain.folded.back() + '\\' + RegistryFold(name));
  }
  return chain;
}

Result<std::string> SqliteRegistryBackend::FoldedKey(ERegistryClassConstants root,
                                                     std::string_view path) const {
  if (auto segments = SplitKeyPath(path); !segments.ok()) return segments.error();
  std::string key(RootPrefix(root));
  if (!path.empty()) {
    // Folding works character by character, so the whole path folds as its segments do.
    key += '\\';
    key += RegistryFold(path);
  }
  return key;
}

template <class Body>
Result<bool> SqliteRegistryBackend::Transaction(Body&& body) {
  Statements& s = *statements_;
  if (int rc = SqliteStatement::Use(s.begin).Step(); rc != SQLITE_DONE) return Error(rc);
  Result<bool> result = body();
  if (result.ok()) {
    int rc = SqliteStatement::Use(s.commit).Step();
    if (rc == SQLITE_DONE) return result;
    result = Error(rc);
  }
  (void)SqliteStatement::Use(s.rollback).Step();
  return result;
}

Result<bool> SqliteRegistryBackend::Exists(const std::string& folded_path) {
  SqliteStatement::Use use(statements_->key_exists);
  int rc = use.Text(1, folded_path).Step();
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  return Error(rc);
}

Result<bool> SqliteRegistryBackend::InsertKeys(const KeyChain& chain) {
  bool created = false;
  for (size_t i = 1; i < chain.folded.size(); ++i) {
    SqliteStatement::Use use(statements_->insert_key);
    use.Text(1, chain.folded[i]).Text(2, chain.folded[i - 1]).Text(3, chain.names[i - 1]);
    if (int rc = use.Step(); rc != SQLITE_DONE) return Error(rc);
    created = sqlite3_changes(db_) > 0;
  }
  return created;
}

Result<bool> SqliteRegistryBackend::KeyExists(ERegistryClassConstants root, std::string_view path) {
  auto chain = Chain(root, path);
  if (!chain.ok()) return chain.error();
  return Exists(chain->Key());
}

Result<bool> SqliteRegistryBackend::CreateKey(ERegistryClassConstants root, std::string_view path) {
  auto chain = Chain(root, path);
  if (!chain.ok()) return chain.error();
  return Transaction([&] { return InsertKeys(chain.value()); });
}

Result<bool> SqliteRegistryBackend::DeleteKey(ERegistryClassConstants root, std::string_view path) {
  auto chain = Chain(root, path);
  if (!chain.ok()) return chain.error();
  if (chain->names.empty()) {
    return AutomationError(70, std::string(kRegistryErrorSource),
                           std::string(ErrorDescription(70)) + " (Wurzelschlüssel)");
  }
  const std::string& key = chain->Key();
  return Transaction([&]() -> Result<bool> {
    auto exists = Exists(key);
    if (!exists.ok() || !exists.value()) return exists;
    SqliteStatement::Use has_subkey(statements_->has_subkey);
    int rc = has_subkey.Text(1, key).Step();
    if (rc == SQLITE_ROW) {
      return AutomationError(70, std::string(kRegistryErrorSource),
                             std::string(ErrorDescription(70)) + " (Schlüssel hat Unterschlüssel)");
    }
    if (rc != SQLITE_DONE) return Error(rc);
    SqliteStatement::Use remove(statements_->delete_key);
    if ((rc = remove.Text(1, key).Step()) != SQLITE_DONE) return Error(rc);
    return true;
  });
}

Result<bool> SqliteRegistryBackend::DeleteTree(ERegistryClassConstants root,
                                               std::string_view path) {
  auto chain = Chain(root, path);
  if (!chain.ok()) return chain.error();
  const std::string& key = chain->Key();
  const bool is_root = chain->names.empty();
  return Transaction([&]() -> Result<bool> {
    auto exists = Exists(key);
    if (!exists.ok() || !exists.value()) return exists;
    SqliteStatement::Use below(statements_->delete_below);
    if (int rc = below.Text(1, key).Step(); rc != SQLITE_DONE) return Error(rc);
    SqliteStatement::Use self(is_root ? statements_->delete_root_values : statements_->delete_key);
    if (int rc = self.Text(1, key).Step(); rc != SQLITE_DONE) return Error(rc);
    return true;
  });
}

Result<std::optional<RegistryValue>> SqliteRegistryBackend::GetValue(ERegistryClassConstants root,
                                                                     std::string_view path,
                                                                     std::string_view name) {
  if (auto error = CheckValueName(name)) return *error;
  auto key = FoldedKey(root, path);
  if (!key.ok()) return key.error();
  const std::string fold = RegistryFold(name);
  SqliteStatement::Use use(statements_->get_value);
  int rc = use.Text(1, key.value()).Text(2, fold).Step();
  if (rc == SQLITE_DONE) return std::optional<RegistryValue>();
  if (rc != SQLITE_ROW) return Error(rc);
  return std::optional<RegistryValue>(
      RegistryValue{static_cast<int32_t>(use.ColumnInt(0)), use.ColumnBlob(1)});
}

Result<bool> SqliteRegistryBackend::SetValue(ERegistryClassConstants root, std::string_view path,
                                             std::string_view name, const RegistryValue& value) {
  if (auto error = CheckValueName(name)) return *error;
  if (auto error = CheckValueData(value)) return *error;
  auto chain = Chain(root, path);
  if (!chain.ok()) return chain.error();
  const std::string fold = RegistryFold(name);
  return Transaction([&]() -> Result<bool> {
    if (auto inserted = InsertKeys(chain.value()); !inserted.ok()) return inserted;
    bool is_new;
    {
      SqliteStatement::Use get(statements_->get_value);
      int rc = get.Text(1, chain->Key()).Text(2, fold).Step();
      if (rc != SQLITE_ROW && rc != SQLITE_DONE) return Error(rc);
      is_new = rc == SQLITE_DONE;
    }
    SqliteStatement::Use put(statements_->upsert_value);
    put.Text(1, chain->Key()).Text(2, fold).Text(3, name).Int(4, value.type).Blob(5, value.data);
    if (int rc = put.Step(); rc != SQLITE_DONE) return Error(rc);
    return is_new;
  });
}

Result<bool> SqliteRegistryBackend::DeleteValue(ERegistryClassConstants root, std::string_view path,
                                                std::string_view name) {
  if (auto error = CheckValueName(name)) return *error;
  auto chain = Chain(root, path);
  if (!chain.ok()) return chain.error();
  const std::string fold = RegistryFold(name);
  // One statement is its own transaction.
  SqliteStatement::Use use(statements_->delete_value);
  if (int rc = use.Text(1, chain->Key()).Text(2, fold).Step(); rc != SQLITE_DONE) return Error(rc);
  return sqlite3_changes(db_) > 0;
}

Result<std::optional<std::vector<std::string>>> SqliteRegistryBackend::Names(
    SqliteStatement& statement, ERegistryClassConstants root, std::string_view path) {
  auto chain = Chain(root, path);
  if (!chain.ok()) return chain.error();
  const std::string& key = chain->Key();
  // Existence and listing must see the same snapshot, or a key deleted in between would list as
  // existing and empty; a deferred transaction gives one snapshot without taking the write lock.
  if (int rc = SqliteStatement::Use(statements_->begin_read).Step(); rc != SQLITE_DONE) {
    return Error(rc);
  }
  using Out = Result<std::optional<std::vector<std::string>>>;
  Out listed = [&]() -> Out {
    auto exists = Exists(key);
    if (!exists.ok()) return exists.error();
    if (!exists.value()) return std::optional<std::vector<std::string>>();
    std::vector<std::string> names;
    SqliteStatement::Use use(statement);
    use.Text(1, key);
    int rc;
    while ((rc = use.Step()) == SQLITE_ROW) names.push_back(use.ColumnText(0));
    if (rc != SQLITE_DONE) return Error(rc);
    return std::optional(std::move(names));
  }();
  (void)SqliteStatement::Use(statements_->commit).Step();
  return listed;
}

Result<std::optional<std::vector<std::string>>> SqliteRegistryBackend::EnumerateSubkeys(
    ERegistryClassConstants root, std::string_view path) {
  return Names(statements_->subkeys, root, path);
}

Result<std::optional<std::vector<std::string>>> SqliteRegistryBackend::EnumerateValues(
    ERegistryClassConstants root, std::string_view path) {
  return Names(statements_->values, root, path);
}

}  // namespace vks
