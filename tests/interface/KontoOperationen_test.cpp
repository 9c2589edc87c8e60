// The host's account operations played in-process, for what the calls over the bus
// (tests/adapters/dbus) and the random reports against a model (KontoOperationen_random_test) do
// not see: the account list's rows, the timers that save and record, refused input.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <limits>
#include <type_traits>

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
    auto contents =
        ReadRttFile(rtt_.Dateien(), RttFileLocation(rtt_.Speicher(), konto, wkn, art).file);
    return contents.ok() ? contents->records : std::vector<RttRecord>{};
  }
  int16_t Order(const std::string& konto, const std::string& id, int16_t aktion, int32_t anzahl,
                int32_t filled, float preis, double datum = 45000.6) {
    DateValue zeit{datum};
    return host_->VKSKontoNeuerOrderstatus(zeit, konto, id, "DE1", "Eins AG", aktion, anzahl,
                                           filled, preis, true, &aktie_);
  }

  // A call that must be refused: it answers with its failure value (all of them read as 0 here),
  // shows `meldung` (the description after the operation's fixed text; for a new account its
  // Fehlertext; empty for the calls that stay silent) and changes neither the account nor its
  // files. The store still saves afterwards.
  struct Abgelehnt {
    const char* name;
    std::function<int()> call;
    std::string meldung;
  };
  void ErwarteAbgelehnt(const std::vector<Abgelehnt>& cases) {
    NeuesKonto("Depot");
    Order("Depot", "P1", 1, 10, 10, 100);
    Order("Depot", "E1", -1, 10, 2, 110);
    presenter_.Plan().ZeitgeberTick();
    const Variant before = Konto("Depot").WriteAllProperties();
    for (const Abgelehnt& c : cases) {
      SCOPED_TRACE(c.name);
      reporter_.messages.clear();
      fehler_.clear();
      EXPECT_EQ(c.call(), 0);
      const std::string gezeigt = reporter_.messages.empty() ? fehler_ : reporter_.messages[0].text;
      if (!reporter_.messages.empty()) {
        EXPECT_EQ(reporter_.messages[0].style, 0);
      }
      EXPECT_TRUE(gezeigt.ends_with(c.meldung)) << gezeigt;
      EXPECT_EQ(gezeigt.empty(), c.meldung.empty()) << gezeigt;
      EXPECT_EQ(Konto("Depot").WriteAllProperties(), before);
      EXPECT_EQ(state_.Konten.Count(), 1u);
      EXPECT_TRUE(Records("Depot", dTitelPos, "DE2").empty());
    }
    EXPECT_EQ(host_->VKSStreicheOrder("Depot", "E1", DateValue{0}), -1);  // a change to save
    presenter_.Plan().ZeitgeberTick();
    EXPECT_TRUE(s_.log.entries.empty());
    KontenSammlung geladen;
    store_.LadeKonten(geladen);
    EXPECT_EQ(geladen.Item("Depot")->WriteAllProperties(), Konto("Depot").WriteAllProperties());
  }
  int NeuesKontoMit(const std::string& name, const std::string& info, double cash, double datum) {
    return host_->VKSNeuesKontoZufügen(name, info, cash, DateValue{datum}, true, false, false,
                                       fehler_);
  }
  int OrderMit(const std::string& id, const std::string& wkn, const std::string& name,
               const clOrderZusatzInfos& z, double datum = 45000.7) {
    DateValue zeit{datum};
    return host_->VKSKontoNeuerOrderstatus(zeit, "Depot", id, wkn, name, 1, 10, 5, 100, true, &z);
  }
  // A report of order `id` whose terms differ from the stock's in `field`.
  template <class T>
  std::function<int()> Mit(const char* id, T clOrderZusatzInfos::*field,
                           std::type_identity_t<T> wert) {
    return [=, this] {
      clOrderZusatzInfos z = aktie_;
      z.*field = wert;
      return OrderMit(id, "DE1", "Eins AG", z);
    };
  }
  int Positionswerte(const Variant& namen, float wert1) {
    return host_->VKSSchreibePosWerte("Depot", Variant(VariantArray::Vector(0, {Variant("DE2")})),
                                      namen, wert1, 1);
  }

  std::string fehler_;
  testing::SpielHost s_;
  RttAufzeichnung& rtt_ = s_.rtt;
  testing::RecordingReporter& reporter_ = s_.reporter;
  std::unique_ptr<FileSystem>& files_ = s_.files;
  KontoSitzung& state_ = s_.state;
  AccountStore& store_ = s_.store;
  HauptfensterPresenter& presenter_ = s_.presenter;
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
  const KontenZeile& zeile = ansicht_.zeilen["depot"];
  EXPECT_EQ(zeile.gesamtwert, "10.000,00");
  EXPECT_EQ(zeile.enter_orders, "0/0");
  EXPECT_EQ(zeile.datum, "15.03.2023 12:00:00");
  EXPECT_EQ(Records("Depot", dKapitalCash).size(), 10u);
  presenter_.Plan().ZeitgeberTick();
  EXPECT_FALSE(presenter_.Plan().SpeichernAusstehend());
  KontenSammlung geladen;
  store_.LadeKonten(geladen);
  EXPECT_TRUE(geladen.Exists("depot"));

  state_.DatenOrdner.clear();
  EXPECT_FALSE(NeuesKontoMit("Neu", "", 1, 1));
  EXPECT_TRUE(fehler_.starts_with("Der Ordner zum Speichern der Einstellungen ist nicht korrekt."));
}

