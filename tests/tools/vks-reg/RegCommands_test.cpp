#include "tools/vks-reg/RegCommands.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "fakes/InMemoryRegistryBackend.h"
#include "fakes/TempFolder.h"
#include "tools/vks-reg/RegFile.h"

namespace vks {
namespace {

class RegCommandsTest : public ::testing::Test {
 protected:
  // Runs one command line; returns exit code, and keeps its output and messages.
  int Run(std::vector<std::string> args) {
    out_.str("");
    err_.str("");
    return RunRegCommand(args, reg_, out_, err_);
  }

  InMemoryRegistryBackend reg_;
  std::ostringstream out_, err_;
};

TEST_F(RegCommandsTest, AddStoresEveryTypeAndQueryShowsIt) {
  const std::string key = "HKCU\\Software\\Test";
  struct Case {
    std::vector<std::string> add;
    std::string line;
  };
  const Case kCases[] = {
      {{"/v", "Text", "/d", "C:\\x y"}, "    Text    REG_SZ    C:\\x y"},
      {{"/ve", "/d", "Standard"}, "    (Standard)    REG_SZ    Standard"},
      {{"/v", "N", "/t", "REG_DWORD", "/d", "258"}, "    N    REG_DWORD    0x102"},
      {{"/v", "H", "/t", "reg_dword", "/d", "0xFFFFFFFF"}, "    H    REG_DWORD    0xffffffff"},
      {{"/v", "B", "/t", "REG_BINARY", "/d", "00ff"}, "    B    REG_BINARY    00FF"},
      {{"/v", "M", "/t", "REG_MULTI_SZ", "/d", "a\\0b"}, "    M    REG_MULTI_SZ    a\\0b"},
      {{"/v", "E", "/t", "REG_EXPAND_SZ", "/d", "%TEMP%"}, "    E    REG_EXPAND_SZ    %TEMP%"},
      {{"/v", "L", "/t", "REG_NONE"}, "    L    REG_NONE    "},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.line);
    std::vector<std::string> args = {"add", key};
    args.insert(args.end(), c.add.begin(), c.add.end());
    ASSERT_EQ(Run(args), 0) << err_.str();
    EXPECT_EQ(out_.str(), "Der Vorgang wurde erfolgreich beendet.\n");
    const std::string name = c.add[0] == "/ve" ? "" : c.add[1];
    ASSERT_EQ(Run(name.empty() ? std::vector<std::string>{"query", key, "/ve"}
                               : std::vector<std::string>{"query", key, "/v", name}),
              0);
    EXPECT_EQ(out_.str(), "HKEY_CURRENT_USER\\Software\\Test\n" + c.line + "\n");
  }
  ASSERT_EQ(Run({"add", key + "\\Sub"}), 0);
  ASSERT_EQ(Run({"query", "hkcu\\software"}), 0);
  EXPECT_EQ(out_.str(), "HKEY_CURRENT_USER\\software\n\nHKEY_CURRENT_USER\\software\\Test\n");
}

TEST_F(RegCommandsTest, BadCommandLinesFailWithAMessage) {
  // Exit code 2: the command line itself is wrong; 1: it could not be carried out.
  struct Case {
    std::vector<std::string> args;
    std::string message;
    int code;
  };
  const Case kCases[] = {
      {{}, "FEHLER: Befehl fehlt", 2},
      {{"list"}, "unbekannter Befehl 'list'", 2},
      {{"query", "HKXY\\a"}, "unbekannter Wurzelschlüssel 'HKXY\\a'", 2},
      {{"query", "HKCU\\fehlt"}, "wurde nicht gefunden", 1},
      {{"query", "HKCU\\a\\"}, "leerer Abschnitt", 2},
      {{"query", "HKCU\\a", "/x"}, "unbekannter Schalter '/x'", 2},
      {{"add", "HKCU\\a", "/v"}, "/v ohne Angabe", 2},
      {{"add", "HKCU\\a", "/v", "n", "/t", "REG_QWORD"}, "Typ REG_QWORD", 2},
      {{"add", "HKCU\\a", "/v", "n", "/t", "REG_DWORD", "/d", "4294967296"}, "keine Zahl", 2},
      {{"add", "HKCU\\a", "/v", "n", "/t", "REG_DWORD", "/d", "-1"}, "keine Zahl", 2},
      {{"add", "HKCU\\a", "/v", "n", "/t", "REG_BINARY", "/d", "abc"}, "keine Hexbytes", 2},
      {{"add", "HKCU\\a", "/d", "x"}, "/t und /d brauchen /v", 2},
      {{"delete", "HKCU\\fehlt"}, "wurde nicht gefunden", 1},
      {{"import", "/nicht/da.reg"}, "Fehler beim Zugriff auf Pfad/Datei (/nicht/da.reg)", 1},
      {{"import", "/z", "/nicht/da.reg"}, "unbekannter Schalter '/z'", 2},
      {{"export"}, "export [SCHLÜSSEL] DATEI", 2},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.message);
    EXPECT_EQ(Run(c.args), c.code);
    EXPECT_NE(err_.str().find(c.message), std::string::npos) << err_.str();
    EXPECT_TRUE(reg_.EnumerateSubkeys(HKEY_CURRENT_USER, "").value()->empty());
  }
}

