#pragma once
// Real files with a fault injected at the N-th changing operation (create, append, positioned
// open and write, sync, close, rename, delete, folder creation and removal, folder sync): that
// operation fails as a full disk would, an append after writing half of its bytes. Counting every
// operation of a save or a recording lets a test fail each one in turn. Reads (whole files,
// openings for reads at offsets, each such read) are counted apart, and the N-th of them fails as
// a device error would.
#include <memory>
#include <string>

#include "fakes/ForwardingFileSystem.h"
#include "platform/automation/AutomationError.h"

namespace vks::testing {

class FaultInjectionFileSystem : public ForwardingFileSystem {
 public:
  // -1: never fail.
  void FailAt(int operation) {
    fail_at_ = operation;
    operations_ = 0;
  }
  int Operations() const { return operations_; }
  // -1: never fail.
  void FailReadAt(int read) {
    fail_read_at_ = read;
    reads_ = 0;
  }
  int Reads() const { return reads_; }

  std::string ReadFile(const std::string& path) override {
    ReadStep(path);
    return Real().ReadFile(path);
  }
  std::unique_ptr<ReadableFile> OpenReadable(const std::string& path) override {
    ReadStep(path);
    return std::make_unique<Readable>(*this, path, Real().OpenReadable(path));
  }
  std::unique_ptr<WritableFile> NewWritableFile(const std::string& path) override {
    Step(path);
    return std::make_unique<File>(*this, path, Real().NewWritableFile(path));
  }
  std::unique_ptr<WritableFile> NewAppendableFile(const std::string& path) override {
    Step(path);
    return std::make_unique<File>(*this, path, Real().NewAppendableFile(path));
  }
  std::unique_ptr<PositionedFile> OpenPositioned(const std::string& path) override {
    Step(path);
    return std::make_unique<Positioned>(*this, path, Real().OpenPositioned(path));
  }
  void RenameFile(const std::string& from, const std::string& to) override {
    Step(to);
    Real().RenameFile(from, to);
  }
  void DeleteFile(const std::string& path) override {
    Step(path);
    Real().DeleteFile(path);
  }
  void SyncFolder(const std::string& path) override {
    Step(path);
    Real().SyncFolder(path);
  }
  void CreateFolder(const std::string& path) override {
    Step(path);
    Real().CreateFolder(path);
  }
  void RemoveFolder(const std::string& path) override {
    Step(path);
    Real().RemoveFolder(path);
  }

 private:
  // A file of the real system's, with the path that a failure names.
  template <class Real>
  class Wrapped : public Real {
   public:
    Wrapped(FaultInjectionFileSystem& fs, std::string path, std::unique_ptr<Real> real)
        : fs_(fs), path_(std::move(path)), real_(std::move(real)) {}

   protected:
    FaultInjectionFileSystem& fs_;
    std::string path_;
    std::unique_ptr<Real> real_;
  };

  class File : public Wrapped<WritableFile> {
   public:
    using Wrapped::Wrapped;
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
  };

  // A positioned write fails whole: the platform writes a small write all or nothing.
  class Positioned : public Wrapped<PositionedFile> {
   public:
    using Wrapped::Wrapped;
    int64_t NamedSize() override { return real_->NamedSize(); }
    void WriteAt(int64_t offset, std::span<const uint8_t> data) override {
      fs_.Step(path_);
      real_->WriteAt(offset, data);
    }
  };

  class Readable : public Wrapped<ReadableFile> {
   public:
    using Wrapped::Wrapped;
    int64_t Size() override { return real_->Size(); }
    size_t ReadAt(int64_t offset, std::span<uint8_t> bytes) override {
      fs_.ReadStep(path_);
      return real_->ReadAt(offset, bytes);
    }
  };

  bool Due() { return operations_++ == fail_at_; }
  [[noreturn]] void Fail(const std::string& path) {
    throw AutomationError(61, "", path + ": Datenträger voll (eingespeist)");
  }
  void Step(const std::string& path) {
    if (Due()) Fail(path);
  }

  void ReadStep(const std::string& path) {
    if (reads_++ != fail_read_at_) return;
    throw AutomationError(57, "", path + ": Geräte-E/A-Fehler (eingespeist)");
  }

  int fail_at_ = -1;
  int fail_read_at_ = -1;
  int reads_ = 0;
  int operations_ = 0;
};

}  // namespace vks::testing
