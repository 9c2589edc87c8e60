#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it at the end.
#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <system_error>

namespace vks::testing {

// A path for std::filesystem from UTF-8 text; its narrow strings are not UTF-8 on Windows.
inline std::filesystem::path Utf8Path(const std::string& text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

class TempFolder {
 public:
  TempFolder() {
    // A name no other test process picks: the time, and a count within this process.
    static std::atomic<unsigned> count{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    std::error_code error;
    const std::filesystem::path base = std::filesystem::temp_directory_path(error);
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
      const std::filesystem::path candidate =
          base / ("vks-test-" + std::to_string(stamp) + "-" + std::to_string(count++));
      if (std::filesystem::create_directory(candidate, error)) path_ = candidate.string();
    }
  }
  ~TempFolder() {
    // Deepest first, links removed themselves rather than followed.
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  std::string operator/(const std::string& name) const { return File(name); }

 private:
  std::string path_;
};

}  // namespace vks::testing
