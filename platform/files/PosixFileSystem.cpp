#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/automation/AutomationError.h"
#include "platform/files/FileSystem.h"

namespace vks {
namespace {

AutomationError PosixError(const std::string& path, int error_number) {
  int32_t number = 57;
  switch (error_number) {
    case ENOENT:
      number = 53;
      break;
    case ENOTDIR:
      number = 76;
      break;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      number = 70;
      break;
    case ENOSPC:
    case EDQUOT:
      number = 61;
      break;
    default:
      break;
  }
  return AutomationError(number, "", path + ": " + std::strerror(error_number));
}

class PosixWritableFile : public WritableFile {
 public:
  PosixWritableFile(std::string path, int fd) : path_(std::move(path)), fd_(fd) {}
  ~PosixWritableFile() override {
    if (fd_ >= 0) ::close(fd_);
  }

  void Append(std::string_view data) override {
    while (!data.empty()) {
      ssize_t written = ::write(fd_, data.data(), data.size());
      if (written < 0) {
        if (errno == EINTR) continue;
        throw PosixError(path_, errno);
      }
      data.remove_prefix(static_cast<size_t>(written));
    }
  }
  void StartWriteback() override { (void)::sync_file_range(fd_, 0, 0, SYNC_FILE_RANGE_WRITE); }
  void Sync() override {
    if (::fsync(fd_) != 0) throw PosixError(path_, errno);
  }
  void Close() override {
    int fd = fd_;
    fd_ = -1;
    if (fd >= 0 && ::close(fd) != 0) throw PosixError(path_, errno);
  }

 private:
  std::string path_;
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

  std::string ReadFile(const std::string& path) override {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw PosixError(path, errno);
    struct stat st;
    if (::fstat(fd, &st) != 0) {
      int e = errno;
      ::close(fd);
      throw PosixError(path, e);
    }
    std::string data(static_cast<size_t>(st.st_size), '\0');
    size_t done = 0;
    while (done < data.size()) {
      ssize_t n = ::pread(fd, data.data() + done, data.size() - done, static_cast<off_t>(done));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        int e = n < 0 ? errno : EIO;
        ::close(fd);
        throw PosixError(path, e);
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

  void RenameFile(const std::string& from, const std::string& to) override {
    if (::rename(from.c_str(), to.c_str()) != 0) throw PosixError(to, errno);
  }
  void DeleteFile(const std::string& path) override {
    if (::unlink(path.c_str()) != 0) throw PosixError(path, errno);
  }
  void SyncFolder(const std::string& path) override {
    int fd = ::open(path.empty() ? "." : path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) throw PosixError(path, errno);
    int result = ::fsync(fd);
    int e = errno;
    ::close(fd);
    if (result != 0) throw PosixError(path, e);
  }

 private:
  static std::unique_ptr<WritableFile> Open(const std::string& path, int flags) {
    int fd = ::open(path.c_str(), flags | O_CLOEXEC, 0644);
    if (fd < 0) throw PosixError(path, errno);
    return std::make_unique<PosixWritableFile>(path, fd);
  }
};

}  // namespace

std::unique_ptr<FileSystem> NewPosixFileSystem() {
  return std::make_unique<PosixFileSystem>();
}

}  // namespace vks
