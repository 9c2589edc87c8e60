#include "adapters/qt/frmRTTSpeicherordner.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "fakes/InMemoryRegistryBackend.h"
#include "fakes/RecordingReporter.h"
#include "fakes/TempFolder.h"
#include "platform/settings/RegistrySettingsStore.h"
#include "tests/adapters/qt/Bedienelemente.h"
#include "tests/adapters/qt/QtTestAnwendung.h"

namespace vks {
namespace {

class frmRTTSpeicherordnerTest : public ::testing::Test {
 protected:
  QApplication& app_ = testing::QtTestAnwendung();
  testing::TempFolder temp_;
  InMemoryRegistryBackend backend_;
  RegistrySettingsStore settings_{backend_};
  testing::RecordingReporter melder_;
  std::unique_ptr<FileSystem> ordner_ = NewPlatformFileSystem();
  frmRTTSpeicherordner dialog_{{melder_, settings_, *ordner_, ""}};

  QPushButton* Knopf(const char* name) { return dialog_.findChild<QPushButton*>(name); }
};

TEST_F(frmRTTSpeicherordnerTest, TextsBrowserAndConfirmation) {
  EXPECT_EQ(dialog_.windowTitle(), "Ordner zum Speichern der RTT-Dateien");
  EXPECT_EQ(dialog_.AktPfadLabel()->text(), "Aktuell verwendeter Ordner:");
  ASSERT_NE(Knopf("Okay"), nullptr);
  EXPECT_EQ(Knopf("Okay")->toolTip(), "Schließt den Dialog und speichert alle Einstellungen ab");
  EXPECT_EQ(Knopf("btnOrdnerwahl")->text(), "...");
  EXPECT_EQ(testing::NamenloseBedienelemente(&dialog_), "");

  dialog_.SetzeOrdner("/opt/tradomir/Realtimedaten");
  EXPECT_EQ(dialog_.txtOrdner()->text(), "/opt/tradomir/Realtimedaten");
  EXPECT_TRUE(dialog_.AktPfadLabel()->text().endsWith("/opt/tradomir/Realtimedaten"));

  // A cancelled browser leaves the field; a chosen folder replaces it.
  dialog_.waehle_ordner = [](QWidget*) { return QString(); };
  QTest::mouseClick(Knopf("btnOrdnerwahl"), Qt::LeftButton);
  EXPECT_EQ(dialog_.txtOrdner()->text(), "/opt/tradomir/Realtimedaten");
  const QString gewaehlt = QString::fromStdString(temp_.path());
  dialog_.waehle_ordner = [&](QWidget*) { return gewaehlt; };
  QTest::mouseClick(Knopf("btnOrdnerwahl"), Qt::LeftButton);
  EXPECT_EQ(dialog_.txtOrdner()->text(), gewaehlt);

  dialog_.show();
  dialog_.txtOrdner()->setText("   ");
  QTest::mouseClick(Knopf("Okay"), Qt::LeftButton);
  EXPECT_TRUE(dialog_.isVisible());
  EXPECT_EQ(dialog_.Ergebnis(), "");
  EXPECT_EQ(melder_.messages.size(), 1u);

  dialog_.txtOrdner()->setText(gewaehlt);
  QTest::mouseClick(Knopf("Okay"), Qt::LeftButton);
  EXPECT_FALSE(dialog_.isVisible());
  EXPECT_EQ(dialog_.Ergebnis(), "OK");
  EXPECT_EQ(settings_.GetSetting("Tradomir Kontoserver", "Einstellungen", "RTTSpeicherpfadV7", ""),
            temp_.path());
}

}  // namespace
}  // namespace vks
