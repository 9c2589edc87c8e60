#include "adapters/qt/FensterLayout.h"

#include <gtest/gtest.h>

#include <QScreen>

#include "platform/automation/VariantConversions.h"

#include "fakes/InMemoryRegistryBackend.h"
#include "platform/settings/RegistrySettingsStore.h"
#include "tests/adapters/qt/QtTestAnwendung.h"

namespace vks {
namespace {

class FensterLayoutTest : public ::testing::Test {
 protected:
  QApplication& app_ = testing::QtTestAnwendung();
  void SetUp() override {
    fenster_.resize(400, 200);
    QScreen* screen = fenster_.screen();
    bildschirm_ = screen->geometry();
    twips_ = 1440.0 / screen->logicalDotsPerInchX();
  }
  std::string Gespeichert(const char* key) {
    return settings_.GetSetting("Tradomir", "Test", key, "<fehlt>");
  }
  std::string Twips(int pixel) {
    return FormatSingle(static_cast<float>(pixel * twips_), AutomationLocale::German());
  }

  InMemoryRegistryBackend backend_;
  RegistrySettingsStore settings_{backend_};
  QWidget fenster_;
  QRect bildschirm_;
  double twips_ = 15;
};

TEST_F(FensterLayoutTest, FirstStartCentresAndStoreWritesTwips) {
  LadeFensterLayout(&fenster_, settings_, "Test", AutomationLocale::German());
  EXPECT_EQ(fenster_.size(), QSize(400, 200));
  EXPECT_EQ(fenster_.pos() - bildschirm_.topLeft(),
            QPoint((bildschirm_.width() - 400) / 2, (bildschirm_.height() - 200) / 2));
  fenster_.move(bildschirm_.topLeft() + QPoint(31, 17));
  SpeichereFensterLayout(&fenster_, settings_, "Test", AutomationLocale::German());
  EXPECT_EQ(Gespeichert("Links"), Twips(31));
  EXPECT_EQ(Gespeichert("Oben"), Twips(17));
  EXPECT_EQ(Gespeichert("Breite"), Twips(400));
  EXPECT_EQ(Gespeichert("Höhe"), Twips(200));
  EXPECT_EQ(Gespeichert("WinState"), "0");

  QWidget wieder;
  wieder.resize(100, 100);
  LadeFensterLayout(&wieder, settings_, "Test", AutomationLocale::German());
  EXPECT_EQ(wieder.geometry(), QRect(bildschirm_.topLeft() + QPoint(31, 17), QSize(400, 200)));
}

TEST_F(FensterLayoutTest, EnormousAndNegativeValuesNeverBreakTheWindow) {
  const char* werte[][2] = {
      {"Breite", "1E+30"}, {"Höhe", "3,4E+38"}, {"Links", "-1E+30"}, {"Oben", "-5"}};
  for (auto& [key, value] : werte)
    ASSERT_TRUE(settings_.SaveSetting("Tradomir", "Test", key, value).ok());
  LadeFensterLayout(&fenster_, settings_, "Test", AutomationLocale::German());
  EXPECT_GT(fenster_.width(), 0);
  EXPECT_GT(fenster_.height(), 0);
  EXPECT_EQ(fenster_.y() - bildschirm_.y(), -5 / twips_ > -1 ? 0 : qRound(-5 / twips_));
}

TEST_F(FensterLayoutTest, MaximizedStateIsStoredAndRestored) {
  ASSERT_TRUE(settings_.SaveSetting("Tradomir", "Test", "WinState", "2").ok());
  LadeFensterLayout(&fenster_, settings_, "Test", AutomationLocale::German());
  EXPECT_TRUE(fenster_.windowState() & Qt::WindowMaximized);
  SpeichereFensterLayout(&fenster_, settings_, "Test", AutomationLocale::German());
  EXPECT_EQ(Gespeichert("WinState"), "2");
  EXPECT_EQ(Gespeichert("Links"), "<fehlt>");
}

}  // namespace
}  // namespace vks
