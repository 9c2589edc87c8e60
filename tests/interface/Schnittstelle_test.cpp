// The interface objects the host creates: their IDs, registration and events, the queries and
// file names they answer; and the host's account operations played in-process, for what the calls
// over the bus (tests/adapters/dbus) and the random reports against a model
// (KontoOperationen_random_test) do not see: the account list's rows, the timers that save and
// record, refused input.
#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <regex>
#include <set>
#include <sstream>
#include <type_traits>

#include "accounts/KontoKennzahl.h"
#include "fakes/RecordingReporter.h"
#include "fakes/SpielHost.h"
#include "fakes/ZeilenAnsicht.h"
#include "interface/clKontoSchnittstelle.h"
#include "platform/automation/NoValue.h"
#include "platform/files/FileSystem.h"
#include "presenters/HauptfensterPresenter.h"
#include "presenters/KontenListe.h"
#include "presenters/KontoUebersichtFenster.h"
#include "recording/RttFileName.h"
#include "recording/RttReader.h"

namespace vks {
namespace {

class ZaehlendesFenster : public KontenFensterSteuerung {
 public:
  void ZeigeKontenFenster() override {
    ++gezeigt;
    if (zeigen_scheitert) throw AutomationError(5);
  }
  void EntladeKontenFenster() override { ++entladen; }
  int gezeigt = 0;
  int entladen = 0;
  bool zeigen_scheitert = false;
};

class FesteFolge : public Zufallsfolge {
 public:
  explicit FesteFolge(std::deque<double> werte) : werte_(std::move(werte)) {}
  double Rnd() override {
    double r = werte_.front();
    werte_.pop_front();
    return r;
  }

 private:
  std::deque<double> werte_;
};

// An account added to the session, as loading adds it, without records.
std::shared_ptr<clKonto> LeeresKonto(KontoSitzung& state, const std::string& name) {
  auto konto = std::make_shared<clKonto>();
  konto->KontoName = name;
  state.Konten.Add(name, konto);
  return konto;
}

class clKontoSchnittstelleTest : public ::testing::Test {
 protected:
  std::shared_ptr<clKonto> Konto(const std::string& name) { return LeeresKonto(state_, name); }
  std::vector<std::string> Registriert() {
    std::vector<std::string> ids;
    for (const auto& e : state_.Verbindungen) ids.push_back(e.key);
    return ids;
  }