TEST_F(RegCommandsTest, DeleteRemovesValuesKeysAndTrees) {
  ASSERT_EQ(Run({"add", "HKLM\\A\\B", "/v", "x", "/d", "1"}), 0);
  ASSERT_EQ(Run({"add", "HKLM\\A", "/v", "y", "/d", "2"}), 0);
  ASSERT_EQ(Run({"add", "HKLM\\A", "/ve", "/d", "3"}), 0);
  ASSERT_EQ(Run({"delete", "HKLM\\A", "/v", "Y", "/f"}), 0);
  EXPECT_EQ(*reg_.EnumerateValues(HKEY_LOCAL_MACHINE, "A").value(), std::vector<std::string>{""});
  ASSERT_EQ(Run({"delete", "HKLM\\A", "/va"}), 0);
  EXPECT_TRUE(reg_.EnumerateValues(HKEY_LOCAL_MACHINE, "A").value()->empty());
  ASSERT_EQ(Run({"delete", "HKLM\\A"}), 0);
  EXPECT_FALSE(reg_.KeyExists(HKEY_LOCAL_MACHINE, "A").value());
}

TEST_F(RegCommandsTest, ExportAndImportMoveSettingsBetweenStores) {
  testing::TempFolder folder;
  const std::string file = folder.File("einstellungen.reg");
  ASSERT_EQ(Run({"add", "HKCU\\Software\\VB and VBA Program Settings\\Tradomir\\Programm", "/v",
                 "PfadV7", "/d", "/opt/tradomir"}),
            0);
  ASSERT_EQ(Run({"add", "HKLM\\Software\\Andere", "/v", "x", "/d", "y"}), 0);
  for (const char* option : {"/y", "/regedit4"}) {
    SCOPED_TRACE(option);
    ASSERT_EQ(Run({"export", "HKCU\\Software", file, option}), 0) << err_.str();
    InMemoryRegistryBackend other;
    std::ostringstream out, err;
    ASSERT_EQ(RunRegCommand({"import", file}, other, out, err), 0) << err.str();
    EXPECT_EQ(*other
                   .GetValue(HKEY_CURRENT_USER,
                             "Software\\VB and VBA Program Settings\\Tradomir\\Programm", "PfadV7")
                   .value(),
              StringValue("/opt/tradomir"));
    EXPECT_FALSE(other.KeyExists(HKEY_LOCAL_MACHINE, "Software").value());
  }
  ASSERT_EQ(Run({"export", file}), 0);  // the whole store
  std::ifstream stream(file, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(stream)), {});
  EXPECT_NE(bytes.find(Utf8ToUtf16Le("[HKEY_LOCAL_MACHINE\\Software\\Andere]")), std::string::npos);
}

}  // namespace
}  // namespace vks
