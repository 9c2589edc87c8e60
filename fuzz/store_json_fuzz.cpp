// Feeds arbitrary bytes to `vks-store dump`'s conversion; whatever it can dump must pack back to
// exactly the same bytes.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/automation/AutomationError.h"
#include "tools/store/StoreDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::string json;
  try {
    json = vks::DumpStore(bytes);
  } catch (const vks::AutomationError&) {
    return 0;
  }
  if (vks::PackStore(json) != bytes) std::abort();
  return 0;
}
