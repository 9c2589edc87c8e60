#include "platform/system/MessageReporter.h"

namespace vks {

int32_t DefaultAnswer(int32_t style) {
  switch (style & 0xF) {
    case msgbox::kAbortRetryIgnore:
      return msgbox::kAbort;
    case msgbox::kYesNoCancel:
    case msgbox::kYesNo:
      return msgbox::kYes;
    case msgbox::kRetryCancel:
      return msgbox::kRetry;
    default:
      return msgbox::kOk;
  }
}

}  // namespace vks
