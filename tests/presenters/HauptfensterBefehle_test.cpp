#include "presenters/HauptfensterBefehle.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "accounts/KontoUmgebung.h"
#include "accounts/clKonto.h"
#include "fakes/FakeClock.h"
#include "fakes/ForwardingFileSystem.h"
#include "fakes/RecordingReporter.h"
#include "fakes/TempFolder.h"
#include "fakes/ZeilenAnsicht.h"
#include "platform/automation/AutomationError.h"
#include "platform/files/FileSystem.h"
#include "presenters/HauptfensterPresenter.h"
#include "session/KontoSitzung.h"
#include "session/Startup.h"
#include "tests/TestPlatform.h"
#include "tests/presenters/HauptfensterTestFenster.h"

namespace vks {
namespace {

namespace fs = std::filesystem;

// The window: rows by key, the selection, the command state.
class TestFenster : public testing::ZeilenAnsicht, public HauptfensterAuswahl {
 public:
  TestFenster() : ZeilenAnsicht(AutomationLocale::German()) {}
  std::optional<std::string> markiert;
  std::vector<bool> freigaben;

  void ZeileEntfernen(const std::string& key) override {
    ZeilenAnsicht::ZeileEntfernen(key);
    if (markiert == key) markiert.reset();
  }
  std::optional<std::string> MarkierteZeile() const override { return markiert; }
  void ZeileMarkieren(const std::string& key) override { markiert = key; }
  void ZeileUmbenennen(const std::string& alter_key, const KontenZeile& zeile) override {
    zeilen.erase(alter_key);
    zeilen[zeile.key] = zeile;
    if (markiert == alter_key) markiert = zeile.key;
  }
  void BefehleFreigeben(bool freigeben) override { freigaben.push_back(freigeben); }
  std::string Keys() const {
    std::string keys;
    for (const auto& [key, zeile] : zeilen) keys += (keys.empty() ? "" : ",") + key;
    return keys;
  }
};

// The real folders, with files the host holds open: deleting them fails as on the host's system.
class SperrendeOrdner : public testing::ForwardingFileSystem {
 public:
  std::string gesperrt;

  void DeleteFile(const std::string& p) override {
    if (!gesperrt.empty() && p.ends_with(gesperrt)) throw AutomationError(70);
    ForwardingFileSystem::DeleteFile(p);
  }
};

class HauptfensterBefehleTest : public ::testing::Test {
 protected:
  HauptfensterBefehleTest() {
    state_.DatenOrdner = temp_.path();
    state_.RTTSpeicherOrdner = rtt_.Speicher().folder;
    fs::create_directories(rtt_.Speicher().folder);
    auto konto = std::make_shared<clKonto>();
    konto->KontoName = "Depot";
    konto->CashBetrag = 12500.5;
    konto->AktuelleZeit = DateValue{46000.5};
    konto->Beschreibung = "Aktien";
    state_.Konten.Add("depot", konto);
    presenter_.SetzeAnsicht(&fenster_);
  }

  clKonto& Depot() { return *state_.Konten.Item("Depot"); }
  std::vector<std::string> Texte() const {
    std::vector<std::string> texte;
    for (const auto& m : melder_.messages) texte.push_back(m.text);
    return texte;
  }
  // Bytes written into the storage folder so far.
  uintmax_t RttBytes() const {
    uintmax_t bytes = 0;
    for (const auto& e : fs::recursive_directory_iterator(rtt_.Speicher().folder)) {
      if (e.is_regular_file()) bytes += e.file_size();
    }
    return bytes;
  }
  void Datei(const std::string& pfad) {
    fs::create_directories(fs::path(pfad).parent_path());
    std::ofstream(pfad) << "x";
  }

