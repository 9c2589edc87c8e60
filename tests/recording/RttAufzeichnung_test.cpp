#include "recording/RttAufzeichnung.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <thread>

#include "fakes/FaultInjectionFileSystem.h"
#include "fakes/TempFolder.h"
#include "recording/OffeneRttDateien.h"
#include "recording/RttFileName.h"
#include "recording/RttHeader.h"
#include "recording/RttReader.h"
#include "tests/ChildProcess.h"
#include "tests/TestPlatform.h"

namespace vks {
namespace {

using testing::TempFolder;
namespace fs = std::filesystem;

using Points = std::vector<std::pair<double, float>>;  // (day, value) of each record

class RttAufzeichnungTest : public ::testing::Test {
 protected:
  std::string CashFile() const { return folder_ / "rtt/Depot1/Portfolio/KapitalCash-Depot1.RTT"; }
  void WriteCash(double time, float value) {
    rtt_.SchreibeWert("Depot1", "", "", dKapitalCash, DateValue{time}, value, 0);
  }
  // A file of `size` bytes at `path`: a valid header of the cash series, then filler.
  static void WriteHeaderFile(const std::string& path, size_t size) {
    RttHeaderBytes header = ErzeugeRTTHeader("Depot1", "", "", dKapitalCash);
    std::string bytes(reinterpret_cast<const char*>(header.data()), header.size());
    bytes.resize(size, '\x55');
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
  }
  // The records of a file that must read, as (day, value).
  Points Series(const std::string& file) const {
    Result<RttContents> contents = ReadRttFile(rtt_.Dateien(), file);
    EXPECT_TRUE(contents.ok()) << file;
    Points series;
    if (contents.ok())
      for (const RttRecord& r : contents->records) series.emplace_back(r.time.days, r.value);
    return series;
  }

