#include "adapters/qt/frmKontoUebersicht.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDockWidget>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QTest>
#include <QToolBar>

#include "accounts/KontoUmgebung.h"
#include "accounts/clKonto.h"
#include "adapters/qt/KapitalVerlauf.h"
#include "adapters/qt/UebersichtModell.h"
#include "fakes/FakeClock.h"
#include "fakes/RecordingReporter.h"
#include "fakes/TempFolder.h"
#include "session/KontoBeobachterVerteiler.h"
#include "tests/adapters/qt/AnwendungZuerst.h"
#include "tests/adapters/qt/Bedienelemente.h"

namespace vks {
namespace {

class frmKontoUebersichtTest : public testing::AnwendungZuerst, public ::testing::Test {
 protected:
  frmKontoUebersichtTest() {
    konto_->KontoName = "Depot";
    konto_->AktuelleZeit = DateValue{45500.5};
    Order("O-1", 1, 100, true);
    Order("O-2", -1, 20, false);
    Position("W2", 50, 12.5f);
    Position("W1", -10, 100);
    Fill("F-3", 7, 45300.25, 10.5f);
    Fill("F-1", 250, 45299.5, 0);
    Fill("F-2", 30, 45301.0, 9.25f);
    konto_->FilledOrders = 3;
    konto_->FilledLongOrders = 3;
    konto_->SchreibeInitRTTWerte(false, umgebung_);
    fenster_->ShowDaten(konto_);
    fenster_->show();
  }
  void Order(const std::string& id, int16_t aktion, int32_t anzahl, bool enter) {
    auto o = std::make_shared<clOffeneOrder>();
    o->ID = id;
    o->Aktion = aktion;
    o->Anzahl = anzahl;
    o->IsEnterOrder = enter;
    konto_->cOffeneOrders.Add(id, o);
    (aktion > 0 ? konto_->OffeneLongOrders : konto_->OffeneShortOrders)++;
  }
  void Position(const std::string& wkn, int32_t size, float preis) {
    auto p = std::make_shared<clTitelPosition>();
    p->TitelWKN = wkn;
    p->TitelName = wkn + " AG";
    p->Position = size;
    p->Durchschnittspreis = preis;
    konto_->cTitelPositionen.Add(wkn, p);
    konto_->AnzahlPositionen++;
    konto_->AktienPositionen++;
    if (size < 0) konto_->AnzahlShortPositionen++;
  }
  void Fill(const std::string& id, int32_t anzahl, double datum, float preis) {
    auto f = std::make_shared<clFilledOrder>();
    f->ID = id;
    f->Aktion = 1;
    f->FilledAnzahl = anzahl;
    f->SimulDatum = DateValue{datum};
    f->EnterPreis = preis;
    konto_->cFilledOrders.Add(id, f);
  }
  std::vector<std::string> Keys(UebersichtListe liste) {
    std::vector<std::string> keys;
    UebersichtModell* m = fenster_->Modell(liste);
    for (int r = 0; r < m->rowCount(); ++r) keys.push_back(m->Key(r));
    return keys;
  }
  void KlickeKopf(UebersichtListe liste, int spalte) {
    QHeaderView* kopf = fenster_->Liste(liste)->horizontalHeader();
    QTest::mouseClick(kopf->viewport(), Qt::LeftButton, {},
                      QPoint(kopf->sectionViewportPosition(spalte) + 5, kopf->height() / 2));
  }
  void Markiere(UebersichtListe liste, int zeile) {
    QTableView* v = fenster_->Liste(liste);
    v->selectionModel()->select(v->model()->index(zeile, 0),
                                QItemSelectionModel::Select | QItemSelectionModel::Rows);
  }

