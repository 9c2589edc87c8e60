// vks-ui-shots OUTDIR [DATENORDNER [RTTORDNER]]: renders the account list window (with and without
// a selected row), the storage folder dialog, every message box of the account list's commands and
// the storage folder dialog, and the account windows (overview, settings dialog, script editor)
// into PNG files named after the window, on the offscreen platform, with the bundled sample store
// and its RTT series. Exit code 1 when a picture could not be written.
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTableView>
#include <QTemporaryDir>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "accounts/KontoUmgebung.h"
#include "accounts/clKonto.h"
#include "adapters/cli/CommandLine.h"
#include "adapters/pcre2/Pcre2RegexEngine.h"
#include "adapters/qt/HauptfensterAdapter.h"
#include "adapters/qt/Oberflaeche.h"
#include "adapters/qt/QtMeldungen.h"
#include "adapters/qt/SystemLocale.h"
#include "adapters/qt/frmHauptfenster.h"
#include "adapters/qt/frmRTTSpeicherordner.h"
#include "fakes/InMemoryRegistryBackend.h"
#include "platform/files/FileSystem.h"
#include "platform/settings/RegistrySettingsStore.h"
#include "platform/system/Clock.h"
#include "platform/system/ErrorLog.h"
#include "platform/system/LogMessageReporter.h"
#include "presenters/HauptfensterPresenter.h"
#include "session/KontoBeobachterVerteiler.h"
#include "session/KontoSitzung.h"
#include "tools/vks-ui-shots/KontoFensterShots.h"
#include "tools/vks-ui-shots/ShotDatei.h"

namespace {

using namespace vks;

struct Meldung {
  const char* datei;
  const char* text;
  int32_t style;
};

// Every message box the account list's commands and the storage folder dialog show.
const Meldung kMeldungen[] = {
    {"Meldung_KontoMarkieren", "Markieren Sie zunächst bitte ein Konto.", 0},
    {"Meldung_KontoWaehlen", "Wählen Sie zunächst bitte ein Konto in der Liste.", 0},
    {"Meldung_EinstellungsordnerFalsch",
     "Der Ordner zum Speichern der Einstellungen ist nicht korrekt. Beenden Sie bitte alle "
     "Tradomir Instanzen und überprüfen Sie die Installation. Der Konto-Server muss aus der "
     "Haupt-Instanz von Tradomir gestartet werden.",
     0},
    {"Meldung_ZeitZurueck",
     "Soll die aktuelle Zeit des Kontos jetzt wirklich vor die momentane Zeit des Kontos gesetzt "
     "werden?",
     4},
    {"Meldung_KontoLoeschen",
     "Soll das Konto 'Depot' wirklich gelöscht werden? Dabei werden auch alle aktuellen Daten und "
     "alle angelegten RTT-Dateien des Kontos gelöscht.",
     4},
    {"Meldung_RTTLoeschfehler",
     "Beim Löschen der RTT-Dateien sind Fehler aufgetreten (Zugriff verweigert). Es konnten nicht "
     "alle Dateien gelöscht werden.",
     0},
    {"Meldung_FehlerAufgetreten",
     "Fehler aufgetreten: Dieser Schlüssel ist bereits einem Element dieser Auflistung zugeordnet",
     0},
    {"Meldung_OrdnerAngeben", "Geben Sie bitte einen Ordner an.", 0},
    {"Meldung_OrdnerAnlegen",
     "Der angegebene Ordner existiert nicht. Soll er jetzt angelegt werden?", 4},
    {"Meldung_OrdnerNichtAngelegt",
     "Der Ordner konnte nicht angelegt werden. Fehlermeldung: Pfad nicht gefunden", 0},
    {"Meldung_OrdnerAngelegt", "Der Ordner /home/user/Realtimedaten wurde angelegt.", 0},
    {"Meldung_SpeicherpfadGeaendert",
     "Der Speicherpfad für die vom Kontoserver gespeicherten RTT-Titel wird damit geändert. Die "
     "Änderung wird erst nach Neustart von Tradomir (alle Instanzen!) wirksam.",
     4},
    {"Meldung_ErsterStart",
     "Der Kontoserver wird zum ersten Mal gestartet. Geben Sie im folgenden Dialog bitte an, in "
     "welchem Ordner der Kontoserver die Aufzeichnungsdaten speichern soll.",
     4096},
};

class KeinDialog : public KontoDialog {
 public:
  std::optional<KontoEinstellungen> ZeigeModal(const KontoEinstellungen&, const std::string&,
                                               bool) override {
    return std::nullopt;
  }
};

class KeineFenster : public KontoUebersichtFabrik {
 public:
  std::shared_ptr<KontoUebersichtFenster> NeuesFenster() override { return nullptr; }
};

}  // namespace

