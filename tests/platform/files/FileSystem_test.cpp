// The platform's real file system, the same cases on every platform: what the core relies on.
#include "platform/files/FileSystem.h"

#include <gtest/gtest.h>

#include <functional>

#include "fakes/ErrorOf.h"
#include "fakes/TempFolder.h"
#include "tests/TestPlatform.h"

namespace vks {
namespace {

using testing::TempFolder;

class FileSystemTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return JoinPath(folder_.path(), name); }
  void Write(const std::string& path, std::string_view data) {
    auto file = files_->NewWritableFile(path);
    file->Append(data);
    file->Sync();
    file->Close();
  }

  TempFolder folder_;
  std::unique_ptr<FileSystem> files_ = NewPlatformFileSystem();
};

TEST_F(FileSystemTest, WritesAppendsReplacesAndDeletes) {
  const std::string store = Path("Konten.dat"), neu = Path("Konten.dat.neu");
  Write(store, "alt");
  auto append = files_->NewAppendableFile(store);
  append->Append("e ");
  append->Append("Daten");
  append->Close();
  EXPECT_EQ(files_->ReadFile(store), "alte Daten");

  Write(neu, std::string(100000, 'n'));
  files_->RenameFile(neu, store);
  files_->SyncFolder(folder_.path());
  EXPECT_EQ(files_->ReadFile(store), std::string(100000, 'n'));
  EXPECT_FALSE(files_->FileExists(neu));

  files_->DeleteFile(store);
  EXPECT_FALSE(files_->FileExists(store));
  EXPECT_TRUE(files_->FolderExists(folder_.path()));
  EXPECT_FALSE(files_->FileExists(folder_.path()));
}

TEST_F(FileSystemTest, PositionedWritesSeeRenamesAndDeletions) {
  const std::string rtt = Path("EURUSD.rtt");
  auto file = files_->OpenPositioned(rtt);
  const uint8_t kopf[] = {1, 2, 3, 4}, satz[] = {9, 9};
  file->WriteAt(0, kopf);
  file->WriteAt(6, satz);
  EXPECT_EQ(file->NamedSize(), 8);
  // Readable while open for writing, as the host charts a growing file.
  EXPECT_EQ(files_->ReadFile(rtt), std::string("\1\2\3\4\0\0\t\t", 8));
  auto again = files_->OpenPositioned(rtt);
  EXPECT_EQ(again->NamedSize(), 8);

  // A rename over an open file either replaces it, and its handles see that, or (Windows without
  // POSIX semantics) is refused and leaves it whole.
  Write(Path("neu.rtt"), "x");
  const int refused = testing::ErrorOf([&] { files_->RenameFile(Path("neu.rtt"), rtt); });
  if (refused == 0) {
    EXPECT_EQ(file->NamedSize(), -1);
  } else {
    EXPECT_EQ(refused, 70);
    EXPECT_EQ(file->NamedSize(), 8);
    file.reset();
    again.reset();
    files_->RenameFile(Path("neu.rtt"), rtt);
  }
  auto replaced = files_->OpenPositioned(rtt);
  EXPECT_EQ(replaced->NamedSize(), 1);
  // Deleted while open: the name is free at once.
  files_->DeleteFile(rtt);
  if (!testing::RunsUnderWine()) EXPECT_EQ(replaced->NamedSize(), -1);
  EXPECT_FALSE(files_->FileExists(rtt));
  EXPECT_EQ(files_->OpenPositioned(rtt)->NamedSize(), 0);
}

TEST_F(FileSystemTest, FoldersListingsAndResolvedPaths) {
  const std::string sub = Path("Daten");
  files_->CreateFolder(sub);
  for (const char* name : {"b.RTT", "a.rtt", "c.txt", "Übung.rtt"}) Write(JoinPath(sub, name), "");
  files_->CreateFolder(JoinPath(sub, "ordner.rtt"));
  EXPECT_EQ(files_->ListFiles(sub, ".rtt"),
            (std::vector<std::string>{JoinPath(sub, "a.rtt"), JoinPath(sub, "b.RTT"),
                                      JoinPath(sub, "Übung.rtt")}));
  EXPECT_TRUE(files_->ListFiles(Path("fehlt"), ".rtt").empty());

  const std::string spelled = JoinPath(JoinPath(sub, ".."), "Daten") + kPathSeparator;
  EXPECT_TRUE(files_->SameFolder(sub, spelled));
  EXPECT_FALSE(files_->SameFolder(sub, folder_.path()));
  EXPECT_EQ(files_->Resolve(spelled), files_->Resolve(sub));
  EXPECT_EQ(files_->Resolve(JoinPath(sub, "neu/../x")), JoinPath(files_->Resolve(sub), "x"));
  EXPECT_TRUE(LiegtIn(*files_, JoinPath(sub, "a.rtt"), folder_.path()));
  EXPECT_FALSE(LiegtIn(*files_, folder_.path(), sub));

  EXPECT_TRUE(CreateFolderPath(*files_, JoinPath(sub, "x/y/z")));
  EXPECT_TRUE(files_->FolderExists(JoinPath(sub, "x/y/z")));
  files_->RemoveFolder(JoinPath(sub, "x/y/z"));
  EXPECT_FALSE(files_->FolderExists(JoinPath(sub, "x/y/z")));
}

TEST_F(FileSystemTest, FailuresCarryTheFileStatementsNumbers) {
  const std::string missing = Path("fehlt");
  Write(Path("voll"), "");
  files_->CreateFolder(Path("nicht_leer"));
  Write(Path("nicht_leer/datei"), "");
  struct Case {
    const char* what;
    std::function<void()> call;
    int32_t number;
  } cases[] = {
      {"read a missing file", [&] { (void)files_->ReadFile(missing); }, 53},
      {"delete a missing file", [&] { files_->DeleteFile(missing); }, 53},
      {"rename a missing file", [&] { files_->RenameFile(missing, Path("x")); }, 53},
      {"write in a missing folder", [&] { (void)files_->NewWritableFile(JoinPath(missing, "x")); },
       76},
      {"positioned in a missing folder",
       [&] { (void)files_->OpenPositioned(JoinPath(missing, "x")); }, 76},
      {"folder without its parent", [&] { files_->CreateFolder(JoinPath(missing, "x")); }, 76},
      {"remove a missing folder", [&] { files_->RemoveFolder(missing); }, 76},
      {"remove a folder with a file", [&] { files_->RemoveFolder(Path("nicht_leer")); }, 75},
      {"folder where a file is", [&] { files_->CreateFolder(Path("voll")); }, 75},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(testing::ErrorOf(c.call), c.number);
  }
}

}  // namespace
}  // namespace vks
