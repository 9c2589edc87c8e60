#include "adapters/qt/SortierKopf.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

#include "tests/adapters/qt/QtTestAnwendung.h"

namespace vks {
namespace {

class SortierKopfTest : public ::testing::Test {
 protected:
  QApplication& app_ = testing::QtTestAnwendung();
  void SetUp() override {
    liste_.setColumnCount(3);
    liste_.setHeaderLabels({"Titel", "Kurs", "Zeit"});
    SetzeSpaltenTag(&liste_, 1, "1");
    SetzeSpaltenTag(&liste_, 2, "2");
    const char* zeilen[][3] = {{"Beta", "1.234,50", "06.12.2026 14:30:00"},
                               {"alpha", "K/A", "05.12.2026 09:00:00"},
                               {"Gamma", "12,5 %", ""},
                               {"delta", "", "07.12.2026 08:00:00"}};
    for (auto& zeile : zeilen) {
      liste_.addTopLevelItem(new QTreeWidgetItem(QStringList{zeile[0], zeile[1], zeile[2]}));
    }
  }

  std::string Reihenfolge() {
    std::string namen;
    for (int i = 0; i < liste_.topLevelItemCount(); ++i) {
      if (i) namen += ",";
      namen += liste_.topLevelItem(i)->text(0).toStdString();
    }
    return namen;
  }

  void KlickeKopf(int spalte) {
    QHeaderView* kopf = liste_.header();
    QPoint mitte(kopf->sectionViewportPosition(spalte) + kopf->sectionSize(spalte) / 2,
                 kopf->height() / 2);
    QTest::mouseClick(kopf->viewport(), Qt::LeftButton, {}, mitte);
  }

  SortierRoutinen routinen_;
  QTreeWidget liste_;
};

// Each click sorts by its column's tag; the selected row stays selected and current; a column
// that the list does not have changes nothing.
TEST_F(SortierKopfTest, HeaderClicksSortByTheColumnsTagAndKeepTheSelection) {
  auto& kopf = *new SortierKopf(&liste_, routinen_, AutomationLocale::German());
  liste_.resize(600, 300);
  liste_.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&liste_));
  liste_.topLevelItem(0)->setSelected(true);  // Beta
  liste_.setCurrentItem(liste_.topLevelItem(0), 0, QItemSelectionModel::NoUpdate);

  struct Schritt {
    int spalte;
    const char* reihenfolge;
  } schritte[] = {
      {1, "alpha,delta,Gamma,Beta"},  // K/A and empty count 0
      {1, "Beta,Gamma,alpha,delta"}, {2, "Gamma,alpha,Beta,delta"}, {2, "delta,Beta,alpha,Gamma"},
      {0, "alpha,Beta,delta,Gamma"}, {0, "Gamma,delta,Beta,alpha"},
  };
  for (const Schritt& schritt : schritte) {
    SCOPED_TRACE(schritt.reihenfolge);
    KlickeKopf(schritt.spalte);
    EXPECT_EQ(Reihenfolge(), schritt.reihenfolge);
    ASSERT_EQ(liste_.selectedItems().size(), 1);
    EXPECT_EQ(liste_.selectedItems().front()->text(0), "Beta");
    EXPECT_EQ(liste_.currentItem()->text(0), "Beta");
  }
  EXPECT_EQ(kopf.Sortierung().Tag, "S");
  kopf.SpalteGeklickt(7);
  EXPECT_EQ(kopf.Sortierung().SortKey, 0);
  EXPECT_EQ(Reihenfolge(), "Gamma,delta,Beta,alpha");
}

}  // namespace
}  // namespace vks
