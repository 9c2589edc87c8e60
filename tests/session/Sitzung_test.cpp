// The session's start: the installation, data and recording folders it finds or asks for; the
// account store it loads and saves whole, also when a save fails or is killed midway; and the
// global data the rules share.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>
#include <tuple>

#include "fakes/ErrorOf.h"
#include "fakes/FakeClock.h"
#include "fakes/FaultInjectionFileSystem.h"
#include "fakes/InMemoryRegistryBackend.h"
#include "fakes/RecordingReporter.h"
#include "fakes/TempFolder.h"
#include "platform/automation/NoValue.h"
#include "platform/automation/StoreReader.h"
#include "platform/automation/StoreWriter.h"
#include "platform/files/FileSystem.h"
#include "platform/settings/RegistrySettingsStore.h"
#include "session/AccountStore.h"
#include "session/Startup.h"
#include "session/clKontoGlobalData.h"
#include "tests/ChildProcess.h"
#include "tests/TestPlatform.h"

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
  konto->AktuelleZeit = DateValue{45658.5};
  konto->PlatziereBedingung = "x > 1";
  return konto;
}

// `anzahl` such accounts, the first named "Demo", the others "Konto 1" and on.
KontenSammlung DemoKonten(int anzahl = 1) {
  KontenSammlung konten;
  for (int i = 0; i < anzahl; ++i) {
    auto konto = DemoKonto();
    if (i > 0) konto->KontoName = "Konto " + std::to_string(i);
    konten.Add(konto->KontoName, konto);
  }
  return konten;
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
  KontenSammlung konten = DemoKonten();
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
  const std::string demo = SerialisiereKonten(DemoKonten());
  std::string two = demo;
  two[4] = 2;  // two records announced, the second missing
  std::string twice = demo + demo.substr(12);
  twice[4] = 2;  // the same name twice
  std::string short_record = demo;
  short_record[16] = 20;  // account array of 20 elements
  std::string trailing = demo + "xy";
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
  KontenSammlung konten = DemoKonten();
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
  EXPECT_EQ(std::tie(e.number, e.code, e.title, e.folder, e.source, e.flag),
            std::tuple(6, 0, "Fehler beim Speichern der Konten aufgetreten", "/opt/tradomir",
                       "Konto-Server", true));
  EXPECT_TRUE(e.text.starts_with("Fehlermeldung: ")) << e.text;
  EXPECT_NE(e.text.find("Konto 中"), std::string::npos) << e.text;
  EXPECT_TRUE(reporter_.messages.empty());
}

