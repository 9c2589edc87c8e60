#pragma once
// The registry store the tool works on: the SQLite store of the Linux build (DefaultRegistryFile),
// or the Windows registry itself.
#include <memory>

#include "platform/automation/Result.h"
#include "platform/settings/RegistryBackend.h"

namespace vks {

Result<std::unique_ptr<RegistryBackend>> OpenRegistryStore();

}  // namespace vks
