#include "adapters/qt/KontenFensterMitAnzeige.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QGuiApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <string>
#include <thread>

#include "platform/files/FileSystem.h"
#include "presenters/HauptfensterPresenter.h"
#include "session/KontoSitzung.h"

namespace vks {

namespace {

constexpr auto kPlattformFrist = std::chrono::seconds(10);  // only a hanging plugin reaches it

std::string AnzeigeVariablen() {
  std::string gesetzt;
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* wert = std::getenv(name);
    if (wert && *wert) gesetzt += (gesetzt.empty() ? "" : ", ") + std::string(name) + "=" + wert;
  }
  return gesetzt;
}

// Whether a QGuiApplication starts in a child process: its exit status, or a signal or the
// deadline for a plugin that aborted or hung.
bool PlattformStartet(int argc, char** argv) {
  std::fflush(nullptr);
  const pid_t kind = fork();
  if (kind < 0) return false;
  if (kind == 0) {
    // Neither a core file nor Qt's own complaint from a plugin that gives up.
    const rlimit kein_abbild{0, 0};
    setrlimit(RLIMIT_CORE, &kein_abbild);
    const int leer = open("/dev/null", O_WRONLY);
    if (leer >= 0) dup2(leer, STDERR_FILENO);
    QGuiApplication probe(argc, argv);
    _exit(0);
  }
  const auto ende = std::chrono::steady_clock::now() + kPlattformFrist;
  int status = 0;
  pid_t fertig = 0;
  while ((fertig = waitpid(kind, &status, WNOHANG)) == 0 && std::chrono::steady_clock::now() < ende)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  if (fertig == 0) {
    kill(kind, SIGKILL);
    waitpid(kind, &status, 0);
    return false;
  }
  return fertig == kind && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

bool AnzeigeVorhanden(int argc, char** argv, std::ostream& log) {
  const std::string variablen = AnzeigeVariablen();
  if (variablen.empty()) return false;
  if (PlattformStartet(argc, argv)) return true;
  log << "Anzeige: kein Qt-Plattform-Plugin startet (" << variablen
      << "), der Server läuft ohne Anzeige\n";
  return false;
}

KontenFensterMitAnzeige::KontenFensterMitAnzeige(ServerAnzeigeTeile teile)
    : teile_(std::move(teile)),
      konto_dialog_([this] { return DialogUmfeld(); }),
      uebersichten_([this] { return FensterUmfeld(); }) {}

KontenFensterMitAnzeige::~KontenFensterMitAnzeige() = default;

NeuesKontoUmfeld KontenFensterMitAnzeige::DialogUmfeld() {
  auto uebersicht_neu_fuellen = [this](const std::shared_ptr<clKonto>& konto) {
    auto* fenster = teile_.presenter.UebersichtsFenster().Find(konto->KontoName);
    if (!fenster) return false;
    (*fenster)->ShowDaten(konto);
    return true;
  };
  return {teile_.melder,  teile_.clock,          teile_.sitzung.Konten,     teile_.locale,
          teile_.dateien, &teile_.kontoumgebung, &teile_.presenter,         uebersicht_neu_fuellen,
          teile_.script,  &teile_.settings,      teile_.sitzung.HilfeDatei, {}};
}

UebersichtUmfeld KontenFensterMitAnzeige::FensterUmfeld() {
  auto entfernen = [this](const std::string& name) {
    if (fenster_) fenster_->Befehle().RemoveKontoFenster(name);
  };
  return {teile_.melder,    teile_.kontoumgebung, teile_.locale, &teile_.presenter,
          teile_.verteiler, &teile_.settings,     &sortierung_,  entfernen};
}

void KontenFensterMitAnzeige::ZeigeKontenFenster() {
  if (!fenster_) {
    HauptfensterUmfeld umfeld{
        teile_.sitzung,        teile_.presenter, teile_.melder, teile_.kontoumgebung,
        teile_.clock,          teile_.dateien,   konto_dialog_, uebersichten_,
        teile_.speicherordner, hilfe_,           teile_.locale};
    fenster_ = std::make_unique<frmHauptfenster>(umfeld, &teile_.settings);
    QObject::connect(fenster_.get(), &frmHauptfenster::Geschlossen, [this] {
      if (geschlossen_) geschlossen_();
    });
  }
  fenster_->show();
  fenster_->raise();
  fenster_->activateWindow();
}

void KontenFensterMitAnzeige::EntladeKontenFenster() {
  if (KontenFensterOffen()) {
    fenster_->close();  // saves layout and pending changes
  } else {
    teile_.presenter.Plan().Entladen();
  }
}

bool KontenFensterMitAnzeige::KontenFensterOffen() const {
  return fenster_ && fenster_->isVisible();
}

void KontenFensterMitAnzeige::SchliesseKontenFenster() {
  if (KontenFensterOffen()) fenster_->close();
}

}  // namespace vks
