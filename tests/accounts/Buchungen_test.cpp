// The account's bookings: prices, fills, order reports, rules and deleted entries, and the
// series they record.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "accounts/EintraegeLoeschen.h"
#include "accounts/KontoBedingungen.h"
#include "accounts/KontoBeobachter.h"
#include "accounts/KontoRegeln.h"
#include "accounts/Margin.h"
#include "accounts/Orderstatus.h"
#include "accounts/VerbucheFill.h"
#include "fakes/ErrorOf.h"
#include "platform/automation/AutomationError.h"
#include "platform/automation/NoValue.h"
#include "tests/accounts/KontoTest.h"

namespace vks {
namespace {

// Answers every rule with a fixed outcome and result, and keeps each call as
// "ProzName|Formel|KontoName|OrderAktion".
class FesteRegeln : public KontoRegeln {
 public:
  bool FuehreRegelAus(const std::string& ProzName, const std::string& Formel,
                      const std::string& KontoName, int32_t OrderAktion,
                      int32_t& Ergebnis) override {
    aufrufe.push_back(ProzName + "|" + Formel + "|" + KontoName + "|" +
                      std::to_string(OrderAktion));
    if (lief) Ergebnis = ergebnis;
    return lief;
  }
  bool lief = true;
  int32_t ergebnis = 0;
  std::vector<std::string> aufrufe;
};

class ValuationTest : public KontoTest {
 protected:
  void Price(const std::string& wkn, float kurs, double datum = 45700.25) {
    bool sofort = false;
    konto_.NeuerKurs(wkn, DateValue{datum}, kurs, sofort, clock_);
  }
  // A position with its margin bound as the order booking binds it.
  clTitelPosition& AddPosition(const std::string& wkn, int32_t position, float preis,
                               float point_value = 0, float margin = 1) {
    const bool aktie = point_value == 0;
    const double bound =
        aktie ? AktienMargin(preis, position, margin, 1) : KontraktMargin(margin, position);
    (aktie ? konto_.KapitalAktienMarginGesamt : konto_.KapitalKontrakteMarginGesamt) += bound;
    konto_.CashBetrag -= bound;
    if (aktie) konto_.AktienInvestWertGesamt += preis * std::abs(position);
    if (aktie) konto_.AktienWertAktuellGesamt += preis * std::abs(position);
    return Position(wkn, position, preis, margin, point_value);
  }
};

// Open P/L and capital follow the host's random prices against an independent model
// (tests/interface/KontoOperationen_random_test.cpp), also with a conversion factor that is set but
// not used, or 0; here which series a price marks for recording, and the times it sets.
TEST_F(ValuationTest, APriceMarksTheSeriesOfItsKind) {
  const struct {
    const char *wkn, *gemeldet;  // as the host reports it, in any case
    int32_t position;
    float preis, point_value, margin, kurs;
    double expected_pl;
    bool aktienwert, open_pl;
  } cases[] = {{"DE1", "de1", 10, 100, 0, 1, 110, 100, true, false},
               {"FDAX", "FDAX", -2, 1000, 50, 2500, 990, 1000, false, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.wkn);
    konto_.NeuerAktienwertSpeichern = konto_.NeuerOpenPLSpeichern = false;
    clTitelPosition& p = AddPosition(c.wkn, c.position, c.preis, c.point_value, c.margin);
    const double cash = konto_.CashBetrag;
    Price(c.gemeldet, c.kurs);
    EXPECT_EQ(p.OpenPL, c.expected_pl);
    EXPECT_EQ(konto_.CashBetrag, cash);
    EXPECT_EQ(p.AktuellerKurs, c.kurs);
    EXPECT_TRUE(p.NeuenKursSpeichern);
    EXPECT_EQ(konto_.NeuerAktienwertSpeichern, c.aktienwert);
    EXPECT_EQ(konto_.NeuerOpenPLSpeichern, c.open_pl);
    // Computer clock without simulated time.
    EXPECT_EQ(konto_.AktuelleZeit, DateValue{46000.75});
    EXPECT_EQ(p.AktuelleZeit, DateValue{46000.75});
  }
}

TEST_F(ValuationTest, NothingHappensWithoutAChange) {
  clTitelPosition& p = AddPosition("DE1", 10, 100);
  AddPosition("FLAT", 0, 100);
  Price("DE1", 110);
  p.NeuenKursSpeichern = false;
  konto_.NeuerAktienwertSpeichern = false;
  clock_.AdvanceSeconds(60);
  const struct {
    const char* name;
    std::string wkn;
    float kurs;
    double datum;
  } cases[] = {
      {"same price", "DE1", 110, 45700},          {"unknown security", "XX", 120, 45700},
      {"flat position", "FLAT", 120, 45700},      {"NaN price", "DE1", NAN, 45700},
      {"infinite price", "DE1", INFINITY, 45700}, {"NaN time", "DE1", 120, NAN},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Price(c.wkn, c.kurs, c.datum);
    EXPECT_EQ(p.OpenPL, 100);
    EXPECT_EQ(konto_.KapitalAktienOpenPLGesamt, 100);
    EXPECT_FALSE(p.NeuenKursSpeichern);
    EXPECT_FALSE(konto_.NeuerAktienwertSpeichern);
    EXPECT_EQ(konto_.AktuelleZeit, DateValue{46000.75});
  }
}

TEST_F(ValuationTest, SimulatedTimeTakesTheHostsTimeOnlyWhenSet) {
  konto_.UseSimulZeit = true;
  konto_.AktuelleZeit = DateValue{40000};
  clTitelPosition& p = AddPosition("DE1", 10, 100);
  Price("DE1", 105, 0);
  EXPECT_EQ(p.OpenPL, 50);
  EXPECT_EQ(konto_.AktuelleZeit, DateValue{40000});
  EXPECT_EQ(p.AktuelleZeit, DateValue{0});
  Price("DE1", 106, 45001.5);
  EXPECT_EQ(konto_.AktuelleZeit, DateValue{45001.5});
  EXPECT_EQ(p.AktuelleZeit, DateValue{45001.5});
}

TEST_F(ValuationTest, ImmediateRecordingLeavesPriceAndFlagsToTheCaller) {
  clTitelPosition& p = AddPosition("DE1", 10, 100);
  bool sofort = true;
  konto_.NeuerKurs("DE1", DateValue{1}, 110, sofort, clock_);
  EXPECT_EQ(p.OpenPL, 100);
  EXPECT_EQ(p.AktuellerKurs, NoValue);
  EXPECT_FALSE(p.NeuenKursSpeichern);
  EXPECT_FALSE(konto_.NeuerAktienwertSpeichern);
  EXPECT_TRUE(sofort);
}

// What a fill books is checked against an independent model by the host's random reports
// (tests/interface/KontoOperationen_random_test.cpp) and its files by the kept session
// (GleicheBytes_test); here the fills that book nothing.

class VerbucheFillTest : public KontoTest {
 protected:
  void Fill(std::string_view wkn, int32_t anzahl, float preis, float point_value) {
    z_.PointValue = point_value;
    z_.Margin = point_value == 0 ? 100 : 0;
    VerbucheFill(konto_, DateValue{45000.5}, wkn, std::string(wkn) + " AG", 1, anzahl, preis, &z_,
                 umgebung_);
  }
  clOrderZusatzInfos z_{0, {}, 0, 0, false, 0, 0, 0, NoValue};  // no conversion factor
};

// What commissions cost, also in an account that does not use them, is the random reports'; here
// the record of what the fill paid.
TEST_F(VerbucheFillTest, CommissionsPaidAreRecorded) {
  konto_.KontoName = "Gebühren";
  konto_.UseCommissions = true;
  z_.Commissions = 0.1f;
  z_.MindestCommissions = 9.9f;
  z_.ZusatzCommissions = 2;
  Fill("DE1", 1000, 5, 0);  // 0.1 % of 5000 = 5, raised to 9.9, plus 2
  auto paid = Records(dPaidCommissions);
  ASSERT_EQ(paid.size(), 1u);
  EXPECT_FLOAT_EQ(paid[0].value2, 11.9f);
}

// A fill of nothing is ignored; one at a price that is no number is refused; either leaves the
// account as it was. A position beyond a Long is an overflow, which stops the booking where it
// happened (the callers keep the account whole); the position keeps its size.
TEST_F(VerbucheFillTest, RefusedFillsChangeNothing) {
  konto_.KontoName = "Nichts";
  const struct {
    const char* name;
    int32_t anzahl;
    float preis;
    int error;  // 0: ignored
  } cases[] = {
      {"nothing", 0, 100, 0},
      {"negative quantity", -5, 100, 0},
      {"NaN price", 5, NAN, 5},
      {"infinite price", 5, INFINITY, 5},
  };
  const Variant before = konto_.WriteAllProperties();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(testing::ErrorOf([&] { Fill("DE1", c.anzahl, c.preis, 0); }), c.error);
    EXPECT_EQ(konto_.WriteAllProperties(), before);
  }
  Fill("X", INT32_MAX, 1, 1);
  EXPECT_EQ(testing::ErrorOf([&] { Fill("X", 1, 1, 1); }), 6);
  EXPECT_EQ(konto_.cTitelPositionen.Item("X")->Position, INT32_MAX);
}

// Keeps what the windows would be told, as one line per event.
class EventLog : public KontoBeobachter {
 public:
  void OrderAdded(const clKonto&, const clOffeneOrder& o) override { Add("order+ " + o.ID); }
  void OrderChanged(const clKonto&, const clOffeneOrder& o) override { Add("order~ " + o.ID); }
  void OrderRemoved(const clKonto&, const clOffeneOrder& o) override { Add("order- " + o.ID); }
  void EntryMarginChanged(const clKonto&) override { Add("margin"); }
  void PositionAdded(const clKonto&, const clTitelPosition& p) override {
    Add("pos+ " + p.TitelWKN);
  }
  void PositionChanged(const clKonto&, const clTitelPosition& p) override {
    Add("pos~ " + p.TitelWKN + " " + std::to_string(p.Position));
  }
  void FillAdded(const clKonto&, const clFilledOrder& f) override { Add("fill+ " + f.ID); }
  void AccountRowChanged(const clKonto&, ZeilenAnlass) override {}
  std::vector<std::string> events;

