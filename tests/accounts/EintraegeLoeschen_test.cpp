#include "accounts/EintraegeLoeschen.h"

#include <gtest/gtest.h>

#include "fakes/ErrorOf.h"
#include "platform/automation/AutomationError.h"
#include "tests/accounts/KontoTestSupport.h"

namespace vks {
namespace {

class EintraegeLoeschenTest : public test::KontoTest {
 protected:
  EintraegeLoeschenTest() {
    konto_.KontoName = "Depot";
    konto_.AktuelleZeit = DateValue{45500.25};
  }
  clOffeneOrder& Order(const std::string& id, int16_t aktion, int32_t anzahl, int32_t filled,
                       bool enter, float kurs, float margin, float point_value = 0) {
    auto o = std::make_shared<clOffeneOrder>();
    o->ID = id;
    o->TitelWKN = "W" + id;
    o->Aktion = aktion;
    o->Anzahl = anzahl;
    o->FilledAnzahl = filled;
    o->IsEnterOrder = enter;
    o->Kurs = kurs;
    o->Margin = margin;
    o->PointValue = point_value;
    return *konto_.cOffeneOrders.Add(id, o);
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
    EXPECT_EQ(konto_.AnzahlPositionen, 0);
    EXPECT_EQ(konto_.AktienPositionen, 0);
    EXPECT_DOUBLE_EQ(konto_.CashBetrag, ausgleichen ? 5550 : 5000);
    EXPECT_DOUBLE_EQ(konto_.KapitalAktienMarginGesamt, ausgleichen ? 0 : 500);
    if (!ausgleichen) continue;
    EXPECT_DOUBLE_EQ(konto_.AktienInvestWertGesamt, 0);
    EXPECT_DOUBLE_EQ(konto_.AktienWertAktuellGesamt, 0);
    EXPECT_DOUBLE_EQ(konto_.KapitalAktienOpenPLGesamt, 0);

    // Computer clock: the account does not use simulated time.
    auto pos = Records(dTitelPos, "DE0001");
    ASSERT_EQ(pos.size(), 1u);
    EXPECT_EQ(pos[0].time.days, 46000.75);
    EXPECT_EQ(pos[0].value, 10.0f);
    EXPECT_EQ(pos[0].value2, 0.0f);
    EXPECT_EQ(Geschrieben(), (std::set<int>{14, 15, 17, 18, 20, 21, 23, 24, 25, 26, 27,
                                            28, 32, 33, 34, 38, 39, 40, 47, 48, 49}));
    struct Wert {
      eKontoDatenArt art;
      float value, value2;
    };
    for (const Wert& w : {Wert{dKapitalCash, 5550, 0}, Wert{dKapitalGesamtKapital, 5550, 0},
                          Wert{dAnzahlPositionen, 0, 1}, Wert{dKapitalAktienMargin, 0, 1}}) {
      SCOPED_TRACE(w.art);
      auto records = Records(w.art);
      ASSERT_EQ(records.size(), 1u);
      EXPECT_EQ(records[0].value, w.value);
      EXPECT_EQ(records[0].value2, w.value2);
    }
  }
}

TEST_F(EintraegeLoeschenTest, AShortContractPositionReducesTheShortCounterparts) {
  konto_.UseSimulZeit = true;
  clTitelPosition& p = Position("FDAX", -2, 15000, 1000, 25);
  p.OpenPL = -300;
  konto_.CashBetrag = 8000;
  konto_.KapitalKontrakteMarginGesamt = konto_.KapitalKontrakteMarginShort = 2000;
  konto_.KapitalKontrakteOpenPLGesamt = konto_.KapitalKontrakteOpenPLShort = -300;
  konto_.AnzahlPositionen = konto_.AnzahlShortPositionen = 1;
  konto_.KontraktAnzahl = konto_.KontraktAnzahlShort = 1;

  LöschePositionen(konto_, {"#FDAX"}, true, umgebung_, merke_);

  EXPECT_DOUBLE_EQ(konto_.CashBetrag, 8000 - 300 + 2000);
  EXPECT_DOUBLE_EQ(konto_.KapitalKontrakteMarginShort, 0);
  EXPECT_DOUBLE_EQ(konto_.KapitalKontrakteOpenPLShort, 0);
  EXPECT_EQ(konto_.AnzahlShortPositionen, 0);
  EXPECT_EQ(konto_.KontraktAnzahlShort, 0);
  EXPECT_EQ(Geschrieben(),
            (std::set<int>{14, 16, 17, 19, 20, 22, 29, 30, 31, 35, 36, 37, 47, 48, 49}));
  // Simulated time: the account's own time.
  EXPECT_EQ(Records(dKapitalCash).at(0).time.days, 45500.25);
}

TEST_F(EintraegeLoeschenTest, APartlyFilledEntryOrderReleasesTheMarginOfItsRest) {
  struct Fall {
    const char* name;
    int16_t aktion;
    float point_value, margin;
    double gesamt, short_teil, aktien_gesamt, aktien_short;
    std::set<int> kinds;
  };
  const Fall faelle[] = {
      {"long stock", 1, 0, 0.25f, 300, 0, 300, 0, {2, 3, 5, 6, 41, 42, 43, 44, 45, 46}},
      {"short stock", -1, 0, 0.25f, 300, 300, 300, 300, {2, 4, 5, 7, 41, 42, 43, 44, 45, 46}},
      {"short contract", -1, 50, 800, 48000, 48000, 0, 0, {2, 4, 5, 7, 41, 42, 43, 44, 45, 46}},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    rtt_.dateien.files.clear();
    konto_.cOffeneOrders.RemoveAll();
    Order("A1", f.aktion, 100, 40, true, 20, f.margin, f.point_value);
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
    EXPECT_EQ(Records(dOffeneOrders).at(0).value, 0.0f);
    EXPECT_EQ(Records(dOffeneOrders).at(0).value2, 1.0f);
  }
}

TEST_F(EintraegeLoeschenTest, FillsAreCountedDownAndTheirSixCountsRecordedOnce) {
  Fill("F1", 1, true);
  Fill("F2", -1, true);
  Fill("F3", 0, false);
  konto_.FilledOrders = 3;
  konto_.FilledLongOrders = 1;
  konto_.FilledShortOrders = 2;
  konto_.FilledEnterLongOrders = konto_.FilledEnterShortOrders = 1;

  LöscheAusführungen(konto_, {"F1", "F3"}, umgebung_, merke_);

  EXPECT_EQ(entfernt_, (std::vector<std::string>{"F3", "F1"}));
  EXPECT_TRUE(konto_.cFilledOrders.Exists("F2"));
  EXPECT_EQ(konto_.FilledOrders, 1);
  EXPECT_EQ(konto_.FilledLongOrders, 0);
  EXPECT_EQ(konto_.FilledShortOrders, 1);
  EXPECT_EQ(konto_.FilledEnterLongOrders, 0);
  EXPECT_EQ(konto_.FilledEnterShortOrders, 1);
  EXPECT_EQ(Geschrieben(), (std::set<int>{8, 9, 10, 11, 12, 13}));
  const float expected[] = {1, 0, 1, 1, 0, 1};  // kinds 8 to 13
  for (int art = 8; art <= 13; ++art) {
    SCOPED_TRACE(art);
    auto records = Records(static_cast<eKontoDatenArt>(art));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].time.days, 45500.25);
    EXPECT_EQ(records[0].value, expected[art - 8]);
    EXPECT_EQ(records[0].value2, 0.0f);
  }
}

TEST_F(EintraegeLoeschenTest, NothingMarkedChangesNothingButStillRecordsTheFillCounts) {
  Fill("F1", 1, false);
  konto_.FilledOrders = konto_.FilledLongOrders = 1;
  LöscheAusführungen(konto_, {}, umgebung_, merke_);
  LöscheOffeneOrders(konto_, {}, umgebung_, merke_);
  LöschePositionen(konto_, {}, true, umgebung_, merke_);
  EXPECT_TRUE(entfernt_.empty());
  EXPECT_EQ(konto_.FilledOrders, 1);
  EXPECT_EQ(Geschrieben(), (std::set<int>{8, 9, 10, 11, 12, 13}));
}

TEST_F(EintraegeLoeschenTest, AKeyNoLongerInTheAccountStopsThereAndRecordsNothing) {
  Order("A1", 1, 10, 0, false, 5, 0);
  Order("A3", 1, 10, 0, false, 5, 0);
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
