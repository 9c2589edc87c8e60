#pragma once
// A prepared SQLite statement that is finalized with its owner, and a guard that resets it after
// each use: a statement left stepping would hold its read snapshot open and hide other
// processes' writes.
#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vks {

class SqliteStatement {
 public:
  SqliteStatement() = default;
  SqliteStatement(const SqliteStatement&) = delete;
  SqliteStatement& operator=(const SqliteStatement&) = delete;
  SqliteStatement(SqliteStatement&& other) noexcept : stmt_(std::exchange(other.stmt_, nullptr)) {}
  SqliteStatement& operator=(SqliteStatement&& other) noexcept {
    std::swap(stmt_, other.stmt_);
    return *this;
  }
  ~SqliteStatement() { sqlite3_finalize(stmt_); }

  // Returns the SQLite result code; the statement is kept for the connection's lifetime.
  int Prepare(sqlite3* db, std::string_view sql) {
    sqlite3_finalize(stmt_);
    stmt_ = nullptr;
    return sqlite3_prepare_v3(db, sql.data(), static_cast<int>(sql.size()),
                              SQLITE_PREPARE_PERSISTENT, &stmt_, nullptr);
  }

  // Resets the statement when it goes out of scope.
  class Use {
   public:
    explicit Use(SqliteStatement& statement) : stmt_(statement.stmt_) {}
    Use(const Use&) = delete;
    Use& operator=(const Use&) = delete;
    ~Use() {
      sqlite3_reset(stmt_);
      sqlite3_clear_bindings(stmt_);
    }

    // SQLITE_STATIC: every bound text outlives the step of its statement.
    Use& Text(int index, std::string_view text) {
      sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
      return *this;
    }
    Use& Int(int index, int64_t value) {
      sqlite3_bind_int64(stmt_, index, value);
      return *this;
    }
    Use& Blob(int index, const std::vector<uint8_t>& bytes) {
      // A zero-length blob must still be a blob, not NULL.
      sqlite3_bind_blob(stmt_, index, bytes.empty() ? "" : static_cast<const void*>(bytes.data()),
                        static_cast<int>(bytes.size()), SQLITE_STATIC);
      return *this;
    }
    // SQLITE_ROW, SQLITE_DONE or an error code.
    int Step() { return sqlite3_step(stmt_); }

    int64_t ColumnInt(int column) const { return sqlite3_column_int64(stmt_, column); }
    std::string ColumnText(int column) const {
      const auto* text = sqlite3_column_text(stmt_, column);
      return text ? std::string(reinterpret_cast<const char*>(text),
                                static_cast<size_t>(sqlite3_column_bytes(stmt_, column)))
                  : std::string();
    }
    std::vector<uint8_t> ColumnBlob(int column) const {
      const auto* bytes = static_cast<const uint8_t*>(sqlite3_column_blob(stmt_, column));
      return bytes ? std::vector<uint8_t>(bytes, bytes + sqlite3_column_bytes(stmt_, column))
                   : std::vector<uint8_t>();
    }

   private:
    sqlite3_stmt* stmt_;
  };

 private:
  sqlite3_stmt* stmt_ = nullptr;
};

}  // namespace vks
