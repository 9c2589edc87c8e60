#include "adapters/win32/Win32MessageReporter.h"

#include <gtest/gtest.h>

#include <sstream>

namespace vks {
namespace {

// Without an interactive desktop the box becomes the log line of the Linux build without a
// display, and the answer its default button.
TEST(Win32MessageReporterTest, WithoutADesktopLogsAndAnswersTheDefault) {
  std::ostringstream log;
  Win32MessageReporter reporter(log, false);
  EXPECT_EQ(reporter.ZeigeMeldung("Ordner\r\nanlegen?", msgbox::kYesNo | msgbox::kSystemModal),
            msgbox::kYes);
  EXPECT_EQ(reporter.ZeigeMeldung("Fehler", msgbox::kAbortRetryIgnore, "Titel"), msgbox::kAbort);
  EXPECT_EQ(log.str(), "Tradomir Konto-Server: Ordner | anlegen?\nTitel: Fehler\n");
}

}  // namespace
}  // namespace vks