  KontoSitzung state_;
  ZaehlendesFenster fenster_;
  StandardZufallsfolge zufall_;
  SchnittstellenUmgebung umgebung_{state_, fenster_, zufall_};
};

TEST_F(clKontoSchnittstelleTest, ConnectionIdsHaveTheirFormatAndRange) {
  const std::pair<std::deque<double>, std::string> kCases[] = {
      {{0.0, 0.0, 0.0, 0.0}, "Konto-1388-1388-1388-1388"},
      {{0.9999999, 0.5, 0.25, 0.1}, "Konto-FDE8-88B8-4E20-2AF8"},
      // 0.00000833… * 60000 + 5000 = 5000.5: the half goes to the even neighbour 5000.
      {{0.5 / 60000, 1.5 / 60000, 0, 0}, "Konto-1388-138A-1388-1388"},
  };
  for (const auto& [werte, id] : kCases) {
    SCOPED_TRACE(id);
    FesteFolge folge(werte);
    EXPECT_EQ(NeueVerbindungsID(folge), id);
  }
  StandardZufallsfolge folge;
  const std::regex format("Konto(-[0-9A-F]{4}){4}");
  std::set<std::string> ids;
  for (int i = 0; i < 500; ++i) {
    const std::string id = NeueVerbindungsID(folge);
    ASSERT_TRUE(std::regex_match(id, format)) << id;
    for (int g = 0; g < 4; ++g) {
      const unsigned n = std::stoul(id.substr(6 + 5 * g, 4), nullptr, 16);
      EXPECT_GE(n, 5000u);
      EXPECT_LE(n, 65000u);
    }
    ids.insert(id);
  }
  EXPECT_EQ(ids.size(), 500u);
  // The sequence is not seeded from the clock: every run draws the same IDs.
  StandardZufallsfolge lauf1, lauf2;
  EXPECT_EQ(NeueVerbindungsID(lauf1), NeueVerbindungsID(lauf2));
}

TEST_F(clKontoSchnittstelleTest, ObjectsRegisterAndReleaseInTheirOrder) {
  auto a = clKontoSchnittstelle::Create(umgebung_);
  auto b = clKontoSchnittstelle::Create(umgebung_);
  EXPECT_NE(a->ID_Schnittstelle, b->ID_Schnittstelle);
  EXPECT_EQ(Registriert(), (std::vector<std::string>{a->ID_Schnittstelle, b->ID_Schnittstelle}));
  EXPECT_EQ(state_.SchnittstellenAnzahl, 2);
  const std::string id_b = b->ID_Schnittstelle;
  a.reset();
  EXPECT_EQ(Registriert(), std::vector<std::string>{id_b});
  EXPECT_EQ(fenster_.entladen, 0);
  b.reset();
  EXPECT_TRUE(Registriert().empty());
  EXPECT_EQ(state_.SchnittstellenAnzahl, 0);
  EXPECT_EQ(fenster_.entladen, 1);
  // A window that fails to show is no failure of the call.
  fenster_.zeigen_scheitert = true;
  clKontoSchnittstelle::Create(umgebung_)->VKSShowKontenFenster();
  EXPECT_EQ(fenster_.gezeigt, 1);
}

TEST_F(clKontoSchnittstelleTest, ARepeatedIdIsNotRegisteredTwiceAndReleaseGoesByTheCurrentId) {
  FesteFolge folge({0, 0, 0, 0, 0, 0, 0, 0});
  SchnittstellenUmgebung gleich{state_, fenster_, folge};
  auto a = clKontoSchnittstelle::Create(gleich);
  auto b = clKontoSchnittstelle::Create(gleich);
  EXPECT_EQ(Registriert(), std::vector<std::string>{"Konto-1388-1388-1388-1388"});
  EXPECT_EQ(state_.Verbindungen.Item("konto-1388-1388-1388-1388").lock(), a);
  a->ID_Schnittstelle = "umbenannt";
  a.reset();  // the entry stays under the key it was added under
  EXPECT_EQ(Registriert(), std::vector<std::string>{"Konto-1388-1388-1388-1388"});
  b.reset();  // b's ID names that entry, so b's release removes it
  EXPECT_TRUE(Registriert().empty());
  EXPECT_EQ(fenster_.entladen, 1);
}

// The bus tests (tests/adapters/dbus) ask them without accounts and about what the host books;
// here values beyond a metric's type or table, and the array of names.
TEST_F(clKontoSchnittstelleTest, QueriesReadTheAccounts) {
  auto s = clKontoSchnittstelle::Create(umgebung_);
  Konto("Depot")->KontraktAnzahl = 3;
  Konto("B")->KapitalAktienMarginGesamt = 1e300;  // beyond Single: the query gives 0
  EXPECT_EQ(s->VKSGetKontoWert("Depot", eKontraktAnzahl), 3.0f);
  EXPECT_EQ(s->VKSGetKontoWert("Depot", ePlatzierenVerhindert), 0.0f);
  EXPECT_EQ(s->VKSGetKontoWert("Depot", 99), 0.0f);
  EXPECT_EQ(s->VKSGetKontoWert("B", eAktienMargin), 0.0f);
  Variant feld;
  (void)s->VKSBaueKontoNamenStringFeld(feld);
  VariantArray erwartet({ArrayBound{1, 2}, ArrayBound{1, 2}});
  for (int32_t spalte : {1, 2}) {
    const int32_t erstes[] = {1, spalte}, zweites[] = {2, spalte};
    erwartet.At(erstes) = Variant("Depot");
    erwartet.At(zweites) = Variant("B");
  }
  EXPECT_EQ(feld, Variant(erwartet));
}

// A sink that records, may fail, and may call back into the server while handling the event.
class TestSenke : public KontoEreignisSenke {
 public:
  void AlleOrdersStreichen(const std::string& KontoName) override {
    empfangen.push_back(KontoName);
    if (rueckruf) rueckruf();
    if (scheitert) throw AutomationError(5);
  }
  std::vector<std::string> empfangen;
  std::function<void()> rueckruf;
  bool scheitert = false;
};

TEST_F(clKontoSchnittstelleTest, SinksMayCreateReleaseAndQueryDuringTheBroadcast) {
  auto erstes = clKontoSchnittstelle::Create(umgebung_);
  auto zweites = clKontoSchnittstelle::Create(umgebung_);
  auto drittes = clKontoSchnittstelle::Create(umgebung_);
  auto senke1 = std::make_shared<TestSenke>(), senke2 = std::make_shared<TestSenke>(),
       senke3 = std::make_shared<TestSenke>();
  erstes->SetzeEreignisSenke(senke1);
  zweites->SetzeEreignisSenke(senke2);
  drittes->SetzeEreignisSenke(senke3);
  std::shared_ptr<clKontoSchnittstelle> neues;
  senke1->rueckruf = [&] {
    neues = clKontoSchnittstelle::Create(umgebung_);  // not served by this broadcast
    drittes.reset();                                  // released before its turn
    erstes.reset();                                   // the host lets go of the object it serves
    EXPECT_FALSE(zweites->VKSKontoExistiert("Depot"));
  };
  senke2->scheitert = true;  // and the broadcast goes on
  SendeAlleOrdersStreichen(state_, "Depot");
  EXPECT_EQ(senke1->empfangen.size(), 1u);
  EXPECT_EQ(senke2->empfangen.size(), 1u);
  EXPECT_TRUE(senke3->empfangen.empty());
  EXPECT_EQ(state_.SchnittstellenAnzahl, 2);
  EXPECT_EQ(Registriert(),
            (std::vector<std::string>{zweites->ID_Schnittstelle, neues->ID_Schnittstelle}));
  // A single object's own call lets the sink's error through.
  EXPECT_THROW(zweites->VKSStreicheKontoOrders("X"), AutomationError);
}

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
  KontoOperationenTest() { s_.presenter.SetzeAnsicht(&ansicht_); }
  int NeuesKonto(const std::string& name, double cash = 10000, double datum = 45000.5,
                 const std::string& info = "Test") {
    return s_.host->VKSNeuesKontoZufügen(name, info, cash, DateValue{datum}, true, false, false,
                                         fehler_);
  }
  clKonto& Konto(const std::string& name) { return *s_.state.Konten.Item(name); }
  std::vector<RttRecord> Records(const std::string& konto, eKontoDatenArt art,
                                 std::string_view wkn = "") {
    auto contents =
        ReadRttFile(s_.rtt.Dateien(), RttFileLocation(s_.rtt.Speicher(), konto, wkn, art).file);
    return contents.ok() ? contents->records : std::vector<RttRecord>{};
  }
  int16_t Order(const std::string& konto, const std::string& id, int16_t aktion, int32_t anzahl,
                int32_t filled, float preis, double datum = 45000.6, const std::string& wkn = "DE1",
                const std::string& name = "Eins AG", const clOrderZusatzInfos* z = nullptr) {
    DateValue zeit{datum};
    return s_.host->VKSKontoNeuerOrderstatus(zeit, konto, id, wkn, name, aktion, anzahl, filled,
                                             preis, true, z ? z : &aktie_);
  }
  // A report of 5 of 10 at 100 on the account "Depot".
  int OrderMit(const std::string& id, const std::string& wkn, const std::string& name,
               double datum = 45000.7, const clOrderZusatzInfos* z = nullptr) {
    return Order("Depot", id, 1, 10, 5, 100, datum, wkn, name, z);
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
    s_.presenter.Plan().ZeitgeberTick();
    const Variant before = Konto("Depot").WriteAllProperties();
    for (const Abgelehnt& c : cases) {
      SCOPED_TRACE(c.name);
      s_.reporter.messages.clear();
      fehler_.clear();
      EXPECT_EQ(c.call(), 0);
      const std::string gezeigt =
          s_.reporter.messages.empty() ? fehler_ : s_.reporter.messages[0].text;
      if (!s_.reporter.messages.empty()) {
        EXPECT_EQ(s_.reporter.messages[0].style, 0);
      }
      EXPECT_TRUE(gezeigt.ends_with(c.meldung)) << gezeigt;
      EXPECT_EQ(gezeigt.empty(), c.meldung.empty()) << gezeigt;
      EXPECT_EQ(Konto("Depot").WriteAllProperties(), before);
      EXPECT_EQ(s_.state.Konten.Count(), 1u);
      EXPECT_TRUE(Records("Depot", dTitelPos, "DE2").empty());
    }
    EXPECT_EQ(s_.host->VKSStreicheOrder("Depot", "E1", DateValue{0}), -1);  // a change to save
    s_.presenter.Plan().ZeitgeberTick();
    EXPECT_TRUE(s_.log.entries.empty());
    KontenSammlung geladen;
    s_.store.LadeKonten(geladen);
    EXPECT_EQ(geladen.Item("Depot")->WriteAllProperties(), Konto("Depot").WriteAllProperties());
  }
  // A report of order `id` whose terms differ from the stock's in `field`.
  template <class T>
  std::function<int()> Mit(const char* id, T clOrderZusatzInfos::*field,
                           std::type_identity_t<T> wert) {
    return [=, this] {
      clOrderZusatzInfos z = aktie_;
      z.*field = wert;
      return OrderMit(id, "DE1", "Eins AG", 45000.7, &z);
    };
  }
  int Positionswerte(const Variant& namen, float wert1) {
    return s_.host->VKSSchreibePosWerte("Depot", Variant(VariantArray::Vector(0, {Variant("DE2")})),
                                        namen, wert1, 1);
  }

