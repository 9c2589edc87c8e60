// Reading one setting through the settings interface against its floor in the same run: one
// prepared SELECT of the same row on a connection of its own.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <string>

#include "adapters/sqlite/SqliteRegistryBackend.h"
#include "bench/Floor.h"
#include "platform/settings/RegistrySettingsStore.h"

namespace vks {
namespace {

struct Fixture {
  Fixture() {
    // A realistic store: the server's own settings among those of other programs.
    for (int app = 0; app < 50; ++app) {
      for (int key = 0; key < 20; ++key) {
        (void)store.SaveSetting("App" + std::to_string(app), "Section", "Key" + std::to_string(key),
                                "value");
      }
    }
    (void)store.SaveSetting("Tradomir Kontoserver", "Einstellungen", "RTTSpeicherpfadV7",
                            "/home/user/Realtimedaten");
  }
  bench::ScratchFolder folder{"vks-settings-bench-"};
  std::string file = folder.path + "/registry.sqlite";
  std::unique_ptr<SqliteRegistryBackend> backend = SqliteRegistryBackend::Open(file).ValueOrThrow();
  RegistrySettingsStore store{*backend};
};

Fixture& Shared() {
  static Fixture fixture;
  return fixture;
}

void BM_GetSetting(benchmark::State& state) {
  SettingsStore& store = Shared().store;
  for (auto _ : state) {
    std::string value =
        store.GetSetting("Tradomir Kontoserver", "Einstellungen", "RTTSpeicherpfadV7", "");
    benchmark::DoNotOptimize(value);
  }
}
BENCHMARK(BM_GetSetting);

void BM_GetSettingFloor(benchmark::State& state) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(Shared().file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* stmt = nullptr;
  sqlite3_prepare_v3(db, "SELECT type, data FROM vals WHERE key = ?1 AND fold = ?2", -1,
                     SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
  const std::string key =
      "HKCU\\SOFTWARE\\VB AND VBA PROGRAM SETTINGS\\TRADOMIR KONTOSERVER\\EINSTELLUNGEN";
  const std::string fold = "RTTSPEICHERPFADV7";
  for (auto _ : state) {
    sqlite3_bind_text(stmt, 1, key.data(), static_cast<int>(key.size()), SQLITE_STATIC);
    sqlite3_bind_text(stmt, 2, fold.data(), static_cast<int>(fold.size()), SQLITE_STATIC);
    if (sqlite3_step(stmt) != SQLITE_ROW) state.SkipWithError("row not found");
    const auto* data = static_cast<const char*>(sqlite3_column_blob(stmt, 1));
    std::string value(data, static_cast<size_t>(sqlite3_column_bytes(stmt, 1)) - 1);
    benchmark::DoNotOptimize(value);
    sqlite3_reset(stmt);
  }
  sqlite3_finalize(stmt);
  sqlite3_close(db);
}
BENCHMARK(BM_GetSettingFloor);

}  // namespace
}  // namespace vks

BENCHMARK_MAIN();
