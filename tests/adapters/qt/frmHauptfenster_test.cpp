#include "adapters/qt/frmHauptfenster.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QScreen>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QToolBar>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

#include "accounts/KontoUmgebung.h"
#include "fakes/InMemoryRegistryBackend.h"
#include "platform/settings/RegistrySettingsStore.h"
#include "tests/adapters/qt/Bedienelemente.h"
#include "tests/adapters/qt/QtTestAnwendung.h"
#include "tests/presenters/HauptfensterTestFenster.h"

namespace vks {
namespace {

class frmHauptfensterTest : public testing::AnwendungZuerst,
                            public ::testing::Test,
                            public HauptfensterServer {
 protected:
  frmHauptfensterTest() : HauptfensterServer(45500.5) {}
  bool FuelleKonten() {
    for (auto [name, cash] : {std::pair{"Depot", 1500.0}, {"Futures", 250000.5}}) {
      auto konto = Konto(name);
      konto->CashBetrag = cash;
      konto->AktuelleZeit = DateValue{46362 + 14.5 / 24};
    }
    state.DatenOrdner = temp.path();
    return true;
  }

  int Zeilen() const { return fenster_.LKontoliste()->model()->rowCount(); }
  std::vector<std::string> Zeile(int i) const {
    std::vector<std::string> texte;
    const QAbstractItemModel* modell = fenster_.LKontoliste()->model();
    for (int c = 0; c < 5; ++c)
      texte.push_back(modell->index(i, c).data().toString().toStdString());
    return texte;
  }
  QPoint Mitte(int i) const {
    QTableView* liste = fenster_.LKontoliste();
    return liste->visualRect(liste->model()->index(i, 0)).center();
  }

  bool gefuellt_ = FuelleKonten();
  KontoUmgebung kontoumgebung_{clock, rtt};
  TestKontoDialog dialog_;
  TestFabrik uebersichten_;
  TestSpeicherordner speicherordner_;
  TestHilfe hilfe_;
  InMemoryRegistryBackend backend_;
  RegistrySettingsStore settings_{backend_};
  frmHauptfenster fenster_{{state, hauptfenster, melder, kontoumgebung_, clock, dateien, dialog_,
                            uebersichten_, speicherordner_, hilfe_, AutomationLocale::German()},
                           &settings_};
};

// Our texts in the user's language (German, the texts' own, or English), Qt's own in German for
// a German user; the whole tool bar in view and every control named for a screen reader.
TEST_F(frmHauptfensterTest, CaptionColumnsRowsAndCommandsInTheUsersLanguage) {
  const bool englisch = QLocale::system().language() == QLocale::English;
  auto sprache = [&](const char* deutsch, const char* english) {
    return QString::fromUtf8(englisch ? english : deutsch);
  };
  EXPECT_EQ(fenster_.windowTitle(),
            sprache("Tradomir Virtuelle Konten", "Tradomir Virtual Accounts"));
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"),
            sprache("Abbrechen", "Cancel"));
  const QAbstractItemModel* modell = fenster_.LKontoliste()->model();
  QStringList spalten;
  for (int c = 0; c < modell->columnCount(); ++c)
    spalten << modell->headerData(c, Qt::Horizontal).toString();
  const QStringList erwartet =
      englisch ? QStringList{"Name", "Date", "Total value", "Entry orders", "Positions"}
               : QStringList{"Name", "Datum", "Gesamtwert", "Enter-Orders", "Positionen"};
  EXPECT_EQ(spalten, erwartet);
  ASSERT_EQ(Zeilen(), 2);
  EXPECT_EQ(Zeile(0),
            (std::vector<std::string>{"Depot", "06.12.2026 14:30:00", "1.500,00", "0/0,00", "0"}));
  EXPECT_EQ(Zeile(1)[2], "250.000,50");
  // Amounts and counts right-aligned, the name and the date left.
  for (int c = 0; c < 5; ++c) {
    SCOPED_TRACE(c);
    EXPECT_EQ(
        modell->index(0, c).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight,
        c >= 2 ? Qt::AlignRight : Qt::Alignment());
  }
  const struct {
    int id;
    const char *menue, *werkzeug, *menu, *tool;
  } befehle[] = {
      {1023, "Neues Konto", "Neues Konto", "New Account", "New Account"},
      {1033, "Konto duplizieren", "Konto duplizieren", "Duplicate Account", "Duplicate Account"},
      {1024, "Konto bearbeiten", "Konto bearbeiten", "Edit Account", "Edit Account"},
      {1025, "Konto löschen", "Konto löschen", "Delete Account", "Delete Account"},
      {1027, "Konto anzeigen", "Konto Übersicht", "Show Account", "Account Overview"},
      {1031, "Speicherordner einstellen", "Speicherordner einstellen", "Set Storage Folder",
       "Set Storage Folder"},
      {1030, "Hilfe", "Hilfe", "Help", "Help"}};
  for (const auto& b : befehle) {
    SCOPED_TRACE(b.id);
    EXPECT_EQ(fenster_.MenueBefehl(b.id)->text(), sprache(b.menue, b.menu));
    EXPECT_EQ(fenster_.WerkzeugBefehl(b.id)->text(), sprache(b.werkzeug, b.tool));
  }
  EXPECT_EQ(fenster_.WerkzeugBefehl(1024)->toolTip(),
            sprache("Konto einstellen", "Account settings"));

