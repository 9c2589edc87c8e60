// The real files on the Win32 API: UTF-16 paths, handles shared for reading, writing and deletion,
// renames that replace their target and reach the disk before they return.
#include <algorithm>
#include <atomic>
#include <climits>
#include <utility>

#include "adapters/win32/Win32Path.h"
#include "platform/automation/KeyedDictionary.h"
#include "platform/files/FileSystem.h"
#include "platform/files/WindowsError.h"

// After our headers; DeleteFile is our member's name, not the macro for DeleteFileW.
#include <windows.h>
#undef DeleteFile

namespace vks {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

[[noreturn]] void Fail(uint32_t code, FileTarget target = FileTarget::File) {
  throw FileError(code, target);
}

std::wstring Wide(const std::string& path, FileTarget target = FileTarget::File) {
  std::wstring wide;
  if (uint32_t error = win32::WidePath(path, wide)) Fail(error, target);
  if (path.empty()) Fail(winerror::kPathNotFound, target);
  return wide;
}

DWORD Attributes(const std::string& path) {
  std::wstring wide;
  if (path.empty() || win32::WidePath(path, wide) != winerror::kSuccess) {
    return INVALID_FILE_ATTRIBUTES;
  }
  return ::GetFileAttributesW(wide.c_str());
}

// Owns a handle; INVALID_HANDLE_VALUE when empty.
class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (valid()) ::CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;

  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  // Closes now, so that a failure shows.
  uint32_t Close() {
    HANDLE handle = std::exchange(handle_, INVALID_HANDLE_VALUE);
    return handle == INVALID_HANDLE_VALUE || ::CloseHandle(handle) ? winerror::kSuccess
                                                                   : ::GetLastError();
  }

 private:
  HANDLE handle_;
};

HANDLE OpenHandle(const std::string& path, DWORD access, DWORD disposition, DWORD flags = 0) {
  HANDLE handle = ::CreateFileW(Wide(path).c_str(), access, kShareAll, nullptr, disposition,
                                FILE_ATTRIBUTE_NORMAL | flags, nullptr);
  if (handle == INVALID_HANDLE_VALUE) Fail(::GetLastError());
  return handle;
}

void WriteAll(HANDLE handle, std::string_view data, OVERLAPPED* at = nullptr) {
  while (!data.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(data.size(), INT_MAX));
    DWORD n = 0;
    if (!::WriteFile(handle, data.data(), chunk, &n, at)) Fail(::GetLastError());
    if (n == 0) Fail(winerror::kDiskFull);
    data.remove_prefix(n);
    if (at && !data.empty()) Fail(winerror::kDiskFull);
  }
}

OVERLAPPED At(int64_t offset) {
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(offset);
  at.OffsetHigh = static_cast<DWORD>(static_cast<uint64_t>(offset) >> 32);
  return at;
}

class Win32ReadableFile : public ReadableFile {
 public:
  explicit Win32ReadableFile(HANDLE handle) : handle_(handle) {}

  int64_t Size() override {
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(handle_.get(), &size)) Fail(::GetLastError());
    return size.QuadPart;
  }
  size_t ReadAt(int64_t offset, std::span<uint8_t> bytes) override {
    if (offset < 0) Fail(winerror::kInvalidParameter);
    size_t done = 0;
    while (done < bytes.size()) {
      OVERLAPPED at = At(offset + static_cast<int64_t>(done));
      const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, INT_MAX));
      DWORD n = 0;
      if (!::ReadFile(handle_.get(), bytes.data() + done, chunk, &n, &at)) {
        if (::GetLastError() == ERROR_HANDLE_EOF) break;
        Fail(::GetLastError());
      }
      if (n == 0) break;
      done += n;
    }
    return done;
  }

 private:
  Handle handle_;
};

class Win32WritableFile : public WritableFile {
 public:
  explicit Win32WritableFile(HANDLE handle) : handle_(handle) {}

  void Append(std::string_view data) override { WriteAll(handle_.get(), data); }
  void Sync() override {
    if (!::FlushFileBuffers(handle_.get())) Fail(::GetLastError());
  }
  void Close() override {
    if (uint32_t error = handle_.Close()) Fail(error);
  }

 private:
  Handle handle_;
};

