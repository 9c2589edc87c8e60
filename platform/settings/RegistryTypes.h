#pragma once
// The root keys and value types of the registry, with the numbers automation clients pass for them.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace vks {

enum ERegistryClassConstants : int32_t {
  HKEY_CLASSES_ROOT = static_cast<int32_t>(0x80000000u),
  HKEY_CURRENT_USER = static_cast<int32_t>(0x80000001u),
  HKEY_LOCAL_MACHINE = static_cast<int32_t>(0x80000002u),
  HKEY_USERS = static_cast<int32_t>(0x80000003u),
};

enum ERegistryValueTypes : int32_t {
  REG_NONE = 0,
  REG_SZ = 1,
  REG_EXPAND_SZ = 2,
  REG_BINARY = 3,
  REG_DWORD = 4,
  REG_DWORD_LITTLE_ENDIAN = 4,
  REG_DWORD_BIG_ENDIAN = 5,
  REG_LINK = 6,
  REG_MULTI_SZ = 7,
  REG_RESOURCE_LIST = 8,
  REG_FULL_RESOURCE_DESCRIPTOR = 9,
  REG_RESOURCE_REQUIREMENTS_LIST = 10,
};

// One stored value: its type number and its bytes exactly as written (text carries its final NUL).
struct RegistryValue {
  int32_t type = REG_NONE;
  std::vector<uint8_t> data;
  friend bool operator==(const RegistryValue&, const RegistryValue&) = default;
};

// The four roots in the order of their numbers.
inline constexpr ERegistryClassConstants kRegistryRoots[] = {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER,
                                                             HKEY_LOCAL_MACHINE, HKEY_USERS};

// The root for a class-key number; nullopt for any number that names no root (0 included).
std::optional<ERegistryClassConstants> RegistryRootFromNumber(int32_t number);
// "HKEY_CURRENT_USER" …; REQUIRES: a root.
std::string_view RegistryRootName(ERegistryClassConstants root);
// Full names and the short forms HKCR, HKCU, HKLM, HKU, compared without regard to case.
std::optional<ERegistryClassConstants> RegistryRootFromName(std::string_view name);

// A REG_SZ value: the text followed by one NUL byte.
RegistryValue StringValue(std::string_view text, int32_t type = REG_SZ);
// A REG_DWORD value: 4 bytes, little-endian.
RegistryValue DwordValue(uint32_t number);

}  // namespace vks
