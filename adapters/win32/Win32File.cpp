// The raw file calls on the Win32 API. Handles share reading, writing and deletion with everyone,
// so the host can chart an RTT file while it grows and a store can be replaced while it is read.
#include <windows.h>

#include <climits>

#include "adapters/win32/Win32Path.h"
#include "platform/files/RawFile.h"
#include "platform/files/WindowsError.h"

namespace vks::rawfile {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

HANDLE Win32Handle(FileHandle handle) {
  return reinterpret_cast<HANDLE>(handle);
}

FileHandle Open(const std::string& path, DWORD access, DWORD disposition, uint32_t& error) {
  std::wstring wide;
  error = win32::WidePath(path, wide);
  if (path.empty()) error = winerror::kPathNotFound;
  if (error != winerror::kSuccess) return kInvalidHandle;
  HANDLE handle = ::CreateFileW(wide.c_str(), access, kShareAll, nullptr, disposition,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    error = ::GetLastError();
    return kInvalidHandle;
  }
  error = winerror::kSuccess;
  return reinterpret_cast<FileHandle>(handle);
}

}  // namespace

FileHandle OpenOrCreate(const std::string& path, bool read_only, uint32_t& error) {
  return Open(path, read_only ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS, error);
}

uint32_t Close(FileHandle handle) {
  return ::CloseHandle(Win32Handle(handle)) ? winerror::kSuccess : ::GetLastError();
}

int64_t FileSize(FileHandle handle, uint32_t& error) {
  LARGE_INTEGER size;
  if (!::GetFileSizeEx(Win32Handle(handle), &size)) {
    error = ::GetLastError();
    return -1;
  }
  error = winerror::kSuccess;
  return size.QuadPart;
}

int64_t NamedFileSize(FileHandle handle, uint32_t& error) {
  FILE_STANDARD_INFO info;
  if (!::GetFileInformationByHandleEx(Win32Handle(handle), FileStandardInfo, &info, sizeof info)) {
    error = ::GetLastError();
    return -1;
  }
  if (info.DeletePending || info.NumberOfLinks == 0) {
    error = winerror::kFileNotFound;
    return -1;
  }
  error = winerror::kSuccess;
  return info.EndOfFile.QuadPart;
}

int64_t Seek(FileHandle handle, int64_t offset, SeekOrigin origin, uint32_t& error) {
  const DWORD method = origin == SeekOrigin::Begin ? FILE_BEGIN
                       : origin == SeekOrigin::End ? FILE_END
                                                   : FILE_CURRENT;
  LARGE_INTEGER distance, position;
  distance.QuadPart = offset;
  if (!::SetFilePointerEx(Win32Handle(handle), distance, &position, method)) {
    error = ::GetLastError();
    return -1;
  }
  error = winerror::kSuccess;
  return position.QuadPart;
}

int64_t Write(FileHandle handle, std::span<const uint8_t> bytes, uint32_t& error) {
  size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, INT_MAX));
    DWORD n = 0;
    if (!::WriteFile(Win32Handle(handle), bytes.data() + done, chunk, &n, nullptr)) {
      error = ::GetLastError();
      return -1;
    }
    if (n == 0) {
      error = winerror::kDiskFull;
      return -1;
    }
    done += n;
  }
  error = winerror::kSuccess;
  return static_cast<int64_t>(done);
}

int64_t WriteAt(FileHandle handle, int64_t offset, std::span<const uint8_t> bytes,
                uint32_t& error) {
  // A write at an offset moves the position of a synchronous handle; the caller's stays.
  const int64_t position = Seek(handle, 0, SeekOrigin::Current, error);
  if (position < 0) return -1;
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(offset);
  at.OffsetHigh = static_cast<DWORD>(static_cast<uint64_t>(offset) >> 32);
  DWORD n = 0;
  const BOOL written =
      ::WriteFile(Win32Handle(handle), bytes.data(), static_cast<DWORD>(bytes.size()), &n, &at);
  const uint32_t write_error = written ? winerror::kSuccess : ::GetLastError();
  uint32_t seek_error;
  (void)Seek(handle, position, SeekOrigin::Begin, seek_error);
  if (!written) {
    error = write_error;
    return -1;
  }
  error = n == bytes.size() ? winerror::kSuccess : winerror::kDiskFull;
  return n;
}

uint32_t SetEndOfFile(FileHandle handle) {
  return ::SetEndOfFile(Win32Handle(handle)) ? winerror::kSuccess : ::GetLastError();
}

uint32_t Flush(FileHandle handle) {
  return ::FlushFileBuffers(Win32Handle(handle)) ? winerror::kSuccess : ::GetLastError();
}

size_t RaiseOpenFileLimit() {
  // Handles have no per-process limit worth raising.
  return SIZE_MAX;
}

bool PathExists(const std::string& path) {
  std::wstring wide;
  return win32::WidePath(path, wide) == winerror::kSuccess &&
         ::GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES;
}

uint32_t MakeDirectory(const std::string& path) {
  std::wstring wide;
  if (uint32_t error = win32::WidePath(path, wide)) return error;
  return ::CreateDirectoryW(wide.c_str(), nullptr) ? winerror::kSuccess : ::GetLastError();
}

}  // namespace vks::rawfile
