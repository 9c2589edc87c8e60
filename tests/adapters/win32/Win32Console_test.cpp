// The tools' German texts leave them as UTF-8, byte for byte, and an umlaut in an argument reaches
// them whole. (A console's own code page cannot be seen under Wine without a display: a pseudo
// console gives the child no handles there. Into a pipe the bytes must pass unchanged.)
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include <windows.h>

namespace {

struct Output {
  std::string out, err;
  DWORD exit_code = 0;
};

std::string ReadAll(HANDLE pipe) {
  std::string text;
  char buffer[4096];
  DWORD n = 0;
  while (::ReadFile(pipe, buffer, sizeof buffer, &n, nullptr) && n > 0) text.append(buffer, n);
  return text;
}

// Runs `command` (UTF-8) with its standard output and error in pipes of their own.
Output RunTool(const std::string& command) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE out_read, out_write, err_read, err_write;
  EXPECT_TRUE(::CreatePipe(&out_read, &out_write, &inherit, 0));
  EXPECT_TRUE(::CreatePipe(&err_read, &err_write, &inherit, 0));
  ::SetHandleInformation(out_read, HANDLE_FLAG_INHERIT, 0);
  ::SetHandleInformation(err_read, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW start{};
  start.cb = sizeof start;
  start.dwFlags = STARTF_USESTDHANDLES;
  start.hStdOutput = out_write;
  start.hStdError = err_write;
  std::wstring wide(::MultiByteToWideChar(CP_UTF8, 0, command.c_str(), -1, nullptr, 0), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, command.c_str(), -1, wide.data(),
                        static_cast<int>(wide.size()));
  PROCESS_INFORMATION process{};
  const BOOL started = ::CreateProcessW(nullptr, wide.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &start, &process);
  ::CloseHandle(out_write);
  ::CloseHandle(err_write);
  Output output;
  if (started) {
    std::thread errors([&] { output.err = ReadAll(err_read); });
    output.out = ReadAll(out_read);
    errors.join();
    ::WaitForSingleObject(process.hProcess, INFINITE);
    ::GetExitCodeProcess(process.hProcess, &output.exit_code);
    ::CloseHandle(process.hProcess);
    ::CloseHandle(process.hThread);
  }
  ::CloseHandle(out_read);
  ::CloseHandle(err_read);
  EXPECT_TRUE(started) << command;
  return output;
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
    DWORD exit_code;
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
    const Output output = RunTool(c.command);
    EXPECT_EQ(output.exit_code, c.exit_code);
    const std::string& text = c.exit_code == 0 ? output.out : output.err;
    EXPECT_NE(text.find(c.expected), std::string::npos) << text;
  }
}

}  // namespace
