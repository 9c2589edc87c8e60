#include <cstdlib>

#include "platform/automation/AutomationLocale.h"

namespace vks {

AutomationLocale AutomationLocale::FromEnvironment() {
  for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
    const char* name = std::getenv(variable);
    if (name && *name) return FromName(name);
  }
  return Invariant();
}

}  // namespace vks
