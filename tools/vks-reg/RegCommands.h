#pragma once
// The commands of vks-reg on a registry, with their output and messages, apart from the process
// around them so that tests run them on any store:
//   query KEY [/v NAME | /ve] [/s]
//   add KEY [/v NAME | /ve] [/t TYPE] [/d DATA] [/f]
//   delete KEY [/v NAME | /ve | /va] [/f]
//   export [KEY] FILE [/y] [/regedit4]
//   import FILE
#include <ostream>
#include <string>
#include <vector>

#include "platform/settings/RegistryBackend.h"

namespace vks {

// Returns the process exit code: 0 on success, else after writing the reason to err 2 for a
// command line that is wrong in itself (no registry touched) and 1 for one that failed.
int RunRegCommand(const std::vector<std::string>& args, RegistryBackend& registry,
                  std::ostream& out, std::ostream& err);

}  // namespace vks