  TempFolder folder_;
  RttStorage storage_{folder_ / "rtt"};
  std::unique_ptr<FileSystem> dateien_ = NewPlatformFileSystem();
  RttAufzeichnung rtt_{*dateien_, storage_};
};

// Plans nothing: the test writes the waiting values itself, as the deferral's timer would.
class ZaehlenderAufschub : public RttAufschub {
 public:
  int geplant = 0;
  void Planen(RttAufzeichnung&) override { ++geplant; }
};

// The bytes of the files a session writes, headers and records in their order, are the kept
// session's (tests/interface/GleicheBytes_test); here the files that are not written as usual.

// A record goes only where it keeps the file well formed: behind the header and whole records.
TEST_F(RttAufzeichnungTest, OnlyWellFormedFilesReceiveTheRecord) {
  const std::pair<size_t, size_t> sizes_before_after[] = {
      {0, 872},   {856, 872}, {872, 888}, {1, 1},     {855, 855},
      {857, 857}, {860, 860}, {871, 871}, {873, 873}, {1001, 1001}};
  for (const auto& [size, after] : sizes_before_after) {
    SCOPED_TRACE(size);
    ASSERT_FALSE(rtt_.DateiName("Depot1", "", dKapitalCash, false).empty());  // makes the folders
    WriteHeaderFile(CashFile(), size);
    const std::string before = dateien_->ReadFile(CashFile());
    WriteCash(45000, 1);
    EXPECT_EQ(fs::file_size(CashFile()), after);
    if (after == size) {
      EXPECT_EQ(dateien_->ReadFile(CashFile()), before);
    }
  }
}

TEST_F(RttAufzeichnungTest, FailuresLoseTheRecordSilentlyAndHarmNothingElse) {
  if (!testing::CanMakeSymbolicLinks()) GTEST_SKIP() << "no symbolic links on this platform";
  std::string portfolio = folder_ / "rtt/Depot1/Portfolio";
  struct Case {
    const char* what;
    std::function<void()> prepare;
  } cases[] = {
      {"full disk",
       [&] {
         fs::create_directories(portfolio);
         fs::create_symlink("/dev/full", CashFile());
       }},
      {"a folder in place of the file", [&] { fs::create_directories(CashFile()); }},
      {"a file in place of the folder", [&] { std::ofstream(portfolio) << "x"; }},
      {"a dangling link in place of the folder",
       [&] { fs::create_symlink(folder_ / "missing", portfolio); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(folder_ / "rtt");
    fs::create_directories(folder_ / "rtt/Depot1");
    c.prepare();
    WriteCash(45000, 1);  // neither throws nor crashes
    EXPECT_FALSE(fs::exists(folder_ / "missing"));
    EXPECT_FALSE(fs::is_regular_file(CashFile()) && fs::file_size(CashFile()) > 0);
    // The next write to a healthy file works.
    rtt_.SchreibeWert("Depot2", "", "", dKapitalCash, DateValue{2}, 2, 0);
    EXPECT_EQ(fs::file_size(folder_ / "rtt/Depot2/Portfolio/KapitalCash-Depot2.RTT"), 872u);
  }
}

// Each file operation of a first value fails in turn (folders, open, header, record): that value is
// lost whole, and the next one reaches a well-formed file. Only the first open, which fails anyway
// while the folders are missing, loses nothing.
TEST_F(RttAufzeichnungTest, AFaultAtAnyStepLosesOnlyThatValue) {
  testing::FaultInjectionFileSystem faulty;
  fs::remove_all(folder_ / "rtt");
  RttAufzeichnung(faulty, storage_).SchreibeWert("Depot1", "", "", dKapitalCash, {1}, 1, 0);
  const int operations = faulty.Operations();
  ASSERT_GE(operations, 4);
  int lost = 0;
  for (int step = 0; step < operations; ++step) {
    SCOPED_TRACE(step);
    fs::remove_all(folder_ / "rtt");
    RttAufzeichnung rtt(faulty, storage_);
    faulty.FailAt(step);
    rtt.SchreibeWert("Depot1", "", "", dKapitalCash, DateValue{1}, 1, 0);
    faulty.FailAt(-1);
    rtt.SchreibeWert("Depot1", "", "", dKapitalCash, DateValue{2}, 2, 0);
    Result<RttContents> contents = ReadRttFile(rtt_.Dateien(), CashFile());
    ASSERT_TRUE(contents.ok());
    EXPECT_TRUE(contents->well_formed);
    ASSERT_FALSE(contents->records.empty());
    EXPECT_EQ(contents->records.back().value, 2.0f);
    lost += contents->records.size() == 1;
  }
  EXPECT_EQ(lost, operations - 1);
}

// Files stay open between values; deleting or replacing one must not send the next value into the
// file nobody can see any more.
TEST_F(RttAufzeichnungTest, ADeletedOrReplacedFileGetsTheNextValue) {
  if (testing::RunsUnderWine()) GTEST_SKIP() << "Wine tells no handle that its file was deleted";
  WriteCash(45000, 1);
  fs::remove(CashFile());
  WriteCash(45001, 2);
  EXPECT_EQ(Series(CashFile()), (Points{{45001, 2}}));

  WriteHeaderFile(folder_ / "replacement.RTT", 856);
  fs::rename(folder_ / "replacement.RTT", CashFile());
  WriteCash(45002, 3);
  EXPECT_EQ(Series(CashFile()), (Points{{45002, 3}}));
}

TEST_F(RttAufzeichnungTest, MoreFilesThanStayOpenAllGetTheirValues) {
  const int kFiles = static_cast<int>(OffeneRttDateien::StandardAnzahl()) + 44;
  for (int round = 0; round < 2; ++round)
    for (int i = 0; i < kFiles; ++i)
      rtt_.SchreibeWert("Depot1", "W" + std::to_string(i), "", dTitelPos,
                        DateValue{45000.0 + round}, static_cast<float>(round), 0);
  for (int i = 0; i < kFiles; ++i) {
    EXPECT_EQ(Series(rtt_.DateiName("Depot1", "W" + std::to_string(i), dTitelPos, false)),
              (Points{{45000, 0}, {45001, 1}}));
  }
}

TEST(OffeneRttDateien, KeepsFilesOpenUpToItsLimitAndServesTheRestForOneWrite) {
  if (testing::RunsUnderWine()) GTEST_SKIP() << "Wine tells no handle that its file was deleted";
  TempFolder folder;
  const std::unique_ptr<FileSystem> echt = NewPlatformFileSystem();
  OffeneRttDateien dateien(*echt, 2);
  std::string a = folder / "a", b = folder / "b", c = folder / "c";
  std::ofstream(b) << "12345";
  const PositionedFile* first;
  {
    OffeneRttDateien::Zugriff zugriff = dateien.Oeffne(a);
    ASSERT_TRUE(zugriff.Offen());
    EXPECT_TRUE(zugriff.Behalten());
    EXPECT_EQ(zugriff.Groesse(), 0);
    first = &zugriff.Datei();
    OffeneRttDateien::Zugriff zweiter = dateien.Oeffne(b);
    EXPECT_EQ(zweiter.Groesse(), 5);
    OffeneRttDateien::Zugriff dritter = dateien.Oeffne(c);
    ASSERT_TRUE(dritter.Offen());
    EXPECT_FALSE(dritter.Behalten());  // closes at the end of this block
  }
  EXPECT_EQ(dateien.Anzahl(), 2u);
  EXPECT_EQ(&dateien.Oeffne(a).Datei(), first);  // still open, not evicted by c
  EXPECT_FALSE(dateien.Oeffne(folder / "missing/d").Offen());

  // A kept file that loses its name frees its place.
  std::filesystem::remove(b);
  {
    OffeneRttDateien::Zugriff neu = dateien.Oeffne(b);
    EXPECT_TRUE(neu.Behalten());
    EXPECT_EQ(neu.Groesse(), 0);
  }
  // A file left unused for long gives way to a newcomer: b stays in use, a does not.
  for (uint64_t i = 0; i <= OffeneRttDateien::kAlterJePlatz * 2; ++i) (void)dateien.Oeffne(b);
  EXPECT_TRUE(dateien.Oeffne(c).Behalten());
  EXPECT_EQ(dateien.Anzahl(), 2u);
  EXPECT_TRUE(dateien.Oeffne(b).Behalten());
  dateien.SchliesseAlle();
  EXPECT_EQ(dateien.Anzahl(), 0u);
}

// A host's call is answered before its values reach the files; they must arrive all the same, in
// their order, also from scopes inside scopes.
TEST_F(RttAufzeichnungTest, DeferredValuesArriveInOrderWhenTheOuterScopeEnds) {
  {
    RttAufzeichnung::Aufruf aufruf(rtt_);
    WriteCash(45000, 1);
    {
      RttAufzeichnung::Aufruf innen(rtt_);
      WriteCash(45001, 2);
    }
    EXPECT_FALSE(fs::exists(CashFile()));  // the inner scope leaves the writing to the outer
    rtt_.SchreibeWartende();
    EXPECT_EQ(fs::file_size(CashFile()), 856u + 2 * 16);
    WriteCash(45002, 3);
    EXPECT_EQ(fs::file_size(CashFile()), 856u + 2 * 16);
  }
  EXPECT_EQ(Series(CashFile()), (Points{{45000, 1}, {45001, 2}, {45002, 3}}));
  WriteCash(45003, 4);  // no scope: at once
  EXPECT_EQ(fs::file_size(CashFile()), 856u + 4 * 16);
}

// Calls that collect their values leave them waiting past their end: grouped per file, each file
// keeps its order, and a value written outside any call (or too many waiting) writes them first.
TEST_F(RttAufzeichnungTest, CollectedValuesWaitAcrossCallsAndKeepEachFilesOrder) {
  const std::string other_file = RttFileLocation(storage_, "Depot1", "", dFilledOrders).file;
  ZaehlenderAufschub aufschub;
  RttAufzeichnung rtt(*dateien_, storage_, &aufschub);
  auto cash = [&](double time, float value) {
    rtt.SchreibeWert("Depot1", "", "", dKapitalCash, DateValue{time}, value, 0);
  };
  for (int call = 0; call < 2; ++call) {
    RttAufzeichnung::Aufruf aufruf(rtt);
    cash(45000 + 2 * call, 1);
    rtt.SchreibeWert("Depot1", "", "", dFilledOrders, DateValue{45100.0 + call}, 2, 0);
    cash(45001 + 2 * call, 3);
  }
  EXPECT_EQ(rtt.Wartende(), 6u);
  EXPECT_EQ(aufschub.geplant, 2);
  EXPECT_FALSE(fs::exists(CashFile()));
  cash(45010, 4);  // outside any call: the waiting values go first
  EXPECT_EQ(rtt.Wartende(), 0u);
  EXPECT_EQ(Series(CashFile()),
            (Points{{45000, 1}, {45001, 3}, {45002, 1}, {45003, 3}, {45010, 4}}));
  EXPECT_EQ(Series(other_file), (Points{{45100, 2}, {45101, 2}}));

  {
    RttAufzeichnung::Aufruf aufruf(rtt);
    for (size_t i = 0; i < RttAufzeichnung::kHoechstensWartend; ++i) cash(45020, 5);
  }
  EXPECT_EQ(rtt.Wartende(), 0u);  // a full queue is written when the call ends
  EXPECT_EQ(fs::file_size(CashFile()), 856u + (5 + RttAufzeichnung::kHoechstensWartend) * 16);
}

TEST_F(RttAufzeichnungTest, StorageFolderThatCannotBeMadeRecordsNothing) {
  for (std::string path : {std::string("/proc/self/vks"), std::string()}) {
    SCOPED_TRACE(path);
    RttAufzeichnung(*dateien_, RttStorage{path})
        .SchreibeWert("Depot1", "", "", dKapitalCash, DateValue{1}, 1, 0);
  }
  EXPECT_FALSE(fs::exists("/Depot1"));
}

// Each series keeps its own file however often it is written: series whose names a careless key
// would run together stay apart, and a new storage folder takes the values at once.
TEST_F(RttAufzeichnungTest, EachSeriesKeepsItsFileAcrossValuesAndStorageFolders) {
  struct Serie {
    std::string konto, wkn;
    eKontoDatenArt art;
  };
  const Serie serien[] = {{std::string("a\0b", 3), "c", dTitelPos},
                          {"a", std::string("b\0c", 3), dTitelPos},
                          {"Depot", "W1", dTitelPos},
                          {"DEPOT", "W1", dTitelPos},
                          {"Depot", "W1", dAnzahlPositionen},
                          {"Depot", "", dKapitalCash}};
  for (const RttStorage& speicher : {storage_, RttStorage{folder_ / "neu"}}) {
    SCOPED_TRACE(speicher.folder);
    rtt_.SetzeSpeicher(speicher);
    std::map<std::string, size_t> erwartet;  // records per file
    for (int wert = 0; wert < 3; ++wert) {
      for (const Serie& s : serien) {
        rtt_.SchreibeWert(s.konto, s.wkn, "", s.art, DateValue{1.0 + wert}, 1, 0);
        ++erwartet[RttFileLocation(speicher, s.konto, s.wkn, s.art).file];
      }
    }
    // Where the file system folds case (Windows), "Depot" and "DEPOT" share one file.
    std::vector<std::pair<std::string, size_t>> dateien;
    for (const auto& [datei, anzahl] : erwartet) {
      auto gleich = std::find_if(dateien.begin(), dateien.end(),
                                 [&](const auto& d) { return fs::equivalent(d.first, datei); });
      if (gleich == dateien.end()) {
        dateien.emplace_back(datei, anzahl);
      } else {
        gleich->second += anzahl;
      }
    }
    for (const auto& [datei, anzahl] : dateien) {
      EXPECT_EQ(Series(datei).size(), anzahl) << datei;
    }
  }
}

constexpr int kReaderRecords = 4000;

// The reader: reads the file over and over until it has seen every record; says that it runs by a
// file beside it. Exit code 1 for a tail longer than a partial record, 2 for a wrong value.
const bool kRttReader = testing::RegisterChildRoutine("rtt-reader", [](const std::string& file) {
  std::ofstream(file + ".liest") << "";
  size_t seen = 0;
  const auto files = NewPlatformFileSystem();
  while (seen < kReaderRecords) {
    Result<RttContents> contents = ReadRttFile(*files, file);
    if (!contents.ok() || contents->trailing_bytes >= 16) return 1;
    for (size_t i = 0; i < contents->records.size(); ++i) {
      const RttRecord& r = contents->records[i];
      if (r.time.days != static_cast<double>(i) || r.value != static_cast<float>(i) ||
          r.value2 != 0.0f)
        return 2;
    }
    seen = contents->records.size();
  }
  return 0;
});

// The host reads while we write: a second process that reads the file over and over must see every
// complete record holding the value written at its place. A record that straddles a page boundary
// can show for an instant as a tail shorter than one record (the kernel extends the file page by
// page); readers skip such a tail, and it never outlives the write.
TEST_F(RttAufzeichnungTest, AReaderProcessNeverSeesAPartialRecord) {
  ASSERT_TRUE(kRttReader);
  WriteCash(0, 0);
  testing::ChildProcess reader("rtt-reader", CashFile());
  ASSERT_TRUE(reader.Started());
  // A reader that dies before it reads fails the test rather than hanging it.
  for (int wait = 0; wait < 12000 && !fs::exists(CashFile() + ".liest"); ++wait) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  ASSERT_TRUE(fs::exists(CashFile() + ".liest"));
  for (int i = 1; i < kReaderRecords; ++i) WriteCash(i, static_cast<float>(i));
  EXPECT_EQ(reader.Wait(), 0);
  EXPECT_EQ(fs::file_size(CashFile()), 856u + 16u * kReaderRecords);
  Result<RttContents> last = ReadRttFile(rtt_.Dateien(), CashFile());
  ASSERT_TRUE(last.ok());
  EXPECT_TRUE(last->well_formed);
}

}  // namespace
}  // namespace vks
