#pragma once
// The settings store kept in the registry where the platform keeps it:
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<application>\<section>, one REG_SZ value
// per key. Entries written by other tools with REG_EXPAND_SZ read back as stored, unexpanded.
#include "platform/settings/RegistryBackend.h"
#include "platform/settings/SettingsStore.h"

namespace vks {

inline constexpr std::string_view kSettingsKey = "Software\\VB and VBA Program Settings";

class RegistrySettingsStore : public SettingsStore {
 public:
  // REQUIRES: backend outlives this store.
  explicit RegistrySettingsStore(RegistryBackend& backend) : backend_(backend) {}

  std::string GetSetting(std::string_view application, std::string_view section,
                         std::string_view key, std::string_view default_value) override;
  Result<bool> SaveSetting(std::string_view application, std::string_view section,
                           std::string_view key, std::string_view value) override;
  Result<bool> DeleteSetting(std::string_view application, std::string_view section,
                             std::string_view key) override;
  Result<std::vector<Setting>> GetAllSettings(std::string_view application,
                                              std::string_view section) override;

 private:
  RegistryBackend& backend_;
};

}  // namespace vks
