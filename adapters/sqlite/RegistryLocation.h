#pragma once
// Where the registry store lives: $VKS_REGISTRY when set (a file, or a folder that then holds
// registry.sqlite), else $XDG_CONFIG_HOME (or ~/.config) + /tradomir/registry.sqlite.
#include <string>

namespace vks {

inline constexpr const char* kRegistryFileName = "registry.sqlite";

std::string DefaultRegistryFile();

}  // namespace vks
