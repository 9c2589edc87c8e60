#include "session/AccountStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

#include "fakes/FakeClock.h"
#include "fakes/FaultInjectionFileSystem.h"
#include "fakes/RecordingReporter.h"
#include "fakes/TempFolder.h"
#include "platform/automation/NoValue.h"
#include "platform/automation/StoreReader.h"
#include "platform/automation/StoreWriter.h"
#include "tests/ChildProcess.h"

namespace vks {
namespace {

using testing::FakeClock;
using testing::FaultInjectionFileSystem;
using testing::RecordingErrorLog;
using testing::RecordingReporter;
using testing::TempFolder;

std::shared_ptr<clKonto> DemoKonto() {
  auto konto = std::make_shared<clKonto>();
  konto->KontoName = "Demo";
  konto->Beschreibung = "Übung";
  konto->CashBetrag = 12500;
  konto->UseSimulZeit = true;
  konto->AktuelleZeit = DateValue{45658.5};
  konto->FilledOrders = 3;
  konto->UseCommissions = true;
  konto->PlatziereBedingung = "x > 1";
  konto->ProfitLossGesamt = 1.5;
  konto->ProfitLossKontrakte = -2;
  konto->MarginUmrechnen = true;
  return konto;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

class AccountStoreTest : public ::testing::Test {
 protected:
  AccountStore MakeStore(FileSystem& files) {
    return AccountStore(folder_.path(), "/opt/tradomir", files, reporter_, log_, clock_);
  }
  std::string StoreFile() const { return folder_.File("VKSVirtKonten.dat"); }
  std::vector<std::string> DamagedCopies() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_.path())) {
      std::string name = entry.path().filename().string();
      if (name.starts_with("VKSVirtKonten.dat.defekt-")) names.push_back(name);
    }
    return names;
  }

  TempFolder folder_;
  RecordingReporter reporter_;
  RecordingErrorLog log_;
  FakeClock clock_;
  std::unique_ptr<FileSystem> posix_ = NewPlatformFileSystem();
};

// The sample as the records give it back, worked out on the whole Variant: an open order stored
// with an average fill price of 0 comes back with its order price there; all else is unchanged.
std::string SampleAsSaved(const std::string& original) {
  size_t offset = 0;
  Variant store = ReadStoreVariant(original, offset);
  for (Variant& konto : store.AsArray().Elements()) {
    Variant& orders = konto.AsArray().At(3);
    if (!orders.IsArray()) continue;
    for (Variant& order : orders.AsArray().Elements()) {
      Variant& fill_average = order.AsArray().At(20);
      if (fill_average == Variant(0.0f)) fill_average = order.AsArray().At(18);
    }
  }
  std::string bytes;
  AppendStoreVariant(bytes, store);
  return bytes;
}

TEST_F(AccountStoreTest, BundledSampleLoadsAndSavesAsItsVariantSays) {
  const std::string original = ReadAll(VKS_SAMPLE_STORE);
  ASSERT_FALSE(original.empty());
  const std::string expected = SampleAsSaved(original);
  ASSERT_NE(expected, original);  // the sample holds such an order
  WriteAll(StoreFile(), original);
  AccountStore store = MakeStore(*posix_);
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    KontenSammlung loaded;
    store.LadeKonten(loaded);
    EXPECT_TRUE(reporter_.messages.empty());
    EXPECT_EQ(loaded.Count(), 4u);
    EXPECT_TRUE(loaded.Exists("müller-depot"));
    ASSERT_FALSE(store.SpeichereKonten(loaded));
    const std::string saved = ReadAll(StoreFile());
    const auto diff = std::mismatch(saved.begin(), saved.end(), expected.begin(), expected.end());
    EXPECT_TRUE(diff.first == saved.end() && diff.second == expected.end())
        << "first difference at byte " << diff.first - saved.begin();
  }
  EXPECT_TRUE(log_.entries.empty());
}

TEST_F(AccountStoreTest, MissingFileIsCreatedEmptyAndNoAccountDeletesIt) {
  AccountStore store = MakeStore(*posix_);
  KontenSammlung konten;
  store.LadeKonten(konten);
  EXPECT_EQ(konten.Count(), 0u);
  ASSERT_TRUE(std::filesystem::exists(StoreFile()));
  EXPECT_EQ(std::filesystem::file_size(StoreFile()), 0u);
  EXPECT_TRUE(reporter_.messages.empty());

  konten.Add("A", DemoKonto());
  ASSERT_FALSE(store.SpeichereKonten(konten));
  konten.RemoveAll();
  ASSERT_FALSE(store.SpeichereKonten(konten));
  EXPECT_FALSE(std::filesystem::exists(StoreFile()));
}

TEST_F(AccountStoreTest, NoDataFolderMeansNoStore) {
  AccountStore store("", "/opt", *posix_, reporter_, log_, clock_);
  KontenSammlung konten;
  konten.Add("A", DemoKonto());
  ASSERT_FALSE(store.SpeichereKonten(konten));
  store.LadeKonten(konten);
  EXPECT_EQ(konten.Count(), 1u);
  EXPECT_EQ(store.StorePath(), "");
}