int main(int argc, char** argv) {
  cli::CommandLine cli("vks-ui-shots",
                       "Bilder der Fenster als PNG-Dateien, ohne Anzeige gezeichnet, mit der "
                       "mitgelieferten Beispiel-Kontendatei und ihren RTT-Reihen.");
  std::string ausgabeordner, quelle = VKS_BEISPIEL_DATEN, rtt_quelle = VKS_BEISPIEL_RTT;
  cli.App().add_option("AUSGABEORDNER", ausgabeordner, "hierhin gehen die Bilder")->required();
  cli.App().add_option("DATENORDNER", quelle, "Ordner mit VKSVirtKonten.dat");
  cli.App().add_option("RTTORDNER", rtt_quelle, "Ordner der RTT-Reihen");
  if (auto code = cli.Parse(argc, argv)) return *code;
  vks::pcre2::InstallRegexEngine();
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  NeutraleCZahlen();
  RichteOberflaecheEin(app);
  const QString ausgabe = QString::fromStdString(ausgabeordner);
  QDir().mkpath(ausgabe);

  // The sample store and its series are read from copies, so the bundled files are never touched.
  QTemporaryDir temp;
  const std::string daten = temp.path().toStdString() + "/Daten";
  const std::string realtimedaten = temp.path().toStdString() + "/Realtimedaten";
  std::filesystem::create_directories(daten);
  std::error_code kopierfehler;
  std::filesystem::copy(quelle + "/VKSVirtKonten.dat", daten + "/VKSVirtKonten.dat", kopierfehler);
  if (kopierfehler) {
    std::cerr << "FEHLER: " << quelle << "/VKSVirtKonten.dat: " << kopierfehler.message() << "\n";
    return 1;
  }
  std::filesystem::copy(rtt_quelle, realtimedaten, std::filesystem::copy_options::recursive,
                        kopierfehler);
  if (kopierfehler) {
    std::cerr << "FEHLER: " << rtt_quelle << ": " << kopierfehler.message() << "\n";
    return 1;
  }

  LogMessageReporter melder(std::cerr);
  SystemClock clock;
  std::unique_ptr<FileSystem> files = NewPlatformFileSystem();
  std::unique_ptr<ErrorLog> log = NewFileErrorLog(daten + "/" + kErrorLogFileName, *files, clock);
  AccountStore store(daten, daten, *files, melder, *log, clock);
  KontoSitzung sitzung;
  sitzung.DatenOrdner = daten;
  sitzung.RTTSpeicherOrdner = realtimedaten;
  store.LadeKonten(sitzung.Konten);
  RttAufzeichnung rtt(*files, RttStorage{sitzung.RTTSpeicherOrdner});
  const AutomationLocale locale = SystemLocale();
  Speicherplan speicherplan(sitzung.Konten, store, rtt);
  HauptfensterPresenter presenter(sitzung.Konten, speicherplan, locale);
  KontoBeobachterVerteiler verteiler;
  verteiler.Anmelden(&presenter);
  KontoUmgebung kontoumgebung{clock, rtt, &verteiler};
  InMemoryRegistryBackend registry;
  RegistrySettingsStore settings(registry);
  KeinDialog dialog;
  KeineFenster uebersichten;
  QtHilfe hilfe;
  frmRTTSpeicherordner speicherordner({melder, settings, *files, sitzung.RTTSpeicherOrdner});

  bool ok = true;
  frmHauptfenster fenster({sitzung, presenter, melder, kontoumgebung, clock, *files, dialog,
                           uebersichten, speicherordner, hilfe, locale},
                          nullptr);
  ok &= Speichere(&fenster, ausgabe, "frmHauptfenster");
  if (fenster.LKontoliste()->model()->rowCount() > 0) {
    fenster.LKontoliste()->setCurrentIndex(fenster.LKontoliste()->model()->index(0, 0));
  }
  ok &= Speichere(&fenster, ausgabe, "frmHauptfenster_markiert");
  speicherordner.SetzeOrdner(sitzung.RTTSpeicherOrdner);
  ok &= Speichere(&speicherordner, ausgabe, "frmRTTSpeicherordner");
  for (const Meldung& meldung : kMeldungen) {
    std::unique_ptr<QMessageBox> box = BaueMeldung(meldung.text, meldung.style, "");
    ok &= Speichere(box.get(), ausgabe, meldung.datei);
  }
  KontoShotUmfeld konten{sitzung, presenter, melder,   kontoumgebung, verteiler,
                         clock,   *files,    settings, locale};
  ok &= KontoFensterShots(konten, ausgabe);
  // Closed overview windows delete themselves later; there is no event loop to do it before the
  // parts they use go away.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return ok ? 0 : 1;
}
