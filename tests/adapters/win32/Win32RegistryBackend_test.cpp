// The registry stores' shared behaviour on the real Windows registry, each test in keys of its own
// below HKEY_CURRENT_USER.
#include "adapters/win32/Win32RegistryBackend.h"

#include <gtest/gtest.h>

#include <atomic>

#include "tests/TestPlatform.h"
#include "tests/platform/settings/RegistryBackendConformance.h"

// After the shared cases: windows.h names its own constants like the registry types.
#include <windows.h>

namespace vks {
namespace {

struct Win32Store {
  Win32Store() {
    static std::atomic<int> count{0};
    test_key_ = "Software\\VKS-Test\\" + std::to_string(::GetCurrentProcessId()) + "-" +
                std::to_string(count++);
    backend_ = std::make_unique<Win32RegistryBackend>(test_key_);
  }
  ~Win32Store() {
    std::wstring wide(test_key_.begin(), test_key_.end());
    ::RegDeleteTreeW(HKEY_CURRENT_USER, wide.c_str());
  }
  RegistryBackend& Get() { return *backend_; }
  static inline const bool kListsInWindowsOrder = !testing::RunsUnderWine();

  std::string test_key_;
  std::unique_ptr<Win32RegistryBackend> backend_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Windows, RegistryBackendTest, ::testing::Types<Win32Store>);

}  // namespace
}  // namespace vks
