#include "adapters/win32/Win32RegistryBackend.h"
#include "tools/vks-reg/RegistryStore.h"

namespace vks {

Result<std::unique_ptr<RegistryBackend>> OpenRegistryStore() {
  return std::unique_ptr<RegistryBackend>(std::make_unique<Win32RegistryBackend>());
}

}  // namespace vks