// The file's path on its volume as the handle sees it now, into `buffer` (sized for the name at the
// opening); false when it does not fit, which means the name has changed too.
bool CurrentName(HANDLE handle, std::vector<uint8_t>& buffer, std::wstring_view& name) {
  auto* info = reinterpret_cast<FILE_NAME_INFO*>(buffer.data());
  if (!::GetFileInformationByHandleEx(handle, FileNameInfo, info,
                                      static_cast<DWORD>(buffer.size()))) {
    return false;
  }
  name = std::wstring_view(info->FileName, info->FileNameLength / sizeof(wchar_t));
  return true;
}

class Win32PositionedFile : public PositionedFile {
 public:
  explicit Win32PositionedFile(HANDLE handle) : handle_(handle) {
    buffer_.resize(sizeof(FILE_NAME_INFO) + 1024 * sizeof(wchar_t));
    std::wstring_view name;
    while (!CurrentName(handle, buffer_, name) && ::GetLastError() == ERROR_MORE_DATA &&
           buffer_.size() < 70000) {
      buffer_.resize(buffer_.size() * 2);
    }
    name_ = name;
  }

  // Windows keeps a deleted name while handles are open, and Wine tells neither a pending deletion
  // nor a lost link; a file that is no longer found under the name it was opened by has lost it.
  int64_t NamedSize() override {
    FILE_STANDARD_INFO info;
    std::wstring_view name;
    if (!::GetFileInformationByHandleEx(handle_.get(), FileStandardInfo, &info, sizeof info) ||
        info.DeletePending || info.NumberOfLinks == 0 ||
        !CurrentName(handle_.get(), buffer_, name) || name != name_) {
      return -1;
    }
    return info.EndOfFile.QuadPart;
  }
  void WriteAt(int64_t offset, std::span<const uint8_t> data) override {
    OVERLAPPED at = At(offset);
    WriteAll(handle_.get(),
             std::string_view(reinterpret_cast<const char*>(data.data()), data.size()), &at);
  }

 private:
  Handle handle_;
  std::wstring name_;
  std::vector<uint8_t> buffer_;
};