 private:
  void Add(std::string e) { events.push_back(std::move(e)); }
};

class OrderstatusTest : public KontoTest {
 protected:
  OrderstatusTest() {
    umgebung_.beobachter = &log_;
    umgebung_.regeln = &rules_;
    rules_.lief = false;
    konto_.KontoName = "Orders";
    konto_.FillStreichBedingung = "gezählt";
  }
  OrderstatusErgebnis Report(const std::string& id, int16_t aktion, int32_t anzahl, int32_t filled,
                             float preis, bool entry = true, double datum = 45000.5) {
    return BucheOrderstatus(
        konto_,
        {DateValue{datum}, id, "DE1", "Eins AG", aktion, anzahl, filled, preis, entry, &terms_},
        umgebung_);
  }

  FesteRegeln rules_;  // counts the cancellation rules run
  EventLog log_;
  clOrderZusatzInfos terms_{0, {}, 50, 0, false, 0, 0, 0, NoValue};  // margin: half the value
};

// Counts, margins and positions follow the host's random reports against an independent model
// (tests/interface/KontoOperationen_random_test.cpp); here what the windows are told, the rules
// run and the fill's average entry price.
TEST_F(OrderstatusTest, AnEntryOrderFromPlacementToCompleteFill) {
  EXPECT_EQ(Report("A1", 1, 10, 0, 50), OrderstatusErgebnis::kGebucht);
  EXPECT_EQ(konto_.AktuelleZeit, DateValue{45000.5});
  EXPECT_EQ(rules_.aufrufe.size(), 0u);
  Report("A1", 1, 10, 4, 49, true, 45000.6);
  EXPECT_EQ(rules_.aufrufe.size(), 1u);
  Report("A1", 1, 10, 10, 52, true, 45000.7);
  const clFilledOrder& fill = *konto_.cFilledOrders.Item("A1");
  EXPECT_FLOAT_EQ(fill.EnterPreis, 50.8f);  // (52 × 6 + 49 × 4) / 10
  EXPECT_FALSE(fill.Gestrichen);
  EXPECT_EQ(rules_.aufrufe.size(), 2u);
  EXPECT_EQ(log_.events, (std::vector<std::string>{"order+ A1", "margin", "margin", "pos+ DE1",
                                                   "pos~ DE1 4", "order~ A1", "margin",
                                                   "pos~ DE1 10", "order- A1", "fill+ A1"}));
  // The same ID again, in another case, is refused and changes nothing.
  EXPECT_EQ(Report("a1", 1, 10, 10, 52), OrderstatusErgebnis::kBereitsAusgefuehrt);
  EXPECT_EQ(konto_.cTitelPositionen.Item("DE1")->Position, 10);
}

// Reports that cannot be booked whole are the random reports' (KontoOperationen_random_test);
// here the counters at their edge: a count beyond a Long is refused and changes nothing, also
// when a cancellation would count, and the count of all contracts may reach a Long's largest.
TEST_F(OrderstatusTest, CountsBeyondALongAreRefused) {
  Report("F1", 1, 10, 4, 50);
  konto_.FilledOrders = INT32_MAX;
  const Variant full = konto_.WriteAllProperties();
  EXPECT_THROW(Report("F5", 1, 1, 1, 50), AutomationError);
  EXPECT_THROW(StreicheOffeneOrder(konto_, "F1", DateValue{0}, umgebung_), AutomationError);
  EXPECT_EQ(konto_.WriteAllProperties(), full);

  konto_.FilledOrders = 0;
  terms_.PointValue = 50;
  auto report = [&](const std::string& id, const char* wkn, int16_t aktion, int32_t n) {
    return BucheOrderstatus(
        konto_, {DateValue{45000.5}, id, wkn, wkn, aktion, n, n, 10, false, &terms_}, umgebung_);
  };
  report("K1", "FDAX", -1, 2);
  const Variant before = konto_.WriteAllProperties();
  EXPECT_THROW(report("K2", "FESX", 1, INT32_MAX - 1), AutomationError);
  EXPECT_EQ(konto_.WriteAllProperties(), before);
  report("K3", "FESX", 1, INT32_MAX - 2);
  EXPECT_EQ(konto_.KontraktAnzahl, INT32_MAX);
  EXPECT_EQ(konto_.KontraktAnzahlShort, 2);
}

class KontoBedingungenTest : public KontoTest {
 protected:
  KontoBedingungenTest() {
    konto_.KontoName = "Depot";
    konto_.AktuelleZeit = DateValue{45000.25};
    umgebung_.regeln = &auswertung_;
  }

