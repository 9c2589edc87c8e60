#include "adapters/sqlite/RegistryLocation.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace vks {

namespace {

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

std::string HomeFolder() {
  std::string home = Env("HOME");
  if (!home.empty()) return home;
  // A service started without HOME still has a passwd entry.
  if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir) return entry->pw_dir;
  return ".";
}

}  // namespace

std::string DefaultRegistryFile() {
  namespace fs = std::filesystem;
  const std::string overridden = Env("VKS_REGISTRY");
  if (!overridden.empty()) {
    std::error_code ignored;
    if (overridden.back() == '/' || fs::is_directory(overridden, ignored)) {
      return (fs::path(overridden) / kRegistryFileName).string();
    }
    return overridden;
  }
  // Relative values are to be ignored, as the base directory convention says.
  fs::path config = Env("XDG_CONFIG_HOME");
  if (config.empty() || !config.is_absolute()) config = fs::path(HomeFolder()) / ".config";
  return (config / "tradomir" / kRegistryFileName).string();
}

}  // namespace vks
