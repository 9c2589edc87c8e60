// The account list's presenter and its commands, tested together: the commands act through the
// presenter's rows, windows and save schedule.
#include "presenters/HauptfensterBefehle.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "accounts/KontoUmgebung.h"
#include "fakes/ZeilenAnsicht.h"
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

class HauptfensterBefehleTest : public ::testing::Test, public HauptfensterServer {
 protected:
  HauptfensterBefehleTest() : HauptfensterServer(46100.25) {
    state.DatenOrdner = temp.path();
    state.RTTSpeicherOrdner = rtt.Speicher().folder;
    fs::create_directories(rtt.Speicher().folder);
    auto konto = Konto("Depot");
    konto->CashBetrag = 12500.5;
    konto->AktuelleZeit = DateValue{46000.5};
    konto->Beschreibung = "Aktien";
    hauptfenster.SetzeAnsicht(&fenster_);
  }

  clKonto& Depot() { return *state.Konten.Item("Depot"); }
  // Bytes written into the storage folder so far.
  uintmax_t RttBytes() const {
    uintmax_t bytes = 0;
    for (const auto& e : fs::recursive_directory_iterator(rtt.Speicher().folder)) {
      if (e.is_regular_file()) bytes += e.file_size();
    }
    return bytes;
  }
  bool StoreExists() { return fs::exists(store.StorePath()); }
  void Datei(const std::string& pfad) {
    fs::create_directories(fs::path(pfad).parent_path());
    std::ofstream(pfad) << "x";
  }

  KontoUmgebung kontoumgebung_{clock, rtt};
  TestFenster fenster_;
  TestKontoDialog dialog_;
  TestFabrik fabrik_;
  TestSpeicherordner speicherordner_;
  TestHilfe hilfe_;
  HauptfensterBefehle befehle_{
      {state, hauptfenster, melder, kontoumgebung_, clock, dateien, dialog_, fabrik_,
       speicherordner_, hilfe_, AutomationLocale::German()},
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
    melder.messages.clear();
    befehle_.Befehl(fall.id);
    ASSERT_EQ(melder.messages.size(), 1u);
    EXPECT_EQ(melder.messages[0].text, fall.text);
    EXPECT_EQ(melder.messages[0].style, 0);
    EXPECT_EQ(melder.messages[0].title, "Tradomir Konto-Server");
  }
  EXPECT_TRUE(dialog_.aufrufe.empty());
  EXPECT_TRUE(fabrik_.log.empty());
  EXPECT_EQ(state.Konten.Count(), 1u);
  EXPECT_FALSE(hauptfenster.Plan().SpeichernAusstehend());
  fenster_.freigaben.clear();
  befehle_.ButtonCheck();
  fenster_.markiert = "depot";
  befehle_.ButtonCheck();
  EXPECT_EQ(fenster_.freigaben, (std::vector<bool>{false, true}));
}

