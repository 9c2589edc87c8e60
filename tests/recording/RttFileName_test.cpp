#include "recording/RttFileName.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <vector>

#include "fakes/TempFolder.h"
#include "tests/TestPlatform.h"

namespace vks {
namespace {

FileSystem& Dateien() {
  static const std::unique_ptr<FileSystem> dateien = NewPlatformFileSystem();
  return *dateien;
}

using testing::TempFolder;
namespace fs = std::filesystem;

// The kept session's files (tests/interface/GleicheBytes_test) hold the names of the kinds it
// records; here the one it does not, the base names, and kinds outside the table, which are named
// after the identifier.
TEST(RttFileNameTest, EveryKindHasItsFileAndFolder) {
  TempFolder folder;
  RttStorage storage{folder.path()};
  const struct {
    int kind;
    std::string relative;
  } cases[] = {{1, "Einzeltitel/Depot1-Pos-123456"},
               {2, "Portfolio/OffeneOrders-Depot1"},
               {51, "Portfolio/KeineEnterOrder-Depot1"},
               {0, "Portfolio/123456"},
               {52, "Portfolio/123456"},
               {-1, "Portfolio/123456"},
               {INT32_MAX, "Portfolio/123456"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    auto datenart = static_cast<eKontoDatenArt>(c.kind);
    EXPECT_EQ(GetRTTDateiName(Dateien(), storage, "Depot1", "123456", datenart, false),
              folder.path() + "/Depot1/" + c.relative + ".RTT");
    EXPECT_EQ(GetRTTDateiName(Dateien(), storage, "Depot1", "123456", datenart, true),
              c.relative.substr(c.relative.find('/') + 1));
  }
  EXPECT_TRUE(fs::is_directory(folder / "Depot1/Einzeltitel"));
}

// Folders are made level by level (a file counts as there), the storage folder only for a full
// name; a folder that cannot be made gives no name.
TEST(RttFileNameTest, FoldersAreMadeForAFullNameOnly) {
  TempFolder folder;
  std::ofstream(folder / "file") << "x";
  struct Case {
    const char* what;
    std::string storage;
    bool name_only;
    std::string expected, made;
  } cases[] = {
      {"name only", folder / "rtt", true, "KapitalCash-K", ""},
      {"levels", folder / "a/b/c/", false, folder / "a/b/c/K/Portfolio/KapitalCash-K.RTT",
       folder / "a/b/c/K/Portfolio"},
      {"a file in the way", folder / "file/sub", false, "", ""},
      {"a folder of the kernel", "/proc/self/vks-rtt", false, "", ""},
      {"no storage folder yet", "", false, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(GetRTTDateiName(Dateien(), RttStorage{c.storage}, "K", "", dKapitalCash, c.name_only),
              c.expected);
    if (!c.made.empty()) {
      EXPECT_TRUE(fs::is_directory(c.made));
    }
  }
  EXPECT_FALSE(fs::exists(folder / "rtt"));
  const struct {
    std::string path;
    bool result;
  } paths[] = {
      {folder / "x/y/z", true},
      {folder / "x/y/z/", true},  // exists now
      {folder / "file", true},    // a file counts as there
      {folder / "file/deeper", false},
      {"/", true},
      {"", false},
  };
  for (const auto& p : paths) {
    SCOPED_TRACE(p.path);
    EXPECT_EQ(CreateFolderPath(Dateien(), p.path), p.result);
  }
  EXPECT_TRUE(fs::is_directory(folder / "x/y/z"));
}

// Whatever the host sends as account name or identifier, every file and folder stays below the
// storage folder, and asking again with the same names finds the same file.
TEST(RttFileNameTest, HostileNamesStayInsideTheStorageFolder) {
  TempFolder root;
  std::string storage_path = root / "store";
  RttStorage storage{storage_path};
  std::string hostile[] = {
      "/",
      "..",
      ".",
      "../../escape",
      "a/../../b",
      "/etc/passwd",
      "..\\..",
      std::string("nul\0name", 8),
      "ctl\x01\x1b[2J",
      std::string(1000, 'K'),
      "Konto✓",
      "\xFF\xFE",
      "",
      "%2E.",
      "Portfolio",
  };
  for (const std::string& konto : hostile) {
    for (const std::string& wkn : hostile) {
      for (eKontoDatenArt kind : {dTitelPos, dKapitalCash, static_cast<eKontoDatenArt>(99)}) {
        std::string name = GetRTTDateiName(Dateien(), storage, konto, wkn, kind, false);
        SCOPED_TRACE(name);
        // Windows refuses some of them (a trailing dot): the failure path, no file.
        if (name.empty() && testing::WindowsFileNames()) continue;
        ASSERT_FALSE(name.empty());
        std::string relative = name.substr(storage_path.size());
        EXPECT_EQ(name.substr(0, storage_path.size() + 1), storage_path + "/");
        EXPECT_EQ(relative.find("/.."), std::string::npos);
        EXPECT_EQ(relative.find('\0'), std::string::npos);
        EXPECT_EQ(std::count(relative.begin(), relative.end(), '/'), 3);
        std::ofstream(testing::Utf8Path(name)) << "x";
        EXPECT_TRUE(fs::is_regular_file(testing::Utf8Path(name)));
        EXPECT_EQ(GetRTTDateiName(Dateien(), storage, konto, wkn, kind, false), name);
      }
    }
  }
  for (const auto& entry : fs::directory_iterator(root.path()))
    EXPECT_EQ(entry.path().filename(), "store");
}

TEST(RttFileNameTest, DistinctNamesGiveDistinctFiles) {
  TempFolder folder;
  RttStorage storage{folder.path()};
  std::string names[] = {"a/b", "a%2Fb", "a\\b", "..", "%2E.", "a", "A"};
  std::set<std::string> files;
  size_t refused = 0;  // by Windows: the failure path
  for (const std::string& n : names) {
    std::string file = GetRTTDateiName(Dateien(), storage, n, "", dKapitalCash, false);
    if (file.empty() && testing::WindowsFileNames()) {
      ++refused;
    } else {
      files.insert(file);
    }
  }
  EXPECT_EQ(files.size() + refused, std::size(names));
}

}  // namespace
}  // namespace vks
