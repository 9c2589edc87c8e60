#pragma once
// Message boxes as the core sees them (ZeigeMeldung): text, the platform's style flags, a title.
// Returns the button pressed. Without a display the reporter logs the message and answers with the
// default (first) button.
#include <cstdint>
#include <string>

namespace vks {

// The platform's answer codes and the style bits the server uses.
namespace msgbox {
inline constexpr int32_t kOk = 1;
inline constexpr int32_t kCancel = 2;
inline constexpr int32_t kAbort = 3;
inline constexpr int32_t kRetry = 4;
inline constexpr int32_t kIgnore = 5;
inline constexpr int32_t kYes = 6;
inline constexpr int32_t kNo = 7;

inline constexpr int32_t kOkOnly = 0;
inline constexpr int32_t kOkCancel = 1;
inline constexpr int32_t kAbortRetryIgnore = 2;
inline constexpr int32_t kYesNoCancel = 3;
inline constexpr int32_t kYesNo = 4;
inline constexpr int32_t kRetryCancel = 5;
inline constexpr int32_t kSystemModal = 4096;
}  // namespace msgbox

inline constexpr const char* kDefaultMessageTitle = "Tradomir Konto-Server";

class MessageReporter {
 public:
  virtual ~MessageReporter() = default;
  // An empty title becomes kDefaultMessageTitle. Never fails.
  virtual int32_t ZeigeMeldung(const std::string& text, int32_t style,
                               const std::string& title = {}) = 0;
};

// The answer a message box gives when the user just confirms it: its first button.
int32_t DefaultAnswer(int32_t style);

}  // namespace vks
