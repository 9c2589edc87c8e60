// What only the SQLite store must show: persistence, several processes at once, damaged and foreign
// files, a read-only or locked database.
#include "adapters/sqlite/SqliteRegistryBackend.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "fakes/TempFolder.h"

namespace vks {
namespace {

class SqliteRegistryBackendTest : public ::testing::Test {
 protected:
  std::unique_ptr<SqliteRegistryBackend> Open(SqliteRegistryBackend::Options options = {}) {
    auto backend = SqliteRegistryBackend::Open(file_, options);
    EXPECT_TRUE(backend.ok()) << (backend.ok() ? "" : backend.error().Description());
    return backend.ok() ? std::move(backend.value()) : nullptr;
  }
  static std::string Text(RegistryBackend& reg, std::string_view path, std::string_view name) {
    auto value = reg.GetValue(HKEY_CURRENT_USER, path, name);
    if (!value.ok()) return "<error " + std::to_string(value.error().Number()) + ">";
    if (!value.value()) return "<missing>";
    const auto& data = value.value()->data;
    return std::string(data.begin(), data.end() - (data.empty() ? 0 : 1));
  }
  void WriteFile(const std::string& bytes) { std::ofstream(file_, std::ios::binary) << bytes; }
  // One statement on a connection of its own, past the store.
  void Sql(const char* statement) {
    sqlite3* db = nullptr;
    sqlite3_open(file_.c_str(), &db);
    sqlite3_exec(db, statement, nullptr, nullptr, nullptr);
    sqlite3_close(db);
  }