TEST_F(AccountStoreTest, AFailureAtAnyStepOfASaveLeavesOldOrNewStoreWhole) {
  ASSERT_FALSE(AccountStore(folder_.path(), "", *posix_, reporter_, log_, clock_)
                   .SpeichereKonten(DemoKonten()));
  const std::string old_bytes = ReadAll(StoreFile());

  // Larger than one piece of the writer, so that the new store takes several writes.
  KontenSammlung new_konten = DemoKonten(50);
  int i = 0;
  for (const auto& e : new_konten)
    e.value->Beschreibung = std::string(30000, static_cast<char>('a' + i++ % 26));
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
  const std::string whole = SerialisiereKonten(DemoKonten());
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

// The child: saves the same accounts into `folder` until it is killed, after a sign that it runs.
const bool kSaveLoop = testing::RegisterChildRoutine("save-loop", [](const std::string& folder) {
  const auto files = NewPlatformFileSystem();
  RecordingReporter reporter;
  RecordingErrorLog log;
  FakeClock clock;
  AccountStore store(folder, "/opt/tradomir", *files, reporter, log, clock);
  const KontenSammlung konten = DemoKonten(300);
  (void)store.SpeichereKonten(konten);
  WriteAll(JoinPath(folder, "laeuft"), "");
  for (;;) (void)store.SpeichereKonten(konten);
  return 0;
});

TEST_F(AccountStoreTest, KilledWhileSavingLeavesAWholeStore) {
  ASSERT_TRUE(kSaveLoop);
  ASSERT_FALSE(MakeStore(*posix_).SpeichereKonten(DemoKonten(300)));
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

class ProtokollDialog : public SpeicherordnerDialog {
 public:
  std::string ZeigeModal(const std::string& Vorschlag) override {
    vorschlaege.push_back(Vorschlag);
    return antwort;
  }
  std::vector<std::string> vorschlaege;
  std::string antwort = "/daten/rtt/";
};

constexpr const char* kFremd =
    "Der Kontenserver wird nicht aus der Haupt-Installation von Tradomir gestartet. Dies kann zu "
    "Problemen führen. Beenden Sie bitte alle Tradomir Instanzen und überprüfen Sie die "
    "Installation!\r\nKontoserver gestartet aus: ";
constexpr const char* kErsterStart =
    "Der Kontoserver wird zum ersten Mal gestartet. Geben Sie im folgenden Dialog bitte an, in "
    "welchem Ordner der Kontoserver die Aufzeichnungsdaten speichern soll.";
constexpr const char* kKeinOrdner =
    "Der Kontoserver konne keinen Ordner für die Datenspeicherung ermitteln. Beenden Sie bitte "
    "alle Tradomir Instanzen und überprüfen Sie die Installation!";

class StartupTest : public ::testing::Test {
 protected:
  StartupTest() {
    std::filesystem::create_directories(eigener_ + "/Daten");
    SetHauptinstallation(eigener_);
    (void)settings_.SaveSetting("Tradomir Kontoserver", "Einstellungen", "RTTSpeicherpfadV7",
                                "/rtt");
  }
  void SetHauptinstallation(const std::string& ordner) {
    ASSERT_TRUE(
        backend_.SetValue(HKEY_LOCAL_MACHINE, kHauptinstallationKey, "", StringValue(ordner)).ok());
  }
  void Start() {
    umgebung_.eigener_ordner = eigener_;
    StarteKontoServer(state_, umgebung_);
  }
  std::vector<std::string> Texte() {
    std::vector<std::string> texte;
    for (const auto& m : reporter_.messages) {
      EXPECT_EQ(m.style, 4096);
      EXPECT_EQ(m.title, "Tradomir Konto-Server");
      texte.push_back(m.text);
    }
    return texte;
  }

  testing::TempFolder folder_;
  std::string eigener_ = folder_.path() + "/inst";
  InMemoryRegistryBackend backend_;
  RegistrySettingsStore settings_{backend_};
  testing::RecordingReporter reporter_;
  std::unique_ptr<FileSystem> files_ = NewPlatformFileSystem();
  ProtokollDialog dialog_;
  std::string hilfedatei_;
  int geladen_ = 0;
  StartUmgebung umgebung_{reporter_,
                          settings_,
                          backend_,
                          *files_,
                          dialog_,
                          "",
                          "VKSKontoServerV7",
                          [this](const std::string& h) { hilfedatei_ = h; },
                          [this](KontoSitzung&) { ++geladen_; }};
  KontoSitzung state_;
};

// The registry value naming the folder through a link (its spellings are IstHauptinstallation's).
TEST_F(StartupTest, MainInstallationStartsSilently) {
  if (!testing::CanMakeSymbolicLinks()) GTEST_SKIP() << "no symbolic links on this platform";
  std::filesystem::create_directory_symlink(eigener_, folder_.path() + "/link");
  SetHauptinstallation(folder_.path() + "/link/");
  Start();
  EXPECT_TRUE(Texte().empty());
  EXPECT_EQ(state_.ProgrammOrdner, eigener_);
  EXPECT_EQ(state_.HilfeDatei, eigener_ + "/Tradomir.chm");
  EXPECT_EQ(hilfedatei_, state_.HilfeDatei);
  EXPECT_EQ(state_.DatenOrdner, eigener_ + "/Daten");
  EXPECT_EQ(state_.RTTSpeicherOrdner, "/rtt");
  EXPECT_TRUE(dialog_.vorschlaege.empty());
  EXPECT_EQ(geladen_, 1);
  EXPECT_EQ(state_.KennzahlenNamen.Count(), 48u);
  ASSERT_NE(state_.KontoGlobalData, nullptr);
  EXPECT_TRUE(state_.KontoGlobalData->GetAllKeys().AsArray().Elements().empty());
}

TEST_F(StartupTest, AnotherFolderWarnsAndTakesTheProgramFolderSetting) {
  SetHauptinstallation("/opt/tradomir");
  const std::string anderer = folder_.path() + "/anderer";
  std::filesystem::create_directories(anderer + "/Daten");
  ASSERT_TRUE(settings_.SaveSetting("Tradomir", "Programm", "PfadV7", anderer + "/").ok());
  Start();
  EXPECT_EQ(Texte(), std::vector<std::string>{std::string(kFremd) + eigener_ +
                                              "\r\nHaupt-Installation: /opt/tradomir"});
  EXPECT_EQ(state_.ProgrammOrdner, anderer + "/");
  EXPECT_EQ(state_.HilfeDatei, anderer + "/Tradomir.chm");
  EXPECT_EQ(state_.DatenOrdner, anderer + "/Daten");
}

TEST_F(StartupTest, MissingDataFolderIsNamedAndForgotten) {
  std::filesystem::remove(eigener_ + "/Daten");
  Start();
  EXPECT_EQ(Texte(), std::vector<std::string>{
                         "Der ermittelte Ordner für die Datenspeicherung (" + eigener_ +
                         "/Daten) existiert nicht. Beenden Sie bitte alle Tradomir Instanzen und "
                         "überprüfen Sie die Installation!"});
  EXPECT_EQ(state_.DatenOrdner, "");
  EXPECT_EQ(geladen_, 1);  // the store itself does nothing without a data folder
}

TEST_F(StartupTest, NoProgramFolderAtAll) {
  ASSERT_TRUE(backend_.DeleteTree(HKEY_LOCAL_MACHINE, "Software").ok());
  Start();
  const auto texte = Texte();
  ASSERT_EQ(texte.size(), 2u);
  EXPECT_EQ(texte[0], std::string(kFremd) + eigener_ + "\r\nHaupt-Installation: ");
  EXPECT_EQ(texte[1], kKeinOrdner);
  EXPECT_EQ(state_.ProgrammOrdner, "");
  EXPECT_EQ(state_.HilfeDatei, "/Tradomir.chm");
  EXPECT_EQ(state_.DatenOrdner, "");
}

TEST_F(StartupTest, FirstStartAsksForTheStorageFolder) {
  ASSERT_TRUE(settings_.DeleteSetting("Tradomir Kontoserver", "", "").ok());
  Start();
  EXPECT_EQ(Texte(), std::vector<std::string>{kErsterStart});
  EXPECT_EQ(dialog_.vorschlaege, std::vector<std::string>{eigener_ + "/Realtimedaten"});
  EXPECT_EQ(state_.RTTSpeicherOrdner, "/daten/rtt/");  // only a trailing backslash is removed
  dialog_.antwort = "C:\\rtt\\";
  Start();
  EXPECT_EQ(state_.RTTSpeicherOrdner, "C:\\rtt");
}

TEST_F(StartupTest, WithoutADisplayTheProposalIsConfirmedAndStored) {
  ASSERT_TRUE(settings_.DeleteSetting("Tradomir Kontoserver", "", "").ok());
  BestaetigenderSpeicherordnerDialog bestaetigen(settings_);
  StartUmgebung umgebung = umgebung_;
  StartUmgebung ohne_anzeige{umgebung.reporter,  umgebung.settings, umgebung.registry,
                             umgebung.files,     bestaetigen,       eigener_,
                             "VKSKontoServerV7", nullptr,           nullptr};
  StarteKontoServer(state_, ohne_anzeige);
  EXPECT_EQ(state_.RTTSpeicherOrdner, eigener_ + "/Realtimedaten");
  EXPECT_EQ(settings_.GetSetting("Tradomir Kontoserver", "Einstellungen", "RTTSpeicherpfadV7", ""),
            eigener_ + "/Realtimedaten");
}

TEST_F(StartupTest, OlderStorageSettingIsTrimmedAndLosesItsBackslash) {
  ASSERT_TRUE(settings_.DeleteSetting("Tradomir Kontoserver", "", "").ok());
  ASSERT_TRUE(settings_
                  .SaveSetting("Tradomir Kontoserver", "Einstellungen", "RTTSpeicherpfad",
                               "  C:\\Alt\\RTT\\  ")
                  .ok());
  Start();
  EXPECT_TRUE(Texte().empty());
  EXPECT_EQ(state_.RTTSpeicherOrdner, "C:\\Alt\\RTT");
  EXPECT_TRUE(dialog_.vorschlaege.empty());
}

TEST_F(StartupTest, AFailingStepIsReportedAndStartUpGoesOn) {
  umgebung_.hilfedatei_setzen = [](const std::string&) { throw AutomationError(53); };
  umgebung_.konten_laden = [](KontoSitzung&) {
    throw AutomationError(321, "", "Ungültiges Dateiformat (VKSVirtKonten.dat)");
  };
  Start();
  EXPECT_EQ(Texte(),
            (std::vector<std::string>{"Fehler beim Start des Kontoservers: Datei nicht gefunden",
                                      "Fehler beim Start des Kontoservers: Ungültiges Dateiformat "
                                      "(VKSVirtKonten.dat)"}));
  EXPECT_EQ(state_.DatenOrdner, eigener_ + "/Daten");
}

// "{T}" stands for a temporary folder holding "inst", "andere" and "link" (a link to "inst").
TEST(IstHauptinstallationTest, SameFolderBySpellingOrOnDisk) {
  if (!testing::CanMakeSymbolicLinks()) GTEST_SKIP() << "no symbolic links on this platform";
  const struct {
    const char* registry_value;
    const char* eigener;
    bool expected;
    const char* haupt;
  } kCases[] = {
      {"C:\\program files\\T\\", "C:\\Programme\\T", true, "C:\\Programme\\T"},
      {"C:\\Program Files\\T", "C:\\Programme\\T", false, "C:\\Program Files\\T"},
      {"C:\\program files\\T", "C:\\Program Files\\T", false, "C:\\program files\\T"},
      {"/opt/t", "/opt/t", true, "/opt/t"},
      {"/opt/t", "/OPT/t", false, "/opt/t"},
      {"/opt/t/", "/opt/t", true, "/opt/t"},
      {"/opt/t\\", "/opt/t", true, "/opt/t"},
      {"/opt/t//", "/opt/t", false, "/opt/t/"},
      {"", "", true, ""},
      {"{T}/link", "{T}/inst", true, "{T}/link"},
      {"{T}/link/", "{T}/inst", true, "{T}/link"},
      {"{T}/inst", "{T}/link", true, "{T}/inst"},
      {"{T}/andere/../inst", "{T}/inst", true, "{T}/andere/../inst"},
      {"{T}/andere", "{T}/inst", false, "{T}/andere"},
      {"{T}/fehlt", "{T}/fehlt", true, "{T}/fehlt"},
      {"{T}/fehlt/", "{T}/link", false, "{T}/fehlt"},
  };
  testing::TempFolder temp;
  std::filesystem::create_directories(temp.path() + "/inst");
  std::filesystem::create_directories(temp.path() + "/andere");
  std::filesystem::create_directory_symlink(temp.path() + "/inst", temp.path() + "/link");
  const auto im_temp = [&](std::string text) {
    if (text.starts_with("{T}")) text.replace(0, 3, temp.path());
    return text;
  };
  const std::unique_ptr<FileSystem> files = NewPlatformFileSystem();
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.registry_value);
    InMemoryRegistryBackend backend;
    ASSERT_TRUE(backend
                    .SetValue(HKEY_LOCAL_MACHINE, kHauptinstallationKey, "",
                              StringValue(im_temp(c.registry_value)))
                    .ok());
    clRegistry registry(backend, "x");
    std::string haupt;
    EXPECT_EQ(IstHauptinstallation(registry, *files, im_temp(c.eigener), haupt), c.expected);
    EXPECT_EQ(haupt, im_temp(c.haupt));
  }
}

