#include "platform/files/WindowsError.h"

#include <gtest/gtest.h>

#include <cerrno>

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

#ifndef _WIN32
// The POSIX build reaches the codes through errno.
TEST(WindowsErrorTest, ErrnoMapsToTheCodeThatMeansTheSame) {
  struct Case {
    int err;
    uint32_t code;
  } cases[] = {
      {0, 0},        {ENOENT, 2},         {ENOTDIR, 3},    {EMFILE, 4},  {EACCES, 5},
      {EPERM, 5},    {EISDIR, 5},         {EBADF, 6},      {ENOMEM, 8},  {EROFS, 19},
      {ETXTBSY, 32}, {EBUSY, 32},         {EAGAIN, 33},    {EINVAL, 87}, {ENOSPC, 112},
      {EDQUOT, 112}, {ENAMETOOLONG, 206}, {EFBIG, 223},    {EIO, 1117},  {ELOOP, 1921},
      {EEXIST, 183}, {ENOTEMPTY, 145},    {EHOSTDOWN, 31},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.err);
    EXPECT_EQ(WindowsErrorFromErrno(c.err), c.code);
  }
}

TEST(WindowsErrorTest, EveryMappedCodeHasItsOwnText) {
  for (int err = 1; err < 140; ++err) {
    uint32_t code = WindowsErrorFromErrno(err);
    SCOPED_TRACE(err);
    EXPECT_NE(SystemErrorMessage(code), "Unbekannter Fehler.");
    EXPECT_LE(SystemErrorMessage(code).size(), 256u);
  }
}
#endif

}  // namespace
}  // namespace vks
