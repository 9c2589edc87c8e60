#include "platform/system/LogMessageReporter.h"

#include "platform/system/JournalLog.h"

namespace vks {

int32_t LogMessageReporter::ZeigeMeldung(const std::string& text, int32_t style,
                                         const std::string& title) {
  std::string line = priorities_ ? "<" + std::to_string(MessagePriority(style)) + ">" : "";
  line += (title.empty() ? std::string(kDefaultMessageTitle) : title) + ": ";
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      line += " | ";
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line += text[i];
    }
  }
  log_ << line << '\n' << std::flush;
  return DefaultAnswer(style);
}

}  // namespace vks
