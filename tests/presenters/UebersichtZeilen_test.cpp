#include "presenters/UebersichtZeilen.h"

#include <gtest/gtest.h>

#include "accounts/clKonto.h"

namespace vks {
namespace {

TEST(UebersichtZeilen, DirectionTexts) {
  struct Fall {
    int16_t aktion;
    bool enter, order;
    const char* text;
  };
  const Fall faelle[] = {
      {1, true, true, "Buy (Enter)"},  {2, false, true, "Buy (Exit)"},
      {0, true, true, "Sell (Enter)"}, {-1, false, true, "Sell (Exit)"},
      {1, true, false, "Buy (Enter)"}, {1, false, false, "Buy"},
      {0, false, false, "Sell"},       {-1, true, false, "Sell (Enter)"},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.text);
    EXPECT_EQ(RichtungsText(f.aktion, f.enter, f.order), f.text);
  }
}

TEST(UebersichtZeilen, RowsCarryTheirKeysAndLocaleTexts) {
  const AutomationLocale de = AutomationLocale::German();
  clTitelPosition p;
  p.TitelWKN = "123456";
  p.TitelName = "Alpha";
  p.Position = -300;
  p.Durchschnittspreis = 12.25f;
  auto pz = BauePositionsZeile(p, de);
  EXPECT_EQ(pz.key, "#123456");
  EXPECT_EQ(pz.spalten, (std::vector<std::string>{"Alpha", "123456", "-300", "12,25"}));

  clFilledOrder f;
  f.ID = "F7";
  f.TitelName = "Alpha";
  f.TitelWKN = "123456";
  f.Aktion = -1;
  f.FilledAnzahl = 1500;
  f.SimulDatum = DateValue{45292.5};  // 1 January 2024, noon
  auto fz = BaueFillZeile(f, de);
  EXPECT_EQ(fz.key, "F7");
  EXPECT_EQ(fz.spalten, (std::vector<std::string>{"F7", "Alpha", "123456", "Sell", "1500",
                                                  "01.01.2024 12:00:00", "K/A"}));
  f.EnterPreis = 99.5f;
  EXPECT_EQ(BaueFillZeile(f, de).spalten[6], "99,5");

  clOffeneOrder o;
  o.ID = "O1";
  o.Aktion = 1;
  o.Anzahl = 100;
  o.FilledAnzahl = 40;
  EXPECT_EQ(BaueOrderZeile(o).spalten,
            (std::vector<std::string>{"O1", "", "", "Buy (Exit)", "100", "40"}));
}

TEST(UebersichtZeilen, FiguresSplitTotalsIntoLongAndShort) {
  clKonto k;
  k.CashBetrag = 1234567.891;
  k.EnterOrderMarginGesamt = 2500.4;
  k.EnterOrderMarginShort = 1000;
  k.OffeneLongEnterOrders = 2;
  k.OffeneShortEnterOrders = 3;
  k.KapitalAktienMarginGesamt = 100;
  k.KapitalKontrakteMarginGesamt = 50.5;
  k.KapitalAktienOpenPLGesamt = -10;
  k.KapitalKontrakteOpenPLGesamt = 2.5;
  auto z = BaueKontoZahlen(k, AutomationLocale::German());
  EXPECT_EQ(z.enter_orders, (std::array<std::string, 6>{"5", "2", "3", "2.500", "1.500", "1.000"}));
  EXPECT_EQ(z.cash, "1.234.567,89");
  EXPECT_EQ(z.margin, "150,50");
  EXPECT_EQ(z.open_pl, "-7,50");
  EXPECT_EQ(z.gesamt, "1.234.710,89");
  EXPECT_EQ(z.verfuegbar, "1.234.560,39");
}

}  // namespace
}  // namespace vks
