// The host's account operations played in-process: a host creates accounts, reports orders and
// prices, cancels, closes and resets, and the timers save and record.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>

#include "accounts/KontoRegeln.h"
#include "accounts/KontoUmgebung.h"
#include "fakes/FakeClock.h"
#include "fakes/RecordingReporter.h"
#include "fakes/SpielHost.h"
#include "fakes/TempFolder.h"
#include "fakes/ZeilenAnsicht.h"
#include "interface/clKontoSchnittstelle.h"
#include "platform/files/FileSystem.h"
#include "presenters/HauptfensterPresenter.h"
#include "presenters/KontenListe.h"
#include "presenters/KontoUebersichtFenster.h"
#include "recording/RttFileName.h"
#include "recording/RttReader.h"

namespace vks {
namespace {

// An open overview window that keeps the account it was last given.
class GezeigtesKonto : public KontoUebersichtFenster {
 public:
  void ShowDaten(std::shared_ptr<clKonto> neu) override { konto = std::move(neu); }
  void RefreshBasisWerte() override {}
  void SetzeTitel(const std::string&) override {}
  void Zeigen() override {}
  void Entladen() override {}
  std::shared_ptr<clKonto> konto;
};

class KontoOperationenTest : public ::testing::Test {
 protected:
  KontoOperationenTest() { presenter_.SetzeAnsicht(&ansicht_); }
  bool NeuesKonto(const std::string& name, double cash = 10000) {
    std::string fehler;
    return host_->VKSNeuesKontoZufügen(name, "Test", cash, DateValue{45000.5}, true, false, false,
                                       fehler);
  }
  clKonto& Konto(const std::string& name) { return *state_.Konten.Item(name); }
  std::vector<RttRecord> Records(const std::string& konto, eKontoDatenArt art,
                                 std::string_view wkn = "") {
    auto contents = ReadRttFile(RttFileLocation(rtt_.Speicher(), konto, wkn, art).file);
    return contents.ok() ? contents->records : std::vector<RttRecord>{};
  }
  int16_t Order(const std::string& konto, const std::string& id, int16_t aktion, int32_t anzahl,
                int32_t filled, float preis, double datum = 45000.6) {
    DateValue zeit{datum};
    return host_->VKSKontoNeuerOrderstatus(zeit, konto, id, "DE1", "Eins AG", aktion, anzahl,
                                           filled, preis, true, &aktie_);
  }

