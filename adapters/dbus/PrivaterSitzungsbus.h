#pragma once
// A session bus of our own: dbus-daemon with the session configuration (so the services folders
// of the user, where the server's activation file is installed, apply), for programs that must run
// with or without a desktop session and must not touch the user's running server. The daemon and
// every server it activates see the environment given at start.
#include <QtCore/QProcess>
#include <QtCore/QString>
#include <memory>

namespace vks::dbus {

class PrivaterSitzungsbus {
 public:
  // Starts the daemon; nullptr with `fehler` set when it cannot be started.
  static std::unique_ptr<PrivaterSitzungsbus> Starte(const QProcessEnvironment& umgebung,
                                                     QString& fehler);
  // Ends the daemon; servers it activated lose their bus and end as well.
  ~PrivaterSitzungsbus();
  PrivaterSitzungsbus(const PrivaterSitzungsbus&) = delete;
  PrivaterSitzungsbus& operator=(const PrivaterSitzungsbus&) = delete;

  // The address for QDBusConnection::connectToBus and DBUS_SESSION_BUS_ADDRESS.
  const QString& Adresse() const { return adresse_; }

 private:
  PrivaterSitzungsbus() = default;
  QProcess daemon_;
  QString adresse_;
};

}  // namespace vks::dbus
