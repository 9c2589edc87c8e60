#include <gtest/gtest.h>

#include <cerrno>

#include "platform/files/FileSystem.h"
#include "platform/files/WindowsError.h"

namespace vks {
namespace {

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

}  // namespace
}  // namespace vks