TEST_F(HauptfensterBefehleTest, NewAccount) {
  state.DatenOrdner.clear();
  befehle_.Befehl(befehl::kNeuesKonto);
  EXPECT_EQ(melder.Texts(),
            std::vector<std::string>{
                "Der Ordner zum Speichern der Einstellungen ist nicht korrekt. Beenden Sie "
                "bitte alle Tradomir Instanzen und überprüfen Sie die Installation. Der "
                "Konto-Server muss aus der Haupt-Instanz von Tradomir gestartet werden."});
  EXPECT_TRUE(dialog_.aufrufe.empty());

  state.DatenOrdner = temp.path();
  befehle_.NeuesKonto();  // cancelled
  ASSERT_EQ(dialog_.aufrufe.size(), 1u);
  EXPECT_EQ(dialog_.aufrufe[0].felder.txtName, "NeuesKonto");
  EXPECT_EQ(dialog_.aufrufe[0].felder.txtKontostand, "10000,00");
  EXPECT_EQ(dialog_.aufrufe[0].felder.Datumfeld.days, 46100.25);
  EXPECT_FALSE(dialog_.aufrufe[0].reset_aktiv);
  EXPECT_EQ(state.Konten.Count(), 1u);

  dialog_.antwort = [](KontoEinstellungen f) {
    f.txtName = "Futures";
    f.txtKontostand = "2.500,75";
    f.optUseGebuehren = true;
    return f;
  };
  befehle_.NeuesKonto();
  ASSERT_TRUE(state.Konten.Exists("futures"));
  EXPECT_EQ(state.Konten.Keys().back(), "futures");
  const clKonto& neu = *state.Konten.Item("Futures");
  EXPECT_EQ(neu.KontoName, "Futures");
  EXPECT_EQ(neu.CashBetrag, 2500.75);
  EXPECT_TRUE(neu.UseCommissions);
  EXPECT_EQ(fenster_.Keys(), "depot,futures");
  EXPECT_EQ(fenster_.zeilen["futures"].gesamtwert, "2.500,75");
  EXPECT_EQ(fenster_.markiert, "futures");
  EXPECT_EQ(fenster_.freigaben.back(), true);
  EXPECT_TRUE(fs::exists(rtt.Speicher().folder + "/Futures/Portfolio"));
  EXPECT_TRUE(hauptfenster.Plan().SpeichernAusstehend());

  // The dialog lets a taken name through: the error is reported, nothing else changes.
  befehle_.NeuesKonto();
  EXPECT_EQ(melder.Texts().back(),
            "Fehler aufgetreten: Dieser Schlüssel ist bereits einem Element "
            "dieser Auflistung zugeordnet");
  EXPECT_EQ(state.Konten.Count(), 2u);
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
  const clKonto& kopie = *state.Konten.Item("Depot-Dupliziert");
  EXPECT_EQ(kopie.CashBetrag, 12500.5);
  EXPECT_EQ(kopie.AktuelleZeit.days, 46000.5);
  EXPECT_NE(&kopie, &Depot());
  EXPECT_EQ(fenster_.markiert, "depot-dupliziert");
}

TEST_F(HauptfensterBefehleTest, EditRenamesAndReKeysEverywhereUnlessCancelled) {
  fenster_.markiert = "depot";
  befehle_.KontoBearbeiten();  // cancelled: nothing changes
  EXPECT_EQ(Depot().CashBetrag, 12500.5);
  EXPECT_FALSE(hauptfenster.Plan().SpeichernAusstehend());
  befehle_.KontoAnzeigen();
  fabrik_.log.clear();
  state.Konten.Add("zweites", std::make_shared<clKonto>());
  dialog_.antwort = [](KontoEinstellungen f) {
    f.txtName = "Langfrist";
    return f;
  };
  befehle_.Befehl(befehl::kKontoBearbeiten);
  ASSERT_EQ(dialog_.aufrufe.size(), 2u);
  EXPECT_EQ(dialog_.aufrufe[1].titel, "Konto 'Depot' bearbeiten");
  EXPECT_EQ(dialog_.aufrufe[1].felder.marker, "Depot");
  EXPECT_EQ(state.Konten.Keys(), (std::vector<std::string>{"langfrist", "zweites"}));
  EXPECT_EQ(state.Konten.Item("Langfrist")->KontoName, "Langfrist");
  EXPECT_EQ(hauptfenster.UebersichtsFenster().Keys(), std::vector<std::string>{"langfrist"});
  EXPECT_EQ(fabrik_.log, (std::vector<std::string>{"Titel Übersicht für Konto 'Langfrist'",
                                                   "RefreshBasisWerte"}));
  EXPECT_EQ(fenster_.Keys(), "langfrist");
  EXPECT_EQ(fenster_.zeilen["langfrist"].name, "Langfrist");
  EXPECT_EQ(fenster_.markiert, "langfrist");
  EXPECT_TRUE(melder.messages.empty());
  EXPECT_TRUE(hauptfenster.Plan().SpeichernAusstehend());
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
    melder.messages.clear();
    melder.answers = fall.antworten;
    fenster_.markiert = "depot";
    dialog_.antwort = [&](KontoEinstellungen f) {
      f.Datumfeld = DateValue{fall.datum};
      f.txtKontostand = fall.kontostand;
      return f;
    };
    const uintmax_t vorher = RttBytes();
    befehle_.KontoBearbeiten();
    ASSERT_EQ(melder.messages.size(), fall.fragen);
    if (fall.fragen) {
      EXPECT_EQ(melder.messages[0].text, frage);
      EXPECT_EQ(melder.messages[0].style, msgbox::kYesNo);
    }
    EXPECT_EQ(Depot().AktuelleZeit.days, fall.zeit_danach);
    EXPECT_EQ(RttBytes() > vorher, fall.neu_geschrieben);
  }
}

