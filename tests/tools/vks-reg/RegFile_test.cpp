#include "tools/vks-reg/RegFile.h"

#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

#include "fakes/InMemoryRegistryBackend.h"

namespace vks {
namespace {

std::string Utf16(std::string_view utf8) {
  return Utf8ToUtf16Le(utf8);
}

class RegFileTest : public ::testing::Test {
 protected:
  void Fill(RegistryBackend& reg) {
    const std::string key = "Software\\Tradomir";
    const std::tuple<std::string, const char*, RegistryValue> values[] = {
        {key, "", StringValue("Standard")},
        {key, "Pfad \"a\"", StringValue("C:\\Daten")},
        {key, "Zahl", DwordValue(258)},
        {key, "Höhe", StringValue("4 500 €")},
        {key, "Exp", StringValue("%TEMP%ä", REG_EXPAND_SZ)},
        {key, "Multi", RegistryValue{REG_MULTI_SZ, {'a', 0, 'b', 0, 0}}},
        {key, "Zeilen", StringValue("a\r\nb")},
        {key + "\\Sub", "Bin", RegistryValue{REG_BINARY, std::vector<uint8_t>(40, 0xAB)}},
        {key + "\\Sub", "Typ11", RegistryValue{11, {1, 2}}},
    };
    for (const auto& [path, name, value] : values)
      ASSERT_TRUE(reg.SetValue(HKEY_CURRENT_USER, path, name, value).ok()) << name;
    ASSERT_TRUE(reg.CreateKey(HKEY_CURRENT_USER, key + "\\Leer").ok());
  }
  // Everything below the key as text, for comparing two stores.
  std::string Dump(RegistryBackend& reg, const std::string& path) {
    std::string out = "[" + path + "]";
    const auto names = reg.EnumerateValues(HKEY_CURRENT_USER, path).value().value();
    for (const std::string& name : names) {
      auto value = *reg.GetValue(HKEY_CURRENT_USER, path, name).value();
      out += name + ":" + std::to_string(value.type) + ":" +
             std::string(value.data.begin(), value.data.end()) + ";";
    }
    const auto subkeys = reg.EnumerateSubkeys(HKEY_CURRENT_USER, path).value().value();
    for (const std::string& sub : subkeys) {
      out += Dump(reg, path + "\\" + sub);
    }
    return out;
  }
};

TEST_F(RegFileTest, BothVersionsRoundTripEveryType) {
  for (RegFileVersion version : {RegFileVersion::Version5, RegFileVersion::Regedit4}) {
    SCOPED_TRACE(version == RegFileVersion::Version5 ? "5.00" : "REGEDIT4");
    InMemoryRegistryBackend source, target;
    Fill(source);
    auto bytes = WriteRegFile(source, {{HKEY_CURRENT_USER, "Software"}}, version);
    ASSERT_TRUE(bytes.ok()) << bytes.error().Description();
    auto applied = ImportRegFile(target, bytes.value());
    ASSERT_TRUE(applied.ok()) << applied.error().Description();
    EXPECT_EQ(Dump(target, "Software"), Dump(source, "Software"));
  }
}

TEST_F(RegFileTest, Version5IsUtf16WithTheUsualLines) {
  InMemoryRegistryBackend reg;
  ASSERT_TRUE(reg.SetValue(HKEY_LOCAL_MACHINE, "A", "", StringValue("x\\y")).ok());
  ASSERT_TRUE(reg.SetValue(HKEY_LOCAL_MACHINE, "A", "n", DwordValue(10)).ok());
  ASSERT_TRUE(reg.SetValue(HKEY_LOCAL_MACHINE, "A", "e", StringValue("%P%", REG_EXPAND_SZ)).ok());
  ASSERT_TRUE(reg.SetValue(HKEY_LOCAL_MACHINE, "A", "b", RegistryValue{REG_BINARY, {1, 255}}).ok());
  auto bytes = WriteRegFile(reg, {{HKEY_LOCAL_MACHINE, "A"}}, RegFileVersion::Version5);
  ASSERT_TRUE(bytes.ok());
  EXPECT_EQ(bytes.value(), "\xFF\xFE" + Utf16("Windows Registry Editor Version 5.00\r\n\r\n"
                                              "[HKEY_LOCAL_MACHINE\\A]\r\n"
                                              "@=\"x\\\\y\"\r\n"
                                              "\"n\"=dword:0000000a\r\n"
                                              "\"e\"=hex(2):25,00,50,00,25,00,00,00\r\n"
                                              "\"b\"=hex:01,ff\r\n\r\n"));
}

TEST_F(RegFileTest, LongHexDataIsWrappedAndReadBack) {
  InMemoryRegistryBackend reg;
  ASSERT_TRUE(
      reg.SetValue(HKEY_USERS, "K", "v", RegistryValue{REG_BINARY, std::vector<uint8_t>(100, 0x11)})
          .ok());
  auto bytes = WriteRegFile(reg, {{HKEY_USERS, "K"}}, RegFileVersion::Regedit4);
  ASSERT_TRUE(bytes.ok());
  EXPECT_NE(bytes->find("11,\\\r\n  11,"), std::string::npos);
  std::istringstream lines(bytes.value());
  for (std::string line; std::getline(lines, line);) EXPECT_LE(line.size(), 81u) << line;  // \r
}

TEST_F(RegFileTest, ImportDeletesAndReadsRegedit4Text) {
  InMemoryRegistryBackend reg;
  ASSERT_TRUE(reg.SetValue(HKEY_CURRENT_USER, "Alt\\Tief", "v", StringValue("x")).ok());
  ASSERT_TRUE(reg.SetValue(HKEY_CURRENT_USER, "Neu", "weg", StringValue("x")).ok());
  const std::string file =
      "REGEDIT4\r\n\r\n; Kommentar\r\n[-HKEY_CURRENT_USER\\Alt]\r\n"
      "[HKCU\\Neu]\r\n\"weg\"=-\r\n\"H\xF6he\"=\"4500\"\r\n\"e\"=hex(2):25,\xff\r\n";
  // The bad byte on the last line refuses the whole file.
  auto refused = ImportRegFile(reg, file);
  ASSERT_FALSE(refused.ok());
  EXPECT_NE(refused.error().Description().find("Zeile 8"), std::string::npos)
      << refused.error().Description();
  EXPECT_TRUE(reg.KeyExists(HKEY_CURRENT_USER, "Alt\\Tief").value());

  auto applied = ImportRegFile(reg, file.substr(0, file.rfind("\"e\"")));
  ASSERT_TRUE(applied.ok()) << applied.error().Description();
  EXPECT_EQ(applied.value(), 4);
  EXPECT_FALSE(reg.KeyExists(HKEY_CURRENT_USER, "Alt").value());
  EXPECT_EQ(*reg.EnumerateValues(HKEY_CURRENT_USER, "Neu").value(),
            std::vector<std::string>{"Höhe"});
}

TEST_F(RegFileTest, BadFilesAreRefusedWithTheirLine) {
  const std::pair<std::string, std::string> kBad[] = {
      {"", "Zeile 0: keine Kopfzeile"},
      {"REGEDIT5\r\n", "Zeile 1: unbekannte Kopfzeile"},
      {"REGEDIT4\r\n\"v\"=\"x\"\r\n", "Zeile 2: Wert ohne Schlüssel"},
      {"REGEDIT4\r\n[HKEY_NIRGENDS\\a]\r\n", "Zeile 2: "},
      {"REGEDIT4\r\n[HKCU\\a\\\\b]\r\n", "leerer Abschnitt"},
      {"REGEDIT4\r\n[HKCU\\a\r\n", "Zeile 2: ']' fehlt"},
      {"REGEDIT4\r\n[HKCU\\a]\r\n\"v\"=dword:123\r\n", "Zeile 3: dword"},
      {"REGEDIT4\r\n[HKCU\\a]\r\n\"v\"=\"offen\r\n", "Zeile 3: Text ohne Ende"},
      {"REGEDIT4\r\n[HKCU\\a]\r\n\"v\"=hex(zz):00\r\n", "Zeile 3: hex(Typ)"},
      {"REGEDIT4\r\n[HKCU\\a]\r\n\"v\"=hex:0,1\r\n", "Zeile 3: Byte '0'"},
      {"REGEDIT4\r\n[HKCU\\a]\r\nv=1\r\n", "Zeile 3: unverständliche Zeile"},
      {"REGEDIT4\r\n[HKCU\\a]\r\n\"v\"\r\n", "Zeile 3: '=' fehlt"},
      {"\xFF\xFE\x41", "ungerader Länge"},
  };
  for (const auto& [file, reason] : kBad) {
    SCOPED_TRACE(file);
    InMemoryRegistryBackend reg;
    auto result = ImportRegFile(reg, file);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().Number(), 5);
    EXPECT_NE(result.error().Description().find(reason), std::string::npos)
        << result.error().Description();
    EXPECT_TRUE(reg.EnumerateSubkeys(HKEY_CURRENT_USER, "").value()->empty());
  }
}

TEST_F(RegFileTest, Regedit4RefusesTextOutsideItsCodePage) {
  for (int32_t type : {REG_SZ, REG_EXPAND_SZ}) {
    SCOPED_TRACE(type);
    InMemoryRegistryBackend reg;
    ASSERT_TRUE(reg.SetValue(HKEY_CURRENT_USER, "K", "v", StringValue("\xE2\x86\x92", type)).ok());
    auto bytes = WriteRegFile(reg, {{HKEY_CURRENT_USER, "K"}}, RegFileVersion::Regedit4);
    ASSERT_FALSE(bytes.ok());
    EXPECT_EQ(bytes.error().Number(), 5);
    EXPECT_TRUE(WriteRegFile(reg, {{HKEY_CURRENT_USER, "K"}}, RegFileVersion::Version5).ok());
  }
}

}  // namespace
}  // namespace vks
