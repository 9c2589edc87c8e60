#pragma once
// The registry store on the real Windows registry. Key and value names travel as UTF-16; text
// values (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) are kept as Windows keeps text, UTF-16, so that
// other programs and .reg files read them; every other type keeps its bytes. The registry itself
// gives the atomic changes and the safe use by several processes.
#include <string>

#include "platform/settings/RegistryBackend.h"

namespace vks {

class Win32RegistryBackend : public RegistryBackend {
 public:
  // The four real roots. With `redirect`, every root is instead a key of that path below
  // HKEY_CURRENT_USER (named like the root), which tests use to keep out of the real roots.
  explicit Win32RegistryBackend(std::string redirect = {});

  Result<bool> KeyExists(ERegistryClassConstants root, std::string_view path) override;
  Result<bool> CreateKey(ERegistryClassConstants root, std::string_view path) override;
  Result<bool> DeleteKey(ERegistryClassConstants root, std::string_view path) override;
  Result<bool> DeleteTree(ERegistryClassConstants root, std::string_view path) override;
  Result<std::optional<RegistryValue>> GetValue(ERegistryClassConstants root, std::string_view path,
                                                std::string_view name) override;
  Result<bool> SetValue(ERegistryClassConstants root, std::string_view path, std::string_view name,
                        const RegistryValue& value) override;
  Result<bool> DeleteValue(ERegistryClassConstants root, std::string_view path,
                           std::string_view name) override;
  Result<std::optional<std::vector<std::string>>> EnumerateSubkeys(ERegistryClassConstants root,
                                                                   std::string_view path) override;
  Result<std::optional<std::vector<std::string>>> EnumerateValues(ERegistryClassConstants root,
                                                                  std::string_view path) override;

 private:
  std::string redirect_;
};

}  // namespace vks
