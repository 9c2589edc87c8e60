#include "adapters/qt/frmKontoUebersicht.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDockWidget>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QTest>
#include <QToolBar>
#include <filesystem>

#include "accounts/KontoUmgebung.h"
#include "accounts/VerbucheFill.h"
#include "adapters/qt/HauptfensterAdapter.h"
#include "adapters/qt/KapitalVerlauf.h"
#include "adapters/qt/UebersichtModell.h"
#include "recording/RttFileName.h"
#include "recording/RttReader.h"
#include "session/KontoBeobachterVerteiler.h"
#include "tests/adapters/qt/Bedienelemente.h"
#include "tests/adapters/qt/QtTestAnwendung.h"
#include "tests/presenters/HauptfensterTestFenster.h"

namespace vks {
namespace {

class frmKontoUebersichtTest : public testing::AnwendungZuerst,
                               public ::testing::Test,
                               public HauptfensterServer {
 protected:
  frmKontoUebersichtTest() : HauptfensterServer(45500.5) {
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

  KontoBeobachterVerteiler verteiler_;
  KontoUmgebung umgebung_{clock, rtt, &verteiler_};
  std::vector<std::string> entfernt_;
  std::shared_ptr<clKonto> konto_ = Konto("Depot");
  std::unique_ptr<frmKontoUebersicht> fenster_ = std::make_unique<frmKontoUebersicht>(
      UebersichtUmfeld{melder, umgebung_, AutomationLocale::German(), nullptr, &verteiler_, nullptr,
                       nullptr, [this](const std::string& name) { entfernt_.push_back(name); }});
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
  melder.answers = {msgbox::kYes};
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

// The price-save tick reaches an open overview window through the table of open windows: its
// chart takes the records appended since, its figures follow when the tick wrote the account's
// price-driven values.
class UebersichtKursTickTest : public testing::AnwendungZuerst,
                               public ::testing::Test,
                               public HauptfensterServer {
 protected:
  UebersichtKursTickTest() : HauptfensterServer(45500.5) {
    konto_->UseSimulZeit = true;
    konto_->AktuelleZeit = DateValue{45500.5};
    konto_->CashBetrag = 10000;
    VerbucheFill(*konto_, DateValue{45500.5}, "W1", "Eins AG", 1, 100, 10, nullptr, umgebung_);
    auto fenster = fabrik_.NeuesFenster();
    fenster->ShowDaten(konto_);
    hauptfenster.UebersichtsFenster().Add("depot", fenster);
    for (QWidget* w : QApplication::topLevelWidgets()) {
      auto* f = qobject_cast<frmKontoUebersicht*>(w);
      if (f && f->Presenter().Konto() == konto_) fenster_ = f;
    }
  }
  ~UebersichtKursTickTest() override {
    hauptfenster.UebersichtsFenster().Remove("depot");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  const QList<QPointF>& Kapital() const { return fenster_->Verlauf()->Kapital(); }
  const QList<QPointF>& Cash() const { return fenster_->Verlauf()->Cash(); }
  QString Gesamt() const { return fenster_->Zahl("InfoGesamtKapital")->text(); }
  std::string Datei(eKontoDatenArt art) const {
    return RttFileLocation(rtt.Speicher(), "Depot", "", art).file;
  }
  size_t Records(eKontoDatenArt art) const {
    return ReadRttFile(rtt.Dateien(), Datei(art))->records.size();
  }
  void Kurs(float kurs, double zeit) {
    bool sofort = false;
    konto_->NeuerKurs("W1", DateValue{zeit}, kurs, sofort, clock);
  }

  KontoBeobachterVerteiler verteiler_;
  KontoUmgebung umgebung_{clock, rtt, &verteiler_};
  QtUebersichtFabrik fabrik_{[this] {
    return UebersichtUmfeld{melder,        umgebung_,   AutomationLocale::German(),
                            &hauptfenster, &verteiler_, nullptr,
                            nullptr,       nullptr};
  }};
  std::shared_ptr<clKonto> konto_ = Konto("Depot");
  frmKontoUebersicht* fenster_ = nullptr;
};

TEST_F(UebersichtKursTickTest, ChartAndFiguresFollowTheTick) {
  ASSERT_NE(fenster_, nullptr);
  const KapitalVerlauf& verlauf = *fenster_->Verlauf();
  const int64_t kapital = verlauf.KapitalWerte(), cash = verlauf.CashWerte();
  ASSERT_EQ(static_cast<size_t>(kapital), Records(dKapitalGesamtKapital));
  const QString vorher = Gesamt();

  // A price waits for the tick: neither the chart nor the figures move before it.
  Kurs(12, 45500.6);
  EXPECT_EQ(verlauf.KapitalWerte(), kapital);
  EXPECT_EQ(Gesamt(), vorher);
  hauptfenster.Plan().KursspeichernZeitgeberTick();
  ASSERT_EQ(verlauf.KapitalWerte(), kapital + 1);
  EXPECT_EQ(verlauf.CashWerte(), cash);  // price saving writes no cash
  EXPECT_FLOAT_EQ(verlauf.LetzterKapitalWert().value,
                  static_cast<float>(konto_->BerechneGesamtKapital()));
  EXPECT_NE(Gesamt(), vorher);
  // Cash holds until the capital's latest time.
  EXPECT_EQ(Cash().back().x(), Kapital().back().x());

  // A tick without waiting values appends nothing and leaves the figures alone.
  const QString nach_kurs = Gesamt();
  konto_->CashBetrag += 1000;  // unannounced: only a refresh would show it
  hauptfenster.Plan().KursspeichernZeitgeberTick();
  EXPECT_EQ(verlauf.KapitalWerte(), kapital + 1);
  EXPECT_EQ(Gesamt(), nach_kurs);
  konto_->CashBetrag -= 1000;

  // What a booking records between two ticks shows at the next one; cash steps at its time.
  const float cash_vorher = verlauf.LetzterCashWert().value;
  VerbucheFill(*konto_, DateValue{45500.7}, "W1", "Eins AG", -1, 50, 12, nullptr, umgebung_);
  hauptfenster.Plan().KursspeichernZeitgeberTick();
  EXPECT_EQ(static_cast<size_t>(verlauf.CashWerte()), Records(dKapitalCash));
  EXPECT_EQ(static_cast<size_t>(verlauf.KapitalWerte()), Records(dKapitalGesamtKapital));
  const QList<QPointF>& punkte = Cash();
  ASSERT_GE(punkte.size(), 2);
  EXPECT_EQ(punkte.back(), QPointF(45500.7, verlauf.LetzterCashWert().value));
  EXPECT_EQ(punkte[punkte.size() - 2].y(), cash_vorher);
}

TEST_F(UebersichtKursTickTest, ASeriesWrittenAnewIsDrawnFromItsStart) {
  ASSERT_NE(fenster_, nullptr);
  const KapitalVerlauf& verlauf = *fenster_->Verlauf();
  for (float kurs : {11.0f, 12.0f, 13.0f}) {
    Kurs(kurs, 45500.6);
    hauptfenster.Plan().KursspeichernZeitgeberTick();
  }
  // As a reset does it: the files go, the account starts again with other cash.
  std::filesystem::remove(Datei(dKapitalGesamtKapital));
  std::filesystem::remove(Datei(dKapitalCash));
  konto_->CashBetrag = 5000;
  konto_->SchreibeInitRTTWerte(true, umgebung_);
  ASSERT_LT(Records(dKapitalGesamtKapital), static_cast<size_t>(verlauf.KapitalWerte()));
  hauptfenster.Plan().KursspeichernZeitgeberTick();
  EXPECT_EQ(static_cast<size_t>(verlauf.KapitalWerte()), Records(dKapitalGesamtKapital));
  ASSERT_EQ(static_cast<size_t>(verlauf.CashWerte()), Records(dKapitalCash));
  EXPECT_EQ(Cash().front().y(), 5000);
}

}  // namespace
}  // namespace vks
