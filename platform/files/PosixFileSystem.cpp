#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "platform/automation/KeyedDictionary.h"
#include "platform/files/FileSystem.h"

namespace vks {
namespace {

namespace fs = std::filesystem;

// Errors of calls that name a file, and of those that name a folder.
AutomationError PosixError(int error_number) {
  return FileError(error_number, FileTarget::File);
}
[[noreturn]] void FolderError(const std::error_code& code) {
  throw FileError(code.value(), FileTarget::Folder);
}

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

  std::string ReadFile(const std::string& path) override {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw PosixError(errno);
    struct stat st;
    if (::fstat(fd, &st) != 0) {
      int e = errno;
      ::close(fd);
      throw PosixError(e);
    }
    std::string data(static_cast<size_t>(st.st_size), '\0');
    size_t done = 0;
    while (done < data.size()) {
      ssize_t n = ::pread(fd, data.data() + done, data.size() - done, static_cast<off_t>(done));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        int e = n < 0 ? errno : EIO;
        ::close(fd);
        throw PosixError(e);
      }
      done += static_cast<size_t>(n);
    }
    ::close(fd);
    return data;
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
    if (fd < 0) throw FileError(errno, errno == ENOENT ? FileTarget::Folder : FileTarget::File);
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
    std::error_code code;
    if (!fs::create_directory(path, code))
      FolderError(code ? code : std::make_error_code(std::errc::file_exists));
  }

  void RemoveFolder(const std::string& path) override {
    std::error_code code;
    if (!fs::is_directory(path, code))
      FolderError(std::make_error_code(std::errc::no_such_file_or_directory));
    if (!fs::remove(path, code))
      FolderError(code ? code : std::make_error_code(std::errc::no_such_file_or_directory));
  }

  std::vector<std::string> ListFiles(const std::string& folder, std::string_view ending) override {
    std::vector<std::string> files;
    std::error_code code;
    fs::directory_iterator it(folder, code);
    if (code) return files;
    const std::string wanted = FoldCase(ending);
    for (const fs::directory_entry& entry : it) {
      if (entry.is_directory(code)) continue;
      std::string name = entry.path().filename().string();
      if (name.size() >= wanted.size() &&
          FoldCase(std::string_view(name).substr(name.size() - wanted.size())) == wanted) {
        files.push_back(entry.path().string());
      }
    }
    std::sort(files.begin(), files.end());
    return files;
  }

  std::string Resolve(const std::string& path) override {
    std::error_code code;
    fs::path absolute = fs::absolute(path, code);
    if (code) return path;
    fs::path resolved = fs::weakly_canonical(absolute, code);
    return (code ? absolute.lexically_normal() : resolved).string();
  }

 private:
  static std::unique_ptr<WritableFile> Open(const std::string& path, int flags) {
    int fd = ::open(path.c_str(), flags | O_CLOEXEC, 0644);
    if (fd < 0) throw PosixError(errno);
    return std::make_unique<PosixWritableFile>(fd);
  }
};

}  // namespace

std::unique_ptr<FileSystem> NewPosixFileSystem() {
  return std::make_unique<PosixFileSystem>();
}

AutomationError FileError(int error_number, FileTarget target) {
  int32_t number = 75;
  switch (error_number) {
    case ENOENT:
      number = target == FileTarget::File ? 53 : 76;
      break;
    case ENOTDIR:
      number = 76;
      break;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case EBUSY:
    case ETXTBSY:
      number = 70;
      break;
    case ENOSPC:
    case EDQUOT:
      number = 61;
      break;
    case EIO:
      number = 57;
      break;
    default:
      break;
  }
  return AutomationError(number);
}

}  // namespace vks