  testing::TempFolder folder_;
  std::unique_ptr<FileSystem> files_ = NewPlatformFileSystem();
  RttAufzeichnung rtt_{*files_, RttStorage{folder_.path()}};
  testing::FakeClock clock_{45500.5};
  KontoBeobachterVerteiler verteiler_;
  KontoUmgebung umgebung_{clock_, rtt_, &verteiler_};
  testing::RecordingReporter reporter_;
  std::vector<std::string> entfernt_;
  std::shared_ptr<clKonto> konto_ = std::make_shared<clKonto>();
  std::unique_ptr<frmKontoUebersicht> fenster_ =
      std::make_unique<frmKontoUebersicht>(UebersichtUmfeld{
          reporter_, umgebung_, AutomationLocale::German(), nullptr, &verteiler_, nullptr, nullptr,
          [this](const std::string& name) { entfernt_.push_back(name); }});
};

TEST_F(frmKontoUebersichtTest, ShowsCaptionPanesFiguresAndRows) {
  EXPECT_EQ(fenster_->windowTitle(), QString::fromUtf8("Übersicht für Konto 'Depot'"));
  const char* titel[] = {"Konto", "Offene Orders", "Positionen", "Ausführungen", "Verlauf"};
  for (int id = 1; id <= 5; ++id)
    EXPECT_EQ(fenster_->Pane(id)->windowTitle(), QString::fromUtf8(titel[id - 1]));
  EXPECT_EQ(fenster_->Werkzeuge()->windowTitle(), QStringLiteral("Befehle"));
  EXPECT_EQ(testing::NamenloseBedienelemente(fenster_.get()), "");
  EXPECT_EQ(fenster_->Zahl("InfoOffeneOrders_0")->text(), "2");
  EXPECT_EQ(fenster_->Zahl("InfoPositionen_2")->text(), "1");
  EXPECT_EQ(fenster_->Zahl("InfoGefillt_0")->text(), "3");
  EXPECT_EQ(fenster_->Zahl("InfoCash")->text(), "10.000,00");
  EXPECT_EQ(Keys(UebersichtListe::kPositionen), (std::vector<std::string>{"#W2", "#W1"}));
  QAbstractItemModel* fills = fenster_->Liste(UebersichtListe::kAusfuehrungen)->model();
  EXPECT_EQ(fills->index(1, 6).data().toString(), "K/A");
  EXPECT_EQ(fills->headerData(4, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>() &
                Qt::AlignRight,
            Qt::AlignRight);
  // Ten initial passes of capital and cash.
  EXPECT_EQ(fenster_->Verlauf()->KapitalWerte(), 10);
  EXPECT_EQ(fenster_->Verlauf()->CashWerte(), 10);
}

// The buttons follow the presenter's pane and run its commands (its own test walks every pane and
// question).
TEST_F(frmKontoUebersichtTest, PaneActivationAndTheButtons) {
  Markiere(UebersichtListe::kOrders, 1);
  fenster_->AktivierePane(2);
  EXPECT_EQ(fenster_->Werkzeuge()->windowTitle(), QStringLiteral("Offene Orders"));
  EXPECT_TRUE(fenster_->Knopf(1)->isEnabled());
  EXPECT_TRUE(fenster_->Knopf(2)->isEnabled());
  reporter_.answers = {msgbox::kYes};
  fenster_->Knopf(1)->trigger();
  EXPECT_EQ(Keys(UebersichtListe::kOrders), std::vector<std::string>{"O-1"});
  EXPECT_EQ(fenster_->Zahl("InfoOffeneOrders_0")->text(), "1");

  fenster_->AktivierePane(4);
  EXPECT_FALSE(fenster_->Knopf(1)->isEnabled());
  // A click into a list activates its pane.
  QTableView* v = fenster_->Liste(UebersichtListe::kPositionen);
  QTest::mouseClick(v->viewport(), Qt::LeftButton, {},
                    v->visualRect(v->model()->index(0, 0)).center());
  QCoreApplication::processEvents();
  EXPECT_EQ(fenster_->Werkzeuge()->windowTitle(), QStringLiteral("Positionen"));
  EXPECT_TRUE(fenster_->Knopf(1)->isEnabled());
}

TEST_F(frmKontoUebersichtTest, SortingByEachColumnKind) {
  struct Fall {
    UebersichtListe liste;
    int spalte;
    std::vector<std::string> erst, dann;
  };
  const Fall faelle[] = {
      // text: ID
      {UebersichtListe::kAusfuehrungen, 0, {"F-1", "F-2", "F-3"}, {"F-3", "F-2", "F-1"}},
      // number: 7 < 30 < 250 (as text "250" < "30" < "7")
      {UebersichtListe::kAusfuehrungen, 4, {"F-3", "F-2", "F-1"}, {"F-1", "F-2", "F-3"}},
      // date
      {UebersichtListe::kAusfuehrungen, 5, {"F-1", "F-3", "F-2"}, {"F-2", "F-3", "F-1"}},
      // number with "K/A" as 0
      {UebersichtListe::kAusfuehrungen, 6, {"F-1", "F-2", "F-3"}, {"F-3", "F-2", "F-1"}},
      // number, negative short position
      {UebersichtListe::kPositionen, 2, {"#W1", "#W2"}, {"#W2", "#W1"}},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.spalte);
    KlickeKopf(f.liste, f.spalte);
    EXPECT_EQ(Keys(f.liste), f.erst);
    KlickeKopf(f.liste, f.spalte);
    EXPECT_EQ(Keys(f.liste), f.dann);
  }
}

// A marked row follows its row when sorted; a row booked after a sort is placed by the next.
TEST_F(frmKontoUebersichtTest, MarkedAndNewRowsAfterASort) {
  Markiere(UebersichtListe::kAusfuehrungen, 0);    // F-3
  KlickeKopf(UebersichtListe::kAusfuehrungen, 4);  // Filled: 7, 30, 250
  ASSERT_EQ(Keys(UebersichtListe::kAusfuehrungen), (std::vector<std::string>{"F-3", "F-2", "F-1"}));
  KlickeKopf(UebersichtListe::kAusfuehrungen, 0);  // F-1, F-2, F-3
  EXPECT_EQ(fenster_->MarkierteKeys(UebersichtListe::kAusfuehrungen),
            std::vector<std::string>{"F-3"});
  KlickeKopf(UebersichtListe::kAusfuehrungen, 4);
  Fill("F-4", 100, 45302.0, 8.0f);
  verteiler_.FillAdded(*konto_, *konto_->cFilledOrders.Item("F-4"));
  KlickeKopf(UebersichtListe::kAusfuehrungen, 4);  // descending now
  EXPECT_EQ(Keys(UebersichtListe::kAusfuehrungen),
            (std::vector<std::string>{"F-1", "F-4", "F-2", "F-3"}));
}

TEST_F(frmKontoUebersichtTest, EscapeClosesAndLeavesTheTable) {
  QTest::keyClick(fenster_.get(), Qt::Key_Escape);
  EXPECT_FALSE(fenster_->isVisible());
  EXPECT_EQ(entfernt_, std::vector<std::string>{"Depot"});
  EXPECT_EQ(fenster_->Presenter().Konto(), nullptr);
}

}  // namespace
}  // namespace vks
