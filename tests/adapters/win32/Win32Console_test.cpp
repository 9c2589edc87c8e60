// The tools' German texts leave them as UTF-8, byte for byte, and an umlaut in an argument reaches
// them whole. (A console's own code page cannot be seen under Wine without a display: a pseudo
// console gives the child no handles there. Into a pipe the bytes must pass unchanged.)
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>

#include <windows.h>

namespace {

// Runs `command` (UTF-8) through the command interpreter: its exit code, and the bytes it wrote to
// standard output, or with `errors` to standard error alone.
std::pair<int, std::string> RunTool(const std::string& command, bool errors) {
  const std::string line = "\"" + command + (errors ? " 2>&1 >NUL\"" : "\"");
  std::wstring wide(::MultiByteToWideChar(CP_UTF8, 0, line.c_str(), -1, nullptr, 0), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, line.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
  FILE* pipe = ::_wpopen(wide.c_str(), L"rb");
  EXPECT_TRUE(pipe) << command;
  std::string text;
  char buffer[4096];
  for (size_t n; pipe && (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    text.append(buffer, n);
  return {pipe ? ::_pclose(pipe) : -1, text};
}

// The build's Unix paths as Wine's drive Z: sees them.
std::string Z(std::string path) {
  for (char& c : path) c = c == '/' ? '\\' : c;
  return "\"Z:" + path + "\"";
}

TEST(Win32ConsoleTest, ToolsWriteTheirUmlautsAsUtf8) {
  const std::string rtt =
      VKS_DATA_DIR "/RTT/Konto Zürich/Portfolio/AktienAktuellerWert-Konto Zürich.RTT";
  const struct {
    const char* name;
    std::string command;
    std::string expected;  // a whole line of the output
    int exit_code;
  } cases[] = {
      {"vks-reg, a usage error on stderr", Z(VKS_REG_EXE) + " export",
       "FEHLER: Unzulässiger Prozeduraufruf oder ungültiges Argument (export [SCHLÜSSEL] "
       "DATEI)\r\n",
       2},
      {"vks-rtt, a file named with an umlaut", Z(VKS_RTT_EXE) + " info " + Z(rtt),
       "Anzeigename: AktienAktuellerWert-Konto Zürich\r\nDateiname: ", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto [exit_code, text] = RunTool(c.command, c.exit_code != 0);
    EXPECT_EQ(exit_code, c.exit_code);
    EXPECT_NE(text.find(c.expected), std::string::npos) << text;
  }
}

}  // namespace
