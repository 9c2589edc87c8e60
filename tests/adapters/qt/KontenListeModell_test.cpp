#include "adapters/qt/KontenListeModell.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include "tests/adapters/qt/QtTestAnwendung.h"

namespace vks {
namespace {

class KontenListeModellTest : public ::testing::Test {
 protected:
  KontenListeModellTest() {
    modell_.Fuellen({{"a", "A", "d", "g", "e", "p"},
                     {"b", "B", "d", "g", "e", "p"},
                     {"c", "C", "d", "g", "e", "p"},
                     {"d", "D", "d", "g", "e", "p"}});
  }
  std::string Text(int zeile, int spalte) const {
    return modell_.index(zeile, spalte).data().toString().toStdString();
  }

  QApplication& app_ = testing::QtTestAnwendung();
  KontenListeModell modell_{AutomationLocale::German()};
  QSignalSpy geaendert_{&modell_, &QAbstractItemModel::dataChanged};
};

// A tick announces the cells whose numbers moved, one range per column; the cells show the numbers
// in the locale, the other cells keep their texts.
TEST_F(KontenListeModellTest, TickAnnouncesTheMovedCellsPerColumn) {
  modell_.KurswerteSetzen({{1, "B", DateValue{45000.5}, 2500}, {3, "D", DateValue{45000}, -0.5}});
  ASSERT_EQ(geaendert_.size(), 2);
  for (int i : {0, 1}) {
    EXPECT_EQ(geaendert_[i][0].toModelIndex(), modell_.index(1, 1 + i));
    EXPECT_EQ(geaendert_[i][1].toModelIndex(), modell_.index(3, 1 + i));
  }
  EXPECT_EQ(Text(1, 1), "15.03.2023 12:00:00");
  EXPECT_EQ(Text(1, 2), "2.500,00");
  EXPECT_EQ(Text(3, 2), "-0,50");
  EXPECT_EQ(Text(2, 1), "d");
  EXPECT_EQ(Text(1, 3), "e");

  // The same numbers again: nothing to show anew. One capital moved: that cell alone.
  modell_.KurswerteSetzen({{1, "B", DateValue{45000.5}, 2500}, {3, "D", DateValue{45000}, -0.5}});
  EXPECT_EQ(geaendert_.size(), 2);
  modell_.KurswerteSetzen({{1, "B", DateValue{45000.5}, 2500}, {3, "D", DateValue{45000}, 7}});
  ASSERT_EQ(geaendert_.size(), 3);
  EXPECT_EQ(geaendert_[2][0].toModelIndex(), modell_.index(3, 2));
  EXPECT_EQ(geaendert_[2][1].toModelIndex(), modell_.index(3, 2));
  EXPECT_EQ(Text(3, 2), "7,00");
}

// A row is found by its name when it is not at the account's place (rows removed or added on
// their own); a name without a row changes nothing. Texts set later win over a tick's numbers,
// and the next tick's numbers over them.
TEST_F(KontenListeModellTest, RowsOutOfPlaceAndTextsAfterATick) {
  modell_.Entfernen("a");
  modell_.Setzen({"ee", "Ee", "d", "g", "e", "p"});
  modell_.KurswerteSetzen({{2, "C", DateValue{45000}, 1},
                           {0, "Ee", DateValue{45000}, 2},
                           {9, "A", DateValue{45000}, 3},
                           {1, "x", DateValue{45000}, 4}});
  EXPECT_EQ(modell_.rowCount(), 4);
  EXPECT_EQ(Text(1, 2), "1,00");
  EXPECT_EQ(Text(3, 2), "2,00");
  EXPECT_EQ(Text(0, 2), "g");
  EXPECT_EQ(Text(2, 2), "g");

  modell_.Setzen({"c", "C", "neu", "neu", "e", "p"});
  EXPECT_EQ(Text(1, 2), "neu");
  modell_.KurswerteSetzen({{1, "C", DateValue{45000}, 1}});
  EXPECT_EQ(Text(1, 2), "1,00");
  modell_.Umbenennen("c", {"f", "F", "d", "g", "e", "p"});
  EXPECT_EQ(modell_.Zeile("c"), -1);
  EXPECT_EQ(modell_.Zeile("f"), 1);
  EXPECT_EQ(Text(1, 0), "F");
}

}  // namespace
}  // namespace vks
