#pragma once
// The account server's process that COM started for this Wine prefix or session, found by its
// program name, so that tests can wait on its end and benches can read its CPU times.
#include <windows.h>
// windows.h first: tlhelp32.h relies on its types.
#include <tlhelp32.h>
#include <wchar.h>

namespace vks::testing {

// Null when no server runs. The caller closes the handle.
inline HANDLE ServerProcess(DWORD access) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  HANDLE found = nullptr;
  for (BOOL more = Process32FirstW(snapshot, &entry); more && !found;
       more = Process32NextW(snapshot, &entry)) {
    if (_wcsicmp(entry.szExeFile, L"VKSKontoServer.exe") == 0)
      found = OpenProcess(access, FALSE, entry.th32ProcessID);
  }
  CloseHandle(snapshot);
  return found;
}

}  // namespace vks::testing
