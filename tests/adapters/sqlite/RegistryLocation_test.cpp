#include "adapters/sqlite/RegistryLocation.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "fakes/TempFolder.h"

namespace vks {
namespace {

TEST(RegistryLocationTest, EnvironmentChoosesTheFile) {
  testing::TempFolder folder;
  struct Case {
    const char* vks_registry;  // nullptr: unset
    const char* xdg;
    const char* home;
    std::string expected;
  };
  const Case kCases[] = {
      {"/x/my.sqlite", "/cfg", "/h", "/x/my.sqlite"},
      {folder.path().c_str(), "/cfg", "/h", folder.path() + "/registry.sqlite"},
      {"/not/yet/", "/cfg", "/h", "/not/yet/registry.sqlite"},
      {nullptr, "/cfg", "/h", "/cfg/tradomir/registry.sqlite"},
      {"", "/cfg", "/h", "/cfg/tradomir/registry.sqlite"},
      {nullptr, nullptr, "/h", "/h/.config/tradomir/registry.sqlite"},
      {nullptr, "relative/cfg", "/h", "/h/.config/tradomir/registry.sqlite"},
  };
  const auto set = [](const char* name, const char* value) {
    if (value) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.expected);
    set("VKS_REGISTRY", c.vks_registry);
    set("XDG_CONFIG_HOME", c.xdg);
    set("HOME", c.home);
    EXPECT_EQ(DefaultRegistryFile(), c.expected);
  }
}

}  // namespace
}  // namespace vks
