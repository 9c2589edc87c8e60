#include <cstring>
#include <map>

#include "tests/ChildProcess.h"

namespace vks::testing {
namespace {

std::map<std::string, ChildRoutine>& Routines() {
  static std::map<std::string, ChildRoutine> routines;
  return routines;
}

}  // namespace

bool RegisterChildRoutine(const char* name, ChildRoutine routine) {
  Routines()[name] = routine;
  return true;
}

int RunChildRoutine(int argc, char** argv) {
  if (argc != 4 || std::strcmp(argv[1], "--vks-child") != 0) return -1;
  const auto found = Routines().find(argv[2]);
  return found != Routines().end() ? found->second(argv[3]) : 127;
}

}  // namespace vks::testing
