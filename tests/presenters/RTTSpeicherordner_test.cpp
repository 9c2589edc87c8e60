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
  const std::string lang = temp.File(std::string(300, 'x'));
  const struct {
    const char* name;
    std::string eingabe;
    std::string aktuell;
    std::deque<int32_t> antworten;
    std::vector<std::pair<std::string, int32_t>> meldungen;
    bool ok;
    std::string gespeichert;
  } faelle[] = {
      {"blanks only", "   ", "", {}, {{"Geben Sie bitte einen Ordner an.", 0}}, false, ""},
      {"existing folder at first start",
       " " + temp.File("Daten") + " ",
       "",
       {},
       {},
       true,
       temp.File("Daten")},
      {"same folder in another letter case: no warning",
       temp.File("Daten"),
       temp.File("DATEN"),
       {},
       {},
       true,
       temp.File("Daten")},
      {"another folder: warning, No",
       temp.File("Daten"),
       temp.File("Alt"),
       {msgbox::kNo},
       {{kAendern, 4}},
       false,
       ""},
      {"missing folder created, trailing separator kept",
       temp.File("Neu") + "/",
       "",
       {msgbox::kYes},
       {{kAnlegen, 4}, {"Der Ordner " + temp.File("Neu") + "/ wurde angelegt.", 0}},
       true,
       temp.File("Neu") + "/"},
      {"missing folder, No", temp.File("Nein"), "", {msgbox::kNo}, {{kAnlegen, 4}}, false, ""},
      {"parent missing",
       temp.File("a/b"),
       "",
       {msgbox::kYes},
       {{kAnlegen, 4},
        {"Der Ordner konnte nicht angelegt werden. Fehlermeldung: Pfad nicht gefunden", 0}},
       false,
       ""},
      {"a file of that name",
       temp.File("eine-datei"),
       "",
       {msgbox::kYes},
       {{kAnlegen, 4},
        {"Der Ordner konnte nicht angelegt werden. Fehlermeldung: Fehler beim Zugriff auf "
         "Pfad/Datei",
         0}},
       false,
       ""},
      {"a name longer than the system allows",
       lang,
       "",
       {msgbox::kYes},
       {{kAnlegen, 4},
        {"Der Ordner konnte nicht angelegt werden. Fehlermeldung: Fehler beim Zugriff auf "
         "Pfad/Datei",
         0}},
       false,
       ""},
      {"created, then the change refused: the folder stays",
       temp.File("Bleibt"),
       temp.File("Alt"),
       {msgbox::kYes, msgbox::kOk, msgbox::kNo},
       {{kAnlegen, 4},
        {"Der Ordner " + temp.File("Bleibt") + " wurde angelegt.", 0},
        {kAendern, 4}},
       false,
       ""},
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
    std::vector<std::pair<std::string, int32_t>> meldungen;
    for (const auto& m : melder.messages) meldungen.emplace_back(m.text, m.style);
    EXPECT_EQ(meldungen, fall.meldungen);
    EXPECT_EQ(settings.GetSetting("Tradomir Kontoserver", "Einstellungen", "RTTSpeicherpfadV7", ""),
              fall.gespeichert);
  }
  EXPECT_TRUE(fs::is_directory(temp.File("Bleibt")));
}

}  // namespace
}  // namespace vks
