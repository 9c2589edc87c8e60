#include "platform/settings/RegistryTypes.h"

#include "platform/automation/KeyedDictionary.h"

namespace vks {

std::optional<ERegistryClassConstants> RegistryRootFromNumber(int32_t number) {
  for (ERegistryClassConstants root : kRegistryRoots) {
    if (root == number) return root;
  }
  return std::nullopt;
}

std::string_view RegistryRootName(ERegistryClassConstants root) {
  switch (root) {
    case HKEY_CLASSES_ROOT:
      return "HKEY_CLASSES_ROOT";
    case HKEY_CURRENT_USER:
      return "HKEY_CURRENT_USER";
    case HKEY_LOCAL_MACHINE:
      return "HKEY_LOCAL_MACHINE";
    case HKEY_USERS:
      return "HKEY_USERS";
  }
  return "";
}

std::optional<ERegistryClassConstants> RegistryRootFromName(std::string_view name) {
  struct Alias {
    std::string_view name;
    ERegistryClassConstants root;
  };
  static constexpr Alias kAliases[] = {
      {"hkey_classes_root", HKEY_CLASSES_ROOT},
      {"hkcr", HKEY_CLASSES_ROOT},
      {"hkey_current_user", HKEY_CURRENT_USER},
      {"hkcu", HKEY_CURRENT_USER},
      {"hkey_local_machine", HKEY_LOCAL_MACHINE},
      {"hklm", HKEY_LOCAL_MACHINE},
      {"hkey_users", HKEY_USERS},
      {"hku", HKEY_USERS},
  };
  const std::string folded = FoldCase(name);
  for (const Alias& alias : kAliases) {
    if (alias.name == folded) return alias.root;
  }
  return std::nullopt;
}

RegistryValue StringValue(std::string_view text, int32_t type) {
  RegistryValue value{type, std::vector<uint8_t>(text.begin(), text.end())};
  value.data.push_back(0);
  return value;
}

RegistryValue DwordValue(uint32_t number) {
  return RegistryValue{REG_DWORD,
                       {static_cast<uint8_t>(number), static_cast<uint8_t>(number >> 8),
                        static_cast<uint8_t>(number >> 16), static_cast<uint8_t>(number >> 24)}};
}

}  // namespace vks
