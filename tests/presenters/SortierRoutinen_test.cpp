#include "presenters/SortierRoutinen.h"

#include <gtest/gtest.h>

namespace vks {
namespace {

struct Klick {
  std::string tag;
  int16_t spalte;
  // Expected outcome; art "-" means the click does nothing.
  const char* art;
  bool absteigend;
  int16_t SortKey;
  int16_t SortOrder;
  bool Sorted;
  const char* Tag;
};

const char* const kArten[] = {"text", "zahl", "datum"};  // by SortArt

struct Folge {
  const char* name;
  std::vector<Klick> klicks;
};

TEST(SortierRoutinenTest, HeaderClicksWalkTheStateMachine) {
  const Folge folgen[] = {
      {"text column other than the first: asc, desc, asc",
       {{"0", 2, "text", false, 2, 0, true, ""},
        {"0", 2, "text", true, 2, 1, true, ""},
        {"", 2, "text", false, 2, 0, true, ""}}},
      {"first column while not sorted: ascending",
       {{"0", 0, "text", false, 0, 0, true, ""}, {"0", 0, "text", true, 0, 1, true, ""}}},
      {"number column already the key but never number-sorted: ascending",
       {{"1", 0, "zahl", false, 0, 0, false, "S"},
        {"1", 0, "zahl", true, 0, 1, false, "S"},
        {"1", 0, "zahl", false, 0, 0, false, "S"}}},
      {"date column then another date column restarts ascending",
       {{"2", 3, "datum", false, 3, 0, false, "S"},
        {"2", 3, "datum", true, 3, 1, false, "S"},
        {"2", 1, "datum", false, 1, 0, false, "S"}}},
      {"number on the text-sorted column starts ascending; text then reverses",
       {{"0", 1, "text", false, 1, 0, true, ""},
        {"1", 1, "zahl", false, 1, 0, true, "S"},
        {"0", 1, "text", true, 1, 1, true, "S"}}},
      {"tags that are no number count as text; other numbers do nothing",
       {{"abc", 1, "text", false, 1, 0, true, ""},
        {"3", 1, "-", false, 1, 0, true, ""},
        {"1e999", 2, "text", false, 2, 0, true, ""},
        {"-1", 2, "-", false, 2, 0, true, ""}}},
  };
  for (const Folge& folge : folgen) {
    SCOPED_TRACE(folge.name);
    SortierRoutinen routinen;
    ListenSortierung liste;
    for (size_t i = 0; i < folge.klicks.size(); ++i) {
      SCOPED_TRACE("click " + std::to_string(i + 1));
      const Klick& klick = folge.klicks[i];
      auto auftrag = routinen.SpaltenKlick(liste, klick.tag, klick.spalte);
      if (std::string(klick.art) == "-") {
        EXPECT_FALSE(auftrag.has_value());
      } else {
        ASSERT_TRUE(auftrag.has_value());
        EXPECT_STREQ(kArten[static_cast<int>(auftrag->art)], klick.art);
        EXPECT_EQ(auftrag->spalte, klick.spalte);
        EXPECT_EQ(auftrag->absteigend, klick.absteigend);
      }
      EXPECT_EQ(liste.SortKey, klick.SortKey);
      EXPECT_EQ(liste.SortOrder, klick.SortOrder);
      EXPECT_EQ(liste.Sorted, klick.Sorted);
      EXPECT_EQ(liste.Tag, klick.Tag);
    }
  }
}

TEST(SortierRoutinenTest, CellValues) {
  const AutomationLocale deutsch = AutomationLocale::German();
  const AutomationLocale& englisch = AutomationLocale::Invariant();
  struct Fall {
    const char* text;
    const AutomationLocale* locale;
    double zahl;
    double datum;
  } faelle[] = {
      {"", &deutsch, 0, 0},
      {"1.234,50", &deutsch, 1234.5, 0},
      {"12,5 %", &deutsch, 12.5, 0},
      {"12,5%", &deutsch, 12.5, 0},
      {"  -3,25  ", &deutsch, -3.25, 0},
      {"1,234.50", &englisch, 1234.5, 0},
      {"K/A", &deutsch, 0, 0},
      {"2/1.500,00", &deutsch, 0, 0},
      {"7 Stück", &deutsch, 7, 0},
      {"1e999", &deutsch, 0, 0},
      // 31 characters are read: the digit after them does not count.
      {"0000000000000000000000000000001"
       "5",
       &deutsch, 1, 0},
      // As numbers, dates read with the German group separators and lose their time at the blank.
      {"06.12.2026 14:30:00", &deutsch, 6122026, 46362 + 14.5 / 24},
      {"06.12.2026", &deutsch, 6122026, 46362},
      {"12/6/2026 2:30:00 PM", &englisch, 0, 46362 + 14.5 / 24},
      {"31.02.2026", &deutsch, 31022026, 0},
      {"gestern", &deutsch, 0, 0},
  };
  for (const Fall& fall : faelle) {
    SCOPED_TRACE(fall.text);
    EXPECT_DOUBLE_EQ(ZellenWertZahl(fall.text, *fall.locale), fall.zahl);
    EXPECT_NEAR(ZellenWertDatum(fall.text, *fall.locale), fall.datum, 1e-9);
  }
}

TEST(SortierRoutinenTest, OrderOfRows) {
  const AutomationLocale deutsch = AutomationLocale::German();
  const std::vector<std::string> zahlen = {"10,00", "", "K/A", "2,5", "-1"};
  EXPECT_EQ(SortierteReihenfolge(zahlen, SortArt::Zahl, false, deutsch),
            (std::vector<size_t>{4, 1, 2, 3, 0}));
  EXPECT_EQ(SortierteReihenfolge(zahlen, SortArt::Zahl, true, deutsch),
            (std::vector<size_t>{0, 3, 1, 2, 4}));
  const std::vector<std::string> daten = {"06.12.2026 14:30:00", "", "05.12.2026 23:59:59"};
  EXPECT_EQ(SortierteReihenfolge(daten, SortArt::Datum, false, deutsch),
            (std::vector<size_t>{1, 2, 0}));
}

}  // namespace
}  // namespace vks
