#pragma once
// Real files with a fault injected at the N-th changing operation (create, append, sync, close,
// rename, delete, folder sync): that operation fails as a full disk would, an append after writing
// half of its bytes. Counting every operation of a save lets a test fail each one in turn.
#include <memory>
#include <string>

#include "platform/automation/AutomationError.h"
#include "platform/files/FileSystem.h"

namespace vks::testing {

class FaultInjectionFileSystem : public FileSystem {
 public:
  FaultInjectionFileSystem() : real_(NewPosixFileSystem()) {}

  // -1: never fail.
  void FailAt(int operation) {
    fail_at_ = operation;
    operations_ = 0;
  }
  int Operations() const { return operations_; }
  bool Failed() const { return failed_; }

  bool FileExists(const std::string& path) override { return real_->FileExists(path); }
  bool FolderExists(const std::string& path) override { return real_->FolderExists(path); }
  bool SameFolder(const std::string& a, const std::string& b) override {
    return real_->SameFolder(a, b);
  }
  std::string ReadFile(const std::string& path) override { return real_->ReadFile(path); }

  std::unique_ptr<WritableFile> NewWritableFile(const std::string& path) override {
    Step(path);
    return std::make_unique<File>(*this, path, real_->NewWritableFile(path));
  }
  std::unique_ptr<WritableFile> NewAppendableFile(const std::string& path) override {
    Step(path);
    return std::make_unique<File>(*this, path, real_->NewAppendableFile(path));
  }
  void RenameFile(const std::string& from, const std::string& to) override {
    Step(to);
    real_->RenameFile(from, to);
  }
  void DeleteFile(const std::string& path) override {
    Step(path);
    real_->DeleteFile(path);
  }
  void SyncFolder(const std::string& path) override {
    Step(path);
    real_->SyncFolder(path);
  }

 private:
  class File : public WritableFile {
   public:
    File(FaultInjectionFileSystem& fs, std::string path, std::unique_ptr<WritableFile> real)
        : fs_(fs), path_(std::move(path)), real_(std::move(real)) {}
    void Append(std::string_view data) override {
      if (fs_.Due()) {
        real_->Append(data.substr(0, data.size() / 2));
        fs_.Fail(path_);
      }
      real_->Append(data);
    }
    void Sync() override {
      fs_.Step(path_);
      real_->Sync();
    }
    void Close() override {
      fs_.Step(path_);
      real_->Close();
    }

   private:
    FaultInjectionFileSystem& fs_;
    std::string path_;
    std::unique_ptr<WritableFile> real_;
  };

  bool Due() { return operations_++ == fail_at_; }
  [[noreturn]] void Fail(const std::string& path) {
    failed_ = true;
    throw AutomationError(61, "", path + ": Datenträger voll (eingespeist)");
  }
  void Step(const std::string& path) {
    if (Due()) Fail(path);
  }

  std::unique_ptr<FileSystem> real_;
  int fail_at_ = -1;
  int operations_ = 0;
  bool failed_ = false;
};

}  // namespace vks::testing
