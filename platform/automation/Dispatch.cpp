#include "platform/automation/Dispatch.h"

#include "platform/automation/AutomationError.h"

namespace vks {

std::vector<Variant> Dispatch::Enumerate() {
  throw AutomationError(error::kNotACollection);
}

}  // namespace vks