  testing::TempFolder temp_;
  testing::RecordingReporter melder_;
  testing::RecordingErrorLog log_;
  testing::FakeClock clock_{46100.25};
  std::unique_ptr<FileSystem> files_ = NewPlatformFileSystem();
  AccountStore store_{temp_.path(), temp_.path(), *files_, melder_, log_, clock_};
  KontoSitzung state_;
  SperrendeOrdner ordner_;
  RttAufzeichnung rtt_{ordner_, RttStorage{temp_.path() + "/rtt"}};
  AutomationLocale locale_ = AutomationLocale::German();
  Speicherplan speicherplan_{state_.Konten, store_, rtt_};
  HauptfensterPresenter presenter_{state_.Konten, speicherplan_, locale_};
  KontoUmgebung kontoumgebung_{clock_, rtt_};
  TestFenster fenster_;
  TestKontoDialog dialog_;
  TestFabrik fabrik_;
  TestSpeicherordner speicherordner_;
  TestHilfe hilfe_;
  HauptfensterBefehle befehle_{{state_, presenter_, melder_, kontoumgebung_, clock_, ordner_,
                                dialog_, fabrik_, speicherordner_, hilfe_, locale_},
                               fenster_};
};

TEST_F(HauptfensterBefehleTest, CommandsThatNeedASelectionAskForOneAndAreEnabledByIt) {
  const struct {
    int id;
    const char* text;
  } faelle[] = {
      {befehl::kKontoDuplizieren, "Markieren Sie zunächst bitte ein Konto."},
      {befehl::kKontoBearbeiten, "Markieren Sie zunächst bitte ein Konto."},
      {befehl::kKontoLoeschen, "Markieren Sie zunächst bitte ein Konto."},
      {befehl::kKontoAnzeigen, "Wählen Sie zunächst bitte ein Konto in der Liste."},
  };
  for (const auto& fall : faelle) {
    SCOPED_TRACE(fall.id);
    melder_.messages.clear();
    befehle_.Befehl(fall.id);
    ASSERT_EQ(melder_.messages.size(), 1u);
    EXPECT_EQ(melder_.messages[0].text, fall.text);
    EXPECT_EQ(melder_.messages[0].style, 0);
    EXPECT_EQ(melder_.messages[0].title, "Tradomir Konto-Server");
  }
  EXPECT_TRUE(dialog_.aufrufe.empty());
  EXPECT_TRUE(fabrik_.log.empty());
  EXPECT_EQ(state_.Konten.Count(), 1u);
  EXPECT_FALSE(presenter_.Plan().SpeichernAusstehend());
  fenster_.freigaben.clear();
  befehle_.ButtonCheck();
  fenster_.markiert = "depot";
  befehle_.ButtonCheck();
  EXPECT_EQ(fenster_.freigaben, (std::vector<bool>{false, true}));
}

TEST_F(HauptfensterBefehleTest, NewAccount) {
  state_.DatenOrdner.clear();
  befehle_.Befehl(befehl::kNeuesKonto);
  EXPECT_EQ(Texte(),
            std::vector<std::string>{
                "Der Ordner zum Speichern der Einstellungen ist nicht korrekt. Beenden Sie "
                "bitte alle Tradomir Instanzen und überprüfen Sie die Installation. Der "
                "Konto-Server muss aus der Haupt-Instanz von Tradomir gestartet werden."});
  EXPECT_TRUE(dialog_.aufrufe.empty());

  state_.DatenOrdner = temp_.path();
  befehle_.NeuesKonto();  // cancelled
  ASSERT_EQ(dialog_.aufrufe.size(), 1u);
  EXPECT_EQ(dialog_.aufrufe[0].felder.txtName, "NeuesKonto");
  EXPECT_EQ(dialog_.aufrufe[0].felder.txtKontostand, "10000,00");
  EXPECT_EQ(dialog_.aufrufe[0].felder.Datumfeld.days, 46100.25);
  EXPECT_FALSE(dialog_.aufrufe[0].reset_aktiv);
  EXPECT_EQ(state_.Konten.Count(), 1u);

  dialog_.antwort = [](KontoEinstellungen f) {
    f.txtName = "Futures";
    f.txtKontostand = "2.500,75";
    f.optUseGebuehren = true;
    return f;
  };
  befehle_.NeuesKonto();
  ASSERT_TRUE(state_.Konten.Exists("futures"));
  EXPECT_EQ(state_.Konten.Keys().back(), "futures");
  const clKonto& neu = *state_.Konten.Item("Futures");
  EXPECT_EQ(neu.KontoName, "Futures");
  EXPECT_EQ(neu.CashBetrag, 2500.75);
  EXPECT_TRUE(neu.UseCommissions);
  EXPECT_EQ(fenster_.Keys(), "depot,futures");
  EXPECT_EQ(fenster_.zeilen["futures"].gesamtwert, "2.500,75");
  EXPECT_EQ(fenster_.markiert, "futures");
  EXPECT_EQ(fenster_.freigaben.back(), true);
  EXPECT_TRUE(fs::exists(rtt_.Speicher().folder + "/Futures/Portfolio"));
  EXPECT_TRUE(presenter_.Plan().SpeichernAusstehend());

  // The dialog lets a taken name through: the error is reported, nothing else changes.
  befehle_.NeuesKonto();
  EXPECT_EQ(Texte().back(),
            "Fehler aufgetreten: Dieser Schlüssel ist bereits einem Element "
            "dieser Auflistung zugeordnet");
  EXPECT_EQ(state_.Konten.Count(), 2u);
}

TEST_F(HauptfensterBefehleTest, DuplicateFillsTheDialogFromTheSelectedAccount) {
  fenster_.markiert = "depot";
  dialog_.antwort = [](KontoEinstellungen f) { return f; };
  befehle_.Befehl(befehl::kKontoDuplizieren);
  ASSERT_EQ(dialog_.aufrufe.size(), 1u);
  const TestKontoDialog::Aufruf& aufruf = dialog_.aufrufe[0];
  EXPECT_EQ(aufruf.titel, "Konto anlegen (dupliziert von 'Depot')");
  EXPECT_EQ(aufruf.felder.txtName, "Depot-Dupliziert");
  EXPECT_EQ(aufruf.felder.txtKontostand, "12500,50");
  EXPECT_EQ(aufruf.felder.txtBeschreibung, "Aktien");
  EXPECT_EQ(aufruf.felder.marker, "");
  EXPECT_TRUE(aufruf.reset_aktiv);
  const clKonto& kopie = *state_.Konten.Item("Depot-Dupliziert");
  EXPECT_EQ(kopie.CashBetrag, 12500.5);
  EXPECT_EQ(kopie.AktuelleZeit.days, 46000.5);
  EXPECT_NE(&kopie, &Depot());
  EXPECT_EQ(fenster_.markiert, "depot-dupliziert");
}

TEST_F(HauptfensterBefehleTest, EditRenamesAndReKeysEverywhereUnlessCancelled) {
  fenster_.markiert = "depot";
  befehle_.KontoBearbeiten();  // cancelled: nothing changes
  EXPECT_EQ(Depot().CashBetrag, 12500.5);
  EXPECT_FALSE(presenter_.Plan().SpeichernAusstehend());
  befehle_.KontoAnzeigen();
  fabrik_.log.clear();
  state_.Konten.Add("zweites", std::make_shared<clKonto>());
  dialog_.antwort = [](KontoEinstellungen f) {
    f.txtName = "Langfrist";
    return f;
  };
  befehle_.Befehl(befehl::kKontoBearbeiten);
  ASSERT_EQ(dialog_.aufrufe.size(), 2u);
  EXPECT_EQ(dialog_.aufrufe[1].titel, "Konto 'Depot' bearbeiten");
  EXPECT_EQ(dialog_.aufrufe[1].felder.marker, "Depot");
  EXPECT_EQ(state_.Konten.Keys(), (std::vector<std::string>{"langfrist", "zweites"}));
  EXPECT_EQ(state_.Konten.Item("Langfrist")->KontoName, "Langfrist");
  EXPECT_EQ(presenter_.UebersichtsFenster().Keys(), std::vector<std::string>{"langfrist"});
  EXPECT_EQ(fabrik_.log, (std::vector<std::string>{"Titel Übersicht für Konto 'Langfrist'",
                                                   "RefreshBasisWerte"}));
  EXPECT_EQ(fenster_.Keys(), "langfrist");
  EXPECT_EQ(fenster_.zeilen["langfrist"].name, "Langfrist");
  EXPECT_EQ(fenster_.markiert, "langfrist");
  EXPECT_TRUE(melder_.messages.empty());
  EXPECT_TRUE(presenter_.Plan().SpeichernAusstehend());
}

TEST_F(HauptfensterBefehleTest, EditMovesTimeBackOnlyOnYesAndRewritesInitialValues) {
  const std::string frage =
      "Soll die aktuelle Zeit des Kontos jetzt wirklich vor die momentane Zeit des Kontos gesetzt "
      "werden?";
  const struct {
    const char* name;
    double datum;
    const char* kontostand;
    std::deque<int32_t> antworten;
    size_t fragen;
    double zeit_danach;
    bool neu_geschrieben;
  } faelle[] = {
      {"earlier, Yes", 45000, "12500,50", {msgbox::kYes}, 1, 45000, true},
      {"earlier, No", 45000, "12500,50", {msgbox::kNo}, 1, 46000.5, false},
      {"later: no question", 46050, "12500,50", {}, 0, 46050, true},
      {"same time, cash changed", 46000.5, "12500,49", {}, 0, 46000.5, true},
      {"same time, cash equal after rounding", 46000.5, "12500,501", {}, 0, 46000.5, false},
      {"nothing changed", 46000.5, "12500,50", {}, 0, 46000.5, false},
  };
  for (const auto& fall : faelle) {
    SCOPED_TRACE(fall.name);
    Depot().AktuelleZeit = DateValue{46000.5};
    Depot().CashBetrag = 12500.5;
    melder_.messages.clear();
    melder_.answers = fall.antworten;
    fenster_.markiert = "depot";
    dialog_.antwort = [&](KontoEinstellungen f) {
      f.Datumfeld = DateValue{fall.datum};
      f.txtKontostand = fall.kontostand;
      return f;
    };
    const uintmax_t vorher = RttBytes();
    befehle_.KontoBearbeiten();
    ASSERT_EQ(melder_.messages.size(), fall.fragen);
    if (fall.fragen) {
      EXPECT_EQ(melder_.messages[0].text, frage);
      EXPECT_EQ(melder_.messages[0].style, msgbox::kYesNo);
    }
    EXPECT_EQ(Depot().AktuelleZeit.days, fall.zeit_danach);
    EXPECT_EQ(RttBytes() > vorher, fall.neu_geschrieben);
  }
}

TEST_F(HauptfensterBefehleTest, DeleteRemovesFilesFoldersAccountWindowAndRow) {
  const std::string konto_ordner = rtt_.Speicher().folder + "/Depot";
  Datei(konto_ordner + "/Einzeltitel/Depot_846900.RTT");
  Datei(konto_ordner + "/Portfolio/Depot_Cash.rtt");
  fenster_.markiert = "depot";
  befehle_.KontoAnzeigen();

  melder_.answers = {msgbox::kNo};
  befehle_.Befehl(befehl::kKontoLoeschen);
  EXPECT_EQ(Texte(), std::vector<std::string>{
                         "Soll das Konto 'Depot' wirklich gelöscht werden? Dabei werden auch alle "
                         "aktuellen Daten und alle angelegten RTT-Dateien des Kontos gelöscht."});
  EXPECT_EQ(melder_.messages[0].style, msgbox::kYesNo);
  EXPECT_TRUE(state_.Konten.Exists("depot"));
  EXPECT_TRUE(fs::exists(konto_ordner + "/Portfolio/Depot_Cash.rtt"));

  melder_.answers = {msgbox::kYes};
  befehle_.KontoLoeschen();
  EXPECT_FALSE(fs::exists(konto_ordner));
  EXPECT_TRUE(fs::exists(rtt_.Speicher().folder));
  EXPECT_EQ(state_.Konten.Count(), 0u);
  EXPECT_EQ(presenter_.UebersichtsFenster().Count(), 0u);
  EXPECT_EQ(fabrik_.log.back(), "Entladen");
  EXPECT_EQ(fenster_.Keys(), "");
  EXPECT_EQ(fenster_.freigaben.back(), false);
  EXPECT_TRUE(presenter_.Plan().SpeichernAusstehend());
  EXPECT_EQ(melder_.messages.size(), 2u);
}

TEST_F(HauptfensterBefehleTest, DeleteWithALockedFileKeepsTheFoldersButRemovesTheAccount) {
  const std::string konto_ordner = rtt_.Speicher().folder + "/Depot";
  Datei(konto_ordner + "/Einzeltitel/Depot_846900.RTT");
  Datei(konto_ordner + "/Portfolio/Depot_Cash.RTT");
  Datei(konto_ordner + "/Portfolio/Depot_Kapital.RTT");
  ordner_.gesperrt = "Depot_Cash.RTT";
  fenster_.markiert = "depot";
  melder_.answers = {msgbox::kYes};
  befehle_.KontoLoeschen();
  ASSERT_EQ(melder_.messages.size(), 2u);
  EXPECT_EQ(melder_.messages[1].text,
            "Beim Löschen der RTT-Dateien sind Fehler aufgetreten (Zugriff verweigert). Es konnten "
            "nicht alle Dateien gelöscht werden.");
  EXPECT_FALSE(fs::exists(konto_ordner + "/Einzeltitel/Depot_846900.RTT"));
  EXPECT_FALSE(fs::exists(konto_ordner + "/Portfolio/Depot_Kapital.RTT"));
  EXPECT_TRUE(fs::exists(konto_ordner + "/Portfolio/Depot_Cash.RTT"));
  EXPECT_TRUE(fs::exists(konto_ordner + "/Einzeltitel"));
  EXPECT_FALSE(state_.Konten.Exists("depot"));
}

TEST_F(HauptfensterBefehleTest, DeleteNeverReachesOutsideTheStorageFolder) {
  if (!testing::CanMakeSymbolicLinks()) GTEST_SKIP() << "no symbolic links on this platform";
  const std::string draussen = temp_.path() + "/draussen";
  Datei(draussen + "/Einzeltitel/fremd.RTT");
  Datei(draussen + "/Portfolio/fremd.RTT");
  const struct {
    const char* name;
    bool verlinkt;
  } faelle[] = {{"../draussen", false}, {"..", false}, {"a/../../draussen", false}, {"Link", true}};
  for (const auto& fall : faelle) {
    SCOPED_TRACE(fall.name);
    auto konto = std::make_shared<clKonto>();
    konto->KontoName = fall.name;
    state_.Konten.Add(fall.name, konto);
    if (fall.verlinkt)
      fs::create_directory_symlink(draussen, rtt_.Speicher().folder + "/" + fall.name);
    fenster_.markiert = FoldCase(fall.name);
    melder_.answers = {msgbox::kYes};
    befehle_.KontoLoeschen();
    EXPECT_TRUE(fs::exists(draussen + "/Einzeltitel/fremd.RTT"));
    EXPECT_TRUE(fs::exists(draussen + "/Portfolio/fremd.RTT"));
    EXPECT_FALSE(state_.Konten.Exists(fall.name));
  }
}

TEST_F(HauptfensterBefehleTest, ShowOpensOneWindowPerAccountAndBringsItUpLater) {
  fenster_.markiert = "depot";
  befehle_.Befehl(befehl::kKontoAnzeigen);
  befehle_.Befehl(befehl::kKontoAnzeigen);
  EXPECT_EQ(fabrik_.log,
            (std::vector<std::string>{"NeuesFenster", "ShowDaten Depot", "Zeigen", "Zeigen"}));
  EXPECT_EQ(presenter_.UebersichtsFenster().Keys(), std::vector<std::string>{"depot"});
  befehle_.RemoveKontoFenster("DEPOT");
  EXPECT_EQ(presenter_.UebersichtsFenster().Count(), 0u);
  befehle_.RemoveKontoFenster("DEPOT");
}

TEST_F(HauptfensterBefehleTest, StorageFolderAndHelp) {
  befehle_.Befehl(befehl::kSpeicherordner);
  EXPECT_EQ(speicherordner_.vorschlaege, std::vector<std::string>{rtt_.Speicher().folder});

  state_.HilfeDatei = temp_.path() + "/Tradomir.chm";
  befehle_.Befehl(befehl::kHilfe);
  Datei(state_.HilfeDatei);
  befehle_.Befehl(befehl::kHilfe);
  hilfe_.gelingt = false;
  befehle_.Befehl(befehl::kHilfe);
  EXPECT_EQ(Texte(),
            (std::vector<std::string>{
                "Die Hilfedatei " + state_.HilfeDatei + " wurde nicht gefunden.",
                "Die Hilfedatei " + state_.HilfeDatei + " konnte nicht geöffnet werden."}));
  EXPECT_EQ(hilfe_.geoeffnet.size(), 2u);
}

}  // namespace
}  // namespace vks
