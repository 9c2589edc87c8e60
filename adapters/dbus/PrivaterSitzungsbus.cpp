#include "adapters/dbus/PrivaterSitzungsbus.h"

namespace vks::dbus {

std::unique_ptr<PrivaterSitzungsbus> PrivaterSitzungsbus::Starte(
    const QProcessEnvironment& umgebung, QString& fehler) {
  std::unique_ptr<PrivaterSitzungsbus> bus(new PrivaterSitzungsbus);
  bus->daemon_.setProcessEnvironment(umgebung);
  bus->daemon_.setProcessChannelMode(QProcess::SeparateChannels);
  bus->daemon_.setStandardErrorFile(QProcess::nullDevice());
  bus->daemon_.start(QStringLiteral("dbus-daemon"),
                     {QStringLiteral("--session"), QStringLiteral("--nofork"),
                      QStringLiteral("--print-address=1")});
  if (!bus->daemon_.waitForStarted(10'000)) {
    fehler = QStringLiteral("dbus-daemon lässt sich nicht starten: ") + bus->daemon_.errorString();
    return nullptr;
  }
  // The daemon prints its address once it listens.
  while (!bus->daemon_.canReadLine()) {
    if (!bus->daemon_.waitForReadyRead(10'000)) {
      fehler = QStringLiteral("dbus-daemon nennt keine Adresse");
      return nullptr;
    }
  }
  bus->adresse_ = QString::fromUtf8(bus->daemon_.readLine()).trimmed();
  return bus;
}

PrivaterSitzungsbus::~PrivaterSitzungsbus() {
  if (daemon_.state() == QProcess::NotRunning) return;
  daemon_.terminate();
  if (!daemon_.waitForFinished(5'000)) daemon_.kill();
  daemon_.waitForFinished(1'000);
}

}  // namespace vks::dbus
