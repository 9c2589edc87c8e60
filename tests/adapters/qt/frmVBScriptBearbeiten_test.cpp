#include "adapters/qt/frmVBScriptBearbeiten.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>

#include "adapters/qt/VBScriptHervorhebung.h"
#include "presenters/VBScriptBearbeiten.h"
#include "tests/adapters/qt/Bedienelemente.h"
#include "tests/adapters/qt/QtTestAnwendung.h"
#include "tests/scripting/ScriptTestUmgebung.h"

namespace vks {
namespace {

using namespace editor_befehl;

class frmVBScriptBearbeitenTest : public testing::AnwendungZuerst,
                                  public ::testing::Test,
                                  public testing::ScriptServer {
 protected:
  frmVBScriptBearbeitenTest() {
    editor_.SetzeKontoName("Depot");
    editor_.show();
  }
  std::string Text() { return editor_.Editor()->toPlainText().toStdString(); }
  // A key as the user types it into the editor of the active window.
  void Taste(Qt::Key taste, Qt::KeyboardModifiers mit = {}) {
    editor_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&editor_));
    editor_.Editor()->setFocus();
    QTest::keyClick(editor_.Editor(), taste, mit);
  }
  QAction* Eintrag(QMenu* menu, const QString& text) {
    for (QAction* a : menu->actions()) {
      if (a->iconText() == text) return a;
      if (a->menu())
        if (QAction* tief = Eintrag(a->menu(), text)) return tief;
    }
    return nullptr;
  }

  frmVBScriptBearbeiten editor_{
      EditorUmfeld{reporter, &umgebung, &state.Konten, nullptr, AutomationLocale::German()}};
};

TEST_F(frmVBScriptBearbeitenTest, PopUpsInsertAtTheCaret) {
  QStringList gruppen;
  // As shown: "&" is no mnemonic marker here.
  for (QAction* a : editor_.KennzahlenMenue()->actions()) gruppen << a->iconText();
  EXPECT_EQ(gruppen, (QStringList{"Orders", "Positionen", "Wert & P/L", "Margin", "Kapital"}));
  editor_.SetzeScript("Ergebnis = ");
  editor_.Editor()->moveCursor(QTextCursor::End);
  Eintrag(editor_.KennzahlenMenue(), "Offene Orders")->trigger();
  EXPECT_EQ(Text(), "Ergebnis = Kennzahl(\"OffeneOrders\")");
  editor_.Editor()->moveCursor(QTextCursor::End);
  editor_.Editor()->insertPlainText(" + Kennzahl(\"Positionen\", ");
  Eintrag(editor_.KontenMenue(), "Zweites")->trigger();
  EXPECT_EQ(Text(), "Ergebnis = Kennzahl(\"OffeneOrders\") + Kennzahl(\"Positionen\", \"Zweites\"");
}

TEST_F(frmVBScriptBearbeitenTest, ContextMenuEnablesByTheEditorsState) {
  QGuiApplication::clipboard()->clear();
  QMenu* menu = editor_.Kontextmenue(false);
  auto aktiv = [&](int id) { return editor_.Aktion(id)->isEnabled(); };
  EXPECT_EQ(menu->actions().size(), 7);
  EXPECT_FALSE(aktiv(kRueckgaengig));
  EXPECT_FALSE(aktiv(kAusschneiden));
  EXPECT_FALSE(aktiv(kEinfuegen));
  QTest::keyClicks(editor_.Editor(), "x = 1");
  editor_.Befehl(kAllesMarkieren);
  editor_.Kontextmenue(false);
  EXPECT_TRUE(aktiv(kRueckgaengig));
  EXPECT_FALSE(aktiv(kWiederholen));
  EXPECT_TRUE(aktiv(kAusschneiden));
  EXPECT_TRUE(aktiv(kKopieren));
  editor_.Befehl(kKopieren);
  editor_.Befehl(kRueckgaengig);
  editor_.Kontextmenue(false);
  EXPECT_TRUE(aktiv(kWiederholen));
  EXPECT_TRUE(aktiv(kEinfuegen));
  // Delete leaves the clipboard alone.
  editor_.SetzeScript("abc");
  editor_.Befehl(kAllesMarkieren);
  editor_.Befehl(kLoeschen);
  EXPECT_EQ(Text(), "");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "x = 1");
}

