#pragma once
// What an evaluation of a rule script needs from the server around it: the session (accounts,
// metric names, connected host objects, global data), where script errors are shown, and how
// long one script may run.
#include <cstdint>

namespace vks {

struct KontoSitzung;
class MessageReporter;

inline constexpr int64_t kScriptZeitLimitMs = 60000;

struct ScriptUmgebung {
  KontoSitzung& sitzung;
  MessageReporter* melder = nullptr;  // none: errors are never shown
  int64_t zeit_limit_ms = kScriptZeitLimitMs;
};

}  // namespace vks
