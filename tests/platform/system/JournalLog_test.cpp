#include "platform/system/JournalLog.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/system/LogMessageReporter.h"
#include "platform/system/MessageReporter.h"

namespace vks {
namespace {

TEST(JournalLogTest, OnlyTheStreamThatJournalStreamNamesGetsPriorities) {
  struct Case {
    const char* value;  // JOURNAL_STREAM; nullptr: unset
    bool journal;
  };
  // The stream: device 2049, inode 123456.
  const Case kCases[] = {
      {"2049:123456", true},   {nullptr, false},     {"", false},      {"2049:123457", false},
      {"2048:123456", false},  {"2049", false},      {"2049:", false}, {":123456", false},
      {"2049:123456x", false}, {"-1:123456", false}, {"x:y", false},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.value ? c.value : "(nicht gesetzt)");
    EXPECT_EQ(IsJournalStream(c.value, 2049, 123456), c.journal);
    // What the server writes to its log, with and without the journal behind it.
    std::ostringstream log;
    {
      JournalPrefixes prefixes(log, IsJournalStream(c.value, 2049, 123456));
      LogMessageReporter reporter(log, prefixes.Active());
      log << "FEHLER: "  // a line in pieces
          << "Registrierung"
          << "\n"
          << std::flush;
      log << "Hinweis: x\nKontenfenster: keine Anzeige\n";
      reporter.ZeigeMeldung("Speichern fehlgeschlagen", 16, "T");
      reporter.ZeigeMeldung("Ordner anlegen?", msgbox::kYesNo | 32, "T");
      log << "Warnung: ohne Ende";
    }
    EXPECT_EQ(log.str(), c.journal
                             ? "<3>FEHLER: Registrierung\n<5>Hinweis: x\n"
                               "<6>Kontenfenster: keine Anzeige\n<3>T: Speichern "
                               "fehlgeschlagen\n<5>T: Ordner anlegen?\n<4>Warnung: ohne Ende\n"
                             : "FEHLER: Registrierung\nHinweis: x\nKontenfenster: keine "
                               "Anzeige\nT: Speichern fehlgeschlagen\nT: Ordner anlegen?\n"
                               "Warnung: ohne Ende");
  }
}

}  // namespace
}  // namespace vks