TEST_F(HauptfensterBefehleTest, DeleteRemovesFilesFoldersAccountWindowAndRow) {
  const std::string konto_ordner = rtt.Speicher().folder + "/Depot";
  Datei(konto_ordner + "/Einzeltitel/Depot_846900.RTT");
  Datei(konto_ordner + "/Portfolio/Depot_Cash.rtt");
  fenster_.markiert = "depot";
  befehle_.KontoAnzeigen();

  melder.answers = {msgbox::kNo};
  befehle_.Befehl(befehl::kKontoLoeschen);
  EXPECT_EQ(melder.Texts(),
            std::vector<std::string>{
                "Soll das Konto 'Depot' wirklich gelöscht werden? Dabei werden auch alle "
                "aktuellen Daten und alle angelegten RTT-Dateien des Kontos gelöscht."});
  EXPECT_EQ(melder.messages[0].style, msgbox::kYesNo);
  EXPECT_TRUE(state.Konten.Exists("depot"));
  EXPECT_TRUE(fs::exists(konto_ordner + "/Portfolio/Depot_Cash.rtt"));

  melder.answers = {msgbox::kYes};
  befehle_.KontoLoeschen();
  EXPECT_FALSE(fs::exists(konto_ordner));
  EXPECT_TRUE(fs::exists(rtt.Speicher().folder));
  EXPECT_EQ(state.Konten.Count(), 0u);
  EXPECT_EQ(hauptfenster.UebersichtsFenster().Count(), 0u);
  EXPECT_EQ(fabrik_.log.back(), "Entladen");
  EXPECT_EQ(fenster_.Keys(), "");
  EXPECT_EQ(fenster_.freigaben.back(), false);
  EXPECT_TRUE(hauptfenster.Plan().SpeichernAusstehend());
  EXPECT_EQ(melder.messages.size(), 2u);
}

TEST_F(HauptfensterBefehleTest, DeleteWithALockedFileKeepsTheFoldersButRemovesTheAccount) {
  const std::string konto_ordner = rtt.Speicher().folder + "/Depot";
  Datei(konto_ordner + "/Einzeltitel/Depot_846900.RTT");
  Datei(konto_ordner + "/Portfolio/Depot_Cash.RTT");
  Datei(konto_ordner + "/Portfolio/Depot_Kapital.RTT");
  dateien.gesperrt = "Depot_Cash.RTT";
  fenster_.markiert = "depot";
  melder.answers = {msgbox::kYes};
  befehle_.KontoLoeschen();
  ASSERT_EQ(melder.messages.size(), 2u);
  EXPECT_EQ(melder.messages[1].text,
            "Beim Löschen der RTT-Dateien sind Fehler aufgetreten (Zugriff verweigert). Es konnten "
            "nicht alle Dateien gelöscht werden.");
  EXPECT_FALSE(fs::exists(konto_ordner + "/Einzeltitel/Depot_846900.RTT"));
  EXPECT_FALSE(fs::exists(konto_ordner + "/Portfolio/Depot_Kapital.RTT"));
  EXPECT_TRUE(fs::exists(konto_ordner + "/Portfolio/Depot_Cash.RTT"));
  EXPECT_TRUE(fs::exists(konto_ordner + "/Einzeltitel"));
  EXPECT_FALSE(state.Konten.Exists("depot"));
}

