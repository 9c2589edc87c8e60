#pragma once
// Files held in memory, so that a fuzz target or a test drives the store's and the recorder's real
// paths without touching the disk. Folders are not modelled: every folder exists, creating and
// removing one does nothing, and a folder lists the files whose path starts with it.
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "platform/automation/AutomationError.h"
#include "platform/automation/KeyedDictionary.h"
#include "platform/files/FileSystem.h"

namespace vks::fuzzing {

class MemoryFileSystem : public FileSystem {
 public:
  std::map<std::string, std::string> files;

  bool FileExists(const std::string& path) override { return files.count(path) != 0; }
  bool FolderExists(const std::string&) override { return true; }
  bool SameFolder(const std::string& a, const std::string& b) override { return a == b; }
  std::string ReadFile(const std::string& path) override { return Existing(path); }
  std::unique_ptr<ReadableFile> OpenReadable(const std::string& path) override {
    (void)Existing(path);
    return std::make_unique<Readable>(files, path);
  }
  std::unique_ptr<WritableFile> NewWritableFile(const std::string& path) override {
    files[path].clear();
    return std::make_unique<File>(files[path]);
  }
  std::unique_ptr<WritableFile> NewAppendableFile(const std::string& path) override {
    return std::make_unique<File>(files[path]);
  }
  std::unique_ptr<PositionedFile> OpenPositioned(const std::string& path) override {
    files.try_emplace(path);
    return std::make_unique<Positioned>(files, path);
  }
  void RenameFile(const std::string& from, const std::string& to) override {
    files[to] = ReadFile(from);
    files.erase(from);
  }
  void DeleteFile(const std::string& path) override {
    if (files.erase(path) == 0) throw AutomationError(53);
  }
  void SyncFolder(const std::string&) override {}
  void CreateFolder(const std::string&) override {}
  void RemoveFolder(const std::string&) override {}
  std::vector<std::string> ListFiles(const std::string& folder, std::string_view ending) override {
    std::vector<std::string> found;
    const std::string prefix = JoinPath(folder, "");
    const std::string wanted = FoldCase(ending);
    for (const auto& [path, contents] : files) {
      if (!path.starts_with(prefix) || path.find('/', prefix.size()) != std::string::npos) continue;
      if (path.size() >= wanted.size() &&
          FoldCase(std::string_view(path).substr(path.size() - wanted.size())) == wanted)
        found.push_back(path);
    }
    return found;  // the map keeps them sorted
  }
  std::string Resolve(const std::string& path) override { return path; }

 private:
  const std::string& Existing(const std::string& path) const {
    auto it = files.find(path);
    if (it == files.end()) throw AutomationError(53, "", path + ": Datei nicht gefunden");
    return it->second;
  }

  class File : public WritableFile {
   public:
    explicit File(std::string& contents) : contents_(contents) {}
    void Append(std::string_view data) override { contents_.append(data); }
    void Sync() override {}
    void Close() override {}

   private:
    std::string& contents_;
  };

  // Reads by name: a file deleted since it was opened reads as empty.
  class Readable : public ReadableFile {
   public:
    Readable(const std::map<std::string, std::string>& files, std::string path)
        : files_(files), path_(std::move(path)) {}
    int64_t Size() override { return static_cast<int64_t>(Contents().size()); }
    size_t ReadAt(int64_t offset, std::span<uint8_t> bytes) override {
      const std::string_view contents = Contents();
      if (offset < 0) throw AutomationError(75);
      if (static_cast<uint64_t>(offset) >= contents.size()) return 0;
      const size_t n = std::min(bytes.size(), contents.size() - static_cast<size_t>(offset));
      if (n != 0) std::memcpy(bytes.data(), contents.data() + offset, n);
      return n;
    }

   private:
    std::string_view Contents() const {
      auto it = files_.find(path_);
      return it == files_.end() ? std::string_view() : std::string_view(it->second);
    }
    const std::map<std::string, std::string>& files_;
    std::string path_;
  };

  // Writes by name: a file deleted since it was opened has no size, as on the disk.
  class Positioned : public PositionedFile {
   public:
    Positioned(std::map<std::string, std::string>& files, std::string path)
        : files_(files), path_(std::move(path)) {}
    int64_t NamedSize() override {
      auto it = files_.find(path_);
      return it == files_.end() ? -1 : static_cast<int64_t>(it->second.size());
    }
    void WriteAt(int64_t offset, std::span<const uint8_t> data) override {
      std::string& contents = files_[path_];
      const size_t end = static_cast<size_t>(offset) + data.size();
      if (contents.size() < end) contents.resize(end);
      std::memcpy(contents.data() + offset, data.data(), data.size());
    }

   private:
    std::map<std::string, std::string>& files_;
    std::string path_;
  };
};

}  // namespace vks::fuzzing
