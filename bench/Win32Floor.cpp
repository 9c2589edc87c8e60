// The floors on the Win32 calls that Win32File.cpp makes: CreateFileW with UTF-16 paths,
// WriteFile, FlushFileBuffers, MoveFileExW with write-through.
#include <windows.h>

#include <malloc.h>

#include <cstdlib>
#include <filesystem>

#include "adapters/win32/Win32Path.h"
#include "bench/Floor.h"

namespace vks::bench {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::wstring Wide(const std::string& path) {
  std::wstring wide;
  if (!win32::ToUtf16(path, wide)) std::abort();
  return wide;
}

HANDLE Open(const std::string& path, DWORD access, DWORD disposition) {
  return ::CreateFileW(Wide(path).c_str(), access, kShareAll, nullptr, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

std::string NewBenchFolder(const std::string& prefix) {
  const char* base = std::getenv("VKS_BENCH_DIR");
  const std::filesystem::path parent =
      base ? std::filesystem::path(base) : std::filesystem::temp_directory_path();
  for (int n = 0; n < 100; ++n) {
    const std::filesystem::path folder =
        parent / (prefix + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(n));
    if (::CreateDirectoryW(folder.c_str(), nullptr)) return win32::ToUtf8(folder.wstring());
  }
  std::abort();
}

bool WriteSyncRename(const std::string& temporary, const std::string& target,
                     std::string_view bytes) {
  HANDLE file = Open(temporary, GENERIC_WRITE, CREATE_ALWAYS);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD n = 0;
  const bool written =
      ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr) &&
      n == bytes.size() && ::FlushFileBuffers(file);
  return ::CloseHandle(file) && written &&
         ::MoveFileExW(Wide(temporary).c_str(), Wide(target).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

bool SyncFolder(const std::string&) {
  // MOVEFILE_WRITE_THROUGH has put the rename on the disk already.
  return true;
}

bool ReadWhole(const std::string& path, std::string& bytes) {
  HANDLE file = Open(path, GENERIC_READ, OPEN_EXISTING);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD n = 0;
  const bool read = ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr) &&
                    n == bytes.size();
  return ::CloseHandle(file) && read;
}

void AppendAtEnd(const std::string& path, std::span<const uint8_t> bytes) {
  HANDLE file = Open(path, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS);
  LARGE_INTEGER size;
  ::GetFileSizeEx(file, &size);
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(size.QuadPart);
  at.OffsetHigh = static_cast<DWORD>(static_cast<uint64_t>(size.QuadPart) >> 32);
  DWORD n = 0;
  ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &n, &at);
  ::CloseHandle(file);
}

double CpuNanos() {
  FILETIME created, ended, kernel, user;
  ::GetProcessTimes(::GetCurrentProcess(), &created, &ended, &kernel, &user);
  auto hundreds = [](const FILETIME& t) {
    return static_cast<double>((static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
  };
  return (hundreds(kernel) + hundreds(user)) * 100;
}

size_t UsableSize(void* p) {
  return ::_msize(p);
}

}  // namespace vks::bench
