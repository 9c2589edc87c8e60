#include "adapters/dbus/BusLoop.h"

#include <poll.h>
#include <time.h>

#include <cstring>
#include <string>

namespace vks::dbus {

sd_bus* VerbindeSitzungsbus(std::string& fehler) {
  sd_bus* bus = nullptr;
  const int r = sd_bus_open_user(&bus);
  if (r < 0) {
    fehler = std::string("keine Verbindung zum Sitzungsbus: ") + std::strerror(-r);
    return nullptr;
  }
  return bus;
}

BusLoop::BusLoop(sd_bus* bus, std::function<void()> lost) : bus_(bus), lost_(std::move(lost)) {
  sd_bus_add_filter(bus_, &filter_, &BusLoop::Filter, this);
  const int fd = sd_bus_get_fd(bus_);
  lesen_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
  schreiben_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Write);
  schreiben_->setEnabled(false);
  QObject::connect(lesen_.get(), &QSocketNotifier::activated, [this] { Verarbeite(); });
  QObject::connect(schreiben_.get(), &QSocketNotifier::activated, [this] { Verarbeite(); });
  zeitgeber_.setSingleShot(true);
  QObject::connect(&zeitgeber_, &QTimer::timeout, [this] { Verarbeite(); });
}

BusLoop::~BusLoop() {
  for (sd_bus_message* m : warteschlange_) sd_bus_message_unref(m);
  sd_bus_slot_unref(filter_);
  lesen_.reset();
  schreiben_.reset();
  sd_bus_flush_close_unref(bus_);
}

int BusLoop::Filter(sd_bus_message* message, void* userdata, sd_bus_error*) {
  uint8_t type = 0;
  sd_bus_message_get_type(message, &type);
  if (type != SD_BUS_MESSAGE_METHOD_CALL && type != SD_BUS_MESSAGE_SIGNAL) return 0;
  static_cast<BusLoop*>(userdata)->warteschlange_.push_back(sd_bus_message_ref(message));
  // A method call is ours alone to answer; a signal goes on to sd-bus's own matches.
  return type == SD_BUS_MESSAGE_METHOD_CALL ? 1 : 0;
}

void BusLoop::Verarbeite() {
  if (verloren_) return;
  for (;;) {
    // Never inside a callback of sd_bus_process: the queue is worked off after it returned.
    const int r = sd_bus_process(bus_, nullptr);
    if (r < 0) {
      Verloren();
      return;
    }
    ArbeiteAb();
    if (r == 0 || verloren_) break;
  }
  StelleEin();
}

void BusLoop::ArbeiteAb() {
  // A nested event loop (a message box in a handler) may work off the rest of the queue itself:
  // each message leaves the queue before it is handled.
  while (!warteschlange_.empty() && !verloren_) {
    sd_bus_message* m = warteschlange_.front();
    warteschlange_.pop_front();
    if (receiver_) receiver_(m);
    sd_bus_message_unref(m);
  }
}

void BusLoop::StelleEin() {
  if (verloren_) return;
  const int events = sd_bus_get_events(bus_);
  if (events < 0) {
    Verloren();
    return;
  }
  schreiben_->setEnabled((events & POLLOUT) != 0);
  uint64_t bis = 0;
  if (sd_bus_get_timeout(bus_, &bis) <= 0 || bis == UINT64_MAX) {
    zeitgeber_.stop();
    return;
  }
  timespec jetzt{};
  clock_gettime(CLOCK_MONOTONIC, &jetzt);
  const uint64_t jetzt_us =
      static_cast<uint64_t>(jetzt.tv_sec) * 1'000'000 + static_cast<uint64_t>(jetzt.tv_nsec) / 1000;
  const uint64_t ms = bis > jetzt_us ? (bis - jetzt_us + 999) / 1000 : 0;
  zeitgeber_.start(static_cast<int>(std::min<uint64_t>(ms, 24 * 3600 * 1000)));
}

void BusLoop::Sende(sd_bus_message* message) {
  if (!verloren_) sd_bus_send(bus_, message, nullptr);
  sd_bus_message_unref(message);
  // What the socket did not take at once waits for it to be writable.
  if (!verloren_ && !schreiben_->isEnabled() && (sd_bus_get_events(bus_) & POLLOUT))
    schreiben_->setEnabled(true);
}

void BusLoop::Antworte(sd_bus_message* call, sd_bus_message* reply) {
  if (!reply) return;
  if (!sd_bus_message_get_expect_reply(call)) {
    sd_bus_message_unref(reply);
    return;
  }
  Sende(reply);
}

void BusLoop::Verloren() {
  if (verloren_) return;
  verloren_ = true;
  lesen_->setEnabled(false);
  schreiben_->setEnabled(false);
  zeitgeber_.stop();
  if (lost_) lost_();
}

}  // namespace vks::dbus
