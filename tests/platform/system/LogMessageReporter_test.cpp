#include "platform/system/LogMessageReporter.h"

#include <gtest/gtest.h>

#include <sstream>

namespace vks {
namespace {

TEST(LogMessageReporterTest, OneLinePerMessageAndTheFirstButtonAsAnswer) {
  struct Case {
    std::string text;
    int32_t style;
    std::string title;
    std::string line;
    int32_t answer;
  };
  const Case kCases[] = {
      {"Hallo", 4096, "", "Tradomir Konto-Server: Hallo", msgbox::kOk},
      {"a\r\nb\nc\rd", 0, "Titel", "Titel: a | b | c | d", msgbox::kOk},
      {"Ordner anlegen?", msgbox::kYesNo, "", "Tradomir Konto-Server: Ordner anlegen?",
       msgbox::kYes},
      {"", msgbox::kRetryCancel | 4096, "", "Tradomir Konto-Server: ", msgbox::kRetry},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.line);
    std::ostringstream log;
    LogMessageReporter reporter(log);
    EXPECT_EQ(reporter.ZeigeMeldung(c.text, c.style, c.title), c.answer);
    EXPECT_EQ(log.str(), c.line + "\n");
  }
}

}  // namespace
}  // namespace vks
