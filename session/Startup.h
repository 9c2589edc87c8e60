#pragma once
// The start-up routine of the server process: the process-wide collections, the host installation
// and its folders, the RTT storage folder (asked for at the very first start) and the accounts.
#include <functional>
#include <memory>
#include <string>

#include "platform/settings/RegistryBackend.h"
#include "platform/settings/SettingsStore.h"
#include "platform/settings/clRegistry.h"
#include "platform/system/Clock.h"
#include "platform/system/ErrorLog.h"
#include "platform/system/MessageReporter.h"
#include "session/AccountStore.h"
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

// True when the server runs from the host's main installation: the folder read from the registry
// (one trailing "\" or "/" removed) is spelled as the server's own folder or names the same
// folder on disk (through a symbolic link, say). Hauptordner receives the adjusted registry value.
bool IstHauptinstallation(clRegistry& registry, FileSystem& files,
                          const std::string& eigener_ordner, std::string& Hauptordner);

// The accounts as both servers keep them: once start-up knows the data folder, the error log
// beside the accounts (in the program's folder without one) and the store, which loads them.
struct KontenAblage {
  std::unique_ptr<ErrorLog> error_log;
  std::unique_ptr<AccountStore> store;
};
std::function<void(KontoSitzung& sitzung)> LadeKontenSchritt(KontenAblage& ablage,
                                                             std::string eigener_ordner,
                                                             FileSystem& files,
                                                             MessageReporter& reporter,
                                                             Clock& clock);

// Runs every step in order; an error in a step is reported ("Fehler beim Start des Kontoservers: "
// + description) and start-up goes on with the next step.
void StarteKontoServer(KontoSitzung& sitzung, StartUmgebung& umgebung);

}  // namespace vks
