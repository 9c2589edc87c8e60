#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "platform/automation/KeyedDictionary.h"
#include "platform/files/FileSystem.h"
#include "platform/files/WindowsError.h"

namespace vks {
namespace {

// Errors of calls that name a file, and of those that name a folder.
AutomationError PosixError(int error_number) {
  return FileError(WindowsErrorFromErrno(error_number), FileTarget::File);
}
[[noreturn]] void FolderError(int error_number) {
  throw FileError(WindowsErrorFromErrno(error_number), FileTarget::Folder);
}

// The path as the kernel resolves it; nothing when some part of it does not exist.
bool RealPath(const std::string& path, std::string& resolved) {
  char buffer[PATH_MAX];
  if (!::realpath(path.c_str(), buffer)) return false;
  resolved = buffer;
  return true;
}

// Appends the path elements of `tail` to the absolute `path`, dropping "." and empty elements and
// letting ".." remove the element before (never the root).
void AppendLexically(std::string& path, std::string_view tail) {
  while (!tail.empty()) {
    const size_t slash = tail.find('/');
    const std::string_view element = tail.substr(0, slash);
    tail = slash == std::string_view::npos ? std::string_view() : tail.substr(slash + 1);
    if (element.empty() || element == ".") continue;
    if (element == "..") {
      const size_t last = path.rfind('/');
      path.resize(last == 0 ? 1 : last);
      continue;
    }
    if (path.back() != '/') path += '/';
    path += element;
  }
}

static_assert(sizeof(off_t) == 8, "files beyond 2 GB need 64-bit offsets");

class PosixReadableFile : public ReadableFile {
 public:
  explicit PosixReadableFile(int fd) : fd_(fd) {}
  ~PosixReadableFile() override { ::close(fd_); }

  int64_t Size() override {
    struct stat st;
    if (::fstat(fd_, &st) != 0) throw PosixError(errno);
    return st.st_size;
  }
  size_t ReadAt(int64_t offset, std::span<uint8_t> bytes) override {
    if (offset < 0) throw PosixError(EINVAL);
    size_t done = 0;
    while (done < bytes.size()) {
      ssize_t n = ::pread(fd_, bytes.data() + done, bytes.size() - done,
                          static_cast<off_t>(offset + static_cast<int64_t>(done)));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) throw PosixError(errno);
      if (n == 0) break;
      done += static_cast<size_t>(n);
    }
    return done;
  }

 private:
  int fd_;
};

class PosixWritableFile : public WritableFile {
 public:
  explicit PosixWritableFile(int fd) : fd_(fd) {}
  ~PosixWritableFile() override {
    if (fd_ >= 0) ::close(fd_);
  }

  void Append(std::string_view data) override {
    while (!data.empty()) {
      ssize_t written = ::write(fd_, data.data(), data.size());
      if (written < 0) {
        if (errno == EINTR) continue;
        throw PosixError(errno);
      }
      data.remove_prefix(static_cast<size_t>(written));
    }
  }
  void StartWriteback() override { (void)::sync_file_range(fd_, 0, 0, SYNC_FILE_RANGE_WRITE); }
  void Sync() override {
    if (::fsync(fd_) != 0) throw PosixError(errno);
  }
  void Close() override {
    int fd = fd_;
    fd_ = -1;
    if (fd >= 0 && ::close(fd) != 0) throw PosixError(errno);
  }

 private:
  int fd_;
};

class PosixPositionedFile : public PositionedFile {
 public:
  explicit PosixPositionedFile(int fd) : fd_(fd) {}
  ~PosixPositionedFile() override { ::close(fd_); }

  int64_t NamedSize() override {
    struct stat st;
    if (::fstat(fd_, &st) != 0 || st.st_nlink == 0) return -1;
    return st.st_size;
  }
  void WriteAt(int64_t offset, std::span<const uint8_t> data) override {
    ssize_t n;
    do {
      n = ::pwrite(fd_, data.data(), data.size(), static_cast<off_t>(offset));
    } while (n < 0 && errno == EINTR);
    if (n < 0) throw PosixError(errno);
    if (static_cast<size_t>(n) != data.size()) throw PosixError(ENOSPC);
  }

 private:
  int fd_;
};

class PosixFileSystem : public FileSystem {
 public:
  bool FileExists(const std::string& path) override {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
  }
  bool FolderExists(const std::string& path) override {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  }
  bool SameFolder(const std::string& a, const std::string& b) override {
    struct stat sa, sb;
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && S_ISDIR(sa.st_mode) &&
           sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
  }

