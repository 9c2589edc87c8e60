#include "platform/settings/RegistrySettingsStore.h"

#include <gtest/gtest.h>

#include "fakes/InMemoryRegistryBackend.h"

namespace vks {
namespace {

class RegistrySettingsStoreTest : public ::testing::Test {
 protected:
  // Where the platform keeps an application's settings, spelled out.
  const std::string kTradomir = "Software\\VB and VBA Program Settings\\Tradomir\\";
  InMemoryRegistryBackend backend_;
  RegistrySettingsStore store_{backend_};
};

TEST_F(RegistrySettingsStoreTest, SettingsLiveWhereThePlatformKeepsThemAndGetFallsBack) {
  ASSERT_TRUE(store_.SaveSetting("Tradomir", "Konto-Server Hauptfenster", "Höhe", "4500").ok());
  EXPECT_EQ(*backend_.GetValue(HKEY_CURRENT_USER, kTradomir + "Konto-Server Hauptfenster", "Höhe")
                 .value(),
            StringValue("4500"));
  ASSERT_TRUE(
      backend_.SetValue(HKEY_CURRENT_USER, kTradomir + "Programm", "Zahl", DwordValue(5)).ok());
  struct Case {
    const char* app;
    const char* section;
    const char* key;
    const char* expected;
  };
  const Case kCases[] = {
      {"Tradomir", "Konto-Server Hauptfenster", "Höhe", "4500"},
      {"TRADOMIR", "konto-server hauptfenster", "HÖHE", "4500"},
      {"Tradomir", "Konto-Server Hauptfenster", "Breite", "dflt"},
      {"Tradomir", "Fehlt", "Höhe", "dflt"},
      {"Tradomir", "Programm", "Zahl", "dflt"},  // not text
      {"", "Programm", "Zahl", "dflt"},
      {"Tradomir", "", "Höhe", "dflt"},
      {"Tradomir", "Konto-Server Hauptfenster", "", "dflt"},
      {"Tradomir\\Konto-Server Hauptfenster", "x", "Höhe", "dflt"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::string(c.app) + "/" + c.section + "/" + c.key);
    EXPECT_EQ(store_.GetSetting(c.app, c.section, c.key, "dflt"), c.expected);
  }
  backend_.fail_reads = true;
  EXPECT_EQ(store_.GetSetting("Tradomir", "Konto-Server Hauptfenster", "Höhe", "dflt"), "dflt");
}

TEST_F(RegistrySettingsStoreTest, SaveRefusesIncompleteAddressesAndReportsAFailingStore) {
  struct Case {
    const char* app;
    const char* section;
    const char* key;
  };
  const Case kCases[] = {{"", "s", "k"},     {"a", "", "k"},     {"a", "s", ""},
                         {"a\\b", "s", "k"}, {"a", "s\\t", "k"}, {"a", "s", "\xFF"}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::string(c.app) + "/" + c.section + "/" + c.key);
    auto saved = store_.SaveSetting(c.app, c.section, c.key, "v");
    ASSERT_FALSE(saved.ok());
    EXPECT_EQ(saved.error().Number(), 5);
  }
  EXPECT_EQ(*backend_.EnumerateSubkeys(HKEY_CURRENT_USER, "").value(), std::vector<std::string>{});
  backend_.fail_set_value = true;
  EXPECT_EQ(store_.SaveSetting("a", "s", "k", "v").error().Number(), 75);
}

TEST_F(RegistrySettingsStoreTest, DeleteWorksOnKeySectionAndApplication) {
  for (const char* section : {"Eins", "Zwei"}) {
    for (const char* key : {"a", "b"})
      ASSERT_TRUE(store_.SaveSetting("App", section, key, key).ok());
  }
  EXPECT_TRUE(store_.DeleteSetting("app", "eins", "A").value());
  EXPECT_FALSE(store_.DeleteSetting("App", "Eins", "a").value());
  EXPECT_EQ(store_.GetAllSettings("App", "Eins").value(), (std::vector<Setting>{{"b", "b"}}));
  EXPECT_TRUE(store_.DeleteSetting("App", "Eins", "").value());
  EXPECT_EQ(store_.GetSetting("App", "Eins", "b", "weg"), "weg");
  EXPECT_EQ(store_.GetSetting("App", "Zwei", "b", "weg"), "b");
  EXPECT_TRUE(store_.DeleteSetting("App", "", "").value());
  EXPECT_FALSE(store_.DeleteSetting("App", "", "").value());
  EXPECT_EQ(store_.GetSetting("App", "Zwei", "b", "weg"), "weg");
  EXPECT_EQ(store_.DeleteSetting("App", "", "b").error().Number(), 5);
  EXPECT_EQ(store_.DeleteSetting("", "", "").error().Number(), 5);
}

TEST_F(RegistrySettingsStoreTest, GetAllListsTextEntriesInStoredOrder) {
  for (const char* key : {"Links", "Oben", "Breite", "Höhe", "WinState"}) {
    ASSERT_TRUE(
        store_.SaveSetting("Tradomir", "KontoUebersicht", key, std::string(key) + "=").ok());
  }
  ASSERT_TRUE(store_.SaveSetting("Tradomir", "KontoUebersicht", "links", "neu").ok());
  ASSERT_TRUE(backend_
                  .SetValue(HKEY_CURRENT_USER, kTradomir + "KontoUebersicht", "Bin",
                            RegistryValue{REG_BINARY, {1}})
                  .ok());
  EXPECT_EQ(store_.GetAllSettings("Tradomir", "KontoUebersicht").value(),
            (std::vector<Setting>{{"Links", "neu"},
                                  {"Oben", "Oben="},
                                  {"Breite", "Breite="},
                                  {"Höhe", "Höhe="},
                                  {"WinState", "WinState="}}));
  EXPECT_TRUE(store_.GetAllSettings("Tradomir", "Fehlt").value().empty());
  backend_.fail_reads = true;
  EXPECT_EQ(store_.GetAllSettings("Tradomir", "KontoUebersicht").error().Number(), 75);
}

}  // namespace
}  // namespace vks