  fenster_.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&fenster_));
  auto* mehr = fenster_.Werkzeugleiste()->findChild<QWidget*>("qt_toolbar_ext_button");
  EXPECT_TRUE(!mehr || !mehr->isVisible()) << "tool bar overflows at the default width";
  EXPECT_EQ(testing::NamenloseBedienelemente(&fenster_), "");
}

// The keys people expect reach the commands: each row's key, with the second account marked, does
// what its command does.
TEST_F(frmHauptfensterTest, KeysRunTheirCommands) {
  const std::string hilfe = temp.path() + "/hilfe.html";
  std::ofstream(hilfe) << "<html></html>";
  state.HilfeDatei = hilfe;
  fenster_.show();
  fenster_.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&fenster_));
  fenster_.ZeileMarkieren("futures");
  melder.answers = {msgbox::kNo};  // for the deletion's question
  auto gezeigt = [&] {
    return static_cast<size_t>(std::ranges::count(uebersichten_.log, "Zeigen"));
  };
  const struct {
    const char* was;
    int taste;
    Qt::KeyboardModifiers mit;
    std::function<size_t()> zaehler;
  } tasten[] = {
      {"Ctrl+N: Neues Konto", Qt::Key_N, Qt::ControlModifier,
       [&] { return dialog_.aufrufe.size(); }},
      {"Del: Konto löschen asks", Qt::Key_Delete, {}, [&] { return melder.messages.size(); }},
      {"Return: Konto anzeigen", Qt::Key_Return, {}, gezeigt},
      {"Enter (keypad): Konto anzeigen", Qt::Key_Enter, Qt::KeypadModifier, gezeigt},
      {"F1: Hilfe", Qt::Key_F1, {}, [&] { return hilfe_.geoeffnet.size(); }},
  };
  for (const auto& t : tasten) {
    SCOPED_TRACE(t.was);
    const size_t vorher = t.zaehler();
    QTest::keyClick(fenster_.LKontoliste(), static_cast<Qt::Key>(t.taste), t.mit);
    EXPECT_EQ(t.zaehler(), vorher + 1);
  }
  EXPECT_EQ(state.Konten.Count(), 2u);  // the deletion was refused
}

TEST_F(frmHauptfensterTest, ClickEnablesCommandsDoubleClickShowsTheAccount) {
  fenster_.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&fenster_));
  for (int id : {1024, 1025, 1027, 1033}) EXPECT_FALSE(fenster_.MenueBefehl(id)->isEnabled());
  EXPECT_TRUE(fenster_.MenueBefehl(1023)->isEnabled());

  QWidget* viewport = fenster_.LKontoliste()->viewport();
  QTest::mouseDClick(viewport, Qt::LeftButton, {}, QPoint(5, viewport->height() - 3));
  EXPECT_EQ(melder.messages.size(), 1u);  // asks for an account, as the commands' test reads

  QTest::mouseClick(viewport, Qt::LeftButton, {}, Mitte(1));
  for (int id : {1024, 1025, 1027, 1033}) {
    EXPECT_TRUE(fenster_.MenueBefehl(id)->isEnabled());
    EXPECT_TRUE(fenster_.WerkzeugBefehl(id)->isEnabled());
  }
  QTest::mouseDClick(viewport, Qt::LeftButton, {}, Mitte(1));
  EXPECT_EQ(hauptfenster.UebersichtsFenster().Keys(), std::vector<std::string>{"futures"});
}

