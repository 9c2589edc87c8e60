#pragma once
// Whole-file operations of the core (the account store, its backups, the error log), behind an
// interface so that tests can inject faults at any write. Every failure is an AutomationError whose
// description names the path; the numbers are those of the platform's file errors (53 file not
// found, 61 disk full, 70 access denied, 76 path not found, 57 other I/O errors).
#include <memory>
#include <string>
#include <string_view>

namespace vks {

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

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  virtual bool FileExists(const std::string& path) = 0;
  virtual bool FolderExists(const std::string& path) = 0;
  // True when both paths name one existing folder, however each is spelled (symbolic links,
  // "..", a trailing separator).
  virtual bool SameFolder(const std::string& a, const std::string& b) = 0;
  // The whole file in one read.
  virtual std::string ReadFile(const std::string& path) = 0;
  // Creates or truncates.
  virtual std::unique_ptr<WritableFile> NewWritableFile(const std::string& path) = 0;
  // Opens for appending, creating the file when it is missing.
  virtual std::unique_ptr<WritableFile> NewAppendableFile(const std::string& path) = 0;
  // Replaces `to` atomically.
  virtual void RenameFile(const std::string& from, const std::string& to) = 0;
  virtual void DeleteFile(const std::string& path) = 0;
  // Makes a rename or deletion in the folder durable.
  virtual void SyncFolder(const std::string& path) = 0;
};

// The real files of the platform (POSIX calls, 64-bit offsets).
std::unique_ptr<FileSystem> NewPosixFileSystem();

// Joins a folder and a file name with the native separator, unless the folder already ends in one.
std::string JoinPath(std::string_view folder, std::string_view name);
// The folder part of a path ("" when it has none).
std::string ParentFolder(std::string_view path);

}  // namespace vks
