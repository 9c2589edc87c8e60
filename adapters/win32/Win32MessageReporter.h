#pragma once
// Message boxes through MessageBoxW, with the style bits and answer codes the core already uses
// (they are the platform's own). A process without an interactive desktop (a service, a test, a
// server started outside the user's session) takes the same path as the Linux build without a
// display: the message goes to the log and the answer is the default button.
#include <ostream>

#include "platform/system/LogMessageReporter.h"

namespace vks {

// True when the process's window station is visible to a user.
bool HatInteraktivenDesktop();

class Win32MessageReporter : public MessageReporter {
 public:
  // REQUIRES: log outlives the reporter.
  Win32MessageReporter(std::ostream& log, bool interaktiv) : interaktiv_(interaktiv), log_(log) {}
  explicit Win32MessageReporter(std::ostream& log)
      : Win32MessageReporter(log, HatInteraktivenDesktop()) {}

  int32_t ZeigeMeldung(const std::string& text, int32_t style,
                       const std::string& title = {}) override;

 private:
  bool interaktiv_;
  LogMessageReporter log_;
};

}  // namespace vks