  FesteRegeln auswertung_;
};

TEST_F(KontoBedingungenTest, MarkerIsReplacedInAnyLetterCase) {
  const struct {
    const char* text;
    const char* expected;
  } kCases[] = {
      {"Abgelehnt: #Ergebnis#", "Abgelehnt: 7"},
      {"#ERGEBNIS# und #ergebnis#!", "7 und 7!"},
      {"#Ergebnis##eRgEbNiS#", "77"},
      {"Größe #Ergebnis", "Größe #Ergebnis"},
      {"", ""},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ErsetzeMarke(c.text, "#Ergebnis#", "7"), c.expected);
  }
}

// A result other than 0 objects. The placement rule runs with the order's direction, shows its
// message and records result and direction; the cancellation rule runs without one and records
// nothing.
TEST_F(KontoBedingungenTest, AResultObjects) {
  konto_.PlatziereBedingung = konto_.FillStreichBedingung = "  Ergebnis = -2  ";
  const struct {
    const char* meldung;
    int32_t ergebnis, aktion;
    const char* expected;
  } kCases[] = {{"Nein (#ergebnis#)", -2, 2, "Nein (-2)"}, {"", 1, 0, ""}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.expected);
    konto_.PlatziereMeldung = c.meldung;
    auswertung_.ergebnis = c.ergebnis;
    auswertung_.aufrufe.clear();
    std::string meldung = "alt";
    EXPECT_TRUE(PrüfePlatzierenNichtMöglich(konto_, c.aktion, meldung, umgebung_));
    EXPECT_TRUE(PrüfeFillStreichen(konto_, umgebung_));
    EXPECT_EQ(meldung, c.expected);
    EXPECT_EQ(auswertung_.aufrufe,
              (std::vector<std::string>{
                  "PruefePlatziereProz|  Ergebnis = -2  |Depot|" + std::to_string(c.aktion),
                  "FillStreichenProz|  Ergebnis = -2  |Depot|0"}));
    auto records = Records(dPlatzierenVerhindert);  // one more record per refusal
    ASSERT_EQ(records.size(), static_cast<size_t>(&c - kCases + 1));
    EXPECT_EQ(records.back().time.days, 45000.25);
    EXPECT_EQ(records.back().value, c.ergebnis);
    EXPECT_EQ(records.back().value2, c.aktion);
  }
}