TEST_F(HauptfensterBefehleTest, DeleteNeverReachesOutsideTheStorageFolder) {
  if (!testing::CanMakeSymbolicLinks()) GTEST_SKIP() << "no symbolic links on this platform";
  const std::string draussen = temp.path() + "/draussen";
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
    state.Konten.Add(fall.name, konto);
    if (fall.verlinkt)
      fs::create_directory_symlink(draussen, rtt.Speicher().folder + "/" + fall.name);
    fenster_.markiert = FoldCase(fall.name);
    melder.answers = {msgbox::kYes};
    befehle_.KontoLoeschen();
    EXPECT_TRUE(fs::exists(draussen + "/Einzeltitel/fremd.RTT"));
    EXPECT_TRUE(fs::exists(draussen + "/Portfolio/fremd.RTT"));
    EXPECT_FALSE(state.Konten.Exists(fall.name));
  }
}

TEST_F(HauptfensterBefehleTest, ShowOpensOneWindowPerAccountAndBringsItUpLater) {
  fenster_.markiert = "depot";
  befehle_.Befehl(befehl::kKontoAnzeigen);
  befehle_.Befehl(befehl::kKontoAnzeigen);
  EXPECT_EQ(fabrik_.log,
            (std::vector<std::string>{"NeuesFenster", "ShowDaten Depot", "Zeigen", "Zeigen"}));
  EXPECT_EQ(hauptfenster.UebersichtsFenster().Keys(), std::vector<std::string>{"depot"});
  befehle_.RemoveKontoFenster("DEPOT");
  EXPECT_EQ(hauptfenster.UebersichtsFenster().Count(), 0u);
  befehle_.RemoveKontoFenster("DEPOT");
}

TEST_F(HauptfensterBefehleTest, StorageFolderAndHelp) {
  befehle_.Befehl(befehl::kSpeicherordner);
  EXPECT_EQ(speicherordner_.vorschlaege, std::vector<std::string>{rtt.Speicher().folder});

  state.HilfeDatei = temp.path() + "/Tradomir.chm";
  befehle_.Befehl(befehl::kHilfe);
  Datei(state.HilfeDatei);
  befehle_.Befehl(befehl::kHilfe);
  hilfe_.gelingt = false;
  befehle_.Befehl(befehl::kHilfe);
  EXPECT_EQ(melder.Texts(),
            (std::vector<std::string>{
                "Die Hilfedatei " + state.HilfeDatei + " wurde nicht gefunden.",
                "Die Hilfedatei " + state.HilfeDatei + " konnte nicht geöffnet werden."}));
  EXPECT_EQ(hilfe_.geoeffnet.size(), 2u);
}

