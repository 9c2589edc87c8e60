#include "adapters/sqlite/RegistryLocation.h"
#include "adapters/sqlite/SqliteRegistryBackend.h"
#include "tools/vks-reg/RegistryStore.h"

namespace vks {

Result<std::unique_ptr<RegistryBackend>> OpenRegistryStore() {
  auto registry = SqliteRegistryBackend::Open(DefaultRegistryFile());
  if (!registry.ok()) return registry.error();
  return std::unique_ptr<RegistryBackend>(std::move(registry.value()));
}

}  // namespace vks