TEST_F(KontoBedingungenTest, NoObjectionWhenRuleIsEmptyZeroOrFails) {
  const struct {
    const char* name;
    std::string bedingung;
    bool lief;
    int32_t ergebnis;
    bool evaluated;
  } kCases[] = {
      {"no rule", "", true, 5, false},
      {"blanks only", "    ", true, 5, false},
      {"result zero", "Ergebnis = 0", true, 0, true},
      {"script failed", "Ergebnis = ", false, 5, true},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    auswertung_.aufrufe.clear();
    auswertung_.lief = c.lief;
    auswertung_.ergebnis = c.ergebnis;
    konto_.PlatziereBedingung = c.bedingung;
    konto_.FillStreichBedingung = c.bedingung;
    konto_.PlatziereMeldung = "#Ergebnis#";
    std::string meldung = "unverändert";
    EXPECT_FALSE(PrüfePlatzierenNichtMöglich(konto_, 1, meldung, umgebung_));
    EXPECT_EQ(meldung, "unverändert");
    EXPECT_FALSE(PrüfeFillStreichen(konto_, umgebung_));
    EXPECT_EQ(auswertung_.aufrufe.size(), c.evaluated ? 2u : 0u);
  }
  EXPECT_TRUE(Records(dPlatzierenVerhindert).empty());
}