TEST_F(AccountStoreTest, DamagedStoreKeepsEarlierAccountsReportsAndIsCopiedAside) {
  struct Case {
    const char* name;
    std::string bytes;
    size_t accounts_kept;
    std::string description;
  };
  // The layout of the records is clKonto's (tests/accounts), that of the whole file the kept
  // session's (GleicheBytes_test).
  KontenSammlung demo_konten;
  demo_konten.Add("Demo", DemoKonto());
  const std::string demo = SerialisiereKonten(demo_konten);
  std::string two = demo;
  two[4] = 2;  // two records announced, the second missing
  std::string renamed = demo.substr(12);
  std::string twice = demo + renamed;
  twice[4] = 2;  // the same name twice
  std::string short_record = demo;
  short_record[16] = 20;  // account array of 20 elements
  std::string trailing = demo + "xy";
  std::string not_array_type = demo;
  not_array_type[12] = 5;  // the account record claims to be a Double
  // One record that claims two billion elements in a 30-byte file costs no memory.
  std::string huge = std::string("\x0C\x20\x01\x00\x01\x00\x00\x00\x01\x00\x00\x00\x0C\x20", 14) +
                     std::string("\x01\x00\xFF\xFF\xFF\x7F\x00\x00\x00\x00", 10) +
                     std::string(6, '\0');
  const Case cases[] = {
      {"Truncated", demo.substr(0, demo.size() - 7), 0,
       "Konto Nr. 1 (ab Byte 12): Kontendatei endet vorzeitig"},
      {"SecondMissing", two, 1, "Konto Nr. 2 (ab Byte " + std::to_string(demo.size()) + ")"},
      {"Duplicate", twice, 1, "Dieser Schlüssel ist bereits"},
      {"ShortRecord", short_record, 0, "Konto Nr. 1"},
      {"Trailing", trailing, 1, "2 überzählige Bytes ab Byte " + std::to_string(demo.size())},
      {"RecordNotArray", not_array_type, 0, "Konto Nr. 1"},
      {"HugeHeader", huge, 0, "2147483647 Elemente angegeben"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const auto& name : DamagedCopies()) std::filesystem::remove(folder_.File(name));
    reporter_.messages.clear();
    WriteAll(StoreFile(), c.bytes);
    clock_.AdvanceSeconds(1);
    KontenSammlung konten;
    konten.Add("Vorher", DemoKonto());
    MakeStore(*posix_).LadeKonten(konten);
    EXPECT_EQ(konten.Count(), c.accounts_kept);
    ASSERT_EQ(reporter_.messages.size(), 1u);
    const auto& message = reporter_.messages[0];
    EXPECT_TRUE(message.text.starts_with("Fehler beim Laden der Konten aufgetreten: "));
    EXPECT_NE(message.text.find(c.description), std::string::npos) << message.text;
    EXPECT_EQ(message.style, 0);
    EXPECT_EQ(message.title, "Tradomir Konto-Server");
    // The damaged bytes survive, both in place and as a copy.
    EXPECT_EQ(ReadAll(StoreFile()), c.bytes);
    auto copies = DamagedCopies();
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(ReadAll(folder_.File(copies[0])), c.bytes);
  }
}

TEST_F(AccountStoreTest, UnstorableTextFailsTheSaveAndKeepsTheOldFile) {
  KontenSammlung konten;
  konten.Add("Demo", DemoKonto());
  AccountStore store = MakeStore(*posix_);
  ASSERT_FALSE(store.SpeichereKonten(konten));
  std::string before = ReadAll(StoreFile());
  auto chinese = std::make_shared<clKonto>();
  chinese->KontoName = "Konto 中";
  konten.Add(chinese->KontoName, chinese);
  const std::optional<AutomationError> fehler = store.SpeichereKonten(konten);
  ASSERT_TRUE(fehler);
  EXPECT_NE(fehler->Description().find("Konto 中"), std::string::npos) << fehler->Description();
  EXPECT_EQ(ReadAll(StoreFile()), before);
  ASSERT_EQ(log_.entries.size(), 1u);
  const ErrorLogEntry& e = log_.entries[0];
  EXPECT_EQ(e.number, 6);
  EXPECT_EQ(e.code, 0);
  EXPECT_EQ(e.title, "Fehler beim Speichern der Konten aufgetreten");
  EXPECT_TRUE(e.text.starts_with("Fehlermeldung: ")) << e.text;
  EXPECT_NE(e.text.find("Konto 中"), std::string::npos) << e.text;
  EXPECT_EQ(e.folder, "/opt/tradomir");
  EXPECT_EQ(e.source, "Konto-Server");
  EXPECT_TRUE(e.flag);
  EXPECT_TRUE(reporter_.messages.empty());
}