// Keys, categories and their order are served over the bus and checked there
// (tests/adapters/dbus), Item as the default member by the rules (tests/scripting); here reading
// creates nothing, a plain value's key takes no category, and the other late-bound calls.
TEST(clKontoGlobalDataTest, ReadingCreatesNothingAndLateBoundCalls) {
  auto store = std::make_shared<clKontoGlobalData>();
  store->Add("plain", Variant(1.5));
  EXPECT_TRUE(store->Item("y").IsEmpty());
  EXPECT_FALSE(store->KeyExists("y"));
  EXPECT_FALSE(store->AddCategory("PLAIN"));
  EXPECT_EQ(store->Item("plain"), Variant(1.5));
  std::vector<Variant> category = {Variant("K")};
  EXPECT_EQ(store->Invoke("AddCategory", InvokeKind::Method, category), Variant(true));
  std::vector<Variant> set = {Variant("Ref"), Variant(ObjectRef(store))};
  store->Invoke("Item", InvokeKind::PropertySet, set);
  EXPECT_EQ(store->Item("ref").AsObject(), ObjectRef(store));
  store->RemoveAll();  // breaks the reference cycle made above
  std::vector<Variant> none;
  EXPECT_EQ(testing::ErrorOf([&] { store->Invoke("Nope", InvokeKind::Method, none); }), 438);
  EXPECT_EQ(testing::ErrorOf([&] { store->Invoke("Add", InvokeKind::Method, none); }), 450);
}

}  // namespace
}  // namespace vks
