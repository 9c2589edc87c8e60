#pragma once
// The value that start-up's main-installation check reads (HKEY_LOCAL_MACHINE\<
// kHauptinstallationKey>, default value), written at registration as the host's installer
// writes it. Where the machine's part of the registry refuses a user without administrator
// rights, the per-user fallback that start-up reads next (Tradomir\Programm\PfadV7) takes it.
#include <ostream>
#include <string>

namespace vks {

// Throws AutomationError when neither place takes the folder.
void SetzeHauptinstallation(const std::string& ordner, std::ostream& log);
// Removes the value (and the keys it leaves empty) where it names `ordner`; one naming another
// installation stays.
void EntferneHauptinstallation(const std::string& ordner);

}  // namespace vks