// The window hands its rows to the list's model by key (the model's own test walks ticks and rows
// out of place): a rename, a removal, a whole list with a repeated key, the selection by key.
TEST_F(frmHauptfensterTest, RowsFollowTheirKeys) {
  fenster_.ZeileUmbenennen("depot", {"konto", "Konto", "a", "b", "c", "d"});
  fenster_.ZeileEntfernen("futures");
  fenster_.AlleKurswerteSetzen({{1, "Konto", DateValue{46363.375}, 2000}});
  ASSERT_EQ(Zeilen(), 1);
  EXPECT_EQ(Zeile(0),
            (std::vector<std::string>{"Konto", "07.12.2026 09:00:00", "2.000,00", "c", "d"}));
  fenster_.ZeileSetzen({"konto", "Konto", "1", "2", "3", "4"});
  EXPECT_EQ(Zeile(0), (std::vector<std::string>{"Konto", "1", "2", "3", "4"}));
  fenster_.ListeFuellen({{"b", "B", "1", "2", "3", "4"},
                         {"a", "A", "5", "6", "7", "8"},
                         {"b", "B", "9", "10", "11", "12"}});
  ASSERT_EQ(Zeilen(), 2);
  EXPECT_EQ(Zeile(0), (std::vector<std::string>{"B", "9", "10", "11", "12"}));
  fenster_.ZeileMarkieren("a");
  fenster_.AlleKurswerteSetzen({{0, "B", DateValue{46387.99998}, 1234.5}});
  EXPECT_EQ(Zeile(0)[1], "31.12.2026 23:59:58");
  EXPECT_EQ(fenster_.MarkierteZeile(), "a");
  hauptfenster.InitKontoListe();
  EXPECT_EQ(Zeilen(), 2);
}

// The presenter's tick through the window: each row shows what the row would show if built anew.
TEST_F(frmHauptfensterTest, TickShowsTheNewTimeAndCapital) {
  fenster_.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&fenster_));
  for (auto& e : state.Konten) {
    e.value->AktuelleZeit = DateValue{e.value->AktuelleZeit.days + 1.5};
    e.value->CashBetrag += 1000.25;
    e.value->NeuerAktienwertSpeichern = true;
  }
  hauptfenster.Plan().KursspeichernZeitgeberTick();
  QCoreApplication::processEvents();
  // What the screen has is what a full repaint draws: the changed cells were repainted.
  QWidget* liste = fenster_.LKontoliste()->viewport();
  const QImage gezeigt =
      liste->screen()
          ->grabWindow(fenster_.winId(), liste->mapTo(&fenster_, QPoint()).x(),
                       liste->mapTo(&fenster_, QPoint()).y(), liste->width(), liste->height())
          .toImage()
          .convertToFormat(QImage::Format_RGB32);
  const QImage neu = liste->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(gezeigt, neu);
  int i = 0;
  for (const auto& e : state.Konten) {
    const KontenZeile z = BaueKontenZeile(*e.value, AutomationLocale::German());
    EXPECT_EQ(Zeile(i++), (std::vector<std::string>{z.name, z.datum, z.gesamtwert, z.enter_orders,
                                                    z.positionen}));
  }
}

TEST_F(frmHauptfensterTest, NeverSmallerThanTheMinimumAndClosingSavesChangeAndLayout) {
  fenster_.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&fenster_));
  fenster_.resize(300, 100);
  EXPECT_GE(fenster_.frameGeometry().width(), 600);
  EXPECT_GE(fenster_.frameGeometry().height(), 250);
  hauptfenster.Plan().SetzeSpeichernAusstehend();
  EXPECT_TRUE(fenster_.close());
  EXPECT_FALSE(hauptfenster.Plan().SpeichernAusstehend());
  EXPECT_TRUE(std::filesystem::exists(store.StorePath()));
  EXPECT_EQ(settings_.GetSetting("Tradomir", kHauptfensterLayout, "WinState", ""), "0");
  EXPECT_NE(settings_.GetSetting("Tradomir", kHauptfensterLayout, "Breite", ""), "");
}

// The window has a status line only while the accounts cannot be saved.
TEST_F(frmHauptfensterTest, TheStatusLineShowsAFailingSaveUntilASaveSucceeds) {
  fenster_.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&fenster_));
  EXPECT_EQ(fenster_.findChild<QStatusBar*>(), nullptr);
  auto konto = std::make_shared<clKonto>();
  konto->KontoName = "Konto 中";
  state.Konten.Add(konto->KontoName, konto);
  hauptfenster.Plan().SetzeSpeichernAusstehend();
  for (const bool gescheitert : {true, false}) {
    SCOPED_TRACE(gescheitert);
    if (!gescheitert) state.Konten.Remove("Konto 中");
    hauptfenster.Plan().ZeitgeberTick();
    const QLabel* status = fenster_.findChild<QLabel*>("Speicherstatus");
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->isVisible(), gescheitert);
    EXPECT_EQ(status->text().contains(QString::fromUtf8("Konto 中")), gescheitert);
  }
}

}  // namespace
}  // namespace vks
