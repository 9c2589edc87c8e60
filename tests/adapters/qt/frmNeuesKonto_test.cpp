#include "adapters/qt/frmNeuesKonto.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "adapters/qt/frmVBScriptBearbeiten.h"
#include "platform/automation/DateText.h"
#include "tests/adapters/qt/Bedienelemente.h"
#include "tests/adapters/qt/QtTestAnwendung.h"
#include "tests/presenters/HauptfensterTestFenster.h"

namespace vks {
namespace {

class frmNeuesKontoTest : public testing::AnwendungZuerst,
                          public ::testing::Test,
                          public HauptfensterServer {
 protected:
  frmNeuesKontoTest() : HauptfensterServer(45500.5) {
    dialog_.show();
    QApplication::setActiveWindow(&dialog_);
  }
  template <class T = QWidget>
  T* Feld(const char* name) {
    return dialog_.findChild<T*>(QString::fromUtf8(name));
  }
  NeuesKontoUmfeld Umfeld(const AutomationLocale& locale) {
    return {melder,  clock,   state.Konten, locale,
            dateien, nullptr, nullptr,      nullptr,
            nullptr, nullptr, "",           [this](frmVBScriptBearbeiten& e) { editor_tut_(e); }};
  }

  std::function<void(frmVBScriptBearbeiten&)> editor_tut_;
  frmNeuesKonto dialog_{Umfeld(AutomationLocale::German())};
};

TEST_F(frmNeuesKontoTest, DefaultsCaptionsAndTabs) {
  EXPECT_EQ(dialog_.windowTitle(), "Neues Konto anlegen");
  EXPECT_EQ(dialog_.Tabs()->tabText(0), "Einstellungen");
  EXPECT_EQ(dialog_.Tabs()->tabText(1), "Skripts");
  EXPECT_EQ(Feld<QLineEdit>("txtName")->text(), "NeuesKonto");
  EXPECT_EQ(Feld<QLineEdit>("txtKontostand")->text(), "10000,00");
  EXPECT_EQ(dialog_.Felder().Datumfeld.days, 45500.5);
  EXPECT_TRUE(dialog_.Knopf("Okay")->isDefault());
  EXPECT_FALSE(dialog_.Knopf("btnReset")->isEnabled());
  EXPECT_EQ(testing::NamenloseBedienelemente(&dialog_), "");
  // The margin's conversion is open only with the conversion.
  auto* margin = Feld<QCheckBox>("optMarginUmrechnen");
  EXPECT_FALSE(margin->isEnabled());
  Feld<QCheckBox>("optUseUmrechnung")->click();
  EXPECT_TRUE(margin->isEnabled());
  Feld<QCheckBox>("optUseUmrechnung")->click();
  EXPECT_FALSE(margin->isEnabled());
  // Cancel empties the marker.
  dialog_.SetzeMarker("Depot");
  dialog_.Knopf("Abbruch")->click();
  EXPECT_EQ(dialog_.Marker(), "");
  EXPECT_EQ(dialog_.result(), QDialog::Rejected);
}

// The date field writes the date as the account list does, in the user's locale.
TEST_F(frmNeuesKontoTest, TheDateFieldWritesAsTheList) {
  AutomationLocale iso = AutomationLocale::German();
  iso.date_order = AutomationLocale::DateOrder::YearMonthDay;
  iso.date_separator = "-";
  for (const AutomationLocale& locale :
       {AutomationLocale::German(), AutomationLocale::FromName("en_US.UTF-8"), iso}) {
    frmNeuesKonto dialog{Umfeld(locale)};
    EXPECT_EQ(dialog.findChild<QDateTimeEdit*>("Datumfeld")->text().toStdString(),
              FormatDateText(DateValue{45500.5}, locale));
  }
}

TEST_F(frmNeuesKontoTest, TabOrderWalksTheSettingsTab) {
  // The focus chain from the name on, as Tab walks it: visible, enabled controls that take Tab.
  std::vector<std::string> reihe;
  QWidget* w = Feld("txtName");
  for (int i = 0; i < 200 && reihe.size() < 9; ++i, w = w->nextInFocusChain()) {
    if (!w->isVisible() || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus)) continue;
    const std::string name = w->objectName().toStdString();
    if (!name.empty() && !name.starts_with("qt_")) reihe.push_back(name);
  }
  EXPECT_EQ(reihe,
            (std::vector<std::string>{"txtName", "txtBeschreibung", "txtKontostand", "Datumfeld",
                                      "optUseDatenZeitstempel", "optUseGebuehren",
                                      "optUseUmrechnung", "optPosUseLastPrice", "Okay"}));
}

TEST_F(frmNeuesKontoTest, EnterConfirmsThroughTheDefaultButton) {
  Feld<QLineEdit>("txtName")->setText("  a#b ");
  QTest::keyClick(Feld("txtName"), Qt::Key_Return);
  ASSERT_EQ(melder.messages.size(), 1u);
  EXPECT_TRUE(melder.messages[0].text.starts_with("Ungültiger Name für ein Konto."));
  EXPECT_EQ(Feld<QLineEdit>("txtName")->text(), "a#b");
  EXPECT_TRUE(dialog_.isVisible());
  Feld<QLineEdit>("txtName")->setText("Gut");
  QTest::keyClick(Feld("txtName"), Qt::Key_Return);
  EXPECT_FALSE(dialog_.isVisible());
  EXPECT_EQ(dialog_.Marker(), "OK");
  EXPECT_EQ(dialog_.result(), QDialog::Accepted);
}

TEST_F(frmNeuesKontoTest, ScriptButtonsOpenTheEditorWithTheExample) {
  std::string gezeigt;
  editor_tut_ = [&](frmVBScriptBearbeiten& e) {
    gezeigt = e.Script();
    e.Befehl(1079);  // Beenden
  };
  dialog_.Knopf("btnScriptBearbeiten_0")->click();
  EXPECT_EQ(gezeigt,
            "'' Beispiel (Streiche offene Enter-Orders ab 10 offenen Positionen):\r\n"
            "'' If Kennzahl(\"Positionen\") >= 10 then StreicheEnterOrders");
  EXPECT_EQ(dialog_.Felder().txtStreichBedingung, "");
  editor_tut_ = [&](frmVBScriptBearbeiten& e) {
    e.SetzeScript("Ergebnis = 1\r\nErgebnis = 2");
    e.Befehl(1078);  // Speichern
  };
  dialog_.Knopf("btnScriptBearbeiten_1")->click();
  EXPECT_EQ(dialog_.Felder().txtKeinePlatzierung, "Ergebnis = 1\r\nErgebnis = 2");
}

TEST(AutomationDates, PickerTimesRoundTrip) {
  for (double tage : {2.0, 45500.5, 45500.999988426}) {
    SCOPED_TRACE(tage);
    EXPECT_NEAR(AlsDatum(AlsDateTime(DateValue{tage})).days, tage, 1e-8);
  }
  EXPECT_EQ(AlsDateTime(DateValue{45292.75}).toString("yyyy-MM-dd HH:mm"), "2024-01-01 18:00");
}

}  // namespace
}  // namespace vks
