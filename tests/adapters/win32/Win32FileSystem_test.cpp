// What the Windows file system adds to the shared file-system cases: names that Windows refuses or
// would silently change, paths longer than MAX_PATH, and files held open by another reader.
#include <gtest/gtest.h>

#include "fakes/ErrorOf.h"
#include "fakes/TempFolder.h"
#include "platform/files/FileSystem.h"
#include "platform/files/RawFile.h"
#include "platform/files/WindowsError.h"

// After our headers; DeleteFile is the file system's member, not the macro for DeleteFileW.
#include <windows.h>
#undef DeleteFile

namespace vks {
namespace {

using testing::ErrorOf;
using testing::TempFolder;

class Win32FileSystemTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return JoinPath(folder_.path(), name); }

  TempFolder folder_;
  std::unique_ptr<FileSystem> files_ = NewPlatformFileSystem();
};

TEST_F(Win32FileSystemTest, NamesWindowsRefusesFailAndCreateNothing) {
  for (const char* name : {"CON", "nul.txt", "Com1.rtt", "LPT9", "Konto.", "Konto ", "a<b", "a>b",
                           "a:b", "a\"b", "a|b", "a?b", "a*b", "tab\tname", "ordner./x"}) {
    SCOPED_TRACE(name);
    const std::string path = Path(name);
    EXPECT_EQ(ErrorOf([&] { (void)files_->NewWritableFile(path); }), 75);
    EXPECT_EQ(ErrorOf([&] { (void)files_->OpenPositioned(path); }), 75);
    EXPECT_EQ(ErrorOf([&] { files_->CreateFolder(path); }), 75);
    uint32_t error = 0;
    EXPECT_EQ(rawfile::OpenOrCreate(path, false, error), rawfile::kInvalidHandle);
    EXPECT_EQ(error, winerror::kInvalidName);
    EXPECT_FALSE(files_->FileExists(path));
  }
  EXPECT_TRUE(files_->ListFiles(folder_.path(), "").empty());
  // Names both systems allow keep every character.
  for (const char* name : {"Müller & Söhne.rtt", "a.b.c", "x,y;z=1+2", "€uro [1].rtt"}) {
    files_->NewWritableFile(Path(name))->Close();
  }
  EXPECT_EQ(files_->ListFiles(folder_.path(), "").size(), 4u);
  EXPECT_TRUE(files_->FileExists(Path("Müller & Söhne.rtt")));
}

TEST_F(Win32FileSystemTest, PathsLongerThanMaxPathWork) {
  std::string folder = folder_.path();
  for (int level = 0; level < 6; ++level) {
    folder = JoinPath(folder, std::string(60, static_cast<char>('a' + level)));
    files_->CreateFolder(folder);
  }
  ASSERT_GT(folder.size(), size_t{MAX_PATH});
  const std::string file = JoinPath(folder, "VKSVirtKonten.dat");
  auto out = files_->NewWritableFile(file + ".neu");
  out->Append("Daten");
  out->Sync();
  out->Close();
  files_->RenameFile(file + ".neu", file);
  EXPECT_EQ(files_->ReadFile(file), "Daten");
  EXPECT_EQ(files_->ListFiles(folder, ".dat"), std::vector<std::string>{file});
  EXPECT_TRUE(CreateFolderPath(*files_, JoinPath(folder, "x\\y")));
}

TEST_F(Win32FileSystemTest, AMissingDriveIsAMissingPath) {
  // Wine and Windows leave some letters unmapped; the test needs one.
  const DWORD drives = ::GetLogicalDrives();
  char letter = 'Q';
  while (letter > 'D' && (drives & (1u << (letter - 'A')))) --letter;
  const std::string folder = std::string(1, letter) + ":\\Daten";
  EXPECT_EQ(ErrorOf([&] { (void)files_->NewWritableFile(folder + "\\x.dat"); }), 76);
  EXPECT_EQ(ErrorOf([&] { files_->CreateFolder(folder); }), 76);
  EXPECT_FALSE(CreateFolderPath(*files_, folder + "\\a\\b"));
}

TEST_F(Win32FileSystemTest, AReaderWithoutSharingBlocksWithAccessDenied) {
  const std::string path = Path("Konten.dat");
  files_->NewWritableFile(path)->Close();
  std::wstring wide(path.begin(), path.end());
  HANDLE exclusive = ::CreateFileW(wide.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(exclusive, INVALID_HANDLE_VALUE);
  EXPECT_EQ(ErrorOf([&] { (void)files_->ReadFile(path); }), 70);
  ::CloseHandle(exclusive);
  EXPECT_EQ(files_->ReadFile(path), "");
}

}  // namespace
}  // namespace vks
