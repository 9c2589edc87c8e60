// The server's bus loop on a real dbus-daemon: a call whose handler runs a nested event loop (as a
// modal message box does) lets the calls behind it be served meanwhile, in their order, and is
// answered itself once the nested loop ends.
#include "adapters/dbus/BusLoop.h"

#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QEventLoop>
#include <QtCore/QProcessEnvironment>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "adapters/dbus/PrivaterSitzungsbus.h"

namespace vks::dbus {
namespace {

constexpr const char* kName = "de.tradomir.BusLoopTest";
constexpr int kDahinter = 3;  // calls sent behind the one that waits in its nested loop

sd_bus* Verbinde(const std::string& adresse) {
  sd_bus* bus = nullptr;
  if (sd_bus_new(&bus) < 0) return nullptr;
  if (sd_bus_set_address(bus, adresse.c_str()) < 0 || sd_bus_set_bus_client(bus, 1) < 0 ||
      sd_bus_start(bus) < 0)
    return sd_bus_unref(bus);
  return bus;
}

int Geantwortet(sd_bus_message* reply, void* userdata, sd_bus_error*) {
  auto* antworten = static_cast<std::vector<std::string>*>(userdata);
  const char* text = "";
  antworten->push_back(sd_bus_message_read(reply, "s", &text) >= 0 ? text : "Fehler");
  return 0;
}

// Sends "Modal", then the calls behind it, without waiting; returns the replies as they came.
std::vector<std::string> Host(const std::string& adresse) {
  std::vector<std::string> antworten;
  sd_bus* bus = Verbinde(adresse);
  if (!bus) return {"keine Verbindung"};
  const auto sende = [&](const char* member, const std::string& text) {
    sd_bus_message* m = nullptr;
    sd_bus_message_new_method_call(bus, &m, kName, "/test", "de.tradomir.Test", member);
    sd_bus_message_append(m, "s", text.c_str());
    sd_bus_call_async(bus, nullptr, m, &Geantwortet, &antworten, 30'000'000);
    sd_bus_message_unref(m);
  };
  sende("Modal", "Modal");
  for (int i = 1; i <= kDahinter; ++i) sende("Weiter", "Weiter" + std::to_string(i));
  while (antworten.size() < kDahinter + 1) {
    const int r = sd_bus_process(bus, nullptr);
    if (r < 0) break;
    if (r == 0) sd_bus_wait(bus, UINT64_MAX);
  }
  sd_bus_flush_close_unref(bus);
  return antworten;
}

TEST(BusLoop, CallsBehindANestedEventLoopAreServedInOrderBeforeItsReply) {
  int argc = 1;
  char name[] = "BusLoop_test";
  char* argv[] = {name, nullptr};
  QCoreApplication app(argc, argv);
  QString fehler;
  auto daemon = PrivaterSitzungsbus::Starte(QProcessEnvironment::systemEnvironment(), fehler);
  ASSERT_TRUE(daemon) << fehler.toStdString();
  const std::string adresse = daemon->Adresse().toStdString();
  sd_bus* verbindung = Verbinde(adresse);
  ASSERT_TRUE(verbindung);
  ASSERT_GE(sd_bus_request_name(verbindung, kName, 0), 0);
  bool verloren = false;
  BusLoop loop(verbindung, [&verloren] { verloren = true; });
  std::vector<std::string> bedient;  // in the order the server took them
  QEventLoop* modal = nullptr;
  loop.Empfange([&](sd_bus_message* call) {
    if (!sd_bus_message_is_method_call(call, nullptr, nullptr)) return;
    const char* text = "";
    sd_bus_message_read(call, "s", &text);
    const std::string member = sd_bus_message_get_member(call);
    bedient.push_back(text);
    if (member == "Modal") {
      QEventLoop nested;
      modal = &nested;
      nested.exec();  // the calls behind this one come in meanwhile
      modal = nullptr;
    } else if (bedient.size() == kDahinter + 1 && modal) {
      modal->quit();
    }
    sd_bus_message* reply = nullptr;
    sd_bus_message_new_method_return(call, &reply);
    sd_bus_message_append(reply, "s", (std::string(text) + " beantwortet").c_str());
    loop.Antworte(call, reply);
  });
  loop.Verarbeite();

  std::vector<std::string> antworten;
  std::thread host([&] {
    antworten = Host(adresse);
    QMetaObject::invokeMethod(&app, &QCoreApplication::quit, Qt::QueuedConnection);
  });
  app.exec();
  host.join();

  EXPECT_EQ(bedient, (std::vector<std::string>{"Modal", "Weiter1", "Weiter2", "Weiter3"}));
  EXPECT_EQ(antworten, (std::vector<std::string>{"Weiter1 beantwortet", "Weiter2 beantwortet",
                                                 "Weiter3 beantwortet", "Modal beantwortet"}));
  EXPECT_FALSE(verloren);
}

}  // namespace
}  // namespace vks::dbus
