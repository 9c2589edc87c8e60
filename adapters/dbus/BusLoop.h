#pragma once
// The server's bus connection, served on the server's one thread from the Qt event loop: the
// connection's file descriptor drives a QSocketNotifier, its timeout a QTimer. Every incoming
// method call and signal is taken off the connection and queued; the queue is worked off outside
// sd-bus's own processing, so a call whose handler runs a nested event loop (a modal message box)
// lets the loop take in and answer further calls meanwhile, and sd-bus is never entered from
// inside one of its callbacks. Replies leave in the order they are sent, without a thread
// hand-over.
#include <systemd/sd-bus.h>

#include <QtCore/QObject>
#include <QtCore/QSocketNotifier>
#include <QtCore/QTimer>
#include <deque>
#include <functional>
#include <memory>

namespace vks::dbus {

class BusLoop {
 public:
  // Takes over `bus`, a started connection; `lost` runs once when the bus goes away.
  BusLoop(sd_bus* bus, std::function<void()> lost);
  ~BusLoop();
  BusLoop(const BusLoop&) = delete;
  BusLoop& operator=(const BusLoop&) = delete;

  // Every queued message goes to `receiver`, one at a time, in the order it came.
  void Empfange(std::function<void(sd_bus_message*)> receiver) { receiver_ = std::move(receiver); }
  sd_bus* Bus() const { return bus_; }

  // Sends `message` after everything sent before, and takes it over.
  void Sende(sd_bus_message* message);
  // Sends `reply` to `call` when the call wants one; takes the reply over (nullptr: none).
  void Antworte(sd_bus_message* call, sd_bus_message* reply);

  // Takes in what the connection holds and works off the queue; also the first pass, for calls
  // that came while the program was starting.
  void Verarbeite();

 private:
  static int Filter(sd_bus_message* message, void* userdata, sd_bus_error* error);
  void ArbeiteAb();
  void StelleEin();
  void Verloren();

  sd_bus* bus_;
  std::function<void()> lost_;
  std::function<void(sd_bus_message*)> receiver_;
  std::unique_ptr<QSocketNotifier> lesen_;
  std::unique_ptr<QSocketNotifier> schreiben_;
  QTimer zeitgeber_;
  std::deque<sd_bus_message*> warteschlange_;
  sd_bus_slot* filter_ = nullptr;
  bool verloren_ = false;
};

// Connects to the session bus: DBUS_SESSION_BUS_ADDRESS (a private bus's address, or the one the
// bus gives a server it activates), else the user's bus. nullptr with `fehler` set on failure.
sd_bus* VerbindeSitzungsbus(std::string& fehler);

}  // namespace vks::dbus
