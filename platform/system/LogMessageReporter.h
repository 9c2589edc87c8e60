#pragma once
// Message reporting without a display: each message becomes one line of the log, and the answer is
// the one a user gives by just confirming the box (its first button).
#include <ostream>

#include "platform/system/MessageReporter.h"

namespace vks {

class LogMessageReporter : public MessageReporter {
 public:
  // REQUIRES: log outlives the reporter. `priorities`: each line begins with its journal priority
  // by the message's icon (JournalLog.h).
  explicit LogMessageReporter(std::ostream& log, bool priorities = false)
      : log_(log), priorities_(priorities) {}

  // Writes "<title>: <text>", line breaks inside the text shown as " | ".
  int32_t ZeigeMeldung(const std::string& text, int32_t style,
                       const std::string& title = {}) override;

 private:
  std::ostream& log_;
  bool priorities_;
};

}  // namespace vks
