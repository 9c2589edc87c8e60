#include "session/Startup.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "fakes/InMemoryRegistryBackend.h"
#include "fakes/RecordingReporter.h"
#include "fakes/TempFolder.h"
#include "platform/files/FileSystem.h"
#include "platform/settings/RegistrySettingsStore.h"
#include "session/clKontoGlobalData.h"
#include "tests/TestPlatform.h"

namespace vks {
namespace {

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

// The registry value with either trailing separator, or naming the folder through a link.
TEST_F(StartupTest, MainInstallationStartsSilentlyHoweverItIsSpelled) {
  if (!testing::CanMakeSymbolicLinks()) GTEST_SKIP() << "no symbolic links on this platform";
  std::filesystem::create_directory_symlink(eigener_, folder_.path() + "/link");
  for (const std::string& wert : {eigener_ + "\\", eigener_ + "/", folder_.path() + "/link/"}) {
    SCOPED_TRACE(wert);
    SetHauptinstallation(wert);
    Start();
    EXPECT_TRUE(Texte().empty());
    EXPECT_EQ(state_.ProgrammOrdner, eigener_);
    EXPECT_EQ(state_.HilfeDatei, eigener_ + "/Tradomir.chm");
    EXPECT_EQ(hilfedatei_, state_.HilfeDatei);
    EXPECT_EQ(state_.DatenOrdner, eigener_ + "/Daten");
  }
  EXPECT_EQ(state_.RTTSpeicherOrdner, "/rtt");
  EXPECT_TRUE(dialog_.vorschlaege.empty());
  EXPECT_EQ(geladen_, 3);
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
  struct Case {
    const char* registry_value;
    const char* eigener;
    bool expected;
    const char* haupt;
  };
  const Case kCases[] = {
      {"C:\\program files\\T\\", "C:\\Programme\\T", true, "C:\\Programme\\T"},
      {"C:\\Program Files\\T", "C:\\Programme\\T", false, "C:\\Program Files\\T"},
      {"C:\\program files\\T", "C:\\Program Files\\T", false, "C:\\program files\\T"},
      {"/opt/t", "/opt/t", true, "/opt/t"},
      {"/opt/t", "/OPT/t", false, "/opt/t"},
      {"/opt/t/", "/opt/t", true, "/opt/t"},
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
  for (const Case& c : kCases) {
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

}  // namespace
}  // namespace vks
