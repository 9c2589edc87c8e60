#pragma once
// The per-user settings: one text per application, section and key. Start-up, the storage folder
// dialog, the window layouts and the script editor keep their choices here.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/automation/Result.h"

namespace vks {

struct Setting {
  std::string key;
  std::string value;
  friend bool operator==(const Setting&, const Setting&) = default;
};

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  // The stored text; default_value when the entry is missing, holds no text or cannot be read.
  virtual std::string GetSetting(std::string_view application, std::string_view section,
                                 std::string_view key, std::string_view default_value) = 0;
  // Error 5 for an empty or invalid application, section or key; storage failures as reported by
  // the store. True when the entry is new.
  virtual Result<bool> SaveSetting(std::string_view application, std::string_view section,
                                   std::string_view key, std::string_view value) = 0;
  // Deletes one entry (key given), a whole section (key empty) or the whole application (section
  // and key empty). False when there was nothing to delete.
  virtual Result<bool> DeleteSetting(std::string_view application, std::string_view section,
                                     std::string_view key) = 0;
  // The text entries of a section in their stored order; none when the section does not exist.
  virtual Result<std::vector<Setting>> GetAllSettings(std::string_view application,
                                                      std::string_view section) = 0;
};

}  // namespace vks
