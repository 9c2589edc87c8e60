#include "presenters/DateiModul.h"

#include <gtest/gtest.h>

#include "fakes/InMemoryRegistryBackend.h"
#include "platform/settings/RegistrySettingsStore.h"

namespace vks {
namespace {

// A 1280 × 720 pixel screen at 96 dpi: 19200 × 10800 twips.
class TestFenster : public LayoutFenster {
 public:
  FensterRechteck rechteck{0, 0, 9000, 6000};
  Fensterzustand zustand = Fensterzustand::Normal;
  std::vector<FensterRechteck> bewegungen;
  std::vector<Fensterzustand> zustaende;

  FensterRechteck Rechteck() const override { return rechteck; }
  void SetzeRechteck(const FensterRechteck& r) override {
    rechteck = r;
    bewegungen.push_back(r);
  }
  Fensterzustand Zustand() const override { return zustand; }
  void SetzeZustand(Fensterzustand z) override {
    zustand = z;
    zustaende.push_back(z);
  }
  double BildschirmBreite() const override { return 19200; }
  double BildschirmHoehe() const override { return 10800; }
  double TwipsProPixelX() const override { return 15; }
  double TwipsProPixelY() const override { return 15; }
};

class DateiModulTest : public ::testing::Test {
 protected:
  void Speichere(const char* key, const char* value) {
    ASSERT_TRUE(settings_.SaveSetting("Tradomir", "Test", key, value).ok());
  }
  std::string Gespeichert(const char* key) {
    return settings_.GetSetting("Tradomir", "Test", key, "<fehlt>");
  }

  InMemoryRegistryBackend backend_;
  RegistrySettingsStore settings_{backend_};
  AutomationLocale deutsch_ = AutomationLocale::German();
};

TEST_F(DateiModulTest, RestoreFromStoredValues) {
  using Z = Fensterzustand;
  const FensterRechteck mitte{5100, 2400, 9000, 6000};  // first start: centred, the design size
  struct Fall {
    const char* name;
    std::vector<std::pair<const char*, const char*>> werte;
    FensterRechteck erwartet;
    std::vector<Fensterzustand> zustaende;
  } faelle[] = {
      {"first start", {}, mitte, {Z::Normal}},
      {"all four values in German decimal text",
       {{"Links", "1500,5"}, {"Oben", "300"}, {"Breite", "12000"}, {"Höhe", "7000,25"}},
       {1500.5, 300, 12000, 7000.25},
       {Z::Normal}},
      // An edge beyond 0.9 of the screen is pulled back; negative edges stay.
      {"to 0.9", {{"Links", "20000"}, {"Oben", "10000"}}, {17280, 9720, 9000, 6000}, {Z::Normal}},
      {"negative", {{"Links", "-300"}, {"Oben", "-15"}}, {-300, -15, 9000, 6000}, {Z::Normal}},
      {"unreadable values skip their step",
       {{"Links", "abc"}, {"Oben", "12x"}, {"Breite", "1E+39"}, {"Höhe", "-10"}},
       mitte,
       {Z::Normal}},
      {"maximized", {{"WinState", "2"}}, mitte, {Z::Maximiert}},
      {"a state that is no window state is skipped", {{"WinState", "7"}}, mitte, {}},
      {"a state that is no number is skipped", {{"WinState", "gross"}}, mitte, {}},
  };
  for (const Fall& fall : faelle) {
    SCOPED_TRACE(fall.name);
    ASSERT_TRUE(settings_.DeleteSetting("Tradomir", "", "").ok());
    for (auto [key, value] : fall.werte) Speichere(key, value);
    TestFenster fenster;
    LadeFensterLayout(fenster, settings_, "Test", deutsch_);
    EXPECT_EQ(fenster.rechteck, fall.erwartet);
    EXPECT_EQ(fenster.zustaende, fall.zustaende);
  }
}

TEST_F(DateiModulTest, StoreWritesLocaleTextAndKeepsTheNormalPlaceWhenMaximized) {
  TestFenster fenster;
  fenster.rechteck = {1234.5, 300, 12000, 7000};
  SpeichereFensterLayout(fenster, settings_, "Test", deutsch_);
  EXPECT_EQ(Gespeichert("Links"), "1234,5");
  EXPECT_EQ(Gespeichert("Oben"), "300");
  EXPECT_EQ(Gespeichert("Breite"), "12000");
  EXPECT_EQ(Gespeichert("Höhe"), "7000");
  EXPECT_EQ(Gespeichert("WinState"), "0");

  fenster.zustand = Fensterzustand::Maximiert;
  fenster.rechteck = {0, 0, 19200, 10800};
  SpeichereFensterLayout(fenster, settings_, "Test", deutsch_);
  EXPECT_EQ(Gespeichert("Links"), "1234,5");
  EXPECT_EQ(Gespeichert("Breite"), "12000");
  EXPECT_EQ(Gespeichert("WinState"), "2");

  TestFenster wieder;
  LadeFensterLayout(wieder, settings_, "Test", deutsch_);
  EXPECT_EQ(wieder.rechteck, (FensterRechteck{1234.5, 300, 12000, 7000}));
  EXPECT_EQ(wieder.zustand, Fensterzustand::Maximiert);

  // An English user's decimal point, read and written.
  Speichere("Links", "1500.5");
  Speichere("WinState", "0");
  TestFenster englisch;
  LadeFensterLayout(englisch, settings_, "Test", AutomationLocale::Invariant());
  EXPECT_EQ(englisch.rechteck.Links, 1500.5);
  englisch.rechteck.Links = 250.25;
  SpeichereFensterLayout(englisch, settings_, "Test", AutomationLocale::Invariant());
  EXPECT_EQ(Gespeichert("Links"), "250.25");
}

TEST_F(DateiModulTest, MinimumSizeRaisesEachDimensionSeparately) {
  struct Fall {
    FensterRechteck vorher;
    FensterRechteck nachher;
    size_t bewegungen;
  } faelle[] = {
      {{10, 20, 8000, 5000}, {10, 20, 9000, 5000}, 1},
      {{10, 20, 12000, 3000}, {10, 20, 12000, 3750}, 1},
      {{10, 20, 100, 100}, {10, 20, 9000, 3750}, 1},
      {{10, 20, 9000, 3750}, {10, 20, 9000, 3750}, 0},
  };
  for (const Fall& fall : faelle) {
    SCOPED_TRACE(fall.vorher.Breite);
    TestFenster fenster;
    fenster.rechteck = fall.vorher;
    SetzeMindestGroesse(fenster, 600, 250);
    EXPECT_EQ(fenster.rechteck, fall.nachher);
    EXPECT_EQ(fenster.bewegungen.size(), fall.bewegungen);
  }
}

}  // namespace
}  // namespace vks
