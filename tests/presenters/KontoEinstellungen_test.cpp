#include "presenters/KontoEinstellungen.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <tuple>

#include "accounts/KontoUmgebung.h"
#include "platform/system/MessageReporter.h"
#include "recording/RttFileName.h"
#include "recording/RttReader.h"
#include "tests/presenters/HauptfensterTestFenster.h"

namespace vks {
namespace {

const std::string kUngueltig =
    "Ungültiger Name für ein Konto. Verwenden Sie für den Konto-Namen bitte keines der folgenden "
    "Zeichen: / \\ : * ? \" ' < > | { } ( ) # ";
const std::string kKontostand = "Ungültiger Wert im Feld 'Kontostand'.";
const std::string kLeer = "Geben Sie bitte einen Namen für das Konto an.";
const std::string kZukunft =
    "Sind Sie sicher, dass das aktuelle Datum des Kontos gegenüber der Computer-Uhrzeit auf einen "
    "Zeitpunkt in der Zukunft gesetzt werden soll?";
const std::string kExistiert =
    "Ein Konto mit diesem Namen existiert bereits. Wählen Sie bitte einen anderen Namen!";
const std::string kUmbenennen =
    "Sind Sie sicher, dass Sie den Namen des Kontos ändern möchten? Beachten Sie, dass sich bei "
    "einem geänderten Namen auch der Speicher-Ordner für die RTT-Daten ändert. Die bereits "
    "gespeicherten RTT-Daten des Kontos verbleiben aber in ihrem bisherigen Ordner.";

class KontoEinstellungenTest : public ::testing::Test, public HauptfensterServer {
 protected:
  KontoEinstellungenTest() : HauptfensterServer(45500.5) {
    std::ofstream(temp.File("Belegt.123456")) << "x";
  }

  std::shared_ptr<clKonto> konto_ = Konto("Depot");
  AutomationLocale de_ = AutomationLocale::German();
};

TEST_F(KontoEinstellungenTest, NameCheck) {
  struct Fall {
    const char* name;
    bool gueltig;
  };
  const Fall faelle[] = {{"Depot 2", true}, {"a[1]", false},  {"a{b}", false},   {"x/y", false},
                         {"x\\y", false},   {"x:y", false},   {"x*", false},     {"x?", false},
                         {"it's", false},   {"\"q\"", false}, {"<a>", false},    {"a|b", false},
                         {"#1", false},     {"(a)", false},   {"belegt", false}, {"Beleg", true}};
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    EXPECT_EQ(IstGueltigerKontoname(f.name, dateien, temp.path()), f.gueltig);
  }
}

TEST_F(KontoEinstellungenTest, ConfirmationChecksInOrder) {
  using msgbox::kNo, msgbox::kYes;
  struct Fall {
    const char* was;
    std::string name, kontostand, marker;
    double datum;
    std::vector<int32_t> antworten;
    std::vector<std::string> meldungen;
    bool schliesst;
  };
  const Fall faelle[] = {
      {"trimmed", "  Neu  ", "10.000,00", "", 45500.5, {}, {}, true},
      {"bad name before bad cash", "a[1]", "x", "", 45500.5, {}, {kUngueltig}, false},
      {"file in the folder", "Belegt", "1", "", 45500.5, {}, {kUngueltig}, false},
      {"bad cash before empty name", "   ", "10,000.00", "", 45500.5, {}, {kKontostand}, false},
      {"blanks only", "   ", "1", "", 45500.5, {}, {kLeer}, false},
      {"future, no", "Neu", "1", "", 45501.0, {kNo}, {kZukunft}, false},
      {"future, yes", "Neu", "1", "", 45501.0, {kYes}, {kZukunft}, true},
      {"new, taken", "DEPOT", "1", "", 45500.5, {}, {kExistiert}, false},
      {"rename, taken", "depot", "1", "Alt", 45500.5, {}, {kExistiert}, false},
      {"rename, no", "Neu", "1", "Alt", 45500.5, {kNo}, {kUmbenennen}, false},
      {"rename, yes", "Neu", "1", "Alt", 45500.5, {kYes}, {kUmbenennen}, true},
      {"only the case", "DEPOT", "1", "Depot", 45500.5, {}, {}, true},
      {"future and rename", "Neu", "1", "Alt", 45600, {kYes, kYes}, {kZukunft, kUmbenennen}, true},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.was);
    melder.messages.clear();
    melder.answers.assign(f.antworten.begin(), f.antworten.end());
    KontoEinstellungen felder;
    felder.txtName = f.name;
    felder.txtKontostand = f.kontostand;
    felder.marker = f.marker;
    felder.Datumfeld = DateValue{f.datum};
    EXPECT_EQ(BestaetigeKontoEinstellungen(felder, state.Konten, melder, clock, de_, dateien,
                                           temp.path()),
              f.schliesst);
    EXPECT_EQ(melder.Texts(), f.meldungen);
    for (const auto& m : melder.messages) {
      const bool frage = m.text == kZukunft || m.text == kUmbenennen;
      EXPECT_EQ(m.style, frage ? msgbox::kYesNo : msgbox::kOkOnly);
      EXPECT_EQ(m.title, kDefaultMessageTitle);
    }
    EXPECT_EQ(felder.marker, f.schliesst ? "OK" : f.marker);
    if (f.was == std::string("trimmed")) {
      EXPECT_EQ(felder.txtName, "Neu");
    }
  }
}

// The other button's example is checked through the account dialog.
TEST_F(KontoEinstellungenTest, ScriptButtonsOpenWithTheFieldOrACommentedExample) {
  EXPECT_EQ(ScriptFuerEditor(1, ""),
            "'' Beispiel (keine Enter-Orders ab 10 Positionen im Konto):\r\n"
            "'' If Kennzahl(\"Positionen\") >= 10 then Ergebnis = 1");
  EXPECT_EQ(ScriptFuerEditor(0, "Ergebnis = 2"), "Ergebnis = 2");
}

