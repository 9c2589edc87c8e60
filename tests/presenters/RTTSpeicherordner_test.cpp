#include "presenters/RTTSpeicherordner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "fakes/InMemoryRegistryBackend.h"
#include "fakes/RecordingReporter.h"
#include "fakes/TempFolder.h"
#include "platform/settings/RegistrySettingsStore.h"

namespace vks {
namespace {

namespace fs = std::filesystem;

TEST(RTTSpeicherordnerTest, ChecksInOrderAndStoresOnlyAfterAllPassed) {
  testing::TempFolder temp;
  std::ofstream(temp.File("eine-datei")) << "x";
  fs::create_directory(temp.File("Daten"));
  const std::string kAnlegen =
      "Der angegebene Ordner existiert nicht. Soll er jetzt angelegt werden?";
  const std::string kAendern =
      "Der Speicherpfad für die vom Kontoserver gespeicherten RTT-Titel wird damit geändert. Die "
      "Änderung wird erst nach Neustart von Tradomir (alle Instanzen!) wirksam.";
  const std::string kNicht = "Der Ordner konnte nicht angelegt werden. Fehlermeldung: ";
  const std::string kZugriff = kNicht + "Fehler beim Zugriff auf Pfad/Datei";
  auto da = [](const std::string& ordner) { return "Der Ordner " + ordner + " wurde angelegt."; };
  auto f = [&](const std::string& name) { return temp.File(name); };
  const std::string lang = f(std::string(300, 'x'));
  using msgbox::kNo, msgbox::kOk, msgbox::kYes;
  // The folder is stored, without the blanks around it, exactly when the check passes.
  const struct {
    const char* name;
    std::string eingabe, aktuell;
    std::deque<int32_t> antworten;
    std::vector<std::string> meldungen;  // the questions as Yes/No, the others with OK
    bool ok;
  } faelle[] = {
      {"blanks only", "   ", "", {}, {"Geben Sie bitte einen Ordner an."}, false},
      {"existing folder at first start", " " + f("Daten") + " ", "", {}, {}, true},
      {"same folder in another letter case: no warning", f("Daten"), f("DATEN"), {}, {}, true},
      {"another folder: warning, No", f("Daten"), f("Alt"), {kNo}, {kAendern}, false},
      {"created, trailing separator kept", f("Neu/"), "", {kYes}, {kAnlegen, da(f("Neu/"))}, true},
      {"missing folder, No", f("Nein"), "", {kNo}, {kAnlegen}, false},
      {"parent missing", f("a/b"), "", {kYes}, {kAnlegen, kNicht + "Pfad nicht gefunden"}, false},
      {"a file of that name", f("eine-datei"), "", {kYes}, {kAnlegen, kZugriff}, false},
      {"longer than the system allows", lang, "", {kYes}, {kAnlegen, kZugriff}, false},
      {"created, then the change refused: the folder stays",
       f("Bleibt"),
       f("Alt"),
       {kYes, kOk, kNo},
       {kAnlegen, da(f("Bleibt")), kAendern},
       false},
  };
  for (const auto& fall : faelle) {
    SCOPED_TRACE(fall.name);
    InMemoryRegistryBackend backend;
    RegistrySettingsStore settings(backend);
    testing::RecordingReporter melder;
    melder.answers = fall.antworten;
    std::unique_ptr<FileSystem> ordner = NewPlatformFileSystem();
    SpeicherordnerUmfeld umfeld{melder, settings, *ordner, fall.aktuell};
    EXPECT_EQ(BestaetigeSpeicherordner(fall.eingabe, umfeld), fall.ok);
    std::vector<std::pair<std::string, int32_t>> meldungen, erwartet;
    for (const auto& m : melder.messages) meldungen.emplace_back(m.text, m.style);
    for (const auto& m : fall.meldungen)
      erwartet.emplace_back(m, m == kAnlegen || m == kAendern ? msgbox::kYesNo : msgbox::kOkOnly);
    EXPECT_EQ(meldungen, erwartet);
    const size_t anfang = fall.eingabe.find_first_not_of(' ');
    const std::string gespeichert =
        fall.ok ? fall.eingabe.substr(anfang, fall.eingabe.find_last_not_of(' ') - anfang + 1) : "";
    EXPECT_EQ(settings.GetSetting("Tradomir Kontoserver", "Einstellungen", "RTTSpeicherpfadV7", ""),
              gespeichert);
  }
  EXPECT_TRUE(fs::is_directory(temp.File("Bleibt")));
}

}  // namespace
}  // namespace vks
