#include "platform/files/RawFile.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/files/WindowsError.h"

namespace vks::rawfile {
namespace {

uint32_t LastError() {
  return WindowsErrorFromErrno(errno);
}

}  // namespace

FileHandle OpenOrCreate(const std::string& path, bool read_only, uint32_t& error) {
  // A name with a NUL in it would silently open a shorter name.
  if (path.find('\0') != std::string::npos || path.empty()) {
    error = path.empty() ? winerror::kPathNotFound : winerror::kInvalidName;
    return kInvalidHandle;
  }
  int flags = (read_only ? O_RDONLY : O_RDWR) | O_CREAT | O_CLOEXEC;
  int fd;
  do {
    fd = ::open(path.c_str(), flags, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    // With O_CREAT a missing name can only be a missing folder, which Windows words as its own
    // code.
    error = errno == ENOENT ? winerror::kPathNotFound : LastError();
    return kInvalidHandle;
  }
  error = winerror::kSuccess;
  return fd;
}

uint32_t Close(FileHandle handle) {
  return ::close(handle) == 0 ? 0 : LastError();
}

int64_t FileSize(FileHandle handle, uint32_t& error) {
  struct stat st;
  if (::fstat(handle, &st) != 0) {
    error = LastError();
    return -1;
  }
  error = winerror::kSuccess;
  return st.st_size;
}

int64_t NamedFileSize(FileHandle handle, uint32_t& error) {
  struct stat st;
  if (::fstat(handle, &st) != 0) {
    error = LastError();
    return -1;
  }
  if (st.st_nlink == 0) {
    error = winerror::kFileNotFound;
    return -1;
  }
  error = winerror::kSuccess;
  return st.st_size;
}

size_t RaiseOpenFileLimit() {
  struct rlimit limit;
  if (::getrlimit(RLIMIT_NOFILE, &limit) != 0) return 1024;
  if (limit.rlim_cur < limit.rlim_max) {
    struct rlimit raised = limit;
    raised.rlim_cur = limit.rlim_max;
    if (::setrlimit(RLIMIT_NOFILE, &raised) == 0) limit = raised;
  }
  return limit.rlim_cur == RLIM_INFINITY ? SIZE_MAX : static_cast<size_t>(limit.rlim_cur);
}

int64_t Seek(FileHandle handle, int64_t offset, SeekOrigin origin, uint32_t& error) {
  int whence = origin == SeekOrigin::Begin ? SEEK_SET
               : origin == SeekOrigin::End ? SEEK_END
                                           : SEEK_CUR;
  off_t pos = ::lseek(handle, offset, whence);
  if (pos < 0) {
    error = errno == EINVAL ? winerror::kNegativeSeek : LastError();
    return -1;
  }
  error = winerror::kSuccess;
  return pos;
}

int64_t Write(FileHandle handle, std::span<const uint8_t> bytes, uint32_t& error) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(handle, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error = n < 0 ? LastError() : winerror::kDiskFull;
      return -1;
    }
    done += static_cast<size_t>(n);
  }
  error = winerror::kSuccess;
  return static_cast<int64_t>(done);
}

int64_t WriteAt(FileHandle handle, int64_t offset, std::span<const uint8_t> bytes,
                uint32_t& error) {
  ssize_t n;
  do {
    n = ::pwrite(handle, bytes.data(), bytes.size(), offset);
  } while (n < 0 && errno == EINTR);
  if (n < 0) {
    error = LastError();
    return -1;
  }
  error = static_cast<size_t>(n) == bytes.size() ? winerror::kSuccess : winerror::kDiskFull;
  return n;
}

uint32_t SetEndOfFile(FileHandle handle) {
  off_t pos = ::lseek(handle, 0, SEEK_CUR);
  if (pos < 0) return LastError();
  return ::ftruncate(handle, pos) == 0 ? winerror::kSuccess : LastError();
}

uint32_t Flush(FileHandle handle) {
  return ::fsync(handle) == 0 ? winerror::kSuccess : LastError();
}

bool PathExists(const std::string& path) {
  struct stat st;
  return path.find('\0') == std::string::npos && ::stat(path.c_str(), &st) == 0;
}

uint32_t MakeDirectory(const std::string& path) {
  if (path.find('\0') != std::string::npos) return winerror::kInvalidName;
  return ::mkdir(path.c_str(), 0777) == 0 ? winerror::kSuccess : LastError();
}

}  // namespace vks::rawfile
