#include "accounts/Orderstatus.h"

#include <gtest/gtest.h>

#include "accounts/KontoBeobachter.h"
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

// The fill record of a cancelled order is dated at the account's time.
TEST_F(OrderstatusTest, CancellingAPartlyFilledOrder) {
  konto_.AktuelleZeit = DateValue{45000};
  Report("D1", -1, 10, 3, 60, true, 44000);  // SimulDatum earlier than the account's time
  konto_.AktuelleZeit = DateValue{45050};
  EXPECT_TRUE(StreicheOffeneOrder(konto_, "d1", DateValue{0}, umgebung_));
  const clFilledOrder& fill = *konto_.cFilledOrders.Item("D1");
  EXPECT_TRUE(fill.Gestrichen);
  EXPECT_EQ(fill.FilledAnzahl, 3);
  EXPECT_EQ(fill.SimulDatum, DateValue{45050});
  EXPECT_FALSE(StreicheOffeneOrder(konto_, "D1", DateValue{0}, umgebung_));
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

}  // namespace
}  // namespace vks