class EintraegeLoeschenTest : public KontoTest {
 protected:
  EintraegeLoeschenTest() {
    konto_.KontoName = "Depot";
    konto_.AktuelleZeit = DateValue{45500.25};
  }
  void Order(const std::string& id, int16_t aktion, bool enter, float margin, float point_value) {
    auto o = std::make_shared<clOffeneOrder>();
    o->ID = id;
    o->TitelWKN = "W" + id;
    o->Aktion = aktion;
    o->Anzahl = 100;
    o->FilledAnzahl = 40;
    o->IsEnterOrder = enter;
    o->Kurs = 20;
    o->Margin = margin;
    o->PointValue = point_value;
    konto_.cOffeneOrders.Add(id, o);
  }
  void Fill(const std::string& id, int16_t aktion, bool enter) {
    auto f = std::make_shared<clFilledOrder>();
    f->ID = id;
    f->Aktion = aktion;
    f->IsEnterOrder = enter;
    konto_.cFilledOrders.Add(id, f);
  }

  std::vector<std::string> entfernt_;
  ZeileEntfernt merke_ = [this](const std::string& key) { entfernt_.push_back(key); };
};

// Settling moves the position's open P/L and margin to cash; without it only the counters change.
// The computer's clock dates the records: the account does not use simulated time.
TEST_F(EintraegeLoeschenTest, RemovingALongStockPositionWithAndWithoutSettling) {
  for (bool ausgleichen : {false, true}) {
    SCOPED_TRACE(ausgleichen ? "settled" : "not settled");
    konto_.KontoName = ausgleichen ? "Depot" : "Ohne";
    clTitelPosition& p = Position("DE0001", 100, 10, 0.5f);
    p.OpenPL = 50;
    p.AktuellerKurs = 10.5f;
    konto_.CashBetrag = 5000;
    konto_.KapitalAktienMarginGesamt = 500;
    konto_.AktienInvestWertGesamt = 1000;
    konto_.AktienWertAktuellGesamt = 1050;
    konto_.KapitalAktienOpenPLGesamt = 50;
    konto_.AnzahlPositionen = konto_.AktienPositionen = 1;
    entfernt_.clear();

    LöschePositionen(konto_, {"#DE0001"}, ausgleichen, umgebung_, merke_);

    EXPECT_EQ(entfernt_, std::vector<std::string>{"#DE0001"});
    EXPECT_EQ(konto_.cTitelPositionen.Count(), 0u);
    EXPECT_EQ(konto_.AnzahlPositionen + konto_.AktienPositionen, 0);
    EXPECT_DOUBLE_EQ(konto_.CashBetrag, ausgleichen ? 5550 : 5000);
    EXPECT_DOUBLE_EQ(konto_.KapitalAktienMarginGesamt, ausgleichen ? 0 : 500);
    if (!ausgleichen) continue;
    EXPECT_DOUBLE_EQ(konto_.AktienInvestWertGesamt, 0);
    EXPECT_DOUBLE_EQ(konto_.AktienWertAktuellGesamt, 0);
    EXPECT_DOUBLE_EQ(konto_.KapitalAktienOpenPLGesamt, 0);
    EXPECT_EQ(Einzig(dTitelPos, "DE0001"), std::tuple(46000.75, 10.0f, 0.0f));
    EXPECT_EQ(Geschrieben(), (std::set<int>{14, 15, 17, 18, 20, 21, 23, 24, 25, 26, 27,
                                            28, 32, 33, 34, 38, 39, 40, 47, 48, 49}));
    EXPECT_EQ(Einzig(dKapitalCash), std::tuple(46000.75, 5550.0f, 0.0f));
    EXPECT_EQ(Einzig(dKapitalGesamtKapital), std::tuple(46000.75, 5550.0f, 0.0f));
    EXPECT_EQ(Einzig(dAnzahlPositionen), std::tuple(46000.75, 0.0f, 1.0f));
    EXPECT_EQ(Einzig(dKapitalAktienMargin), std::tuple(46000.75, 0.0f, 1.0f));
  }
}

