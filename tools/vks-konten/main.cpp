// vks-konten: shows the account server's account list window on the desktop, without the host.
// The bus starts the server if it does not run yet. vks-konten holds an object of the server while
// the window is open, so that the server stays; when the user closes the window it gives the
// object back and ends (and the server with it, unless a host still uses it).
//   vks-konten               shows the window and returns when it has been closed
//   vks-konten --schliessen  closes the window of a running server
//   vks-konten --status      prints the server's status
#include <QtCore/QCoreApplication>
#include <QtDBus/QDBusConnection>
#include <iostream>

#include "adapters/cli/CommandLine.h"
#include "tools/vks-konten/KontenFensterWaechter.h"

namespace {

int Fehler(const std::string& text) {
  std::cerr << "vks-konten: " << text << "\n";
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  using vks::konten::KontenFensterWaechter;
  vks::cli::CommandLine cli(
      "vks-konten",
      "Zeigt das Kontenfenster des Kontoservers und kehrt zurück, wenn es "
      "geschlossen wurde. Der Bus startet den Server, wenn er noch nicht läuft.");
  bool schliessen = false;
  bool status = false;
  cli.App().add_flag("--schliessen", schliessen,
                     "das Kontenfenster eines laufenden Servers schließen");
  cli.App()
      .add_flag("--status", status,
                "Version, Ordner, Konten, Host-Objekte und letzte Sicherung des Servers zeigen")
      ->excludes("--schliessen");
  if (auto code = cli.Parse(argc, argv)) return *code;
  QCoreApplication app(argc, argv);
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return Fehler("keine Verbindung zum Sitzungsbus");

  if (schliessen) {
    std::string meldung;
    return vks::konten::SchliesseKontenFenster(bus, meldung) ? 0 : Fehler(meldung);
  }
  if (status) {
    std::string text, meldung;
    if (!vks::konten::ServerStatus(bus, text, meldung)) return Fehler(meldung);
    return cli.Run([&] {
      std::cout << text;
      return 0;
    });
  }
  KontenFensterWaechter waechter(bus);
  switch (waechter.ZeigeUndWarte()) {
    case KontenFensterWaechter::Ausgang::Geschlossen:
      return 0;
    case KontenFensterWaechter::Ausgang::OhneAnzeige:
      return Fehler(
          "Der Kontoserver läuft ohne Anzeige (bei seinem Start war weder DISPLAY noch "
          "WAYLAND_DISPLAY gesetzt) und kann das Kontenfenster nicht zeigen.");
    case KontenFensterWaechter::Ausgang::ServerWeg:
      return Fehler("Der Kontoserver hat sich beendet, während das Kontenfenster offen war.");
    case KontenFensterWaechter::Ausgang::Fehler:
      break;
  }
  return Fehler(waechter.Meldung());
}
