// The registry stores' shared behaviour, run against the SQLite store and the in-memory fake that
// core tests rely on.
#include <gtest/gtest.h>

#include <memory>

#include "adapters/sqlite/SqliteRegistryBackend.h"
#include "fakes/InMemoryRegistryBackend.h"
#include "fakes/TempFolder.h"
#include "tests/platform/settings/RegistryBackendConformance.h"

namespace vks {
namespace {

struct SqliteStore {
  testing::TempFolder folder;
  std::unique_ptr<SqliteRegistryBackend> backend =
      SqliteRegistryBackend::Open(folder.File("registry.sqlite")).ValueOrThrow();
  RegistryBackend& Get() { return *backend; }
  static constexpr bool kListsInWindowsOrder = true;
};
struct MemoryStore {
  InMemoryRegistryBackend backend;
  RegistryBackend& Get() { return backend; }
  static constexpr bool kListsInWindowsOrder = true;
};

using Stores = ::testing::Types<SqliteStore, MemoryStore>;
INSTANTIATE_TYPED_TEST_SUITE_P(Linux, RegistryBackendTest, Stores);

}  // namespace
}  // namespace vks
