#include "tools/vks-host-demo/DemoEinstellungen.h"

#include "adapters/win32/Win32RegistryBackend.h"
#include "platform/automation/KeyedDictionary.h"
#include "platform/settings/RegistrySettingsStore.h"
#include "session/Startup.h"

namespace vks::demo {

namespace {

std::string TextWert(RegistryBackend& registry, ERegistryClassConstants root,
                     const std::string& key) {
  auto value = registry.GetValue(root, key, "");
  if (!value.ok() || !value.value()) return {};
  std::string text(value.value()->data.begin(), value.value()->data.end());
  return text.substr(0, text.find('\0'));
}

std::string OhneTrenner(std::string ordner) {
  while (!ordner.empty() && (ordner.back() == '\\' || ordner.back() == '/')) ordner.pop_back();
  return ordner;
}

}  // namespace

DemoEinstellungen::DemoEinstellungen()
    : registry_(std::make_unique<Win32RegistryBackend>()),
      einstellungen_{{"Tradomir", "Programm", "PfadV7", ""},
                     {"Tradomir Kontoserver", "Einstellungen", "RTTSpeicherpfadV7", ""}} {
  RegistrySettingsStore settings(*registry_);
  for (Einstellung& e : einstellungen_)
    e.alt = settings.GetSetting(e.application, e.section, e.key, "");
}

DemoEinstellungen::~DemoEinstellungen() {
  RegistrySettingsStore settings(*registry_);
  for (const Einstellung& e : einstellungen_) {
    if (e.alt.empty()) {
      (void)settings.DeleteSetting(e.application, e.section, e.key);
    } else {
      (void)settings.SaveSetting(e.application, e.section, e.key, e.alt);
    }
  }
}

std::string DemoEinstellungen::Hauptinstallation(const std::string& clsid) {
  const std::string haupt =
      OhneTrenner(TextWert(*registry_, HKEY_LOCAL_MACHINE, kHauptinstallationKey));
  std::string programm =
      TextWert(*registry_, HKEY_CLASSES_ROOT, "CLSID\\" + clsid + "\\LocalServer32");
  if (!programm.empty() && programm.front() == '"') programm = programm.substr(1);
  programm = programm.substr(0, programm.find('"'));
  const std::string ordner = OhneTrenner(programm.substr(0, programm.find_last_of("\\/") + 1));
  return !haupt.empty() && FoldCase(ordner) == FoldCase(haupt) ? haupt : "";
}

Result<DemoOrdner> DemoEinstellungen::BereiteOrdnerVor(const std::string& ordner,
                                                       const Handelstag& tag) {
  // The demo's own settings go to the user's registry; the file that the Linux build keeps for
  // its registry store stays unused.
  return demo::BereiteOrdnerVor(
      ordner, tag, [](const std::string&) -> Result<std::unique_ptr<RegistryBackend>> {
        return std::unique_ptr<RegistryBackend>(std::make_unique<Win32RegistryBackend>());
      });
}

}  // namespace vks::demo