class KontoResetTest : public KontoEinstellungenTest {
 protected:
  KontoResetTest() {
    konto_->CashBetrag = 7777;
    konto_->OffeneLongOrders = 3;
    konto_->KontraktAnzahlShort = 2;
    konto_->PaidCommissions = 12;
    konto_->EnterOrderAktienMarginShort = 50;
    konto_->ProfitLossGesamt = 99;
    konto_->NeuerAktienwertSpeichern = true;
    auto p = std::make_shared<clTitelPosition>();
    p->TitelWKN = "W1";
    p->Position = 5;
    konto_->cTitelPositionen.Add("W1", p);
    felder_.marker = "Depot";
    felder_.txtKontostand = "2.500,50";
    felder_.Datumfeld = DateValue{45400.25};
    felder_.optUseDatenZeitstempel = true;
  }
  size_t Records(eKontoDatenArt art) {
    auto c = ReadRttFile(rtt.Dateien(), RttFileLocation(rtt.Speicher(), "Depot", "", art).file);
    return c.ok() ? c->records.size() : 0;
  }

  KontoUmgebung umgebung_{clock, rtt};
  KontoEinstellungen felder_;
  int neu_gefuellt_ = 0;
  KontoResetUmfeld umfeld_{state.Konten, melder, umgebung_, de_,
                           [this](const std::shared_ptr<clKonto>&) { return ++neu_gefuellt_; }};
};

TEST_F(KontoResetTest, ClearsTheDevelopmentAndOnRequestTheRttFiles) {
  melder.answers = {msgbox::kYes, msgbox::kYes};
  std::filesystem::create_directories(rtt.Speicher().folder + "/Depot/Portfolio");
  std::ofstream(rtt.Speicher().folder + "/Depot/Portfolio/Alt.RTT") << "x";
  SetzeKontoEntwicklungZurueck(felder_, umfeld_);
  EXPECT_EQ(melder.Texts(),
            (std::vector<std::string>{
                "Sollen wirklich alle Daten dieses Kontos einschließlich der Postionen "
                "und offenen Orders gelöscht werden? Der Kontostand (Cash) wird dabei "
                "nicht geändert und sollte vor dem Löschen ebenso wie das aktuelle Datum "
                "auf den gewünschten Wert gesetzt werden.",
                "Sollen die aufgezeichneten RTT-Daten dieses Kontos ebenfalls gelöscht "
                "werden? Dies empfiehlt sich, wenn eine neue Datenfeed-Simulation mit dem "
                "Konto durchgeführt werden soll.",
                "Alle RTT-Dateien des Kontos wurden gelöscht und werden nun mit neuen "
                "Startwerten initialisiert."}));
  const clKonto& k = *konto_;  // the dialog's cash, date and clock; the development cleared
  EXPECT_EQ(
      std::tuple(k.CashBetrag, k.AktuelleZeit.days, k.UseSimulZeit, k.NeuerAktienwertSpeichern),
      std::tuple(2500.5, 45400.25, true, false));
  EXPECT_EQ(
      std::tuple(k.OffeneLongOrders, k.KontraktAnzahlShort, k.PaidCommissions,
                 k.EnterOrderAktienMarginShort, k.ProfitLossGesamt, k.cTitelPositionen.Count()),
      std::tuple(0, 0, 0.0, 0.0, 99.0, size_t{0}));
  EXPECT_EQ(neu_gefuellt_, 1);
  EXPECT_FALSE(std::filesystem::exists(rtt.Speicher().folder + "/Depot/Portfolio/Alt.RTT"));
  // The zeros of the reset went with the files; the ten initial passes remain.
  EXPECT_EQ(Records(dKapitalCash), 10u);
}

TEST_F(KontoResetTest, ANonNumericCashIsReportedAndKept) {
  melder.answers = {msgbox::kYes, msgbox::kOk, msgbox::kNo};
  felder_.txtKontostand = "10,000.00";
  SetzeKontoEntwicklungZurueck(felder_, umfeld_);
  ASSERT_EQ(melder.messages.size(), 3u);
  EXPECT_EQ(melder.messages[1].text,
            "Ungültiger Wert als Kontostand! Geben Sie bitte einen numerischen Wert an.");
  EXPECT_DOUBLE_EQ(konto_->CashBetrag, 7777);
  EXPECT_EQ(konto_->OffeneLongOrders, 0);
  // Kept files: the reset's zero pass plus the ten initial passes.
  EXPECT_EQ(Records(dKapitalGesamtKapital), 11u);
}

TEST_F(KontoResetTest, NothingWithoutAnEditedAccountOrOnNo) {
  struct Fall {
    const char* marker;
    std::vector<int32_t> antworten;
    std::vector<std::string> meldungen;
  };
  const Fall faelle[] = {
      {"", {}, {}},
      {"Fehlt", {}, {"Das Konto 'Fehlt' existiert nicht!"}},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.marker);
    melder.messages.clear();
    felder_.marker = f.marker;
    SetzeKontoEntwicklungZurueck(felder_, umfeld_);
    EXPECT_EQ(melder.Texts(), f.meldungen);
  }
  felder_.marker = "Depot";
  melder.answers = {msgbox::kNo};
  SetzeKontoEntwicklungZurueck(felder_, umfeld_);
  EXPECT_EQ(konto_->OffeneLongOrders, 3);
  EXPECT_EQ(Records(dKapitalCash), 0u);
}

}  // namespace
}  // namespace vks
