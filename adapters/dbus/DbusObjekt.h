#pragma once
// One object the server serves on the bus, described by a table of methods and properties: checks
// each call (the caller owns the object, the member exists, the argument types match), turns an
// automation error into a D-Bus error, answers the Properties interface and introspection. The
// concrete objects only fill the table.
#include <QtCore/QTimer>
#include <QtDBus/QDBusMessage>
#include <QtDBus/QDBusVirtualObject>
#include <functional>
#include <optional>
#include <vector>

#include "recording/RttAufzeichnung.h"

namespace vks::dbus {

struct DbusArgument {
  QString name;
  QString signature;
};

struct DbusMethod {
  QString name;
  std::vector<DbusArgument> in;
  std::vector<DbusArgument> out;
  // Gets the arguments in order, already checked against `in`; returns the `out` values.
  std::function<QVariantList(const QVariantList&)> call;
};

struct DbusProperty {
  QString name;
  QString signature;
  std::function<QVariant()> get;
  std::function<void(const QVariant&)> set;  // empty: read-only
};

struct DbusSignal {
  QString name;
  std::vector<DbusArgument> args;
};

class DbusObjekt : public QDBusVirtualObject {
 public:
  DbusObjekt(QString interface, QString owner);

  // The client that created the object; no other client may call it.
  const QString& Owner() const { return owner_; }
  // The interface's XML element, as introspection reports it.
  QString InterfaceXml() const;

  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;
  QString introspect(const QString& path) const override;

  // The recorder whose values wait while this object answers a call; none: nothing waits.
  void SetzeAufzeichnung(RttAufzeichnung* rtt) { rtt_ = rtt; }
  RttAufzeichnung* Aufzeichnung() const { return rtt_; }

 protected:
  void AddMethod(DbusMethod method) { methods_.push_back(std::move(method)); }
  void AddProperty(DbusProperty property) { properties_.push_back(std::move(property)); }
  void AddSignal(DbusSignal signal) { signals_.push_back(std::move(signal)); }

 private:
  QDBusMessage Beantworte(const QDBusMessage& message);
  QDBusMessage Dispatch(const QDBusMessage& message);
  QDBusMessage Properties(const QDBusMessage& message);

  QString interface_;
  QString owner_;
  std::vector<DbusMethod> methods_;
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

// The signature of a message argument as it arrived ("" when it cannot be told).
QString ArgumentSignature(const QVariant& argument);

}  // namespace vks::dbus
