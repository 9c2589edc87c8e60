#include "platform/settings/RegistrySettingsStore.h"

#include "platform/settings/RegistryPath.h"

namespace vks {

namespace {

// Application and section become one key level each, so a backslash inside either would address
// another entry; the platform refuses such names and so do we.
std::optional<AutomationError> CheckPart(std::string_view part, std::string_view what) {
  if (part.empty()) return InvalidRegistryArgument(std::string(what) + " ist leer");
  if (part.find('\\') != std::string_view::npos) {
    return InvalidRegistryArgument(std::string(what) + " enthält '\\'");
  }
  return std::nullopt;
}

std::string SectionPath(std::string_view application, std::string_view section) {
  std::string path(kSettingsKey);
  path += '\\';
  path += application;
  if (!section.empty()) {
    path += '\\';
    path += section;
  }
  return path;
}

bool IsText(const RegistryValue& value) {
  return value.type == REG_SZ || value.type == REG_EXPAND_SZ;
}

// The text of a REG_SZ value without its final NUL.
std::string Text(const RegistryValue& value) {
  std::string text(value.data.begin(), value.data.end());
  if (!text.empty() && text.back() == '\0') text.pop_back();
  return text;
}

}  // namespace

std::string RegistrySettingsStore::GetSetting(std::string_view application,
                                              std::string_view section, std::string_view key,
                                              std::string_view default_value) {
  if (CheckPart(application, "") || CheckPart(section, "") || key.empty()) {
    return std::string(default_value);
  }
  auto value = backend_.GetValue(HKEY_CURRENT_USER, SectionPath(application, section), key);
  if (!value.ok() || !value.value() || !IsText(*value.value())) return std::string(default_value);
  return Text(*value.value());
}

Result<bool> RegistrySettingsStore::SaveSetting(std::string_view application,
                                                std::string_view section, std::string_view key,
                                                std::string_view value) {
  if (auto error = CheckPart(application, "Anwendung")) return *error;
  if (auto error = CheckPart(section, "Abschnitt")) return *error;
  if (key.empty()) return InvalidRegistryArgument("Schlüssel ist leer");
  return backend_.SetValue(HKEY_CURRENT_USER, SectionPath(application, section), key,
                           StringValue(value));
}

Result<bool> RegistrySettingsStore::DeleteSetting(std::string_view application,
                                                  std::string_view section, std::string_view key) {
  if (auto error = CheckPart(application, "Anwendung")) return *error;
  if (section.empty()) {
    if (!key.empty()) return InvalidRegistryArgument("Schlüssel ohne Abschnitt");
    return backend_.DeleteTree(HKEY_CURRENT_USER, SectionPath(application, {}));
  }
  if (auto error = CheckPart(section, "Abschnitt")) return *error;
  if (key.empty()) return backend_.DeleteTree(HKEY_CURRENT_USER, SectionPath(application, section));
  return backend_.DeleteValue(HKEY_CURRENT_USER, SectionPath(application, section), key);
}

Result<std::vector<Setting>> RegistrySettingsStore::GetAllSettings(std::string_view application,
                                                                   std::string_view section) {
  if (auto error = CheckPart(application, "Anwendung")) return *error;
  if (auto error = CheckPart(section, "Abschnitt")) return *error;
  const std::string path = SectionPath(application, section);
  auto names = backend_.EnumerateValues(HKEY_CURRENT_USER, path);
  if (!names.ok()) return names.error();
  std::vector<Setting> settings;
  if (!names.value()) return settings;
  for (const std::string& name : *names.value()) {
    auto value = backend_.GetValue(HKEY_CURRENT_USER, path, name);
    if (!value.ok()) return value.error();
    // A value deleted by another process between the two reads is simply no longer there.
    if (value.value() && IsText(*value.value())) {
      settings.push_back(Setting{name, Text(*value.value())});
    }
  }
  return settings;
}

}  // namespace vks