// With simulated time the records are dated at the account's own.
TEST_F(EintraegeLoeschenTest, AShortContractPositionReducesTheShortCounterparts) {
  konto_.UseSimulZeit = true;
  Position("FDAX", -2, 15000, 1000, 25).OpenPL = -300;
  konto_.CashBetrag = 8000;
  konto_.KapitalKontrakteMarginGesamt = konto_.KapitalKontrakteMarginShort = 2000;
  konto_.KapitalKontrakteOpenPLGesamt = konto_.KapitalKontrakteOpenPLShort = -300;
  konto_.AnzahlPositionen = konto_.AnzahlShortPositionen = 1;
  konto_.KontraktAnzahl = konto_.KontraktAnzahlShort = 1;

  LöschePositionen(konto_, {"#FDAX"}, true, umgebung_, merke_);

  EXPECT_DOUBLE_EQ(konto_.CashBetrag, 8000 - 300 + 2000);
  EXPECT_DOUBLE_EQ(konto_.KapitalKontrakteMarginShort, 0);
  EXPECT_DOUBLE_EQ(konto_.KapitalKontrakteOpenPLShort, 0);
  EXPECT_EQ(konto_.AnzahlShortPositionen + konto_.KontraktAnzahlShort, 0);
  EXPECT_EQ(Geschrieben(),
            (std::set<int>{14, 16, 17, 19, 20, 22, 29, 30, 31, 35, 36, 37, 47, 48, 49}));
  EXPECT_EQ(std::get<0>(Einzig(dKapitalCash)), 45500.25);
}