  std::string fehler_;
  testing::SpielHost s_;
  testing::ZeilenAnsicht ansicht_{AutomationLocale::German()};
  clOrderZusatzInfos aktie_{0, {}, 100, 0, false, 0, 0, 0, NoValue};  // a stock, no factor
};

// What a new account records and how it is saved is the kept session's (GleicheBytes_test).
TEST_F(KontoOperationenTest, NewAccountsAreListedAndToBeSaved) {
  EXPECT_TRUE(NeuesKonto("Depot"));
  EXPECT_TRUE(s_.presenter.Plan().SpeichernAusstehend());
  const KontenZeile& zeile = ansicht_.zeilen["depot"];
  EXPECT_EQ(zeile.gesamtwert, "10.000,00");
  EXPECT_EQ(zeile.enter_orders, "0/0");
  EXPECT_EQ(zeile.datum, "15.03.2023 12:00:00");
  s_.state.DatenOrdner.clear();
  EXPECT_FALSE(NeuesKonto("Neu", 1, 1, ""));
  EXPECT_TRUE(fehler_.starts_with("Der Ordner zum Speichern der Einstellungen ist nicht korrekt."));
}

TEST_F(KontoOperationenTest, PricesWithinOneTickRecordOnce) {
  NeuesKonto("Depot");
  s_.presenter.Plan().ZeitgeberTick();
  EXPECT_EQ(Order("depot", "A1", 1, 10, 10, 100), -1);
  EXPECT_TRUE(s_.presenter.Plan().SpeichernAusstehend());
  EXPECT_EQ(ansicht_.zeilen["depot"].positionen, "1");
  const size_t before = Records("Depot", dKapitalGesamtKapital).size();
  s_.host->VKSKontoNeuerKurs(DateValue{45000.7}, "Depot", "DE1", 105);
  s_.host->VKSKontoNeuerKurs(DateValue{45000.8}, "Depot", "DE1", 110);
  s_.presenter.Plan().KursspeichernZeitgeberTick();
  s_.presenter.Plan().KursspeichernZeitgeberTick();
  auto gesamt = Records("Depot", dKapitalGesamtKapital);
  ASSERT_EQ(gesamt.size(), before + 1);
  EXPECT_EQ(gesamt.back().value, 10100);
  EXPECT_EQ(ansicht_.zeilen["depot"].gesamtwert, "10.100,00");
  // At once when the host asks for it.
  s_.host->VKSKontoNeuerKurs(DateValue{45000.9}, "Depot", "DE1", 120, true);
  EXPECT_EQ(Records("Depot", dKapitalGesamtKapital).back().value, 10200);
}

// The entry-order column as the host calls write it, between the list's own refreshes. A reset
// keeps the account's rules and simulated time, drops its files and records anew; an open overview
// shows the new account.
TEST_F(KontoOperationenTest, RowTextsOfTheHostCallsAndAReset) {
  const KontenZeile& zeile = ansicht_.zeilen["depot"];
  NeuesKonto("Depot");
  Konto("Depot").PlatziereBedingung = "Ergebnis = 1";
  Order("Depot", "P1", 1, 10, 10, 100);
  Order("Depot", "E1", 1, 10, 0, 100.25f);
  const std::string liste = "1/1.002,50";
  EXPECT_EQ(zeile.enter_orders, liste);
  s_.host->VKSClosePosition("Depot", "DE1", 120);
  EXPECT_EQ(zeile.enter_orders, "1/1.002,5");
  Order("Depot", "P2", 1, 5, 5, 100);
  EXPECT_EQ(zeile.enter_orders, liste);
  // An open overview window refreshes the row in the list's format.
  auto uebersicht = std::make_shared<GezeigtesKonto>();
  s_.presenter.UebersichtsFenster().Add("Depot", uebersicht);
  s_.host->VKSClosePosition("Depot", "DE1", 120);
  EXPECT_EQ(zeile.enter_orders, liste);
  ASSERT_FALSE(Records("Depot", dTitelPos, "DE1").empty());
  EXPECT_TRUE(s_.host->VKSKontoKomplettReset("depot", 5000, 45100));
  EXPECT_EQ(zeile.enter_orders, "0");
  EXPECT_EQ(zeile.positionen, "0");
  EXPECT_EQ(zeile.gesamtwert, "5.000,00");
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
      GetRTTDateiName(*s_.files, s_.rtt.Speicher(), "Depot", "DE1", dTitelPos, false);
  s_.files->NewWritableFile(vorhanden)->Close();
  Variant wkns(VariantArray::Vector(0, {Variant("DE1"), Variant("DE2")}));
  Variant namen(VariantArray::Vector(0, {Variant("Eins"), Variant("Zwei")}));
  EXPECT_EQ(s_.host->VKSSchreibePosWerte("Depot", wkns, namen, 12.5f, 3), -2);
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
       [&] { return s_.host->VKSKontoNeuerKurs(DateValue{1e308}, "Depot", "DE1", 120), 0; }, ""},
      {"report date 1e308", [&] { return OrderMit("N1", "DE1", "Eins AG", 1e308); },
       "Ungültiger Preis oder Zeitpunkt"},
      {"report date before 100", [&] { return OrderMit("N1", "DE1", "Eins AG", -657435); },
       "Ungültiger Preis oder Zeitpunkt"},
      {"commissions NaN", Mit("N1", &Z::Commissions, NAN), "Commissions" + ungueltig},
      {"margin Inf", Mit("N1", &Z::Margin, INFINITY), "Margin" + ungueltig},
      {"point value NaN", Mit("N1", &Z::PointValue, NAN), "PointValue" + ungueltig},
      {"extra fees -Inf", Mit("E1", &Z::ZusatzCommissions, -INFINITY),
       "ZusatzCommissions" + ungueltig},
      {"conversion NaN", Mit("E1", &Z::AktUmrechnungsWert, NAN), "AktUmrechnungsWert" + ungueltig},
      {"tick size NaN", Mit("N1", &Z::MinTickSize, Variant(nan)), "MinTickSize" + ungueltig},
      {"close at NaN",
       [&] { return s_.host->VKSClosePosition("Depot", "DE1", NAN).IsEmpty() ? 0 : 1; }, ""},
      {"reset to NaN", [&] { return int{s_.host->VKSKontoKomplettReset("Depot", nan, 45100)}; },
       "KontoInitWert" + ungueltig},
      {"reset to Inf", [&] { return int{s_.host->VKSKontoKomplettReset("Depot", inf, 45100)}; },
       "KontoInitWert" + ungueltig},
      {"reset date NaN", [&] { return int{s_.host->VKSKontoKomplettReset("Depot", 1, nan)}; },
       "KontoStartDatum" + kein_datum},
      {"reset date 1e308", [&] { return int{s_.host->VKSKontoKomplettReset("Depot", 1, 1e308)}; },
       "KontoStartDatum" + kein_datum},
      {"new account cash NaN", [&] { return NeuesKonto("Neu", nan, 45000, ""); },
       "Kontostand" + ungueltig},
      {"new account date Inf", [&] { return NeuesKonto("Neu", 1, inf, ""); },
       "AktDatum" + kein_datum},
      {"new account date after 9999", [&] { return NeuesKonto("Neu", 1, 2958466, ""); },
       "AktDatum" + kein_datum},
      {"position values NaN",
       [&] { return Positionswerte(Variant(VariantArray::Vector(0, {Variant("Zwei")})), NAN); },
       "Wert1" + ungueltig},
      {"cancel date NaN", [&] { return s_.host->VKSStreicheOrder("Depot", "E1", DateValue{nan}); },
       "DatumZeit" + kein_datum},
      {"cancel date -1e308",
       [&] { return s_.host->VKSStreicheOrder("Depot", "E1", DateValue{-1e308}); },
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
      {"WKN", [&] { return OrderMit("N1", emoji, "Eins AG"); }, "TitelWKN" + zeichen},
      {"name", [&] { return OrderMit("N1", "DE1", emoji); }, "TitelName" + zeichen},
      {"long name", [&] { return OrderMit("N1", "DE1", lang); },
       "TitelName ist länger als 65535 Zeichen"},
      {"order ID", [&] { return OrderMit(emoji, "DE1", "Eins AG"); }, "OrderID" + zeichen},
      {"tick size of an open order", Mit("E1", &Z::MinTickSize, Variant(emoji)),
       "MinTickSize" + zeichen},
      {"tick size in an array",
       Mit("N1", &Z::MinTickSize, Variant(VariantArray::Vector(0, {Variant(1.0), Variant(lang)}))),
       "MinTickSize ist länger als 65535 Zeichen"},
      {"position file name",
       [&] { return Positionswerte(Variant(VariantArray::Vector(0, {Variant(emoji)})), 1); },
       "TitelNameFeld" + zeichen},
      {"account name", [&] { return NeuesKonto(emoji, 1, 45000, ""); }, "KontoName" + zeichen},
      {"account description", [&] { return NeuesKonto("Neu", 1, 45000, lang); },
       "KontoInfo ist länger als 65535 Zeichen"},
  });
}

