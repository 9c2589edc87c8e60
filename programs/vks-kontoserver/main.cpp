// vks-kontoserver: the account server as a process on the session bus. The bus starts it on a
// host's first call; it ends when the host has released its last object. With a display it shows
// its windows and message boxes; without one it logs its messages and shows nothing.
//   vks-kontoserver                   serves the bus
//   vks-kontoserver --registrieren    makes its own folder the main installation, and ends
//   vks-kontoserver --help | --version
#include <sys/stat.h>
#include <unistd.h>
#include <QtCore/QCoreApplication>
#include <QtCore/QFileInfo>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string_view>

#include "accounts/KontoUmgebung.h"
#include "adapters/cli/CommandLine.h"
#include "adapters/dbus/AnzeigeObjekt.h"
#include "adapters/dbus/BusLoop.h"
#include "adapters/dbus/DbusNames.h"
#include "adapters/dbus/FristOhneObjekt.h"
#include "adapters/dbus/KontoServerDienst.h"
#include "adapters/pcre2/Pcre2RegexEngine.h"
#include "adapters/qt/KontenFensterMitAnzeige.h"
#include "adapters/qt/Oberflaeche.h"
#include "adapters/qt/QtMeldungen.h"
#include "adapters/qt/SystemLocale.h"
#include "adapters/qt/frmRTTSpeicherordner.h"
#include "adapters/sqlite/RegistryLocation.h"
#include "adapters/sqlite/SqliteRegistryBackend.h"
#include "interface/KontenFensterOhneAnzeige.h"
#include "platform/files/FileSystem.h"
#include "platform/settings/RegistrySettingsStore.h"
#include "platform/system/Clock.h"
#include "platform/system/ErrorLog.h"
#include "platform/system/JournalLog.h"
#include "platform/system/LogMessageReporter.h"
#include "presenters/HauptfensterPresenter.h"
#include "programs/vks-kontoserver/QuitOnSignals.h"
#include "recording/RttAufzeichnung.h"
#include "scripting/FuehreKontoScriptAus.h"
#include "session/KontoBeobachterVerteiler.h"
#include "session/Speicherplan.h"
#include "session/Startup.h"

namespace {

// systemd connects a unit's standard error to the journal and says so in JOURNAL_STREAM.
bool FehlerGehenInsJournal() {
  struct stat info {};
  return fstat(2, &info) == 0 &&
         vks::IsJournalStream(std::getenv("JOURNAL_STREAM"), info.st_dev, info.st_ino);
}

// For a command the user copies into a shell.
std::string ShellWort(const std::string& text) {
  std::string wort = "'";
  for (const char c : text) wort += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return wort + "'";
}

// A server installed for every user (a package: its folder is not the user's to write) keeps each
// user's accounts in a folder of the user's own, as the host's installer gives each installation
// its Daten folder. That folder, with Daten, is this user's installation folder.
std::string InstallationsOrdner(const std::string& programm_ordner) {
  if (access(programm_ordner.c_str(), W_OK) == 0) return programm_ordner;
  const char* daten = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  std::filesystem::path ordner = daten && *daten ? std::filesystem::path(daten)
                                 : home && *home ? std::filesystem::path(home) / ".local/share"
                                                 : std::filesystem::path();
  if (ordner.empty()) return programm_ordner;
  ordner /= "tradomir/Kontoserver";
  std::error_code fehler;
  std::filesystem::create_directories(ordner / "Daten", fehler);
  return fehler ? programm_ordner : ordner.string();
}

// What the host's installer does: the registry value that the main-installation check reads names
// this folder. The per-user set-up runs this, never an install into a staging folder.
vks::Result<bool> SchreibeHauptinstallation(vks::RegistryBackend& registry,
                                            const std::string& ordner) {
  return registry.SetValue(vks::HKEY_LOCAL_MACHINE, vks::kHauptinstallationKey, "",
                           vks::StringValue(ordner));
}

int Registriere(const std::string& eigener_ordner) {
  using namespace vks;
  const std::string datei = DefaultRegistryFile();
  auto registry = SqliteRegistryBackend::Open(datei);
  Result<bool> gesetzt = registry.ok()
                             ? SchreibeHauptinstallation(*registry.value(), eigener_ordner)
                             : Result<bool>(registry.error());
  if (!gesetzt.ok()) {
    std::cerr << "FEHLER: " << datei << ": " << gesetzt.error().Description() << "\n";
    return 1;
  }
  std::cout << "HKLM\\" << kHauptinstallationKey << " = " << eigener_ordner << "\n(in " << datei
            << ")\n";
  return 0;
}

// The first start of a server installed for every user, for a user who has no main installation
// yet, makes the user's folder of it the main one: the package's install cannot, as it writes no
// user's registry.
void ErsterStartFuerAlle(vks::RegistryBackend& backend, const std::string& programm_ordner,
                         const std::string& eigener_ordner) {
  if (eigener_ordner == programm_ordner) return;
  auto wert = backend.GetValue(vks::HKEY_LOCAL_MACHINE, vks::kHauptinstallationKey, "");
  if (!wert.ok() || wert.value()) return;
  if (SchreibeHauptinstallation(backend, eigener_ordner).ok())
    std::cerr << "Hinweis: " << eigener_ordner << " ist jetzt die Haupt-Installation.\n";
}

// The start-up check's own message stays as the host knows it; the log adds the command that makes
// this folder the main installation.
void HinweisHauptinstallation(vks::RegistryBackend& backend, vks::FileSystem& files,
                              const std::string& eigener_ordner, const std::string& programm) {
  try {
    vks::clRegistry registry(backend, "vks-kontoserver");
    std::string haupt;
    if (vks::IstHauptinstallation(registry, files, eigener_ordner, haupt)) return;
  } catch (const std::exception&) {
    return;  // start-up reports a registry that cannot be read itself
  }
  std::cerr << "Hinweis: " << ShellWort(programm)
            << " --registrieren macht diesen Ordner zur Haupt-Installation.\n";
}

}  // namespace