  testing::TempFolder folder_;
  std::string file_ = folder_.File("sub/registry.sqlite");
};

TEST_F(SqliteRegistryBackendTest, ValuesSurviveReopeningAndAnotherConnectionSeesChangesAtOnce) {
  {
    auto reg = Open();  // makes the folder too
    ASSERT_TRUE(reg->SetValue(HKEY_CURRENT_USER, "Software\\A", "Name", StringValue("eins")).ok());
    ASSERT_TRUE(reg->CreateKey(HKEY_LOCAL_MACHINE, "Leer").ok());
  }
  auto reader = Open();
  EXPECT_EQ(Text(*reader, "software\\a", "NAME"), "eins");
  EXPECT_TRUE(reader->KeyExists(HKEY_LOCAL_MACHINE, "leer").value());
  auto writer = Open();
  ASSERT_TRUE(writer->SetValue(HKEY_CURRENT_USER, "Software\\A", "Name", StringValue("2")).ok());
  EXPECT_EQ(Text(*reader, "software\\a", "NAME"), "2");
  ASSERT_TRUE(writer->DeleteTree(HKEY_CURRENT_USER, "Software").ok());
  EXPECT_FALSE(reader->EnumerateValues(HKEY_CURRENT_USER, "Software\\A").value().has_value());
}

// Each child writes its own counter keys and, at the same time as the other child, one shared
// value. Every write must complete (the busy timeout absorbs the contention) and the shared value
// must hold one child's last write.
TEST_F(SqliteRegistryBackendTest, TwoProcessesWritingTheSameKeyBothComplete) {
  Open();  // create the schema before the race starts
  constexpr int kWrites = 150;
  pid_t children[2];
  for (int child = 0; child < 2; ++child) {
    children[child] = fork();
    ASSERT_GE(children[child], 0);
    if (children[child] == 0) {
      auto reg = SqliteRegistryBackend::Open(file_);
      if (!reg.ok()) _exit(2);
      const std::string me = "p" + std::to_string(child);
      bool ok = true;
      for (int i = 0; ok && i < kWrites; ++i) {
        const std::string text = me + "-" + std::to_string(i);
        ok = reg.value()->SetValue(HKEY_CURRENT_USER, "Shared", "v", StringValue(text)).ok() &&
             reg.value()
                 ->SetValue(HKEY_CURRENT_USER, "Own\\" + me, std::to_string(i), DwordValue(i))
                 .ok();
      }
      _exit(ok ? 0 : 3);
    }
  }
  for (pid_t pid : children) {
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
  }
  auto reg = Open();
  const std::string last = Text(*reg, "Shared", "v");
  EXPECT_TRUE(last == "p0-149" || last == "p1-149") << last;
  for (const char* me : {"Own\\p0", "Own\\p1"}) {
    SCOPED_TRACE(me);
    EXPECT_EQ(reg->EnumerateValues(HKEY_CURRENT_USER, me).value()->size(), size_t{kWrites});
  }
  EXPECT_EQ(*reg->EnumerateSubkeys(HKEY_CURRENT_USER, "Own").value(),
            (std::vector<std::string>{"p0", "p1"}));
}

TEST_F(SqliteRegistryBackendTest, FilesThatAreNoStoreAndFoldersAreRefused) {
  struct Case {
    const char* name;
    std::function<void()> make;
    int32_t number = 321;
  };
  const Case kCases[] = {
      {"folder", [&] { std::filesystem::create_directories(file_); }, 75},
      {"garbage", [&] { WriteFile(std::string(8192, 'x')); }},
      {"foreign database", [&] { Sql("CREATE TABLE t(x)"); }},
      {"newer version",
       [&] {
         Open();
         Sql("PRAGMA user_version = 7");
       }},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(folder_.path() + "/sub");
    std::filesystem::create_directories(folder_.path() + "/sub");
    c.make();
    auto reg = SqliteRegistryBackend::Open(file_);
    ASSERT_FALSE(reg.ok());
    EXPECT_EQ(reg.error().Number(), c.number);
    if (c.number == 321) {
      EXPECT_NE(reg.error().Description().find("Ungültiges Dateiformat (" + file_),
                std::string::npos)
          << reg.error().Description();
    }
  }
}

TEST_F(SqliteRegistryBackendTest, DamagedPagesGiveErrorsNotCrashes) {
  {
    auto reg = Open();
    for (int i = 0; i < 400; ++i) {
      ASSERT_TRUE(reg->SetValue(HKEY_CURRENT_USER, "K" + std::to_string(i), "v",
                                StringValue(std::string(100, 'x')))
                      .ok());
    }
  }  // closing the last connection moves the log into the main file
  {
    std::fstream f(file_, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(8192);
    const std::string junk(16384, '\x5A');
    f.write(junk.data(), static_cast<std::streamsize>(junk.size()));
  }
  auto reg = SqliteRegistryBackend::Open(file_);
  if (!reg.ok()) {
    EXPECT_EQ(reg.error().Number(), 321);
    return;
  }
  int corrupt = 0;
  for (int i = 0; i < 400; ++i) {
    auto value = reg.value()->GetValue(HKEY_CURRENT_USER, "K" + std::to_string(i), "v");
    if (!value.ok()) corrupt += value.error().Number() == 321;
  }
  auto listing = reg.value()->EnumerateSubkeys(HKEY_CURRENT_USER, "");
  if (!listing.ok()) corrupt += listing.error().Number() == 321;
  EXPECT_GT(corrupt, 0);
}

TEST_F(SqliteRegistryBackendTest, AReadOnlyStoreReadsAndRefusesEveryChange) {
  Open()->SetValue(HKEY_CURRENT_USER, "k", "v", StringValue("alt")).value();
  auto reg = Open({.read_only = true, .busy_timeout_ms = 100});
  ASSERT_NE(reg, nullptr);
  EXPECT_EQ(Text(*reg, "k", "v"), "alt");
  const Result<bool> changes[] = {
      reg->SetValue(HKEY_CURRENT_USER, "k", "v", StringValue("neu")),
      reg->CreateKey(HKEY_CURRENT_USER, "k2"),
      reg->DeleteValue(HKEY_CURRENT_USER, "k", "v"),
      reg->DeleteTree(HKEY_CURRENT_USER, "k"),
  };
  for (const Result<bool>& change : changes) {
    ASSERT_FALSE(change.ok());
    EXPECT_EQ(change.error().Number(), 75);
    EXPECT_NE(change.error().Description().find("schreibgeschützt"), std::string::npos);
  }
  EXPECT_EQ(Text(*reg, "k", "v"), "alt");
}

TEST_F(SqliteRegistryBackendTest, ALockedStoreFailsWritesAfterTheTimeoutAndStillReads) {
  auto reg = Open({.read_only = false, .busy_timeout_ms = 50});
  ASSERT_TRUE(reg->SetValue(HKEY_CURRENT_USER, "k", "v", StringValue("alt")).ok());
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(file_.c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
  auto blocked = reg->SetValue(HKEY_CURRENT_USER, "k", "v", StringValue("neu"));
  ASSERT_FALSE(blocked.ok());
  EXPECT_EQ(blocked.error().Number(), 70);
  EXPECT_NE(blocked.error().Description().find("gesperrt"), std::string::npos);
  EXPECT_EQ(Text(*reg, "k", "v"), "alt");
  sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(other);
  EXPECT_TRUE(reg->SetValue(HKEY_CURRENT_USER, "k", "v", StringValue("neu")).ok());
  EXPECT_EQ(Text(*reg, "k", "v"), "neu");
}

}  // namespace
}  // namespace vks
