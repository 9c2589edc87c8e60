#include "adapters/cli/StandardStreams.h"

#include <algorithm>
#include <cstring>
#include <iostream>
#include <iterator>
#include <optional>

#include "fakes/ForwardingFileSystem.h"
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace vks::cli {
namespace {

// Standard input carries bytes, never text with its line ends converted.
void BinaryMode(std::FILE* stream) {
#ifdef _WIN32
  _setmode(_fileno(stream), _O_BINARY);
#else
  (void)stream;
#endif
}

class BytesFile : public ReadableFile {
 public:
  explicit BytesFile(const std::string& bytes) : bytes_(bytes) {}
  int64_t Size() override { return static_cast<int64_t>(bytes_.size()); }
  size_t ReadAt(int64_t offset, std::span<uint8_t> bytes) override {
    if (offset < 0 || static_cast<size_t>(offset) >= bytes_.size()) return 0;
    const size_t count = std::min(bytes.size(), bytes_.size() - static_cast<size_t>(offset));
    std::memcpy(bytes.data(), bytes_.data() + offset, count);
    return count;
  }

 private:
  const std::string& bytes_;
};

class StandardInputFileSystem : public testing::ForwardingFileSystem {
 public:
  explicit StandardInputFileSystem(std::unique_ptr<FileSystem> real)
      : ForwardingFileSystem(std::move(real)) {}

  bool FileExists(const std::string& path) override {
    return path == kStandardStream || ForwardingFileSystem::FileExists(path);
  }
  std::string ReadFile(const std::string& path) override {
    return path == kStandardStream ? Input() : ForwardingFileSystem::ReadFile(path);
  }
  std::unique_ptr<ReadableFile> OpenReadable(const std::string& path) override {
    if (path != kStandardStream) return ForwardingFileSystem::OpenReadable(path);
    return std::make_unique<BytesFile>(Input());
  }

 private:
  const std::string& Input() {
    if (!input_) {
      BinaryMode(stdin);
      input_.emplace(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    }
    return *input_;
  }

  std::optional<std::string> input_;
};

}  // namespace

std::unique_ptr<FileSystem> WithStandardInput(std::unique_ptr<FileSystem> real) {
  return std::make_unique<StandardInputFileSystem>(std::move(real));
}

void WriteWholeFile(FileSystem& files, const std::string& path, std::string_view bytes) {
  if (path == kStandardStream) {
    std::cout.flush();
    BinaryMode(stdout);
    std::cout.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return;
  }
  const std::string temporary = path + ".neu";
  auto file = files.NewWritableFile(temporary);
  file->Append(bytes);
  file->Sync();
  file->Close();
  files.RenameFile(temporary, path);
}

}  // namespace vks::cli
