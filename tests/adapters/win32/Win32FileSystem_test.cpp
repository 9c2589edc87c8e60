// What the Windows file system adds to the shared file-system cases: names that Windows refuses or
// would silently change, the spellings of one path (slashes, longer than MAX_PATH, \?\), paths
// that cannot be reached, files held open by another reader among them.
#include <gtest/gtest.h>

#include <functional>

#include "fakes/ErrorOf.h"
#include "fakes/FakeClock.h"
#include "fakes/InMemoryRegistryBackend.h"
#include "fakes/RecordingReporter.h"
#include "fakes/TempFolder.h"
#include "platform/files/FileSystem.h"
#include "platform/files/RawFile.h"
#include "platform/files/WindowsError.h"
#include "platform/settings/RegistrySettingsStore.h"
#include "presenters/RTTSpeicherordner.h"
#include "recording/RttAufzeichnung.h"
#include "session/AccountStore.h"

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

// Every other backslash as a slash: "C:/users\root/Temp\...".
std::string MixedSeparators(std::string path) {
  bool slash = true;
  for (char& c : path) {
    if (c == '\\' && (slash = !slash)) c = '/';
  }
  return path;
}

// A drive letter that nothing is mapped to; Wine and Windows leave some unmapped.
std::string MissingDrive() {
  const DWORD drives = ::GetLogicalDrives();
  char letter = 'Q';
  while (letter > 'D' && (drives & (1u << (letter - 'A')))) --letter;
  return std::string(1, letter) + ":";
}

TEST_F(Win32FileSystemTest, EverySpellingOfAPathReachesItsFile) {
  std::string deep = folder_.path();
  for (int level = 0; level < 6; ++level) {
    deep = JoinPath(deep, std::string(60, static_cast<char>('a' + level)));
  }
  const struct {
    const char* name;
    std::string folder;
  } cases[] = {
      {"mixed separators", MixedSeparators(Path("x\\y"))},
      {"longer than MAX_PATH", deep},
      {"longer than MAX_PATH, mixed separators", MixedSeparators(deep + "\\m")},
      {"the \\\\?\\ form", "\\\\?\\" + deep + "\\lang"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(CreateFolderPath(*files_, c.folder));
    const std::string file = JoinPath(c.folder, "VKSVirtKonten.dat");
    auto out = files_->NewWritableFile(file + ".neu");
    out->Append(c.name);
    out->Sync();
    out->Close();
    files_->RenameFile(file + ".neu", file);
    EXPECT_EQ(files_->ReadFile(file), c.name);
    EXPECT_EQ(files_->ListFiles(c.folder, ".dat"), std::vector<std::string>{file});
    EXPECT_TRUE(files_->SameFolder(c.folder, c.folder + "\\"));
  }
  ASSERT_GT(deep.size(), size_t{MAX_PATH});
  // The slashes reached the same files as the backslashes.
  EXPECT_EQ(files_->ReadFile(JoinPath(Path("x\\y"), "VKSVirtKonten.dat")), "mixed separators");
  EXPECT_EQ(files_->ReadFile(deep + "\\m\\VKSVirtKonten.dat"),
            "longer than MAX_PATH, mixed separators");
}

TEST_F(Win32FileSystemTest, UnreachablePathsFailWithTheirNumberAndLoseNothing) {
  const std::string drive = MissingDrive();
  const std::string kept = Path("Konten.dat");
  files_->NewWritableFile(kept)->Close();
  std::string too_long = folder_.path();
  while (too_long.size() <= 32767) too_long = JoinPath(too_long, std::string(250, 'z'));
  const std::wstring wide(kept.begin(), kept.end());
  HANDLE exclusive = ::CreateFileW(wide.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(exclusive, INVALID_HANDLE_VALUE);
  const struct {
    const char* name;
    std::function<void()> call;
    int number;
  } cases[] = {
      {"file on a missing drive", [&] { (void)files_->NewWritableFile(drive + "\\D\\x.dat"); }, 76},
      {"folder on a missing drive", [&] { files_->CreateFolder(drive + "\\Daten"); }, 76},
      {"read from a missing drive", [&] { (void)files_->ReadFile(drive + "/D\\x.dat"); }, 76},
      {"RTT file on a missing drive", [&] { (void)files_->OpenPositioned(drive + "\\a.rtt"); }, 76},
      {"a name of 256 characters",
       [&] { (void)files_->NewWritableFile(Path(std::string(256, 'n'))); }, 75},
      {"a path beyond 32767 characters", [&] { (void)files_->NewWritableFile(too_long); }, 75},
      {"a file held by a reader without sharing", [&] { (void)files_->ReadFile(kept); }, 70},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ErrorOf(c.call), c.number);
  }
  ::CloseHandle(exclusive);
  EXPECT_EQ(files_->ReadFile(kept), "");
  EXPECT_FALSE(CreateFolderPath(*files_, drive + "\\a\\b"));
  // Windows says path not found, Wine file not found; either way the file stays where it was.
  EXPECT_NE(ErrorOf([&] { files_->RenameFile(kept, drive + "\\x.dat"); }), 0);
  EXPECT_EQ(files_->ListFiles(folder_.path(), ""), std::vector<std::string>{kept});
}

// The data folder and the RTT storage folder on a drive that is not there: the save's error log
// entry without a message box, RTT values lost silently, the storage folder dialog's message; the
// accounts in memory and the stored setting stay.
TEST_F(Win32FileSystemTest, FoldersOnAMissingDriveTakeTheirFailurePaths) {
  const std::string folder = MissingDrive() + "\\Tradomir\\Daten";
  testing::RecordingReporter reporter;
  testing::RecordingErrorLog error_log;
  testing::FakeClock clock;
  AccountStore store(folder, folder_.path(), *files_, reporter, error_log, clock);
  KontenSammlung konten(CompareMode::Text);
  konten.Add("Depot1", std::make_shared<clKonto>());
  const std::optional<AutomationError> failure = store.SpeichereKonten(konten);
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->Number(), 76);
  ASSERT_EQ(error_log.entries.size(), 1u);
  EXPECT_EQ(error_log.entries[0].text, "Fehlermeldung: Pfad nicht gefunden");
  EXPECT_EQ(konten.Count(), 1);

  RttAufzeichnung rtt(*files_, RttStorage{folder});
  rtt.SchreibeWert("Depot1", "", "", dKapitalCash, DateValue{45658.5}, 1, 0);
  EXPECT_TRUE(reporter.messages.empty());

  InMemoryRegistryBackend backend;
  RegistrySettingsStore settings(backend);
  ASSERT_TRUE(
      settings.SaveSetting("Tradomir Kontoserver", "Einstellungen", "RTTSpeicherpfadV7", "C:\\Alt")
          .ok());
  SpeicherordnerUmfeld umfeld{reporter, settings, *files_, "C:\\Alt"};
  reporter.answers = {msgbox::kYes};
  EXPECT_FALSE(BestaetigeSpeicherordner(folder, umfeld));
  ASSERT_EQ(reporter.messages.size(), 2u);
  EXPECT_EQ(reporter.messages[1].text,
            "Der Ordner konnte nicht angelegt werden. Fehlermeldung: Pfad nicht gefunden");
  EXPECT_EQ(settings.GetSetting("Tradomir Kontoserver", "Einstellungen", "RTTSpeicherpfadV7", ""),
            "C:\\Alt");
}

}  // namespace
}  // namespace vks
