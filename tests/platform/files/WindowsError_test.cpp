#include "platform/files/WindowsError.h"

#include <gtest/gtest.h>

#include "platform/files/FileSystem.h"

namespace vks {
namespace {

TEST(WindowsErrorTest, MessagesAreTheGermanSystemTexts) {
  struct Case {
    uint32_t code;
    const char* text;
  } cases[] = {
      {2, "Das System kann die angegebene Datei nicht finden."},
      {3, "Das System kann den angegebenen Pfad nicht finden."},
      {5, "Zugriff verweigert"},
      {32,
       "Der Prozess kann nicht auf die Datei zugreifen, da sie von einem anderen Prozess "
       "verwendet wird."},
      {112, "Auf dem Datenträger ist nicht genügend Speicherplatz vorhanden."},
      {4711, "Unbekannter Fehler."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    EXPECT_EQ(SystemErrorMessage(c.code), c.text);
  }
}

// One table for both platforms: the POSIX build reaches it through errno, the Windows build
// directly.
TEST(WindowsErrorTest, FileErrorsCarryTheFileStatementsNumbers) {
  struct Case {
    uint32_t code;
    FileTarget target;
    int32_t number;
  } cases[] = {
      {2, FileTarget::File, 53},  {2, FileTarget::Folder, 76},  {3, FileTarget::File, 76},
      {15, FileTarget::File, 76}, {267, FileTarget::File, 76},  {5, FileTarget::File, 70},
      {32, FileTarget::File, 70}, {19, FileTarget::File, 70},   {112, FileTarget::File, 61},
      {39, FileTarget::File, 61}, {1117, FileTarget::File, 57}, {123, FileTarget::File, 75},
      {33, FileTarget::File, 75},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    EXPECT_EQ(FileError(c.code, c.target).Number(), c.number);
  }
}

}  // namespace
}  // namespace vks
