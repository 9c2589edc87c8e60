#pragma once
// The start-up routine of the server process: the process-wide collections, the host installation
// and its folders, the RTT storage folder (asked for at the very first start) and the accounts.
#include <functional>
#include <string>

#include "platform/settings/RegistryBackend.h"
#include "platform/settings/SettingsStore.h"
#include "platform/settings/clRegistry.h"
#include "platform/system/MessageReporter.h"
#include "session/KontoSitzung.h"

namespace vks {

class FileSystem;

// The storage folder dialog as start-up opens it at the very first start: shows `Vorschlag` in
// its folder field and current-folder label, modally, and returns the folder field's text once the
// dialog is closed.
class SpeicherordnerDialog {
 public:
  virtual ~SpeicherordnerDialog() = default;
  virtual std::string ZeigeModal(const std::string& Vorschlag) = 0;
};

// Without a display: the user's confirmation of the proposal, with the setting stored as the
// dialog stores it (trimmed, under "Tradomir Kontoserver"/"Einstellungen"/"RTTSpeicherpfadV7").
// Folders are not created here; the RTT files create theirs when first written.
class BestaetigenderSpeicherordnerDialog : public SpeicherordnerDialog {
 public:
  explicit BestaetigenderSpeicherordnerDialog(SettingsStore& settings) : settings_(settings) {}
  std::string ZeigeModal(const std::string& Vorschlag) override;

 private:
  SettingsStore& settings_;
};

// What start-up talks to; the executable hands it the real ones, tests fakes.
struct StartUmgebung {
  MessageReporter& reporter;
  SettingsStore& settings;
  RegistryBackend& registry;
  FileSystem& files;
  SpeicherordnerDialog& dialog;
  std::string eigener_ordner;  // the running executable's folder, without trailing separator
  std::string programm_name;   // base name of the executable, for clRegistry's error source
  // Registers the help file with the application.
  std::function<void(const std::string& HilfeDatei)> hilfedatei_setzen;
  // Loads the account store into sitzung.Konten.
  std::function<void(KontoSitzung& sitzung)> konten_laden;
};

inline constexpr const char* kHauptinstallationKey =
    "Software\\Wendrich Software Entwicklung\\Tradomir\\PfadV7";

// True when the server runs from the host's main installation; Hauptordner receives the main
// installation folder read from the registry (after the adjustments of the check).
bool IstHauptinstallation(clRegistry& registry, const std::string& eigener_ordner,
                          std::string& Hauptordner);

// Runs every step in order; an error in a step is reported ("Fehler beim Start des Kontoservers: "
// + description) and start-up goes on with the next step.
void StarteKontoServer(KontoSitzung& sitzung, StartUmgebung& umgebung);

}  // namespace vks
