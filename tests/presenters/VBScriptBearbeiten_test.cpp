#include "presenters/VBScriptBearbeiten.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "fakes/InMemoryRegistryBackend.h"
#include "fakes/TempFolder.h"
#include "platform/settings/RegistrySettingsStore.h"
#include "tests/scripting/ScriptTestUmgebung.h"

namespace vks {
namespace {

// The groups' titles and what an entry inserts are checked through the editor window's menus.
TEST(VBScriptBearbeiten, MetricsMenuHasFiveGroupsOfKeysWithoutBlanks) {
  const auto gruppen = KennzahlenMenue();
  ASSERT_EQ(gruppen.size(), 5u);
  size_t alle = 0;
  for (const auto& gruppe : gruppen) {
    SCOPED_TRACE(gruppe.titel);
    EXPECT_FALSE(gruppe.eintraege.empty());
    for (const auto& e : gruppe.eintraege) EXPECT_EQ(e.key.find(' '), std::string::npos);
    alle += gruppe.eintraege.size();
  }
  EXPECT_EQ(alle, 48u);
}

TEST(VBScriptBearbeiten, AccountsMenuFollowsTheCollection) {
  testing::ScriptServer server;
  server.Konto("Aaa");
  EXPECT_EQ(KontenMenue(server.state.Konten),
            (std::vector<std::string>{"Depot", "Zweites", "Aaa"}));
}

TEST(VBScriptBearbeiten, ContextMenuEnabling) {
  using namespace editor_befehl;
  struct Fall {
    EditorZustand zustand;
    std::vector<int> aktiv;
  };
  const int alle[] = {kRueckgaengig, kWiederholen, kAusschneiden,  kKopieren,
                      kEinfuegen,    kLoeschen,    kAllesMarkieren};
  const Fall faelle[] = {
      {{}, {kLoeschen, kAllesMarkieren}},
      {{true, false, false, false}, {kRueckgaengig, kLoeschen, kAllesMarkieren}},
      {{false, true, true, false},
       {kWiederholen, kAusschneiden, kKopieren, kLoeschen, kAllesMarkieren}},
      {{false, false, false, true}, {kEinfuegen, kLoeschen, kAllesMarkieren}},
  };
  for (size_t i = 0; i < std::size(faelle); ++i) {
    SCOPED_TRACE(i);
    std::vector<int> aktiv;
    for (int befehl : alle)
      if (KontextBefehlAktiv(befehl, faelle[i].zustand)) aktiv.push_back(befehl);
    EXPECT_EQ(aktiv, faelle[i].aktiv);
  }
}

TEST(VBScriptBearbeiten, FontSetting) {
  const AutomationLocale de = AutomationLocale::German();
  struct Fall {
    const char* gespeichert;
    std::optional<Schrift> schrift;
  };
  const Fall faelle[] = {
      {"", std::nullopt},
      {"Courier New;10;0", std::nullopt},
      {"Courier New", std::nullopt},
      {"Courier New;gross;0;0", std::nullopt},
      {"Courier New;10,5;-1;0", Schrift{"Courier New", 10.5, true, false}},
      {"Mono;9;0;-1;extra", Schrift{"Mono", 9, false, true}},
  };
  InMemoryRegistryBackend backend;
  RegistrySettingsStore settings(backend);
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.gespeichert);
    (void)settings.DeleteSetting("Tradomir", "VBScriptEditor", "Schrift");
    if (*f.gespeichert)
      (void)settings.SaveSetting("Tradomir", "VBScriptEditor", "Schrift", f.gespeichert);
    EXPECT_EQ(LeseSchrift(settings, de), f.schrift);
  }
  SpeichereSchrift(settings, Schrift{"DejaVu Sans Mono", 11.5, true, false}, de);
  EXPECT_EQ(settings.GetSetting("Tradomir", "VBScriptEditor", "Schrift", ""),
            "DejaVu Sans Mono;11,5;-1;0");
}

TEST(VBScriptBearbeiten, ColouringFileIsRewrittenInTheProgramFolder) {
  testing::TempFolder folder;
  InMemoryRegistryBackend backend;
  RegistrySettingsStore settings(backend);
  const std::unique_ptr<FileSystem> dateien = NewPlatformFileSystem();
  EXPECT_EQ(SchreibeVBScriptIni(settings, *dateien), "");
  (void)settings.SaveSetting("Tradomir", "Programm", "PfadV7", folder.path() + "/Prög");
  EXPECT_EQ(SchreibeVBScriptIni(settings, *dateien), "");  // the folder does not exist: ignored
  std::filesystem::create_directory(testing::Utf8Path(folder.path() + "/Prög"));
  std::ofstream(folder.path() + "/Prög/VBScript.ini") << "alter Inhalt, viel laenger als der neue";
  const std::string pfad = SchreibeVBScriptIni(settings, *dateien);
  ASSERT_EQ(pfad, folder.path() + "/Prög/VBScript.ini");
  std::stringstream inhalt;
  inhalt << std::ifstream(pfad, std::ios::binary).rdbuf();
  EXPECT_EQ(inhalt.str(),
            "[Schemes]\r\nVB=" + folder.path() + "/Pr\xF6g/VBScriptVirtKonten.schclass;");
}

TEST(VBScriptBearbeiten, TestRunTellsTheResultOrTheFailure) {
  struct Fall {
    const char* script;
    std::vector<std::string> meldungen;  // the last ones; a script error's message comes first
    bool erfolg;
    int32_t ergebnis;
    int zeile;
  };
  const std::string ok = "Es wurde kein Fehler festgestellt. Das Ergebnis der Berechnung ist: ";
  const std::string nicht = "Die Formel konnte nicht berechnet werden.";
  const Fall faelle[] = {
      {"", {ok + "0"}, true, 0, 0},
      {"Ergebnis = Kennzahl(\"Positionen\") + 7", {ok + "7"}, true, 7, 0},
      {"Ergebnis = -3", {ok + "-3"}, true, -3, 0},
      {"Ergebnis = 1\r\nx = 2\r\nErgebnis = (", {nicht}, false, 0, 3},
      {"Do\r\nLoop", {nicht}, false, 0, 0},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.script);
    testing::ScriptServer server;
    server.umgebung.zeit_limit_ms = 200;
    const TestLauf lauf = TesteScript(server.umgebung, f.script, "Depot");
    EXPECT_EQ(lauf.erfolg, f.erfolg);
    EXPECT_EQ(lauf.ergebnis, f.ergebnis);
    if (f.zeile) {
      EXPECT_EQ(lauf.fehler_zeile, f.zeile);
    }
    ASSERT_GE(server.reporter.messages.size(), f.meldungen.size());
    EXPECT_EQ(server.reporter.messages.back().text, f.meldungen.back());
    EXPECT_EQ(server.reporter.messages.size(), f.erfolg ? 1u : 2u);
  }
}

}  // namespace
}  // namespace vks
