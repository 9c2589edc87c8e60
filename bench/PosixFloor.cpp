// The floors on POSIX calls.
#include <fcntl.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "bench/Floor.h"

namespace vks::bench {

std::string NewBenchFolder(const std::string& prefix) {
  const char* base = std::getenv("VKS_BENCH_DIR");
  std::string pattern =
      ((base ? std::filesystem::path(base) : std::filesystem::temp_directory_path()) /
       (prefix + "XXXXXX"))
          .string();
  if (!::mkdtemp(pattern.data())) std::abort();
  return pattern;
}

bool WriteSyncRename(const std::string& temporary, const std::string& target,
                     std::string_view bytes) {
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const bool written =
      ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()) &&
      ::fsync(fd) == 0;
  return ::close(fd) == 0 && written && ::rename(temporary.c_str(), target.c_str()) == 0;
}

bool SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  return fd >= 0 && ::fsync(fd) == 0 && ::close(fd) == 0;
}

bool ReadWhole(const std::string& path, std::string& bytes) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool read = ::read(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  return ::close(fd) == 0 && read;
}

void AppendAtEnd(const std::string& path, std::span<const uint8_t> bytes) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  struct stat st;
  ::fstat(fd, &st);
  (void)!::pwrite(fd, bytes.data(), bytes.size(), st.st_size);
  ::close(fd);
}

double CpuNanos() {
  timespec t;
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e9 + static_cast<double>(t.tv_nsec);
}

size_t UsableSize(void* p) {
  return ::malloc_usable_size(p);
}

}  // namespace vks::bench