TEST_F(KontoOperationenTest, PricesWithinOneTickRecordOnce) {
  NeuesKonto("Depot");
  presenter_.Plan().ZeitgeberTick();
  EXPECT_EQ(Order("depot", "A1", 1, 10, 10, 100), -1);
  EXPECT_TRUE(presenter_.Plan().SpeichernAusstehend());
  EXPECT_EQ(ansicht_.zeilen["depot"].positionen, "1");
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
}

// The entry-order column as the host calls write it, between the list's own refreshes.
TEST_F(KontoOperationenTest, RowTextsOfTheHostCalls) {
  const KontenZeile& zeile = ansicht_.zeilen["depot"];
  NeuesKonto("Depot");
  Order("Depot", "P1", 1, 10, 10, 100);
  Order("Depot", "E1", 1, 10, 0, 100.25f);
  const std::string liste = "1/1.002,50";
  EXPECT_EQ(zeile.enter_orders, liste);
  host_->VKSClosePosition("Depot", "DE1", 120);
  EXPECT_EQ(zeile.enter_orders, "1/1.002,5");
  Order("Depot", "P2", 1, 5, 5, 100);
  EXPECT_EQ(zeile.enter_orders, liste);
  // An open overview window refreshes the row in the list's format.
  presenter_.UebersichtsFenster().Add("Depot", std::make_shared<GezeigtesKonto>());
  host_->VKSClosePosition("Depot", "DE1", 120);
  EXPECT_EQ(zeile.enter_orders, liste);
  EXPECT_TRUE(host_->VKSKontoKomplettReset("Depot", 5000, 45100));
  EXPECT_EQ(zeile.enter_orders, "0");
  EXPECT_EQ(zeile.positionen, "0");
  EXPECT_EQ(zeile.gesamtwert, "5.000,00");
}

// A reset keeps the account's rules and simulated time, drops its files and records anew; an open
// overview shows the new account.
TEST_F(KontoOperationenTest, Resetting) {
  NeuesKonto("Depot");
  Konto("Depot").PlatziereBedingung = "Ergebnis = 1";
  Order("Depot", "C1", 1, 10, 3, 50);
  ASSERT_FALSE(Records("Depot", dTitelPos, "DE1").empty());
  auto uebersicht = std::make_shared<GezeigtesKonto>();
  presenter_.UebersichtsFenster().Add("Depot", uebersicht);
  EXPECT_TRUE(host_->VKSKontoKomplettReset("depot", 5000, 45100));
  const clKonto& neu = Konto("Depot");
  EXPECT_EQ(uebersicht->konto.get(), &neu);
  EXPECT_EQ(neu.CashBetrag, 5000);
  EXPECT_EQ(neu.PlatziereBedingung, "Ergebnis = 1");
  EXPECT_TRUE(neu.UseSimulZeit);
  EXPECT_EQ(neu.cTitelPositionen.Count() + neu.cOffeneOrders.Count(), 0u);
  EXPECT_TRUE(Records("Depot", dTitelPos, "DE1").empty());
  EXPECT_EQ(Records("Depot", dKapitalCash).size(), 10u);
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
}

