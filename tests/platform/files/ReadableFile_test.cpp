// Reads at offsets, the same on the disk and in memory, and the read faults a test can inject.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "fakes/ErrorOf.h"
#include "fakes/FaultInjectionFileSystem.h"
#include "fakes/MemoryFileSystem.h"
#include "fakes/TempFolder.h"
#include "platform/files/FileSystem.h"

namespace vks {
namespace {

using testing::ErrorOf;
using testing::FaultInjectionFileSystem;
using testing::TempFolder;

void Write(FileSystem& files, const std::string& path, const std::string& bytes) {
  auto file = files.NewWritableFile(path);
  file->Append(bytes);
  file->Close();
}

std::string ReadAt(ReadableFile& file, int64_t offset, size_t count) {
  std::vector<uint8_t> buffer(count, '#');
  buffer.resize(file.ReadAt(offset, buffer));
  return std::string(buffer.begin(), buffer.end());
}

TEST(ReadableFileTest, ReadsWhatLiesAtTheOffsetUpToTheEnd) {
  TempFolder folder;
  auto posix = NewPlatformFileSystem();
  fuzzing::MemoryFileSystem memory;
  const struct {
    int64_t offset;
    size_t count;
    std::string expected;
  } cases[] = {
      {0, 4, "0123"}, {6, 4, "6789"}, {8, 4, "89"}, {10, 4, ""}, {1000, 4, ""}, {3, 0, ""},
  };
  for (FileSystem* files : std::initializer_list<FileSystem*>{posix.get(), &memory}) {
    const std::string path = folder.File("a.bin");
    Write(*files, path, "01234");
    auto file = files->OpenReadable(path);
    // A file that grows while open is read as it is now.
    Write(*files, path, "0123456789");
    EXPECT_EQ(file->Size(), 10);
    for (const auto& c : cases) EXPECT_EQ(ReadAt(*file, c.offset, c.count), c.expected) << c.offset;
    EXPECT_EQ(files->ReadFile(path), "0123456789");
    EXPECT_EQ(ErrorOf([&] { files->OpenReadable(folder.File("none")); }), 53);
  }
}

TEST(ReadableFileTest, TheChosenReadFails) {
  TempFolder folder;
  FaultInjectionFileSystem files;
  const std::string path = folder.File("a.bin");
  Write(files, path, "abc");
  // 0: the opening, 1: the first read at an offset, 2: the second, 3: the whole-file read.
  for (int fail : {0, 1, 2, 3}) {
    SCOPED_TRACE(fail);
    files.FailReadAt(fail);
    EXPECT_EQ(ErrorOf([&] {
                auto file = files.OpenReadable(path);
                EXPECT_EQ(ReadAt(*file, 0, 2), "ab");
                EXPECT_EQ(ReadAt(*file, 2, 2), "c");
                (void)files.ReadFile(path);
              }),
              57);
    EXPECT_EQ(files.Reads(), fail + 1);
  }
  files.FailReadAt(-1);
  EXPECT_EQ(files.ReadFile(path), "abc");
}

}  // namespace
}  // namespace vks
