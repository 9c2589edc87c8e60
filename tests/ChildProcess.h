#pragma once
// A second process of the same test program that runs one routine and is killed midway, for tests
// that a process killed at any moment leaves whole files. A routine is registered by name at start;
// the test program's main runs it instead of the tests when asked for it on the command line.
#include <string>

namespace vks::testing {

// Returns the child's exit code.
using ChildRoutine = int (*)(const std::string& argument);

// Registers `routine` under `name`; for a static initialiser.
bool RegisterChildRoutine(const char* name, ChildRoutine routine);

// Runs the routine that the command line names (--vks-child NAME ARGUMENT) and returns its exit
// code; -1 when the command line names none.
int RunChildRoutine(int argc, char** argv);

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
  // Waits until the process ends by itself; its exit code, -1 when it did not exit normally.
  int Wait();

 private:
  long long id_ = -1;
};

}  // namespace vks::testing