// Numbers that are not numbers and dates beyond the years 100 to 9999 are refused by every call
// that takes one.
TEST_F(KontoOperationenTest, NonFiniteNumbersAndImpossibleDatesAreRefused) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  using Z = clOrderZusatzInfos;
  const std::string ungueltig = " ist keine gültige Zahl";
  const std::string kein_datum = " ist kein Datum zwischen den Jahren 100 und 9999";
  ErwarteAbgelehnt({
      {"price date 1e308",
       [&] { return host_->VKSKontoNeuerKurs(DateValue{1e308}, "Depot", "DE1", 120), 0; }, ""},
      {"report date 1e308", [&] { return OrderMit("N1", "DE1", "Eins AG", aktie_, 1e308); },
       "Ungültiger Preis oder Zeitpunkt"},
      {"report date before 100", [&] { return OrderMit("N1", "DE1", "Eins AG", aktie_, -657435); },
       "Ungültiger Preis oder Zeitpunkt"},
      {"commissions NaN", Mit("N1", &Z::Commissions, NAN), "Commissions" + ungueltig},
      {"margin Inf", Mit("N1", &Z::Margin, INFINITY), "Margin" + ungueltig},
      {"point value NaN", Mit("N1", &Z::PointValue, NAN), "PointValue" + ungueltig},
      {"extra fees -Inf", Mit("E1", &Z::ZusatzCommissions, -INFINITY),
       "ZusatzCommissions" + ungueltig},
      {"conversion NaN", Mit("E1", &Z::AktUmrechnungsWert, NAN), "AktUmrechnungsWert" + ungueltig},
      {"tick size NaN", Mit("N1", &Z::MinTickSize, Variant(nan)), "MinTickSize" + ungueltig},
      {"close at NaN",
       [&] { return host_->VKSClosePosition("Depot", "DE1", NAN).IsEmpty() ? 0 : 1; }, ""},
      {"reset to NaN", [&] { return int{host_->VKSKontoKomplettReset("Depot", nan, 45100)}; },
       "KontoInitWert" + ungueltig},
      {"reset to Inf", [&] { return int{host_->VKSKontoKomplettReset("Depot", inf, 45100)}; },
       "KontoInitWert" + ungueltig},
      {"reset date NaN", [&] { return int{host_->VKSKontoKomplettReset("Depot", 1, nan)}; },
       "KontoStartDatum" + kein_datum},
      {"reset date 1e308", [&] { return int{host_->VKSKontoKomplettReset("Depot", 1, 1e308)}; },
       "KontoStartDatum" + kein_datum},
      {"new account cash NaN", [&] { return NeuesKontoMit("Neu", "", nan, 45000); },
       "Kontostand" + ungueltig},
      {"new account date Inf", [&] { return NeuesKontoMit("Neu", "", 1, inf); },
       "AktDatum" + kein_datum},
      {"new account date after 9999", [&] { return NeuesKontoMit("Neu", "", 1, 2958466); },
       "AktDatum" + kein_datum},
      {"position values NaN",
       [&] { return Positionswerte(Variant(VariantArray::Vector(0, {Variant("Zwei")})), NAN); },
       "Wert1" + ungueltig},
      {"cancel date NaN", [&] { return host_->VKSStreicheOrder("Depot", "E1", DateValue{nan}); },
       "DatumZeit" + kein_datum},
      {"cancel date -1e308",
       [&] { return host_->VKSStreicheOrder("Depot", "E1", DateValue{-1e308}); },
       "DatumZeit" + kein_datum},
  });
}

// Text the store cannot hold (outside Windows-1252, or longer than 65535 characters) is refused by
// every call that would store it.
TEST_F(KontoOperationenTest, TextTheStoreCannotHoldIsRefused) {
  const std::string emoji = "Aktie \xF0\x9F\x98\x80";
  const std::string lang(65536, 'a');
  const std::string zeichen = " enthält Zeichen, die Windows-1252 nicht darstellen kann";
  using Z = clOrderZusatzInfos;
  ErwarteAbgelehnt({
      {"WKN", [&] { return OrderMit("N1", emoji, "Eins AG", aktie_); }, "TitelWKN" + zeichen},
      {"name", [&] { return OrderMit("N1", "DE1", emoji, aktie_); }, "TitelName" + zeichen},
      {"long name", [&] { return OrderMit("N1", "DE1", lang, aktie_); },
       "TitelName ist länger als 65535 Zeichen"},
      {"order ID", [&] { return OrderMit(emoji, "DE1", "Eins AG", aktie_); }, "OrderID" + zeichen},
      {"tick size of an open order", Mit("E1", &Z::MinTickSize, Variant(emoji)),
       "MinTickSize" + zeichen},
      {"tick size in an array",
       Mit("N1", &Z::MinTickSize, Variant(VariantArray::Vector(0, {Variant(1.0), Variant(lang)}))),
       "MinTickSize ist länger als 65535 Zeichen"},
      {"position file name",
       [&] { return Positionswerte(Variant(VariantArray::Vector(0, {Variant(emoji)})), 1); },
       "TitelNameFeld" + zeichen},
      {"account name", [&] { return NeuesKontoMit(emoji, "", 1, 45000); }, "KontoName" + zeichen},
      {"account description", [&] { return NeuesKontoMit("Neu", lang, 1, 45000); },
       "KontoInfo ist länger als 65535 Zeichen"},
  });
}

}  // namespace
}  // namespace vks
