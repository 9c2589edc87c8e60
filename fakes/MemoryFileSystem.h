#pragma once
// Files held in memory, so that a fuzz target drives the store's real load and save paths without
// touching the disk.
#include <map>
#include <memory>
#include <string>

#include "platform/automation/AutomationError.h"
#include "platform/files/FileSystem.h"

namespace vks::fuzzing {

class MemoryFileSystem : public FileSystem {
 public:
  std::map<std::string, std::string> files;

  bool FileExists(const std::string& path) override { return files.count(path) != 0; }
  bool FolderExists(const std::string&) override { return true; }
  bool SameFolder(const std::string& a, const std::string& b) override { return a == b; }
  std::string ReadFile(const std::string& path) override {
    auto it = files.find(path);
    if (it == files.end()) throw AutomationError(53, "", path + ": Datei nicht gefunden");
    return it->second;
  }
  std::unique_ptr<WritableFile> NewWritableFile(const std::string& path) override {
    files[path].clear();
    return std::make_unique<File>(files[path]);
  }
  std::unique_ptr<WritableFile> NewAppendableFile(const std::string& path) override {
    return std::make_unique<File>(files[path]);
  }
  void RenameFile(const std::string& from, const std::string& to) override {
    files[to] = ReadFile(from);
    files.erase(from);
  }
  void DeleteFile(const std::string& path) override { files.erase(path); }
  void SyncFolder(const std::string&) override {}

 private:
  class File : public WritableFile {
   public:
    explicit File(std::string& contents) : contents_(contents) {}
    void Append(std::string_view data) override { contents_.append(data); }
    void Sync() override {}
    void Close() override {}

   private:
    std::string& contents_;
  };
};

}  // namespace vks::fuzzing
