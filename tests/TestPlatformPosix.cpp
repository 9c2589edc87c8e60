#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/ChildProcess.h"
#include "tests/TestPlatform.h"

namespace vks::testing {

ChildProcess::ChildProcess(const std::string& name, const std::string& argument) {
  const pid_t child = ::fork();
  if (child == 0) {
    ::execl("/proc/self/exe", "child", "--vks-child", name.c_str(), argument.c_str(), nullptr);
    ::_exit(127);
  }
  id_ = child;
}

ChildProcess::~ChildProcess() {
  Kill();
}

bool ChildProcess::Started() const {
  return id_ > 0;
}

void ChildProcess::Kill() {
  if (id_ <= 0) return;
  ::kill(static_cast<pid_t>(id_), SIGKILL);
  int status = 0;
  ::waitpid(static_cast<pid_t>(id_), &status, 0);
  id_ = -1;
}

int ChildProcess::Wait() {
  if (id_ <= 0) return -1;
  int status = 0;
  const bool waited = ::waitpid(static_cast<pid_t>(id_), &status, 0) == id_;
  id_ = -1;
  return waited && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool CanMakeSymbolicLinks() {
  return true;
}

bool WindowsFileNames() {
  return false;
}

bool RunsUnderWine() {
  return false;
}

}  // namespace vks::testing