  std::unique_ptr<ReadableFile> OpenReadable(const std::string& path) override {
    if (path.empty() || path.find('\0') != std::string::npos) throw PosixError(ENOENT);
    int fd;
    do {
      fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) throw PosixError(errno);
    return std::make_unique<PosixReadableFile>(fd);
  }

  std::unique_ptr<WritableFile> NewWritableFile(const std::string& path) override {
    return Open(path, O_WRONLY | O_CREAT | O_TRUNC);
  }
  std::unique_ptr<WritableFile> NewAppendableFile(const std::string& path) override {
    return Open(path, O_WRONLY | O_CREAT | O_APPEND);
  }

  std::unique_ptr<PositionedFile> OpenPositioned(const std::string& path) override {
    // A name with a NUL in it would silently open a shorter name.
    if (path.empty() || path.find('\0') != std::string::npos) throw PosixError(ENOENT);
    int fd;
    do {
      fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    // With O_CREAT a missing name can only be a missing folder.
    if (fd < 0) {
      throw FileError(WindowsErrorFromErrno(errno),
                      errno == ENOENT ? FileTarget::Folder : FileTarget::File);
    }
    return std::make_unique<PosixPositionedFile>(fd);
  }

  void RenameFile(const std::string& from, const std::string& to) override {
    if (::rename(from.c_str(), to.c_str()) != 0) throw PosixError(errno);
  }
  void DeleteFile(const std::string& path) override {
    if (::unlink(path.c_str()) != 0) throw PosixError(errno);
  }
  void SyncFolder(const std::string& path) override {
    int fd = ::open(path.empty() ? "." : path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) throw PosixError(errno);
    int result = ::fsync(fd);
    int e = errno;
    ::close(fd);
    if (result != 0) throw PosixError(e);
  }

  void CreateFolder(const std::string& path) override {
    if (::mkdir(path.c_str(), 0777) != 0) FolderError(errno);
  }

  void RemoveFolder(const std::string& path) override {
    if (!FolderExists(path)) FolderError(ENOENT);
    if (::rmdir(path.c_str()) != 0) FolderError(errno);
  }

  std::vector<std::string> ListFiles(const std::string& folder, std::string_view ending) override {
    std::vector<std::string> files;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return files;
    const std::string wanted = FoldCase(ending);
    while (const dirent* entry = ::readdir(dir)) {
      const std::string_view name = entry->d_name;
      if (name.size() < wanted.size() ||
          FoldCase(name.substr(name.size() - wanted.size())) != wanted) {
        continue;
      }
      if (entry->d_type == DT_DIR) continue;
      std::string path = JoinPath(folder, name);
      // Links to folders are no files either; a type the listing does not tell needs a look.
      if (entry->d_type == DT_REG || !FolderExists(path)) files.push_back(std::move(path));
    }
    ::closedir(dir);
    std::sort(files.begin(), files.end());
    return files;
  }

  std::string Resolve(const std::string& path) override {
    std::string absolute = path;
    if (absolute.empty() || absolute.front() != '/') {
      char cwd[PATH_MAX];
      if (!::getcwd(cwd, sizeof cwd)) return path;
      absolute = JoinPath(cwd, path);
    }
    // The longest part that exists is resolved by the kernel (links followed), the rest after it
    // only lexically.
    size_t end = absolute.size();
    std::string resolved;
    while (!RealPath(absolute.substr(0, end), resolved)) {
      const size_t slash = absolute.rfind('/', end - 1);
      end = slash == 0 ? 1 : slash;
      if (slash == 0 && !RealPath("/", resolved)) return path;
      if (slash == 0) break;
    }
    AppendLexically(resolved, std::string_view(absolute).substr(end));
    return resolved;
  }

 private:
  static std::unique_ptr<WritableFile> Open(const std::string& path, int flags) {
    int fd = ::open(path.c_str(), flags | O_CLOEXEC, 0644);
    // Creating, a missing name can only be a missing folder.
    if (fd < 0) FolderError(errno);
    return std::make_unique<PosixWritableFile>(fd);
  }
};

}  // namespace

const char kPathSeparator = '/';

bool IsPathSeparator(char c) {
  return c == '/';
}

std::unique_ptr<FileSystem> NewPlatformFileSystem() {
  return std::make_unique<PosixFileSystem>();
}
}  // namespace vks