  testing::SpielHost s_;
  std::string& daten_ = s_.daten;
  RttAufzeichnung& rtt_ = s_.rtt;
  testing::RecordingReporter& reporter_ = s_.reporter;
  std::unique_ptr<FileSystem>& files_ = s_.files;
  KontoSitzung& state_ = s_.state;
  AccountStore& store_ = s_.store;
  HauptfensterPresenter& presenter_ = s_.presenter;
  KontoUmgebung& umgebung_ = s_.umgebung;
  std::shared_ptr<clKontoSchnittstelle>& host_ = s_.host;
  testing::ZeilenAnsicht ansicht_{AutomationLocale::German()};
  clOrderZusatzInfos aktie_ = [] {
    clOrderZusatzInfos z;
    z.Margin = 100;
    z.AktUmrechnungsWert = NoValue;
    return z;
  }();
};

TEST_F(KontoOperationenTest, NewAccountsAreListedRecordedAndSaved) {
  EXPECT_TRUE(NeuesKonto("Depot"));
  EXPECT_TRUE(presenter_.Plan().SpeichernAusstehend());
  ASSERT_EQ(ansicht_.zeilen.count("depot"), 1u);
  EXPECT_EQ(ansicht_.zeilen["depot"].gesamtwert, "10.000,00");
  EXPECT_EQ(ansicht_.zeilen["depot"].enter_orders, "0/0,00");
  EXPECT_EQ(ansicht_.zeilen["depot"].datum, "15.03.2023 12:00:00");
  EXPECT_EQ(Records("Depot", dKapitalCash).size(), 10u);

  std::string fehler;
  EXPECT_FALSE(
      host_->VKSNeuesKontoZufügen(" DEPOT ", "", 1, DateValue{1}, false, false, false, fehler));
  EXPECT_EQ(fehler, "Es ist bereits ein Konto mit diesem Namen vorhanden.");
  EXPECT_FALSE(
      host_->VKSNeuesKontoZufügen("Konto 中", "", 1, DateValue{1}, false, false, false, fehler));
  EXPECT_EQ(state_.Konten.Count(), 1u);

  presenter_.Plan().ZeitgeberTick();
  EXPECT_FALSE(presenter_.Plan().SpeichernAusstehend());
  KontenSammlung geladen;
  store_.LadeKonten(geladen);
  EXPECT_TRUE(geladen.Exists("depot"));

  state_.DatenOrdner.clear();
  EXPECT_FALSE(
      host_->VKSNeuesKontoZufügen("Neu", "", 1, DateValue{1}, false, false, false, fehler));
  EXPECT_TRUE(fehler.starts_with("Der Ordner zum Speichern der Einstellungen ist nicht korrekt."));
}

TEST_F(KontoOperationenTest, AnOrderCycleThroughTheHostsCalls) {
  NeuesKonto("Depot");
  presenter_.Plan().ZeitgeberTick();
  EXPECT_EQ(Order("depot", "A1", 1, 10, 0, 100), -1);
  EXPECT_TRUE(presenter_.Plan().SpeichernAusstehend());
  EXPECT_EQ(ansicht_.zeilen["depot"].enter_orders, "1/1.000,00");
  EXPECT_EQ(Order("Depot", "A1", 1, 10, 10, 100), -1);
  EXPECT_EQ(Order("Depot", "A1", 1, 10, 10, 100), -33);
  EXPECT_EQ(Order("Fremd", "A2", 1, 10, 10, 100), 0);
  EXPECT_EQ(Konto("Depot").cTitelPositionen.Item("DE1")->Position, 10);
  EXPECT_EQ(ansicht_.zeilen["depot"].positionen, "1");

  // Two prices within one tick: one set of price-driven records.
  const size_t before = Records("Depot", dKapitalGesamtKapital).size();
  host_->VKSKontoNeuerKurs(DateValue{45000.7}, "Depot", "DE1", 105);
  host_->VKSKontoNeuerKurs(DateValue{45000.8}, "Depot", "DE1", 110);
  presenter_.Plan().KursspeichernZeitgeberTick();
  presenter_.Plan().KursspeichernZeitgeberTick();
  auto gesamt = Records("Depot", dKapitalGesamtKapital);
  ASSERT_EQ(gesamt.size(), before + 1);
  EXPECT_EQ(gesamt.back().value, 10100);
  EXPECT_EQ(ansicht_.zeilen["depot"].gesamtwert, "10.100,00");
  // At once when the host asks for it.
  host_->VKSKontoNeuerKurs(DateValue{45000.9}, "Depot", "DE1", 120, true);
  EXPECT_EQ(Records("Depot", dKapitalGesamtKapital).back().value, 10200);

  EXPECT_TRUE(host_->VKSClosePosition("Depot", "DE1", 120).IsEmpty());
  EXPECT_FALSE(Konto("Depot").cTitelPositionen.Exists("DE1"));
  EXPECT_EQ(Konto("Depot").CashBetrag, 10200);
}

TEST_F(KontoOperationenTest, FailuresAnswerWithTheirValueAndMessage) {
  NeuesKonto("Depot");
  EXPECT_EQ(Order("Depot", "B1", 1, 10, 4, NAN), 0);
  ASSERT_EQ(reporter_.messages.size(), 1u);
  EXPECT_EQ(reporter_.messages[0].text,
            "Konto-Server: Fehler beim Ändern eines Orderstatus aufgetreten: Ungültiger Preis oder "
            "Zeitpunkt");
  EXPECT_EQ(reporter_.messages[0].style, 0);
  EXPECT_FALSE(Konto("Depot").cOffeneOrders.Exists("B1"));
  EXPECT_EQ(host_->VKSStreicheOrder("Depot", "unbekannt", DateValue{0}), -1);
  EXPECT_EQ(host_->VKSStreicheOrder("Fremd", "B1", DateValue{0}), 0);
  EXPECT_FALSE(host_->VKSKontoKomplettReset("Fremd", 1, 1));
}

TEST_F(KontoOperationenTest, CancellingAndResetting) {
  NeuesKonto("Depot");
  Konto("Depot").PlatziereBedingung = "Ergebnis = 1";
  Order("Depot", "C1", 1, 10, 3, 50);
  presenter_.Plan().ZeitgeberTick();
  EXPECT_EQ(host_->VKSStreicheOrder("Depot", "C1", DateValue{0}), -1);
  EXPECT_TRUE(presenter_.Plan().SpeichernAusstehend());
  EXPECT_TRUE(Konto("Depot").cFilledOrders.Item("C1")->Gestrichen);
  EXPECT_NEAR(Konto("Depot").EnterOrderMarginGesamt, 0, 1e-9);

  ASSERT_FALSE(Records("Depot", dTitelPos, "DE1").empty());
  auto uebersicht = std::make_shared<GezeigtesKonto>();
  presenter_.UebersichtsFenster().Add("Depot", uebersicht);
  EXPECT_TRUE(host_->VKSKontoKomplettReset("depot", 5000, 45100));
  const clKonto& neu = Konto("Depot");
  EXPECT_EQ(uebersicht->konto.get(), &neu);  // the open overview shows the new account
  EXPECT_EQ(neu.CashBetrag, 5000);
  EXPECT_EQ(neu.PlatziereBedingung, "Ergebnis = 1");
  EXPECT_TRUE(neu.UseSimulZeit);
  EXPECT_EQ(neu.cTitelPositionen.Count() + neu.cFilledOrders.Count(), 0u);
  EXPECT_TRUE(Records("Depot", dTitelPos, "DE1").empty());  // the old files are gone
  EXPECT_EQ(Records("Depot", dKapitalCash).size(), 10u);    // fresh initial values
  EXPECT_EQ(Records("Depot", dKapitalCash).back().time.days, 45100);
}

TEST_F(KontoOperationenTest, SeedingPositionFilesOnlyWhereNoneExists) {
  NeuesKonto("Depot");
  std::string vorhanden =
      GetRTTDateiName(*files_, rtt_.Speicher(), "Depot", "DE1", dTitelPos, false);
  files_->NewWritableFile(vorhanden)->Close();
  Variant wkns(VariantArray::Vector(0, {Variant("DE1"), Variant("DE2")}));
  Variant namen(VariantArray::Vector(0, {Variant("Eins"), Variant("Zwei")}));
  EXPECT_EQ(host_->VKSSchreibePosWerte("Depot", wkns, namen, 12.5f, 3), -2);
  auto seeded = Records("Depot", dTitelPos, "DE2");
  ASSERT_EQ(seeded.size(), 5u);
  EXPECT_EQ(seeded[0].time.days, 45000.5 - 4);
  EXPECT_EQ(seeded[4].time.days, 45000.5);
  EXPECT_EQ(seeded[4].value, 12.5f);
  EXPECT_EQ(seeded[4].value2, 3);
  EXPECT_EQ(std::filesystem::file_size(vorhanden), 0u);
  EXPECT_EQ(host_->VKSSchreibePosWerte("Fremd", wkns, namen, 1, 1), 0);
}

// A placement rule that refuses buying; counts the cancellation rules it runs.
class KaufVerbot : public KontoRegeln {
 public:
  bool FuehreRegelAus(const std::string& ProzName, const std::string&, const std::string&,
                      int32_t aktion, int32_t& ergebnis) override {
    if (ProzName == "FillStreichenProz") ++fills;
    ergebnis = ProzName == "PruefePlatziereProz" && aktion == 0;
    return true;
  }
  int fills = 0;
};

TEST_F(KontoOperationenTest, ThePlacementRuleAnswersTheHost) {
  NeuesKonto("Depot");
  Konto("Depot").PlatziereBedingung = "Kauf verboten";
  Konto("Depot").PlatziereMeldung = "Kein Kauf";
  Konto("Depot").FillStreichBedingung = "gezählt";
  std::string meldung = "unverändert";
  EXPECT_FALSE(host_->KontoVerbietetOrderaufgabe("Depot", 0, meldung));  // no script host
  KaufVerbot regeln;
  umgebung_.regeln = &regeln;
  EXPECT_TRUE(host_->KontoVerbietetOrderaufgabe("depot", 0, meldung));
  EXPECT_EQ(meldung, "Kein Kauf");
  EXPECT_FALSE(host_->KontoVerbietetOrderaufgabe("Depot", 1, meldung));
  meldung = "unverändert";
  EXPECT_FALSE(host_->KontoVerbietetOrderaufgabe("Fremd", 0, meldung));
  EXPECT_EQ(meldung, "unverändert");
  Order("Depot", "R1", 1, 10, 5, 20);
  EXPECT_EQ(regeln.fills, 1);
}

}  // namespace
}  // namespace vks
