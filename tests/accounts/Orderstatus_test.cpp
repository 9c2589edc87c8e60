#include "accounts/Orderstatus.h"

#include <gtest/gtest.h>

#include <cmath>

#include "accounts/KontoBeobachter.h"
#include "fakes/ErrorOf.h"
#include "platform/automation/AutomationError.h"
#include "tests/accounts/KontoTestSupport.h"

namespace vks {
namespace {

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

class OrderstatusTest : public test::KontoTest {
 protected:
  OrderstatusTest() {
    umgebung_.beobachter = &log_;
    umgebung_.regeln = &rules_;
    rules_.lief = false;
    konto_.KontoName = "Orders";
    konto_.FillStreichBedingung = "gezählt";
    terms_.Margin = 50;  // percent of a stock's value
    terms_.AktUmrechnungsWert = NoValue;
  }
  OrderstatusErgebnis Report(const std::string& id, int16_t aktion, int32_t anzahl, int32_t filled,
                             float preis, bool entry = true, double datum = 45000.5) {
    return BucheOrderstatus(
        konto_,
        {DateValue{datum}, id, "DE1", "Eins AG", aktion, anzahl, filled, preis, entry, &terms_},
        umgebung_);
  }

  test::FesteRegeln rules_;  // counts the cancellation rules run
  EventLog log_;
  clOrderZusatzInfos terms_;
};

TEST_F(OrderstatusTest, AnEntryOrderFromPlacementToCompleteFill) {
  EXPECT_EQ(Report("A1", 1, 10, 0, 50), OrderstatusErgebnis::kGebucht);
  ASSERT_TRUE(konto_.cOffeneOrders.Exists("a1"));
  EXPECT_EQ(konto_.OffeneLongOrders, 1);
  EXPECT_EQ(konto_.OffeneLongEnterOrders, 1);
  EXPECT_EQ(konto_.EnterOrderAktienMarginGesamt, 250);  // 50 × 10 × 0.5
  EXPECT_EQ(konto_.AktuelleZeit, DateValue{45000.5});
  EXPECT_EQ(rules_.aufrufe.size(), 0u);

  Report("A1", 1, 10, 4, 49, true, 45000.6);
  const clOffeneOrder& order = *konto_.cOffeneOrders.Item("A1");
  EXPECT_EQ(order.FilledAnzahl, 4);
  EXPECT_EQ(order.FillDurchschnittsKurs, 49);
  EXPECT_EQ(konto_.EnterOrderAktienMarginGesamt, 150);  // the filled part is released
  EXPECT_EQ(konto_.cTitelPositionen.Item("DE1")->Position, 4);
  EXPECT_EQ(rules_.aufrufe.size(), 1u);

  Report("A1", 1, 10, 10, 52, true, 45000.7);
  EXPECT_FALSE(konto_.cOffeneOrders.Exists("A1"));
  ASSERT_TRUE(konto_.cFilledOrders.Exists("A1"));
  const clFilledOrder& fill = *konto_.cFilledOrders.Item("A1");
  EXPECT_FLOAT_EQ(fill.EnterPreis, 50.8f);  // (52 × 6 + 49 × 4) / 10
  EXPECT_FALSE(fill.Gestrichen);
  EXPECT_EQ(fill.FilledAnzahl, 10);
  EXPECT_EQ(konto_.OffeneLongOrders, 0);
  EXPECT_EQ(konto_.FilledOrders, 1);
  EXPECT_EQ(konto_.FilledEnterLongOrders, 1);
  EXPECT_NEAR(konto_.EnterOrderAktienMarginGesamt, 0, 1e-9);
  EXPECT_EQ(konto_.cTitelPositionen.Item("DE1")->Position, 10);
  EXPECT_EQ(rules_.aufrufe.size(), 2u);
  EXPECT_EQ(log_.events, (std::vector<std::string>{"order+ A1", "margin", "margin", "pos+ DE1",
                                                   "pos~ DE1 4", "order~ A1", "margin",
                                                   "pos~ DE1 10", "order- A1", "fill+ A1"}));

  // The same ID again is refused and changes nothing.
  EXPECT_EQ(Report("a1", 1, 10, 10, 52), OrderstatusErgebnis::kBereitsAusgefuehrt);
  EXPECT_EQ(konto_.FilledOrders, 1);
  EXPECT_EQ(konto_.cTitelPositionen.Item("DE1")->Position, 10);
}

TEST_F(OrderstatusTest, ACompleteNewOrderGoesStraightToTheFills) {
  Report("B1", -1, 5, 5, 40, false);
  EXPECT_EQ(konto_.cOffeneOrders.Count(), 0u);
  EXPECT_TRUE(konto_.cFilledOrders.Exists("B1"));
  EXPECT_EQ(konto_.FilledShortOrders, 1);
  EXPECT_EQ(konto_.OffeneShortOrders, 0);
  EXPECT_EQ(konto_.cTitelPositionen.Item("DE1")->Position, -5);
  EXPECT_EQ(rules_.aufrufe.size(), 1u);
  for (const std::string& e : log_.events) EXPECT_NE(e, "order+ B1");
}

TEST_F(OrderstatusTest, ChangedQuantityMovesTheReservedMargin) {
  Report("C1", 1, 10, 0, 50);
  Report("C1", 1, 16, 0, 50);
  EXPECT_EQ(konto_.cOffeneOrders.Item("C1")->Anzahl, 16);
  EXPECT_EQ(konto_.EnterOrderAktienMarginGesamt, 400);
}

TEST_F(OrderstatusTest, CancellingAPartlyFilledOrder) {
  konto_.AktuelleZeit = DateValue{45000};
  Report("D1", -1, 10, 3, 60, true, 44000);  // SimulDatum earlier than the account's time
  Report("D2", -1, 10, 0, 60, true, 45100);  // later: moves the account's time
  konto_.AktuelleZeit = DateValue{45050};
  EXPECT_EQ(konto_.EnterOrderMarginShort, 210 + 300);  // 7 and 10 unfilled at 60, 50 %
  EXPECT_TRUE(StreicheOffeneOrder(konto_, "d1", DateValue{0}, umgebung_));
  const clFilledOrder& fill = *konto_.cFilledOrders.Item("D1");
  EXPECT_TRUE(fill.Gestrichen);
  EXPECT_EQ(fill.FilledAnzahl, 3);
  EXPECT_EQ(fill.SimulDatum, DateValue{45050});
  EXPECT_EQ(konto_.EnterOrderMarginShort, 300);  // only the unfilled rest of D1 released
  EXPECT_TRUE(StreicheOffeneOrder(konto_, "D2", DateValue{0}, umgebung_));
  EXPECT_FALSE(konto_.cFilledOrders.Exists("D2"));  // nothing was filled
  EXPECT_EQ(konto_.EnterOrderMarginShort, 0);
  EXPECT_EQ(konto_.OffeneShortOrders, 0);
  EXPECT_FALSE(StreicheOffeneOrder(konto_, "D2", DateValue{0}, umgebung_));
}

TEST_F(OrderstatusTest, ClosingAShortPositionBuysItBack) {
  Report("E1", -1, 50, 50, 20, false);
  EXPECT_TRUE(SchliessePosition(konto_, "de1", 18, umgebung_));
  EXPECT_FALSE(konto_.cTitelPositionen.Exists("DE1"));
  EXPECT_EQ(konto_.CashBetrag, 10100);  // 2 × 50 gained
  EXPECT_FALSE(SchliessePosition(konto_, "DE1", 18, umgebung_));
  EXPECT_FALSE(SchliessePosition(konto_, "XX", 18, umgebung_));
}

TEST_F(OrderstatusTest, RefusedReportsLeaveTheAccountAsItWas) {
  Report("F1", 1, 10, 4, 50);
  Report("F2", -1, 5, 0, 51);
  struct Case {
    const char* name;
    std::string id;
    int16_t aktion;
    int32_t anzahl, filled;
    float preis;
    double datum;
    int error;
  };
  const Case cases[] = {
      {"NaN price", "F1", 1, 10, 6, NAN, 45000.5, 5},
      {"infinite time", "F1", 1, 10, 6, 50, INFINITY, 5},
      {"more filled than ordered", "F1", 1, 10, 11, 50, 45000.5, 5},
      {"negative quantity", "F3", 1, -1, 0, 50, 45000.5, 5},
      {"position beyond a Long", "F4", 1, INT32_MAX, INT32_MAX, 50, 45000.5, 6},
  };
  const Variant before = konto_.WriteAllProperties();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(testing::ErrorOf(
                  [&] { Report(c.id, c.aktion, c.anzahl, c.filled, c.preis, true, c.datum); }),
              c.error);
    EXPECT_EQ(konto_.WriteAllProperties(), before);
  }
  konto_.FilledOrders = INT32_MAX;
  const Variant full = konto_.WriteAllProperties();
  EXPECT_THROW(Report("F5", 1, 1, 1, 50), AutomationError);
  EXPECT_THROW(StreicheOffeneOrder(konto_, "F1", DateValue{0}, umgebung_), AutomationError);
  EXPECT_EQ(konto_.WriteAllProperties(), full);
}

TEST_F(OrderstatusTest, RefusesContractsBeyondALongInAll) {
  // Each position fits a Long; the account's count of all contracts must too.
  terms_.PointValue = 50;
  auto report = [&](const std::string& id, const char* wkn, int16_t aktion, int32_t n) {
    return BucheOrderstatus(
        konto_, {DateValue{45000.5}, id, wkn, wkn, aktion, n, n, 10, false, &terms_}, umgebung_);
  };
  report("K1", "FDAX", -1, 2);
  const Variant before = konto_.WriteAllProperties();
  const struct {
    const char* wkn;
    int16_t aktion;
    int32_t n;
  } refused[] = {
      {"FESX", 1, INT32_MAX - 1}, {"FESX", -1, INT32_MAX - 1}, {"FDAX", -1, INT32_MAX - 1}};
  for (const auto& c : refused) {
    SCOPED_TRACE(std::string(c.wkn) + " " + std::to_string(c.aktion));
    EXPECT_THROW(report("K2", c.wkn, c.aktion, c.n), AutomationError);
    EXPECT_EQ(konto_.WriteAllProperties(), before);
  }
  report("K3", "FESX", 1, INT32_MAX - 2);
  EXPECT_EQ(konto_.KontraktAnzahl, INT32_MAX);
  EXPECT_EQ(konto_.KontraktAnzahlShort, 2);
}

}  // namespace
}  // namespace vks