// Volume and file index of an existing file or folder; false when it cannot be opened.
bool Identity(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
  std::wstring wide;
  if (path.empty() || win32::WidePath(path, wide) != winerror::kSuccess) return false;
  Handle handle(::CreateFileW(wide.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  return handle.valid() && ::GetFileInformationByHandle(handle.get(), &info);
}

class Win32FileSystem : public FileSystem {
 public:
  bool FileExists(const std::string& path) override {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  }
  bool FolderExists(const std::string& path) override {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
  }
  bool SameFolder(const std::string& a, const std::string& b) override {
    BY_HANDLE_FILE_INFORMATION ia, ib;
    return FolderExists(a) && Identity(a, ia) && Identity(b, ib) &&
           ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
           ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
  }

  std::unique_ptr<ReadableFile> OpenReadable(const std::string& path) override {
    return std::make_unique<Win32ReadableFile>(OpenHandle(path, GENERIC_READ, OPEN_EXISTING));
  }

  std::unique_ptr<WritableFile> NewWritableFile(const std::string& path) override {
    return std::make_unique<Win32WritableFile>(OpenHandle(path, GENERIC_WRITE, CREATE_ALWAYS));
  }
  std::unique_ptr<WritableFile> NewAppendableFile(const std::string& path) override {
    // Append-only access: every write lands at the end, also with other writers.
    return std::make_unique<Win32WritableFile>(
        OpenHandle(path, FILE_APPEND_DATA | SYNCHRONIZE, OPEN_ALWAYS));
  }

  std::unique_ptr<PositionedFile> OpenPositioned(const std::string& path) override {
    std::wstring wide = Wide(path);
    HANDLE handle = ::CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    // Creating, a missing name can only be a missing folder.
    if (handle == INVALID_HANDLE_VALUE) Fail(::GetLastError(), FileTarget::Folder);
    return std::make_unique<Win32PositionedFile>(handle);
  }

  void RenameFile(const std::string& from, const std::string& to) override {
    if (!::MoveFileExW(Wide(from).c_str(), Wide(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      Fail(::GetLastError());
    }
  }
  void DeleteFile(const std::string& path) override {
    // While another handle keeps the file open (an RTT file in the writer's cache, a host charting
    // it), Windows keeps its name until the last one closes. Moved aside first, the name is free at
    // once, and the open handles see that their file has lost it.
    static std::atomic<unsigned> count{0};
    const std::wstring wide = Wide(path);
    const std::wstring aside = wide + L".vks-geloescht-" +
                               std::to_wstring(::GetCurrentProcessId()) + L"-" +
                               std::to_wstring(count++);
    if (::MoveFileExW(wide.c_str(), aside.c_str(), 0)) {
      if (::DeleteFileW(aside.c_str())) return;
      const DWORD error = ::GetLastError();
      (void)::MoveFileExW(aside.c_str(), wide.c_str(), 0);
      Fail(error);
    }
    if (!::DeleteFileW(wide.c_str())) Fail(::GetLastError());
  }
  void SyncFolder(const std::string& path) override {
    // A rename with MOVEFILE_WRITE_THROUGH is on the disk when it returns; the folder only has to
    // be there.
    if (!path.empty() && !FolderExists(path)) Fail(winerror::kFileNotFound);
  }

  void CreateFolder(const std::string& path) override {
    if (!::CreateDirectoryW(Wide(path, FileTarget::Folder).c_str(), nullptr)) {
      Fail(::GetLastError(), FileTarget::Folder);
    }
  }
  void RemoveFolder(const std::string& path) override {
    if (!FolderExists(path)) Fail(winerror::kFileNotFound, FileTarget::Folder);
    if (!::RemoveDirectoryW(Wide(path, FileTarget::Folder).c_str())) {
      Fail(::GetLastError(), FileTarget::Folder);
    }
  }

  std::vector<std::string> ListFiles(const std::string& folder, std::string_view ending) override {
    std::vector<std::string> files;
    std::wstring pattern;
    if (folder.empty() || win32::WidePath(folder, pattern) != winerror::kSuccess) return files;
    if (pattern.back() != L'\\') pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW entry;
    HANDLE find = ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry,
                                     FindExSearchNameMatch, nullptr, 0);
    if (find == INVALID_HANDLE_VALUE) return files;
    const std::string wanted = FoldCase(ending);
    do {
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
      const std::string name = win32::ToUtf8(entry.cFileName);
      if (name.size() < wanted.size() ||
          FoldCase(std::string_view(name).substr(name.size() - wanted.size())) != wanted) {
        continue;
      }
      files.push_back(JoinPath(folder, name));
    } while (::FindNextFileW(find, &entry));
    ::FindClose(find);
    std::sort(files.begin(), files.end());
    return files;
  }

  std::string Resolve(const std::string& path) override {
    std::wstring wide;
    if (win32::WidePath(path.empty() ? "." : path, wide) != winerror::kSuccess) return path;
    DWORD n = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    std::wstring full(n, L'\0');
    n = ::GetFullPathNameW(wide.c_str(), n, full.data(), nullptr);
    if (n == 0) return path;
    full.resize(n);
    // Links followed where the path exists; the rest stays as the full path gives it.
    Handle handle(::CreateFileW(full.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (handle.valid()) {
      std::wstring final_path(MAX_PATH, L'\0');
      DWORD m = ::GetFinalPathNameByHandleW(handle.get(), final_path.data(), MAX_PATH,
                                            FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
      if (m > 0 && m < MAX_PATH) {
        final_path.resize(m);
        if (final_path.starts_with(L"\\\\?\\UNC\\")) {
          full = L"\\\\" + final_path.substr(8);
        } else if (final_path.starts_with(L"\\\\?\\")) {
          full = final_path.substr(4);
        } else {
          full = final_path;
        }
      }
    }
    if (full.size() > 3 && full.back() == L'\\') full.pop_back();
    if (full.starts_with(L"\\\\?\\")) full = full.substr(4);
    return win32::ToUtf8(full);
  }
};

}  // namespace

const char kPathSeparator = '\\';

bool IsPathSeparator(char c) {
  return c == '\\' || c == '/';
}

std::unique_ptr<FileSystem> NewPlatformFileSystem() {
  return std::make_unique<Win32FileSystem>();
}

}  // namespace vks