TEST_F(AccountStoreTest, AFailureAtAnyStepOfASaveLeavesOldOrNewStoreWhole) {
  KontenSammlung old_konten;
  old_konten.Add("Alt", DemoKonto());
  ASSERT_FALSE(AccountStore(folder_.path(), "", *posix_, reporter_, log_, clock_)
                   .SpeichereKonten(old_konten));
  const std::string old_bytes = ReadAll(StoreFile());

  // Larger than one piece of the writer, so that the new store takes several writes.
  KontenSammlung new_konten;
  for (int i = 0; i < 50; ++i) {
    auto konto = DemoKonto();
    konto->KontoName = "Neu " + std::to_string(i);
    konto->Beschreibung = std::string(30000, static_cast<char>('a' + i % 26));
    new_konten.Add(konto->KontoName, konto);
  }
  FaultInjectionFileSystem faulty;
  faulty.FailAt(-1);
  ASSERT_FALSE(MakeStore(faulty).SpeichereKonten(new_konten));
  const std::string new_bytes = ReadAll(StoreFile());
  EXPECT_EQ(new_bytes, SerialisiereKonten(new_konten));
  ASSERT_GT(new_bytes.size(), size_t{1} << 20);
  const int operations = faulty.Operations();
  ASSERT_GT(operations, 4);

  for (int fail_at = 0; fail_at < operations; ++fail_at) {
    SCOPED_TRACE(fail_at);
    WriteAll(StoreFile(), old_bytes);
    log_.entries.clear();
    faulty.FailAt(fail_at);
    const std::optional<AutomationError> fehler = MakeStore(faulty).SpeichereKonten(new_konten);
    std::string on_disk = ReadAll(StoreFile());
    EXPECT_TRUE(on_disk == old_bytes || on_disk == new_bytes);
    // Every fault counts as a failed save, the last (the folder's sync) too: the pending change is
    // written again rather than trusted to a disk that failed.
    EXPECT_TRUE(fehler);
    EXPECT_EQ(log_.entries.size(), 1u);
    // No temporary file is left behind.
    EXPECT_FALSE(std::filesystem::exists(StoreFile() + ".neu"));
  }
}

TEST_F(AccountStoreTest, AnUnfinishedSaveIsRemovedOnlyBesideAStoreThatLoadsWhole) {
  KontenSammlung konten;
  konten.Add("Demo", DemoKonto());
  const std::string whole = SerialisiereKonten(konten);
  const struct {
    const char* name;
    std::optional<std::string> store;
    bool removed;
  } cases[] = {
      {"whole store", whole, true},
      {"empty store", "", true},
      {"damaged store", whole.substr(0, whole.size() - 3), false},
      {"no store", std::nullopt, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(StoreFile());
    if (c.store) WriteAll(StoreFile(), *c.store);
    WriteAll(StoreFile() + ".neu", whole.substr(0, 40));
    KontenSammlung loaded;
    MakeStore(*posix_).LadeKonten(loaded);
    EXPECT_EQ(std::filesystem::exists(StoreFile() + ".neu"), !c.removed);
  }
}

KontenSammlung ManyAccounts() {
  KontenSammlung konten;
  for (int i = 0; i < 300; ++i) {
    auto konto = DemoKonto();
    konto->KontoName = "Konto " + std::to_string(i);
    konten.Add(konto->KontoName, konto);
  }
  return konten;
}

// The child: saves the same accounts into `folder` until it is killed, after a sign that it runs.
const bool kSaveLoop = testing::RegisterChildRoutine("save-loop", [](const std::string& folder) {
  const auto files = NewPlatformFileSystem();
  RecordingReporter reporter;
  RecordingErrorLog log;
  FakeClock clock;
  AccountStore store(folder, "/opt/tradomir", *files, reporter, log, clock);
  const KontenSammlung konten = ManyAccounts();
  (void)store.SpeichereKonten(konten);
  WriteAll(JoinPath(folder, "laeuft"), "");
  for (;;) (void)store.SpeichereKonten(konten);
  return 0;
});

TEST_F(AccountStoreTest, KilledWhileSavingLeavesAWholeStore) {
  ASSERT_TRUE(kSaveLoop);
  ASSERT_FALSE(MakeStore(*posix_).SpeichereKonten(ManyAccounts()));
  const std::string whole = ReadAll(StoreFile());
  const std::string running = folder_.File("laeuft");

  for (int round = 0; round < 5; ++round) {
    SCOPED_TRACE(round);
    std::filesystem::remove(running);
    testing::ChildProcess child("save-loop", folder_.path());
    ASSERT_TRUE(child.Started());
    // A child that dies before it runs fails the test rather than hanging it.
    for (int wait = 0; wait < 12000 && !std::filesystem::exists(running); ++wait) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_TRUE(std::filesystem::exists(running));
    std::this_thread::sleep_for(std::chrono::milliseconds(20 + round * 7));
    child.Kill();
    EXPECT_EQ(ReadAll(StoreFile()), whole);
  }
}

}  // namespace
}  // namespace vks
