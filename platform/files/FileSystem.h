#pragma once
// Every file and folder operation of the core (the account store, its backups, the error log, the
// RTT files, the folders of the dialogs), behind one interface, so that tests can hold files in
// memory or inject faults at any write. Every failure is an AutomationError with the number and
// German text that the platform's file statements give (FileError), so that messages can quote it.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/AutomationError.h"

namespace vks {

// A file opened for reads at chosen offsets, so that a file of any size is read in pieces of a
// size the reader chooses. Others may write, rename or delete it meanwhile.
class ReadableFile {
 public:
  virtual ~ReadableFile() = default;
  // The size now.
  virtual int64_t Size() = 0;
  // Fills `bytes` from `offset` on, up to the end of the file; returns the count read (less than
  // asked only at the end, 0 at or past it).
  virtual size_t ReadAt(int64_t offset, std::span<uint8_t> bytes) = 0;
};

class WritableFile {
 public:
  virtual ~WritableFile() = default;
  virtual void Append(std::string_view data) = 0;
  // Starts writing what was appended so far to the disk and returns at once, so that the final
  // Sync has less left to wait for. Failures show at Sync.
  virtual void StartWriteback() {}
  // Forces the data onto the disk.
  virtual void Sync() = 0;
  virtual void Close() = 0;
};

// A file kept open for writes at chosen offsets. Others may read, rename or delete it meanwhile.
class PositionedFile {
 public:
  virtual ~PositionedFile() = default;
  // The size now; -1 when the file no longer has a name (deleted, or replaced by a rename): a file
  // kept open across calls must not be written when nobody can find it any more.
  virtual int64_t NamedSize() = 0;
  // One write of all of `data` at `offset`: a concurrent reader sees all of a small write or none.
  virtual void WriteAt(int64_t offset, std::span<const uint8_t> data) = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  virtual bool FileExists(const std::string& path) = 0;
  virtual bool FolderExists(const std::string& path) = 0;
  // True when both paths name one existing folder, however each is spelled (symbolic links,
  // "..", a trailing separator).
  virtual bool SameFolder(const std::string& a, const std::string& b) = 0;
  // The whole file in one read; the platforms read it through OpenReadable.
  virtual std::string ReadFile(const std::string& path);
  // An existing file, for reads at offsets.
  virtual std::unique_ptr<ReadableFile> OpenReadable(const std::string& path) = 0;
  // Creates or truncates.
  virtual std::unique_ptr<WritableFile> NewWritableFile(const std::string& path) = 0;
  // Opens for appending, creating the file when it is missing.
  virtual std::unique_ptr<WritableFile> NewAppendableFile(const std::string& path) = 0;
  // Opens for positioned writes, creating the file empty when it is missing.
  virtual std::unique_ptr<PositionedFile> OpenPositioned(const std::string& path) = 0;
  // Replaces `to` atomically.
  virtual void RenameFile(const std::string& from, const std::string& to) = 0;
  virtual void DeleteFile(const std::string& path) = 0;
  // Makes a rename or deletion in the folder durable.
  virtual void SyncFolder(const std::string& path) = 0;

  // One level: the parent must exist.
  virtual void CreateFolder(const std::string& path) = 0;
  // Only an empty folder.
  virtual void RemoveFolder(const std::string& path) = 0;
  // Full paths of the files in `folder` whose name ends in `ending` (letter case ignored), sorted;
  // none when the folder does not exist.
  virtual std::vector<std::string> ListFiles(const std::string& folder,
                                             std::string_view ending) = 0;
  // The path made absolute, "." and ".." resolved and symbolic links followed as far as they exist.
  virtual std::string Resolve(const std::string& path) = 0;
};

// The real files of the platform this build runs on (POSIX calls with 64-bit offsets, or the Win32
// API with UTF-16 paths).
std::unique_ptr<FileSystem> NewPlatformFileSystem();

// What a failed file call raises: the Windows error code `code` (WindowsError.h; the POSIX build
// translates errno first) as the file statements number it (53 file not found, 61 disk full, 70
// access denied, 75 path/file access error, 76 path not found, 57 device I/O error), with their
// German text. A missing entry is a missing file (53) when a file was asked for, a missing path
// (76) when a folder was.
enum class FileTarget { File, Folder };
AutomationError FileError(uint32_t code, FileTarget target);

// Creates a folder and the missing folders above it, level by level. True when the path exists
// afterwards (as a folder or as a file: a file in the way shows only when it is used).
bool CreateFolderPath(FileSystem& files, std::string_view path);

// True when `path`, resolved, lies strictly inside `base`, resolved.
bool LiegtIn(FileSystem& files, const std::string& path, const std::string& base);

// The platform's path separator, and whether `c` separates path elements there (Windows takes '/'
// as well as '\\').
extern const char kPathSeparator;
bool IsPathSeparator(char c);

// Joins a folder and a file name with the native separator, unless the folder already ends in one.
std::string JoinPath(std::string_view folder, std::string_view name);
// The folder part of a path ("" when it has none).
std::string ParentFolder(std::string_view path);

}  // namespace vks
