// The registry stores' shared behaviour on the real Windows registry, each test in keys of its own
// below HKEY_CURRENT_USER.
#include "adapters/win32/Win32RegistryBackend.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>

#include "fakes/ErrorOf.h"
#include "platform/settings/clRegistry.h"
#include "tests/TestPlatform.h"
#include "tests/platform/settings/RegistryBackendConformance.h"

// After the shared cases: windows.h names its own constants like the registry types.
#include <windows.h>
// After windows.h, which it needs.
#include <sddl.h>

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

// Gives the key below the store's HKEY_CURRENT_USER the rights that `sddl` spells.
void SetRights(const Win32Store& store, const std::string& path, const wchar_t* sddl) {
  const std::string full = store.test_key_ + "\\HKEY_CURRENT_USER\\" + path;
  HKEY key;
  ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, std::wstring(full.begin(), full.end()).c_str(), 0,
                            WRITE_DAC, &key),
            ERROR_SUCCESS);
  PSECURITY_DESCRIPTOR rights = nullptr;
  ASSERT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &rights,
                                                                     nullptr));
  EXPECT_EQ(::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, rights), ERROR_SUCCESS);
  ::LocalFree(rights);
  ::RegCloseKey(key);
}

// A key that this user may read but not change (as one of another user or of the machine): each
// change fails with its number and text, and the key keeps its value. (Deleting the key is left
// out: Wine grants the right to delete whatever the key's rights say.)
TEST(Win32RegistryBackendTest, AKeyWithoutWriteRightsRefusesChangesAndKeepsItsValue) {
  Win32Store store;
  clRegistry reg(store.Get(), "vks");
  // HKEY_CURRENT_USER by number: windows.h took its name.
  reg.ValueEx(-2147483647, "Software\\Gesperrt", "Pfad", REG_SZ, Variant(), Variant("C:\\Alt"));
  SetRights(store, "Software\\Gesperrt", L"D:P(A;;KR;;;WD)");
  const struct {
    const char* name;
    std::function<void()> call;
    std::string description;
  } cases[] = {
      {"Value let", [&] { reg.Value(Variant("C:\\Neu")); },
       "Failed to set registry value Key: '-2147483647',Section: 'Software\\Gesperrt',Key: 'Pfad' "
       "to value: 'C:\\Neu'"},
      {"CreateKey", [&] { reg.CreateKey(); }, "Failed to create registry Key: 'Software\\Gesperrt"},
      {"DeleteValue", [&] { reg.DeleteValue(); },
       "Failed to delete registry Key: '-2147483647',Section: 'Software\\Gesperrt',Key: 'Pfad"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const AutomationError error = testing::RaisedError(c.call);
    EXPECT_EQ(error.Number(), kRegistryKeyError);
    EXPECT_EQ(error.Description(), c.description);
    EXPECT_EQ(error.Source(), "vks.cRegistry");
  }
  EXPECT_EQ(reg.Value().AsString(), "C:\\Alt");
  EXPECT_TRUE(reg.KeyExists());
  // Full rights again, so that the store's end can delete it.
  SetRights(store, "Software\\Gesperrt", L"D:P(A;;KA;;;WD)");
}

}  // namespace
}  // namespace vks
