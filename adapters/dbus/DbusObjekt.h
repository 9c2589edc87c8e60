#pragma once
// One object the server serves on the bus, described by a table of methods and properties: checks
// each call (the caller owns the object, the member exists, the argument types match), turns an
// automation error into a D-Bus error, answers the Properties, Peer and Introspectable interfaces.
// The concrete objects only fill the table.
#include <systemd/sd-bus.h>

#include <QtCore/QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "adapters/dbus/BusMessage.h"
#include "recording/RttAufzeichnung.h"

namespace vks::dbus {

struct DbusArgument {
  std::string name;
  std::string signature;
};

struct DbusMethod {
  std::string name;
  std::vector<DbusArgument> in;
  std::vector<DbusArgument> out;
  // Reads the arguments (already checked against `in`) and writes the `out` values.
  std::function<void(BusReader&, BusWriter&)> call;
};

struct DbusProperty {
  std::string name;
  std::string signature;
  std::function<void(BusWriter&)> get;
  std::function<void(BusReader&)> set;  // empty: read-only
};

struct DbusSignal {
  std::string name;
  std::vector<DbusArgument> args;
};

class DbusObjekt {
 public:
  DbusObjekt(std::string interface, std::string owner);
  virtual ~DbusObjekt() = default;
  DbusObjekt(const DbusObjekt&) = delete;
  DbusObjekt& operator=(const DbusObjekt&) = delete;

  // The client that created the object; no other client may call it. Empty: every client may.
  const std::string& Owner() const { return owner_; }
  const std::string& Interface() const { return interface_; }
  // The interface's XML element as introspection reports it: the contract file's when it has
  // one, else built from the table.
  std::string InterfaceXml() const;

  // The reply to a method call (an error reply included); nullptr when the call wants none.
  sd_bus_message* Beantworte(sd_bus_message* call);

  // The recorder whose values wait while this object answers a call; none: nothing waits.
  void SetzeAufzeichnung(RttAufzeichnung* rtt) { rtt_ = rtt; }
  RttAufzeichnung* Aufzeichnung() const { return rtt_; }

 protected:
  void AddMethod(DbusMethod method);
  void AddProperty(DbusProperty property) { properties_.push_back(std::move(property)); }
  void AddSignal(DbusSignal signal) { signals_.push_back(std::move(signal)); }
  // What must outlive a call even when the client leaves while it runs (a message box lets the
  // loop run on): the core object behind this one.
  virtual std::shared_ptr<void> HalteWaehrendAufruf() { return nullptr; }

 private:
  void Dispatch(sd_bus_message* call, sd_bus_message*& reply);
  void Properties(sd_bus_message* call, sd_bus_message*& reply);
  std::string TabellenXml() const;

  std::string interface_;
  std::string owner_;
  std::vector<DbusMethod> methods_;
  std::vector<std::string> in_signatures_;  // of each method, in the same order
  std::vector<DbusProperty> properties_;
  std::vector<DbusSignal> signals_;
  RttAufzeichnung* rtt_ = nullptr;
};

// The RTT values that calls left waiting are written kNachschreibenMs after the first of them: a
// burst of calls costs one write per file, and a host that charts the files sees them at most that
// late. Runs on the event loop of the thread that serves the calls.
class DbusRttAufschub : public RttAufschub {
 public:
  static constexpr int kNachschreibenMs = 50;
  DbusRttAufschub();
  void Planen(RttAufzeichnung& aufzeichnung) override;

 private:
  QTimer zeitgeber_;
  RttAufzeichnung* aufzeichnung_ = nullptr;
};

}  // namespace vks::dbus