int main(int argc, char** argv) {
  using namespace vks;
  // The bus starts the server without arguments; --help and --version answer without a bus.
  cli::CommandLine cli("vks-kontoserver",
                       "Der Kontoserver am Sitzungsbus. Der Bus startet ihn beim ersten Aufruf "
                       "eines Hosts; er endet, wenn der Host sein letztes Objekt freigibt.");
  bool registrieren = false;
  cli.App().add_flag("--registrieren", registrieren,
                     "diesen Ordner zur Haupt-Installation machen und beenden");
  if (auto code = cli.Parse(argc, argv)) return *code;
  if (registrieren) {
    QCoreApplication app(argc, argv);
    return Registriere(InstallationsOrdner(QCoreApplication::applicationDirPath().toStdString()));
  }
  const JournalPrefixes journal(std::cerr, FehlerGehenInsJournal());
  pcre2::InstallRegexEngine();
  // Decided once: a server without a display never opens a window.
  const bool anzeige = AnzeigeVorhanden(argc, argv, std::cerr);
  std::unique_ptr<QCoreApplication> anwendung;
  if (anzeige) {
    auto fenster_anwendung = std::make_unique<QApplication>(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    NeutraleCZahlen();
    RichteOberflaecheEin(*fenster_anwendung);
    anwendung = std::move(fenster_anwendung);
  } else {
    anwendung = std::make_unique<QCoreApplication>(argc, argv);
  }
  QCoreApplication& app = *anwendung;
  std::string bus_fehler;
  sd_bus* verbindung = dbus::VerbindeSitzungsbus(bus_fehler);
  if (!verbindung) {
    std::cerr << "FEHLER: " << bus_fehler << "\n";
    return 1;
  }
  // A server whose bus is gone has no host left: it ends as after the last release, saving.
  dbus::BusLoop bus(verbindung, [] {
    QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
  });
  const std::string programm_name =
      QFileInfo(app.applicationFilePath()).completeBaseName().toStdString();
  // Every file the server reads or writes goes through this one; the RTT recorder learns its
  // storage folder from start-up, and the calls served on the bus leave its values waiting.
  const std::unique_ptr<FileSystem> files = NewPlatformFileSystem();
  dbus::DbusRttAufschub rtt_aufschub;
  RttAufzeichnung rtt(*files, RttStorage{}, &rtt_aufschub);
  dbus::KontoServerDienst dienst(bus, programm_name, [] {
    QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
  });
  dienst.SetzeAufzeichnung(&rtt);
  // Another server owns the name already: it serves every host, this one leaves untouched.
  if (sd_bus_request_name(bus.Bus(), dbus::kServiceName, 0) < 0) return 0;
  // Calls that came before the loop runs wait in the connection: the first pass takes them.
  QTimer::singleShot(0, QCoreApplication::instance(), [&bus] { bus.Verarbeite(); });

  auto registry = SqliteRegistryBackend::Open(DefaultRegistryFile());
  if (!registry.ok()) {
    std::cerr << "FEHLER: " << registry.error().Description() << "\n";
    return 1;
  }
  RegistrySettingsStore settings(*registry.value());
  LogMessageReporter log_reporter(std::cerr, journal.Active());
  QtMeldungen qt_meldungen;
  MessageReporter& reporter = anzeige ? static_cast<MessageReporter&>(qt_meldungen) : log_reporter;
  BestaetigenderSpeicherordnerDialog bestaetigung(settings);
  std::unique_ptr<frmRTTSpeicherordner> erster_start;
  if (anzeige) erster_start.reset(new frmRTTSpeicherordner({reporter, settings, *files, ""}));
  SpeicherordnerDialog& dialog =
      erster_start ? static_cast<SpeicherordnerDialog&>(*erster_start) : bestaetigung;
  SystemClock clock;
  KontenAblage ablage;
  const std::string programm_ordner = QCoreApplication::applicationDirPath().toStdString();
  const std::string eigener_ordner = InstallationsOrdner(programm_ordner);
  ErsterStartFuerAlle(*registry.value(), programm_ordner, eigener_ordner);
  StartUmgebung start{
      reporter,      settings, *registry.value(),
      *files,        dialog,   eigener_ordner,
      programm_name, nullptr,  LadeKontenSchritt(ablage, eigener_ordner, *files, reporter, clock)};
  HinweisHauptinstallation(*registry.value(), *files, eigener_ordner,
                           app.applicationFilePath().toStdString());
  KontoSitzung sitzung;
  StarteKontoServer(sitzung, start);
  // The manual installed with the server takes the place of the host's help file.
  if (const std::string handbuch = programm_ordner + "/" VKS_HANDBUCH; files->FileExists(handbuch))
    sitzung.HilfeDatei = handbuch;
  if (!ablage.store)
    start.konten_laden(sitzung);  // a failed load step still needs the store to save

  // What the host's account operations work with.
  rtt.SetzeSpeicher(RttStorage{sitzung.RTTSpeicherOrdner});
  const AutomationLocale locale = SystemLocale();
  Speicherplan speicherplan(sitzung.Konten, *ablage.store, rtt);
  HauptfensterPresenter hauptfenster(sitzung.Konten, speicherplan, locale);
  ScriptUmgebung script_umgebung{sitzung, &reporter, kScriptZeitLimitMs, locale};
  KontoScriptRegeln regeln(script_umgebung);
  // The bookings tell the account list and every open overview window.
  KontoBeobachterVerteiler beobachter;
  beobachter.Anmelden(&hauptfenster);
  KontoUmgebung kontoumgebung{clock, rtt, &beobachter, &regeln};
  sitzung.Meldungen = &reporter;
  sitzung.Kontoumgebung = &kontoumgebung;
  sitzung.Speichern = &speicherplan;

  KontenFensterOhneAnzeige ohne_anzeige(speicherplan);
  std::unique_ptr<frmRTTSpeicherordner> speicherordner;
  std::unique_ptr<KontenFensterMitAnzeige> mit_anzeige;
  if (anzeige) {
    speicherordner.reset(
        new frmRTTSpeicherordner({reporter, settings, *files, sitzung.RTTSpeicherOrdner}));
    mit_anzeige = std::make_unique<KontenFensterMitAnzeige>(
        ServerAnzeigeTeile{sitzung, hauptfenster, reporter, kontoumgebung, clock, *files, settings,
                           *speicherordner, &script_umgebung, locale, &beobachter});
  }
  KontenFensterSteuerung& fenster =
      mit_anzeige ? static_cast<KontenFensterSteuerung&>(*mit_anzeige) : ohne_anzeige;
  dbus::KontenFensterZugang zugang{anzeige, nullptr, nullptr};
  if (mit_anzeige) {
    zugang.offen = [&] { return mit_anzeige->KontenFensterOffen(); };
    zugang.schliessen = [&] { mit_anzeige->SchliesseKontenFenster(); };
  }
  dbus::AnzeigeObjekt anzeige_objekt(bus, zugang, sitzung, cli::Version());
  anzeige_objekt.SetzeAufzeichnung(&rtt);
  anzeige_objekt.BeobachteSpeichern(speicherplan);
  if (mit_anzeige) mit_anzeige->BeimSchliessen([&] { anzeige_objekt.Geschlossen(); });
  dienst.Diene(dbus::kAnzeigePath, anzeige_objekt);
  StandardZufallsfolge zufall;
  SchnittstellenUmgebung umgebung{sitzung, fenster, zufall};
  dienst.Bereit(umgebung, *registry.value());
  dienst.BeendeOhneObjektNach(dbus::FristOhneObjekt());

  QTimer save_timer;
  QObject::connect(&save_timer, &QTimer::timeout, [&] { speicherplan.ZeitgeberTick(); });
  save_timer.start(Speicherplan::kSpeichernIntervallMs);
  QTimer price_timer;
  QObject::connect(&price_timer, &QTimer::timeout,
                   [&] { speicherplan.KursspeichernZeitgeberTick(); });
  price_timer.start(Speicherplan::kKursSpeichernIntervallMs);

  // A session that ends (logout, a terminal closed, Ctrl+C) ends the server through its normal end.
  if (!QuitOnSignals({SIGTERM, SIGHUP, SIGINT}, std::cerr))
    std::cerr << "FEHLER: Signale beenden den Kontoserver ohne zu speichern\n";
  const int code = app.exec();
  fenster.EntladeKontenFenster();
  rtt.SchliesseDateien();
  dienst.GibAlleFrei();
  if (mit_anzeige) mit_anzeige->BeimSchliessen(nullptr);
  sd_bus_release_name(bus.Bus(), dbus::kServiceName);
  return code;
}
