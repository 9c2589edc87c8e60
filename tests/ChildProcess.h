#pragma once
// A second process of the same test program that runs one routine and is killed midway, for tests
// that a process killed at any moment leaves whole files. A routine is registered by name at start;
// the test program's main runs it instead of the tests when asked for it on the command line.
#include <string>

namespace vks::testing {

using ChildRoutine = void (*)(const std::string& argument);

// Registers `routine` under `name`; for a static initialiser.
bool RegisterChildRoutine(const char* name, ChildRoutine routine);

// Runs the routine that the command line names (--vks-child NAME ARGUMENT) and returns true, or
// returns false when the command line names none.
bool RunChildRoutine(int argc, char** argv);

class ChildProcess {
 public:
  // Starts this program running routine `name` with `argument`.
  ChildProcess(const std::string& name, const std::string& argument);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool Started() const;
  // Kills the process at once (no clean-up of its own runs) and waits until it is gone.
  void Kill();

 private:
  long long id_ = -1;
};

}  // namespace vks::testing
