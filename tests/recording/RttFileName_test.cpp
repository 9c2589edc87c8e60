#include "recording/RttFileName.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
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

TEST(RttFileNameTest, EveryKindHasItsFileAndFolder) {
  TempFolder folder;
  RttStorage storage{folder.path()};
  // Kinds 2 to 51 in their order, each in the folder Portfolio as "<name>-<account>".
  std::istringstream names(
      "OffeneOrders OffeneLongOrders OffeneShortOrders OffeneEnterOrders OffeneLongEnterOrders "
      "OffeneShortEnterOrders Filled FilledLong FilledShort FilledEnter FilledEnterLong "
      "FilledEnterShort AnzahlPositionen AktienPositionen KontraktAnzahl AnzahlShortPositionen "
      "AktienShortPositionen KontraktShortAnzahl AnzahlLongPositionen AktienLongPositionen "
      "KontraktLongAnzahl AktienKaufwert AktienKaufwertLong AktienKaufwertShort "
      "AktienAktuellerWert AktienAktuellerWertLong AktienAktuellerWertShort KontraktOpenPL "
      "KontraktOpenPLLong KontraktOpenPLShort AktienOpenPL AktienOpenPLLong AktienOpenPLShort "
      "KontraktMargin KontraktMarginLong KontraktMarginShort AktienMargin AktienMarginLong "
      "AktienMarginShort EnterOrderMargin EnterOrderMarginLong EnterOrderMarginShort "
      "AktienEnterOrderMargin AktienEnterOrderMarginLong AktienEnterOrderMarginShort "
      "KapitalCash KapitalGesamt KapitalVerfuegbar PaidCommissions KeineEnterOrder");
  const std::vector<std::string> kPortfolio{std::istream_iterator<std::string>(names), {}};
  ASSERT_EQ(kPortfolio.size(), 50u);
  for (int kind = 1; kind <= 51; ++kind) {
    SCOPED_TRACE(kind);
    auto datenart = static_cast<eKontoDatenArt>(kind);
    const std::string relative = kind == 1 ? "Einzeltitel/Depot1-Pos-123456"
                                           : "Portfolio/" + kPortfolio[kind - 2] + "-Depot1";
    EXPECT_EQ(GetRTTDateiName(Dateien(), storage, "Depot1", "123456", datenart, false),
              folder.path() + "/Depot1/" + relative + ".RTT");
    EXPECT_EQ(GetRTTDateiName(Dateien(), storage, "Depot1", "123456", datenart, true),
              relative.substr(relative.find('/') + 1));
  }
  EXPECT_TRUE(fs::is_directory(folder / "Depot1/Portfolio"));
  EXPECT_TRUE(fs::is_directory(folder / "Depot1/Einzeltitel"));
  // Kinds outside the table are named after the identifier.
  for (int kind : {0, 52, -1, INT32_MAX}) {
    SCOPED_TRACE(kind);
    EXPECT_EQ(GetRTTDateiName(Dateien(), storage, "Depot1", "WKN7",
                              static_cast<eKontoDatenArt>(kind), false),
              folder / "Depot1/Portfolio/WKN7.RTT");
  }
}

// The storage folder is made level by level, and only for a full name; a folder that cannot be
// made gives no name.
TEST(RttFileNameTest, StorageFolderIsMadeForAFullNameOnly) {
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
