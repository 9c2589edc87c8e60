// vks-host-demo: a host that plays one bundled trading day against the account server over D-Bus
// and prints every account's metrics at the end. It runs on a session bus of its own, so it needs
// no desktop session and never touches the user's accounts; on that bus the server is started by
// activation through the installed .service file, or, where that fails (nothing installed) or
// --server is given, by the demo itself.
//   vks-host-demo [--tag DATEI] [--server PROGRAMM] ORDNER
#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QElapsedTimer>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QThread>
#include <QtDBus/QDBusConnection>
#include <QtDBus/QDBusConnectionInterface>
#include <QtDBus/QDBusReply>
#include <cstdlib>
#include <iostream>

#include "adapters/cli/CommandLine.h"
#include "adapters/dbus/DbusNames.h"
#include "adapters/dbus/PrivaterSitzungsbus.h"
#include "adapters/sqlite/SqliteRegistryBackend.h"
#include "platform/files/FileSystem.h"
#include "tools/vks-host-demo/DemoHost.h"
#include "tools/vks-host-demo/DemoOrdner.h"
#include "tools/vks-host-demo/DemoSpieler.h"

namespace {

using namespace vks;

struct Optionen {
  QString tag;
  QString server;
  QString ordner;
};

// Installed, beside the program as the prefix lays it out; else where the build left it.
QString Installiert(const char* relativ, const char* gebaut) {
  const QString neben = QCoreApplication::applicationDirPath() + "/" + relativ;
  return QFile::exists(neben) ? QDir::cleanPath(neben) : QString::fromUtf8(gebaut);
}

bool WarteAufName(QDBusConnection& bus, bool da, int ms) {
  QElapsedTimer uhr;
  uhr.start();
  while (bus.interface()->isServiceRegistered(QLatin1String(dbus::kServiceName)).value() != da) {
    if (uhr.elapsed() > ms) return false;
    QThread::msleep(20);
  }
  return true;
}

int Fehler(const std::string& text) {
  std::cerr << "vks-host-demo: " << text << "\n";
  return 1;
}

constexpr const char* kVerbindung = "vks-host-demo";

int SpieleDemo(Optionen o) {
  if (o.tag.isEmpty()) o.tag = Installiert(VKS_DEMO_TAG_INSTALLIERT, VKS_DEMO_TAG);
  std::string text;
  try {
    text = vks::NewPlatformFileSystem()->ReadFile(o.tag.toStdString());
  } catch (const vks::AutomationError&) {
    return Fehler(o.tag.toStdString() + " fehlt");
  }
  auto tag = demo::LiesHandelstag(text);
  if (!tag.ok()) return Fehler(tag.error().Description());
  auto ordner = demo::BereiteOrdnerVor(
      o.ordner.toStdString(), tag.value(),
      [](const std::string& datei) -> Result<std::unique_ptr<RegistryBackend>> {
        auto registry = SqliteRegistryBackend::Open(datei);
        if (!registry.ok()) return registry.error();
        return std::unique_ptr<RegistryBackend>(std::move(registry.value()));
      });
  if (!ordner.ok()) return Fehler(ordner.error().Description());

  QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
  umgebung.insert("VKS_REGISTRY", QString::fromStdString(ordner->registry));
  QString fehler;
  auto privat = dbus::PrivaterSitzungsbus::Starte(umgebung, fehler);
  if (!privat) return Fehler(fehler.toStdString());
  QDBusConnection bus = QDBusConnection::connectToBus(privat->Adresse(), kVerbindung);
  if (!bus.isConnected()) return Fehler("keine Verbindung zum eigenen Sitzungsbus");

  QProcess server;
  bool aktiviert = false;
  if (o.server.isEmpty()) {
    const QDBusReply<void> start = bus.interface()->startService(dbus::kServiceName);
    aktiviert = start.isValid();
    if (aktiviert) {
      std::cout << "Der Bus hat den Kontoserver aktiviert (installierte .service-Datei).\n";
    } else {
      std::cout << "Keine Aktivierung möglich (" << start.error().message().toStdString() << ").\n";
    }
  }
  if (!aktiviert) {
    if (o.server.isEmpty())
      o.server = Installiert(VKS_KONTOSERVER_INSTALLIERT, VKS_KONTOSERVER_PFAD);
    std::cout << "Die Demo startet " << o.server.toStdString() << " selbst.\n";
    umgebung.insert("DBUS_SESSION_BUS_ADDRESS", privat->Adresse());
    server.setProcessEnvironment(umgebung);
    // Its messages (without a display they go to the log) stay out of the demo's table.
    server.setStandardOutputFile(QString::fromStdString(ordner->programm) + "/kontoserver.log");
    server.setStandardErrorFile(QString::fromStdString(ordner->programm) + "/kontoserver.log",
                                QIODevice::Append);
    server.start(o.server, {});
    if (!server.waitForStarted() || !WarteAufName(bus, true, 20'000))
      return Fehler(o.server.toStdString() + " meldet sich nicht am Bus");
  }

  demo::DemoHost host(bus);
  demo::DemoErgebnis ergebnis;
  try {
    ergebnis = demo::SpieleTag(host, tag.value(), std::cout);
  } catch (const std::exception& e) {
    return Fehler(e.what());
  }
  // The server saves and ends once its last object is gone.
  if (!WarteAufName(bus, false, 30'000)) return Fehler("der Kontoserver endet nicht");
  if (server.state() != QProcess::NotRunning) server.waitForFinished(10'000);

  demo::ZeigeErgebnis(std::cout, ergebnis, ordner.value());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  cli::CommandLine cli("vks-host-demo",
                       "Spielt einen Handelstag als Host gegen den Kontoserver, auf einem eigenen "
                       "Sitzungsbus, und zeigt am Ende die Kennzahlen jedes Kontos.");
  std::string tag, server, ordner;
  cli.App()
      .add_option("--tag", tag, "Handelstag aus dieser Datei statt des mitgelieferten")
      ->type_name("DATEI");
  cli.App()
      .add_option("--server", server, "dieses Serverprogramm selbst starten")
      ->type_name("PROGRAMM");
  cli.App()
      .add_option("ORDNER", ordner, "hier legt die Demo ihre Konten und Dateien an")
      ->required();
  if (auto code = cli.Parse(argc, argv)) return *code;
  QCoreApplication app(argc, argv);
  const int code = SpieleDemo({QString::fromStdString(tag), QString::fromStdString(server),
                               QString::fromStdString(ordner)});
  QDBusConnection::disconnectFromBus(kVerbindung);
  return code;
}
