#include "recording/RttFileName.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

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

TEST(RttFileNameTest, EveryKindHasItsFileAndFolder) {
  TempFolder folder;
  RttStorage storage{folder.path()};
  const char* kNames[] = {
      "Einzeltitel/Depot1-Pos-123456",
      "Portfolio/OffeneOrders-Depot1",
      "Portfolio/OffeneLongOrders-Depot1",
      "Portfolio/OffeneShortOrders-Depot1",
      "Portfolio/OffeneEnterOrders-Depot1",
      "Portfolio/OffeneLongEnterOrders-Depot1",
      "Portfolio/OffeneShortEnterOrders-Depot1",
      "Portfolio/Filled-Depot1",
      "Portfolio/FilledLong-Depot1",
      "Portfolio/FilledShort-Depot1",
      "Portfolio/FilledEnter-Depot1",
      "Portfolio/FilledEnterLong-Depot1",
      "Portfolio/FilledEnterShort-Depot1",
      "Portfolio/AnzahlPositionen-Depot1",
      "Portfolio/AktienPositionen-Depot1",
      "Portfolio/KontraktAnzahl-Depot1",
      "Portfolio/AnzahlShortPositionen-Depot1",
      "Portfolio/AktienShortPositionen-Depot1",
      "Portfolio/KontraktShortAnzahl-Depot1",
      "Portfolio/AnzahlLongPositionen-Depot1",
      "Portfolio/AktienLongPositionen-Depot1",
      "Portfolio/KontraktLongAnzahl-Depot1",
      "Portfolio/AktienKaufwert-Depot1",
      "Portfolio/AktienKaufwertLong-Depot1",
      "Portfolio/AktienKaufwertShort-Depot1",
      "Portfolio/AktienAktuellerWert-Depot1",
      "Portfolio/AktienAktuellerWertLong-Depot1",
      "Portfolio/AktienAktuellerWertShort-Depot1",
      "Portfolio/KontraktOpenPL-Depot1",
      "Portfolio/KontraktOpenPLLong-Depot1",
      "Portfolio/KontraktOpenPLShort-Depot1",
      "Portfolio/AktienOpenPL-Depot1",
      "Portfolio/AktienOpenPLLong-Depot1",
      "Portfolio/AktienOpenPLShort-Depot1",
      "Portfolio/KontraktMargin-Depot1",
      "Portfolio/KontraktMarginLong-Depot1",
      "Portfolio/KontraktMarginShort-Depot1",
      "Portfolio/AktienMargin-Depot1",
      "Portfolio/AktienMarginLong-Depot1",
      "Portfolio/AktienMarginShort-Depot1",
      "Portfolio/EnterOrderMargin-Depot1",
      "Portfolio/EnterOrderMarginLong-Depot1",
      "Portfolio/EnterOrderMarginShort-Depot1",
      "Portfolio/AktienEnterOrderMargin-Depot1",
      "Portfolio/AktienEnterOrderMarginLong-Depot1",
      "Portfolio/AktienEnterOrderMarginShort-Depot1",
      "Portfolio/KapitalCash-Depot1",
      "Portfolio/KapitalGesamt-Depot1",
      "Portfolio/KapitalVerfuegbar-Depot1",
      "Portfolio/PaidCommissions-Depot1",
      "Portfolio/KeineEnterOrder-Depot1",
  };
  static_assert(std::size(kNames) == 51);
  for (int kind = 1; kind <= 51; ++kind) {
    SCOPED_TRACE(kind);
    auto datenart = static_cast<eKontoDatenArt>(kind);
    std::string relative = kNames[kind - 1];
    EXPECT_EQ(GetRTTDateiName(Dateien(), storage, "Depot1", "123456", datenart, false),
              folder.path() + "/Depot1/" + relative + ".RTT");
    EXPECT_EQ(GetRTTDateiName(Dateien(), storage, "Depot1", "123456", datenart, true),
              relative.substr(relative.find('/') + 1));
  }
  EXPECT_TRUE(fs::is_directory(folder / "Depot1/Portfolio"));
  EXPECT_TRUE(fs::is_directory(folder / "Depot1/Einzeltitel"));
}

TEST(RttFileNameTest, KindsOutsideTheTableAreNamedAfterTheIdentifier) {
  TempFolder folder;
  RttStorage storage{folder.path()};
  for (int kind : {0, 52, -1, INT32_MAX}) {
    SCOPED_TRACE(kind);
    EXPECT_EQ(GetRTTDateiName(Dateien(), storage, "Depot1", "WKN7",
                              static_cast<eKontoDatenArt>(kind), false),
              folder / "Depot1/Portfolio/WKN7.RTT");
  }
}

TEST(RttFileNameTest, NameOnlyTouchesNothing) {
  TempFolder folder;
  RttStorage storage{folder / "rtt"};
  EXPECT_EQ(GetRTTDateiName(Dateien(), storage, "Depot1", "", dKapitalCash, true),
            "KapitalCash-Depot1");
  EXPECT_FALSE(fs::exists(folder / "rtt"));
}

TEST(RttFileNameTest, StorageFolderIsCreatedLevelByLevel) {
  TempFolder folder;
  RttStorage storage{folder / "a/b/c/"};
  EXPECT_EQ(GetRTTDateiName(Dateien(), storage, "K", "", dKapitalCash, false),
            folder / "a/b/c/K/Portfolio/KapitalCash-K.RTT");
  EXPECT_TRUE(fs::is_directory(folder / "a/b/c/K/Portfolio"));
}

TEST(RttFileNameTest, FolderThatCannotBeMadeGivesNoName) {
  TempFolder folder;
  std::ofstream(folder / "file") << "x";
  struct Case {
    const char* what;
    std::string storage;
  } cases[] = {
      {"a file in the way", folder / "file/sub"},
      {"a folder of the kernel", "/proc/self/vks-rtt"},
      {"no storage folder yet", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(GetRTTDateiName(Dateien(), RttStorage{c.storage}, "K", "", dKapitalCash, false), "");
  }
}

TEST(RttFileNameTest, CreateFolderPath) {
  TempFolder folder;
  std::ofstream(folder / "file") << "x";
  struct Case {
    std::string path;
    bool result;
  } cases[] = {
      {folder / "x/y/z", true},
      {folder / "x/y/z/", true},  // exists now
      {folder / "file", true},    // a file counts as there
      {folder / "file/deeper", false},
      {"/", true},
      {"", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(CreateFolderPath(Dateien(), c.path), c.result);
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
