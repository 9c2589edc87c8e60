#pragma once
// The registry as the core sees it: a persistent tree of keys below four roots, each key holding
// named values (the empty name is the key's default value). Key and value names are compared
// without regard to case and keep the case of their creation. Subkeys enumerate in name order
// (case folded), values in the order of their creation; overwriting a value keeps its place.
//
// A key path is relative to its root: segments separated by one backslash, "" for the root itself.
// Empty segments (a leading, doubled or trailing backslash), over-long or otherwise invalid names
// are refused with error 5 before anything is touched. Every change is atomic: it happens whole or
// not at all, also when several processes share the store.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/Result.h"
#include "platform/settings/RegistryTypes.h"

namespace vks {

class RegistryBackend {
 public:
  virtual ~RegistryBackend() = default;

  virtual Result<bool> KeyExists(ERegistryClassConstants root, std::string_view path) = 0;
  // Creates the key and any missing keys above it; true when the key itself is new.
  virtual Result<bool> CreateKey(ERegistryClassConstants root, std::string_view path) = 0;
  // Deletes one key with its values; false when it does not exist. Fails (error 70) for a root and
  // for a key that still has subkeys.
  virtual Result<bool> DeleteKey(ERegistryClassConstants root, std::string_view path) = 0;
  // Deletes a key with everything below it; false when it does not exist. A root keeps itself but
  // loses its subkeys and values.
  virtual Result<bool> DeleteTree(ERegistryClassConstants root, std::string_view path) = 0;

  // nullopt when the key or the value does not exist.
  virtual Result<std::optional<RegistryValue>> GetValue(ERegistryClassConstants root,
                                                        std::string_view path,
                                                        std::string_view name) = 0;
  // Writes the value, creating missing keys on the way; true when the value is new.
  virtual Result<bool> SetValue(ERegistryClassConstants root, std::string_view path,
                                std::string_view name, const RegistryValue& value) = 0;
  // false when the key or the value does not exist.
  virtual Result<bool> DeleteValue(ERegistryClassConstants root, std::string_view path,
                                   std::string_view name) = 0;

  // Names as created, in enumeration order; nullopt when the key does not exist.
  virtual Result<std::optional<std::vector<std::string>>> EnumerateSubkeys(
      ERegistryClassConstants root, std::string_view path) = 0;
  virtual Result<std::optional<std::vector<std::string>>> EnumerateValues(
      ERegistryClassConstants root, std::string_view path) = 0;
};

}  // namespace vks
