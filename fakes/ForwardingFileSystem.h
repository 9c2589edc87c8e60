#pragma once
// Hands every call to another file system (the real one unless told otherwise): the base of the
// fakes that change a few calls and leave the rest real.
#include <memory>
#include <string>
#include <vector>

#include "platform/files/FileSystem.h"

namespace vks::testing {

class ForwardingFileSystem : public FileSystem {
 public:
  explicit ForwardingFileSystem(std::unique_ptr<FileSystem> real = NewPlatformFileSystem())
      : real_(std::move(real)) {}

  bool FileExists(const std::string& path) override { return real_->FileExists(path); }
  bool FolderExists(const std::string& path) override { return real_->FolderExists(path); }
  bool SameFolder(const std::string& a, const std::string& b) override {
    return real_->SameFolder(a, b);
  }
  std::string ReadFile(const std::string& path) override { return real_->ReadFile(path); }
  std::unique_ptr<ReadableFile> OpenReadable(const std::string& path) override {
    return real_->OpenReadable(path);
  }
  std::unique_ptr<WritableFile> NewWritableFile(const std::string& path) override {
    return real_->NewWritableFile(path);
  }
  std::unique_ptr<WritableFile> NewAppendableFile(const std::string& path) override {
    return real_->NewAppendableFile(path);
  }
  std::unique_ptr<PositionedFile> OpenPositioned(const std::string& path) override {
    return real_->OpenPositioned(path);
  }
  void RenameFile(const std::string& from, const std::string& to) override {
    real_->RenameFile(from, to);
  }
  void DeleteFile(const std::string& path) override { real_->DeleteFile(path); }
  void SyncFolder(const std::string& path) override { real_->SyncFolder(path); }
  void CreateFolder(const std::string& path) override { real_->CreateFolder(path); }
  void RemoveFolder(const std::string& path) override { real_->RemoveFolder(path); }
  std::vector<std::string> ListFiles(const std::string& folder, std::string_view ending) override {
    return real_->ListFiles(folder, ending);
  }
  std::string Resolve(const std::string& path) override { return real_->Resolve(path); }

 protected:
  FileSystem& Real() { return *real_; }

 private:
  std::unique_ptr<FileSystem> real_;
};

}  // namespace vks::testing
