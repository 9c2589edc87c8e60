#pragma once
// The raw file calls behind the file object's handle, one implementation per platform
// (PosixFile.cpp with 64-bit offsets; adapters/win32 on the Win32 API). Each call reports its
// failure as a Windows error code (0 = success), so that callers word messages the way the host
// knows them. Reads go through FileSystem.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace vks::rawfile {

// A descriptor or a Win32 handle; both fit, and both platforms use -1 for none.
using FileHandle = intptr_t;
inline constexpr FileHandle kInvalidHandle = -1;

enum class SeekOrigin { Begin, Current, End };

// Opens the file, creating it empty when missing (also when read_only). Others may read and write
// it at the same time. Returns kInvalidHandle on failure.
FileHandle OpenOrCreate(const std::string& path, bool read_only, uint32_t& error);
uint32_t Close(FileHandle handle);

// -1 on failure.
int64_t FileSize(FileHandle handle, uint32_t& error);
// Like FileSize, but -1 also when the file no longer has a name (deleted, or replaced by a rename):
// a handle kept open across calls must not write into a file nobody can find any more.
int64_t NamedFileSize(FileHandle handle, uint32_t& error);
// The new position, or -1 on failure (a position before the start is ERROR_NEGATIVE_SEEK).
int64_t Seek(FileHandle handle, int64_t offset, SeekOrigin origin, uint32_t& error);

// At the current position, all of `bytes` unless the platform fails; the count written or -1.
int64_t Write(FileHandle handle, std::span<const uint8_t> bytes, uint32_t& error);
// One write call at `offset`, leaving the position alone: a concurrent reader sees all of a small
// write or none of it. The count written or -1.
int64_t WriteAt(FileHandle handle, int64_t offset, std::span<const uint8_t> bytes, uint32_t& error);

// Sets the end of the file at the current position.
uint32_t SetEndOfFile(FileHandle handle);
uint32_t Flush(FileHandle handle);

// How many files this process may hold open, after raising the limit as far as the system allows
// (desktop sessions often start programs with a low soft limit and a high hard one).
size_t RaiseOpenFileLimit();

// True when a directory or file of that name exists.
bool PathExists(const std::string& path);
uint32_t MakeDirectory(const std::string& path);

}  // namespace vks::rawfile
