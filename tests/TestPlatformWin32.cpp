#include <windows.h>

#include <string>

#include "tests/ChildProcess.h"
#include "tests/TestPlatform.h"

namespace vks::testing {
namespace {

std::wstring Wide(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  const int n = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                      wide.data(), static_cast<int>(wide.size()));
  wide.resize(static_cast<size_t>(n > 0 ? n : 0));
  return wide;
}

}  // namespace

ChildProcess::ChildProcess(const std::string& name, const std::string& argument) {
  wchar_t program[MAX_PATH];
  if (::GetModuleFileNameW(nullptr, program, MAX_PATH) == 0) return;
  std::wstring command = L"\"" + std::wstring(program) + L"\" --vks-child \"" + Wide(name) +
                         L"\" \"" + Wide(argument) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(program, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
    return;
  }
  ::CloseHandle(process.hThread);
  id_ = reinterpret_cast<long long>(process.hProcess);
}

ChildProcess::~ChildProcess() {
  Kill();
}

bool ChildProcess::Started() const {
  return id_ != -1;
}

void ChildProcess::Kill() {
  if (id_ == -1) return;
  HANDLE process = reinterpret_cast<HANDLE>(id_);
  ::TerminateProcess(process, 9);
  ::WaitForSingleObject(process, INFINITE);
  ::CloseHandle(process);
  id_ = -1;
}

int ChildProcess::Wait() {
  if (id_ == -1) return -1;
  HANDLE process = reinterpret_cast<HANDLE>(id_);
  DWORD code = 0;
  const bool waited = ::WaitForSingleObject(process, INFINITE) == WAIT_OBJECT_0 &&
                      ::GetExitCodeProcess(process, &code);
  ::CloseHandle(process);
  id_ = -1;
  return waited ? static_cast<int>(code) : -1;
}

bool CanMakeSymbolicLinks() {
  return false;
}

bool WindowsFileNames() {
  return true;
}

bool RunsUnderWine() {
  return ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

}  // namespace vks::testing
