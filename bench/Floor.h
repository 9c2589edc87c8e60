#pragma once
// The bare system calls that the benchmarks' floors are made of, one implementation per platform
// (PosixFloor.cpp, Win32Floor.cpp; CMake picks one), so that each bench source measures the same
// thing on both builds: what the disk costs for the same bytes, without our code around it.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace vks::bench {

// A new empty folder below $VKS_BENCH_DIR, else below the system's temporary folder, its name
// starting with `prefix`. Ends the program when it cannot be made.
std::string NewBenchFolder(const std::string& prefix);

// A folder of NewBenchFolder's, removed with all it holds when the object ends.
struct ScratchFolder {
  explicit ScratchFolder(const std::string& prefix) : path(NewBenchFolder(prefix)) {}
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  const std::string path;
};

// Writes `bytes` to `temporary` in one call, forces them onto the disk and renames the file over
// `target`, as a crash-safe save must at least do.
bool WriteSyncRename(const std::string& temporary, const std::string& target,
                     std::string_view bytes);

// Makes the last rename in `folder` durable, where the platform needs a call of its own for it.
bool SyncFolder(const std::string& folder);

// Fills all of `bytes` from the start of the file in one read.
bool ReadWhole(const std::string& path, std::string& bytes);

// Opens (creating it when missing), asks the size, writes `bytes` at the end, closes: what one
// appended record costs at the least.
void AppendAtEnd(const std::string& path, std::span<const uint8_t> bytes);

// The process's CPU time so far (user and kernel), in nanoseconds.
double CpuNanos();

// The bytes that the heap really gave for the block `p`.
size_t UsableSize(void* p);

}  // namespace vks::bench
