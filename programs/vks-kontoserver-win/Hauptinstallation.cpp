#include "programs/vks-kontoserver-win/Hauptinstallation.h"

#include "platform/settings/RegistrySettingsStore.h"
#include "platform/settings/clRegistry.h"

#include "adapters/win32/Win32RegistryBackend.h"
#include "platform/automation/VariantConversions.h"
#include "session/Startup.h"

namespace vks {

namespace {

std::string Gelesen(RegistryBackend& registry) {
  clRegistry reader(registry, "VKSKontoServer");
  return ToString(
      reader.ValueEx(HKEY_LOCAL_MACHINE, kHauptinstallationKey, "", REG_SZ, Variant("")));
}

}  // namespace

void SetzeHauptinstallation(const std::string& ordner, std::ostream& log) {
  Win32RegistryBackend registry;
  Result<bool> gesetzt =
      registry.SetValue(HKEY_LOCAL_MACHINE, kHauptinstallationKey, "", StringValue(ordner));
  if (gesetzt.ok()) return;
  log << "Hinweis: HKEY_LOCAL_MACHINE\\" << kHauptinstallationKey << ": "
      << gesetzt.error().Description() << "; der Ordner wird für diesen Benutzer eingetragen.\n";
  RegistrySettingsStore settings(registry);
  Result<bool> benutzer = settings.SaveSetting("Tradomir", "Programm", "PfadV7", ordner);
  if (!benutzer.ok()) throw benutzer.error();
}

void EntferneHauptinstallation(const std::string& ordner) {
  Win32RegistryBackend registry;
  RegistrySettingsStore settings(registry);
  if (settings.GetSetting("Tradomir", "Programm", "PfadV7", "") == ordner)
    (void)settings.DeleteSetting("Tradomir", "Programm", "PfadV7");
  if (Gelesen(registry) != ordner) return;
  // The key and the parents that only held it, up to Software.
  std::string key = kHauptinstallationKey;
  while (key.find('\\') != std::string::npos) {
    auto subkeys = registry.EnumerateSubkeys(HKEY_LOCAL_MACHINE, key);
    auto values = registry.EnumerateValues(HKEY_LOCAL_MACHINE, key);
    const bool leer = key == kHauptinstallationKey ||
                      (subkeys.ok() && values.ok() && subkeys.value() && values.value() &&
                       subkeys.value()->empty() && values.value()->empty());
    if (!leer || !registry.DeleteKey(HKEY_LOCAL_MACHINE, key).ok()) return;
    key.erase(key.rfind('\\'));
  }
}

}  // namespace vks
