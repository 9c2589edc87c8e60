#pragma once
#include <deque>
#include <string>
#include <vector>

#include "platform/system/ErrorLog.h"
#include "platform/system/MessageReporter.h"

namespace vks::testing {

// Keeps every message; answers with queued answers, then with the default button.
class RecordingReporter : public MessageReporter {
 public:
  struct Message {
    std::string text;
    int32_t style;
    std::string title;
  };
  int32_t ZeigeMeldung(const std::string& text, int32_t style, const std::string& title) override {
    messages.push_back({text, style, title.empty() ? kDefaultMessageTitle : title});
    if (answers.empty()) return DefaultAnswer(style);
    int32_t answer = answers.front();
    answers.pop_front();
    return answer;
  }
  // The texts of the messages so far, in order.
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const Message& m : messages) texts.push_back(m.text);
    return texts;
  }
  std::vector<Message> messages;
  std::deque<int32_t> answers;
};

class RecordingErrorLog : public ErrorLog {
 public:
  void Add(const ErrorLogEntry& entry) override { entries.push_back(entry); }
  std::vector<ErrorLogEntry> entries;
};

}  // namespace vks::testing
