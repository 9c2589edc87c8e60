#pragma once
// What an evaluation of a rule script needs from the server around it: the session (accounts,
// metric names, connected host objects, global data), where script errors are shown, how long
// one script may run and the user's locale.
#include <cstdint>

#include "platform/automation/AutomationLocale.h"

namespace vks {

struct KontoSitzung;
class MessageReporter;

inline constexpr int64_t kScriptZeitLimitMs = 60000;

struct ScriptUmgebung {
  KontoSitzung& sitzung;
  MessageReporter* melder = nullptr;  // none: errors are never shown
  int64_t zeit_limit_ms = kScriptZeitLimitMs;
  // How a rule's CDbl, CStr and FormatNumber read and write numbers and dates: the user's locale.
  AutomationLocale locale = AutomationLocale::Invariant();
};

}  // namespace vks