// A save that fails keeps the change pending: each tick tries again, the error log hears of each
// new failure and of the recovery, and the status line shows why until a save succeeds. The timer
// and the unloading save only what is pending.
TEST_F(HauptfensterBefehleTest, AFailedSaveIsRetriedAndShownUntilASaveSucceeds) {
  hauptfenster.Plan().SetzeSpeichernAusstehend();
  const struct {
    const char* was;
    int fault_at;        // the file operation that fails, -1 none
    bool unspeicherbar;  // an account whose name the store cannot hold
    bool entladen;       // the save at the end instead of the timer's
    const char* status;  // part of the status line, "" none
    size_t log_zeilen;
  } schritte[] = {
      {"disk full", 0, false, false, "Datenträger voll", 1},
      {"still full, at the end", 0, false, true, "Datenträger voll", 1},
      {"text the store cannot hold", -1, true, false, "Konto 中", 2},
      {"all well again", -1, false, false, "", 3},
  };
  for (const auto& s : schritte) {
    SCOPED_TRACE(s.was);
    dateien.FailAt(s.fault_at);
    if (s.unspeicherbar) {
      Konto("Konto 中");
    } else if (state.Konten.Exists("Konto 中")) {
      state.Konten.Remove("Konto 中");
    }
    s.entladen ? hauptfenster.Plan().Entladen() : hauptfenster.Plan().ZeitgeberTick();
    const bool gescheitert = *s.status != '\0';
    EXPECT_EQ(hauptfenster.Plan().SpeichernAusstehend(), gescheitert);
    EXPECT_EQ(StoreExists(), !gescheitert);
    if (gescheitert) {
      EXPECT_TRUE(fenster_.speicherstatus.starts_with("Die Konten konnten nicht gespeichert"));
      EXPECT_NE(fenster_.speicherstatus.find(s.status), std::string::npos)
          << fenster_.speicherstatus;
    } else {
      EXPECT_EQ(fenster_.speicherstatus, "");
    }
    EXPECT_EQ(log.entries.size(), s.log_zeilen);
  }
  EXPECT_EQ(log.entries.back().title, "Konten wieder gespeichert");
  KontenSammlung gelesen;
  store.LadeKonten(gelesen);
  EXPECT_EQ(gelesen.Keys(), std::vector<std::string>{"Depot"});
  // Nothing pending: neither the timer nor the unloading saves.
  std::filesystem::remove(store.StorePath());
  hauptfenster.Plan().ZeitgeberTick();
  hauptfenster.Plan().Entladen();
  EXPECT_FALSE(StoreExists());
}

// The tick shows the new time and capital of the accounts that had values waiting, and only
// those: the other columns and the other rows keep their texts. It writes an account without a
// window all the same and tells each open overview whether its values were written.
TEST_F(HauptfensterBefehleTest, PriceTickRefreshesPendingAccountsAndTellsTheirOverviews) {
  auto ruhig = Konto("Ruhig");
  auto ohne = Konto("Ohne Fenster");
  hauptfenster.InitKontoListe();
  std::vector<std::string> depot;
  hauptfenster.UebersichtsFenster().Add("depot", std::make_shared<TestUebersicht>(depot));
  fenster_.zeilen["depot"].enter_orders = "alt";
  const KontenZeile ruhig_vorher = fenster_.zeilen["ruhig"];

  for (clKonto* konto : {state.Konten.Item("Depot").get(), ruhig.get()}) {
    konto->AktuelleZeit = DateValue{45000.5};
    konto->CashBetrag = 2500;
  }
  state.Konten.Item("Depot")->NeuerAktienwertSpeichern = true;
  ohne->NeuerOpenPLSpeichern = true;
  hauptfenster.Plan().KursspeichernZeitgeberTick();
  hauptfenster.Plan().KursspeichernZeitgeberTick();
  const KontenZeile& zeile = fenster_.zeilen["depot"];
  EXPECT_EQ(zeile.datum, "15.03.2023 12:00:00");
  EXPECT_EQ(zeile.gesamtwert, "2.500,00");
  EXPECT_EQ(zeile.enter_orders, "alt");
  EXPECT_EQ(fenster_.zeilen["ruhig"].datum, ruhig_vorher.datum);
  EXPECT_EQ(fenster_.zeilen["ruhig"].gesamtwert, ruhig_vorher.gesamtwert);
  EXPECT_EQ(depot, (std::vector<std::string>{"KursTick gespeichert", "KursTick"}));
  EXPECT_FALSE(state.Konten.Item("Depot")->NeuerAktienwertSpeichern);
  EXPECT_FALSE(ohne->NeuerOpenPLSpeichern);
  EXPECT_TRUE(std::filesystem::exists(rtt.Speicher().folder));
  hauptfenster.UebersichtsFenster().RemoveAll();  // before the log goes
}

}  // namespace
}  // namespace vks