TEST_F(EintraegeLoeschenTest, APartlyFilledEntryOrderReleasesTheMarginOfItsRest) {
  const struct {
    const char* name;
    int16_t aktion;
    float point_value, margin;
    double gesamt, short_teil, aktien_gesamt, aktien_short;
    std::set<int> kinds;
  } faelle[] = {
      {"long stock", 1, 0, 0.25f, 300, 0, 300, 0, {2, 3, 5, 6, 41, 42, 43, 44, 45, 46}},
      {"short stock", -1, 0, 0.25f, 300, 300, 300, 300, {2, 4, 5, 7, 41, 42, 43, 44, 45, 46}},
      {"short contract", -1, 50, 800, 48000, 48000, 0, 0, {2, 4, 5, 7, 41, 42, 43, 44, 45, 46}},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    rtt_.dateien.files.clear();
    konto_.cOffeneOrders.RemoveAll();
    Order("A1", f.aktion, true, f.margin, f.point_value);
    konto_.OffeneLongOrders = konto_.OffeneShortOrders = 1;
    konto_.OffeneLongEnterOrders = konto_.OffeneShortEnterOrders = 1;
    konto_.EnterOrderMarginGesamt = konto_.EnterOrderMarginShort = 50000;
    konto_.EnterOrderAktienMarginGesamt = konto_.EnterOrderAktienMarginShort = 1000;

    LöscheOffeneOrders(konto_, {"A1"}, umgebung_, nullptr);

    EXPECT_EQ(konto_.cOffeneOrders.Count(), 0u);
    EXPECT_DOUBLE_EQ(50000 - konto_.EnterOrderMarginGesamt, f.gesamt);
    EXPECT_DOUBLE_EQ(50000 - konto_.EnterOrderMarginShort, f.short_teil);
    EXPECT_DOUBLE_EQ(1000 - konto_.EnterOrderAktienMarginGesamt, f.aktien_gesamt);
    EXPECT_DOUBLE_EQ(1000 - konto_.EnterOrderAktienMarginShort, f.aktien_short);
    EXPECT_EQ(konto_.OffeneLongOrders + konto_.OffeneShortOrders, 1);
    EXPECT_EQ(konto_.OffeneLongEnterOrders + konto_.OffeneShortEnterOrders, 1);
    EXPECT_EQ(Geschrieben(), f.kinds);
    EXPECT_EQ(Einzig(dOffeneOrders), std::tuple(46000.75, 0.0f, 1.0f));
  }
}

// The six counts are recorded once each, also when nothing is marked.
TEST_F(EintraegeLoeschenTest, FillsAreCountedDownAndTheirSixCountsRecordedOnce) {
  Fill("F1", 1, true);
  Fill("F2", -1, true);
  Fill("F3", 0, false);
  konto_.FilledOrders = 3;
  konto_.FilledLongOrders = 1;
  konto_.FilledShortOrders = 2;
  konto_.FilledEnterLongOrders = konto_.FilledEnterShortOrders = 1;
  LöscheOffeneOrders(konto_, {}, umgebung_, merke_);
  LöschePositionen(konto_, {}, true, umgebung_, merke_);
  EXPECT_TRUE(Geschrieben().empty());
  LöscheAusführungen(konto_, {}, umgebung_, merke_);
  EXPECT_EQ(Geschrieben(), (std::set<int>{8, 9, 10, 11, 12, 13}));
  rtt_.dateien.files.clear();

  LöscheAusführungen(konto_, {"F1", "F3"}, umgebung_, merke_);

  EXPECT_EQ(entfernt_, (std::vector<std::string>{"F3", "F1"}));
  EXPECT_TRUE(konto_.cFilledOrders.Exists("F2"));
  const float expected[] = {1, 0, 1, 1, 0, 1};  // kinds 8 to 13
  for (int art = 8; art <= 13; ++art)
    EXPECT_EQ(Einzig(art), std::tuple(45500.25, expected[art - 8], 0.0f));
  EXPECT_EQ(konto_.FilledOrders, 1);
  EXPECT_EQ(konto_.FilledLongOrders, 0);
  EXPECT_EQ(konto_.FilledShortOrders, 1);
  EXPECT_EQ(konto_.FilledEnterLongOrders, 0);
  EXPECT_EQ(konto_.FilledEnterShortOrders, 1);
  EXPECT_EQ(Geschrieben(), (std::set<int>{8, 9, 10, 11, 12, 13}));
}

TEST_F(EintraegeLoeschenTest, AKeyNoLongerInTheAccountStopsThereAndRecordsNothing) {
  Order("A1", 1, false, 0, 0);
  Order("A3", 1, false, 0, 0);
  konto_.OffeneLongOrders = 2;
  EXPECT_EQ(testing::ErrorOf([&] {
              LöscheOffeneOrders(konto_, {"A1", "A2", "A3"}, umgebung_, merke_);
            }),
            error::kElementNotFound);
  EXPECT_EQ(entfernt_, std::vector<std::string>{"A3"});
  EXPECT_TRUE(konto_.cOffeneOrders.Exists("A1"));
  EXPECT_EQ(konto_.OffeneLongOrders, 1);
  EXPECT_TRUE(Geschrieben().empty());
}

}  // namespace
}  // namespace vks