TEST_F(frmVBScriptBearbeitenTest, WaysOutAndTheirMarker) {
  struct Fall {
    const char* was;
    std::function<void()> tun;
    std::vector<int32_t> antworten;
    bool offen;
    std::string marker;
  };
  const Fall faelle[] = {
      {"close box, no", [&] { editor_.close(); }, {msgbox::kNo}, true, ""},
      {"close box, yes", [&] { editor_.close(); }, {msgbox::kYes}, false, ""},
      {"Esc", [&] { QTest::keyClick(&editor_, Qt::Key_Escape); }, {}, false, ""},
      {"Beenden", [&] { editor_.Befehl(kBeenden); }, {}, false, ""},
      {"Speichern", [&] { editor_.Befehl(kSpeichern); }, {}, false, "OK"},
      {"Ctrl+S", [&] { Taste(Qt::Key_S, Qt::ControlModifier); }, {}, false, "OK"},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.was);
    editor_.show();
    reporter.messages.clear();
    reporter.answers.assign(f.antworten.begin(), f.antworten.end());
    f.tun();
    EXPECT_EQ(editor_.isVisible(), f.offen);
    EXPECT_EQ(editor_.Ergebnis(), f.marker);
    if (!f.antworten.empty()) {
      ASSERT_EQ(reporter.messages.size(), 1u);
      EXPECT_EQ(reporter.messages[0].text, "Dialog schließen und Einstellungen verwerfen?");
    }
  }
}

// Test and find on the keys other programs use; every control is named for a screen reader.
TEST_F(frmVBScriptBearbeitenTest, KeysForTestAndFind) {
  const struct {
    Qt::Key taste;
    Qt::KeyboardModifiers mit;
    const char* meldung;
  } tasten[] = {
      {Qt::Key_F5, {}, "Es wurde kein Fehler festgestellt. Das Ergebnis der Berechnung ist: 0"},
      {Qt::Key_F, Qt::ControlModifier, "Noch nicht implementiert!"},
  };
  for (const auto& t : tasten) {
    SCOPED_TRACE(t.meldung);
    reporter.messages.clear();
    Taste(t.taste, t.mit);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, t.meldung);
  }
  EXPECT_EQ(testing::NamenloseBedienelemente(&editor_), "");
  // A failed run puts the caret on the error line.
  editor_.SetzeScript("Ergebnis = 1\r\nx = 2\r\nErgebnis = (");
  editor_.Befehl(kTesten);
  EXPECT_EQ(editor_.Editor()->textCursor().blockNumber(), 2);
}

TEST(VBScriptHervorhebung, ColoursEachKind) {
  using Art = VBScriptHervorhebung::Art;
  const QString zeile = QStringLiteral("If Kennzahl(\"it's\") > 10 Then Ergebnis = 1 ' Ende");
  const auto arten = VBScriptHervorhebung::Arten(zeile);
  const std::pair<const char*, Art> teile[] = {
      {"If", Art::kSchluesselwort},   {"Kennzahl", Art::kGlobal},
      {"it's", Art::kText},           {"10", Art::kZahl},
      {"Then", Art::kSchluesselwort}, {"Ergebnis", Art::kGlobal},
      {"' Ende", Art::kKommentar},    {"> ", Art::kKeine}};
  for (const auto& [teil, erwartet] : teile)
    EXPECT_EQ(arten[static_cast<size_t>(zeile.indexOf(QString::fromUtf8(teil)))], erwartet) << teil;
  const auto rem = VBScriptHervorhebung::Arten(QStringLiteral("Rem If 1"));
  EXPECT_EQ(rem.back(), Art::kKommentar);
}

}  // namespace
}  // namespace vks