TEST_F(KontoOperationenTest, TitleFileNamesLieInTheRecordersStorageFolder) {
  LeeresKonto(s_.state, "Depot");
  const std::string rtt = s_.rtt.Speicher().folder;
  // Any name has its base name; only an existing account gets a folder.
  for (const char* konto : {"Depot", "Kein Konto"}) {
    EXPECT_EQ(s_.host->VKSGetTitelDateiName(konto, "846900", dKapitalCash, true),
              GetRTTDateiName(*s_.files, s_.rtt.Speicher(), konto, "846900", dKapitalCash, true));
  }
  EXPECT_EQ(s_.host->VKSGetTitelDateiName("Kein Konto", "846900", dKapitalCash), "");
  EXPECT_FALSE(std::filesystem::exists(rtt));
  const std::string file = s_.host->VKSGetTitelDateiName("Depot", "846900", dKapitalCash);
  EXPECT_EQ(file.rfind(rtt + "/", 0), 0u) << file;
  EXPECT_TRUE(file.ends_with("/KapitalCash-Depot.RTT")) << file;
  EXPECT_TRUE(std::filesystem::is_directory(std::filesystem::path(file).parent_path()));
  s_.rtt.SetzeSpeicher(RttStorage{});
  EXPECT_EQ(s_.host->VKSGetTitelDateiName("Depot", "846900", dKapitalCash), "");
}

// The README's examples of names that differ from the account's are the names the host is given.
TEST_F(KontoOperationenTest, TheReadmeTellsTheRealFileNames) {
  std::ifstream readme(VKS_README);
  std::stringstream text;
  text << readme.rdbuf();
  const std::string all = text.str();
  const size_t section = all.find("## RTT file names");
  ASSERT_NE(section, std::string::npos);
  // | `account` | `WKN` | `account folder` | `position file` |
  const std::regex row(R"(\| `([^`]*)` \| `([^`]*)` \| `([^`]*)` \| `([^`]*)` \|)");
  int rows = 0;
  std::istringstream lines(all.substr(section, all.find("\n## ", section + 1) - section));
  for (std::string line; std::getline(lines, line);) {
    std::smatch m;
    if (!std::regex_match(line, m, row)) continue;
    SCOPED_TRACE(line);
    ++rows;
    LeeresKonto(s_.state, m[1].str());
    EXPECT_EQ(s_.host->VKSGetTitelDateiName(m[1].str(), m[2].str(), dTitelPos),
              s_.rtt.Speicher().folder + "/" + m[3].str() + "/Einzeltitel/" + m[4].str());
  }
  EXPECT_GE(rows, 5);
}

}  // namespace
}  // namespace vks
