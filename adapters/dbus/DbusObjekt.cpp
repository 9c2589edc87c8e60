#include "adapters/dbus/DbusObjekt.h"

#include <QtCore/QTimer>
#include <QtDBus/QDBusArgument>
#include <QtDBus/QDBusConnection>
#include <QtDBus/QDBusMetaType>
#include <QtDBus/QDBusVariant>

#include "adapters/dbus/DbusNames.h"
#include "platform/automation/AutomationError.h"
#include "recording/RttAufzeichnung.h"

namespace vks::dbus {

namespace {

constexpr const char* kPropertiesInterface = "org.freedesktop.DBus.Properties";
constexpr const char* kIntrospectableInterface = "org.freedesktop.DBus.Introspectable";
constexpr const char* kPeerInterface = "org.freedesktop.DBus.Peer";

// The standard interfaces every object answers besides its own.
constexpr const char* kStandardXml =
    "  <interface name=\"org.freedesktop.DBus.Introspectable\">\n"
    "    <method name=\"Introspect\">\n"
    "      <arg name=\"xml_data\" type=\"s\" direction=\"out\"/>\n"
    "    </method>\n"
    "  </interface>\n"
    "  <interface name=\"org.freedesktop.DBus.Peer\">\n"
    "    <method name=\"Ping\"/>\n"
    "  </interface>\n"
    "  <interface name=\"org.freedesktop.DBus.Properties\">\n"
    "    <method name=\"Get\">\n"
    "      <arg name=\"interface_name\" type=\"s\" direction=\"in\"/>\n"
    "      <arg name=\"property_name\" type=\"s\" direction=\"in\"/>\n"
    "      <arg name=\"value\" type=\"v\" direction=\"out\"/>\n"
    "    </method>\n"
    "    <method name=\"Set\">\n"
    "      <arg name=\"interface_name\" type=\"s\" direction=\"in\"/>\n"
    "      <arg name=\"property_name\" type=\"s\" direction=\"in\"/>\n"
    "      <arg name=\"value\" type=\"v\" direction=\"in\"/>\n"
    "    </method>\n"
    "    <method name=\"GetAll\">\n"
    "      <arg name=\"interface_name\" type=\"s\" direction=\"in\"/>\n"
    "      <arg name=\"values\" type=\"a{sv}\" direction=\"out\"/>\n"
    "    </method>\n"
    "  </interface>\n";

QString Signature(const std::vector<DbusArgument>& args) {
  QString s;
  for (const auto& a : args) s += a.signature;
  return s;
}

QString ArgXml(const DbusArgument& a, const char* direction) {
  QString xml = QStringLiteral("      <arg name=\"%1\" type=\"%2\"").arg(a.name, a.signature);
  if (direction) xml += QStringLiteral(" direction=\"%1\"").arg(QLatin1String(direction));
  return xml + QStringLiteral("/>\n");
}

}  // namespace

DbusRttAufschub::DbusRttAufschub() {
  zeitgeber_.setSingleShot(true);
  zeitgeber_.setInterval(kNachschreibenMs);
  QObject::connect(&zeitgeber_, &QTimer::timeout, [this] {
    if (aufzeichnung_) aufzeichnung_->SchreibeWartende();
  });
}

void DbusRttAufschub::Planen(RttAufzeichnung& aufzeichnung) {
  aufzeichnung_ = &aufzeichnung;
  if (!zeitgeber_.isActive()) zeitgeber_.start();
}

namespace {

QDBusMessage ErrorReply(const QDBusMessage& message, const AutomationError& e) {
  return message.createErrorReply(
      QLatin1String(kAutomationErrorName),
      QStringLiteral("%1|%2|%3")
          .arg(e.Number())
          .arg(QString::fromStdString(e.Source()), QString::fromStdString(e.Description())));
}

}  // namespace

QString ArgumentSignature(const QVariant& argument) {
  if (argument.metaType() == QMetaType::fromType<QDBusArgument>()) {
    return argument.value<QDBusArgument>().currentSignature();
  }
  if (argument.metaType() == QMetaType::fromType<QDBusVariant>()) return QStringLiteral("v");
  const char* s = QDBusMetaType::typeToSignature(argument.metaType());
  return s ? QLatin1String(s) : QString();
}

DbusObjekt::DbusObjekt(QString interface, QString owner)
    : interface_(std::move(interface)), owner_(std::move(owner)) {}

bool DbusObjekt::handleMessage(const QDBusMessage& message, const QDBusConnection& connection) {
  if (message.type() != QDBusMessage::MethodCallMessage) return false;
  // The call's RTT values wait until the answer is on its way (RttAufzeichnung::Aufruf).
  std::optional<RttAufzeichnung::Aufruf> aufruf;
  if (rtt_) aufruf.emplace(*rtt_);
  connection.send(Beantworte(message));
  return true;
}

QDBusMessage DbusObjekt::Beantworte(const QDBusMessage& message) {
  if (!owner_.isEmpty() && message.service() != owner_) {
    return message.createErrorReply(QDBusError::AccessDenied,
                                    QStringLiteral("Das Objekt gehört einem anderen Client."));
  }
  try {
    const QString interface = message.interface();
    if (interface == QLatin1String(kIntrospectableInterface)) {
      return message.createReply(
          QStringLiteral("<!DOCTYPE node PUBLIC \"-//freedesktop//DTD D-BUS Object Introspection "
                         "1.0//EN\"\n \"http://www.freedesktop.org/standards/dbus/1.0/"
                         "introspect.dtd\">\n<node>\n") +
          InterfaceXml() + QLatin1String(kStandardXml) + QStringLiteral("</node>\n"));
    }
    if (interface == QLatin1String(kPeerInterface)) return message.createReply();
    if (interface == QLatin1String(kPropertiesInterface)) return Properties(message);
    return Dispatch(message);
  } catch (const AutomationError& e) {
    return ErrorReply(message, e);
  } catch (const std::exception& e) {
    return ErrorReply(message, AutomationError(error::kOutOfMemory, "", e.what()));
  }
}

QDBusMessage DbusObjekt::Dispatch(const QDBusMessage& message) {
  if (!message.interface().isEmpty() && message.interface() != interface_) {
    return message.createErrorReply(QDBusError::UnknownInterface, message.interface());
  }
  for (const DbusMethod& m : methods_) {
    if (m.name != message.member()) continue;
    if (message.signature() != Signature(m.in)) {
      return message.createErrorReply(
          QDBusError::InvalidArgs, QStringLiteral("%1 erwartet (%2)").arg(m.name, Signature(m.in)));
    }
    return message.createReply(m.call(message.arguments()));
  }
  return message.createErrorReply(QDBusError::UnknownMethod, message.member());
}

QDBusMessage DbusObjekt::Properties(const QDBusMessage& message) {
  const QVariantList args = message.arguments();
  const QString member = message.member();
  const bool get = member == QLatin1String("Get") && message.signature() == QLatin1String("ss");
  const bool set = member == QLatin1String("Set") && message.signature() == QLatin1String("ssv");
  if (member == QLatin1String("GetAll") && message.signature() == QLatin1String("s")) {
    QVariantMap all;
    for (const DbusProperty& p : properties_) all.insert(p.name, p.get());
    return message.createReply(QVariant::fromValue(all));
  }
  if (!get && !set) return message.createErrorReply(QDBusError::UnknownMethod, member);
  for (const DbusProperty& p : properties_) {
    if (p.name != args[1].toString()) continue;
    if (get) return message.createReply(QVariant::fromValue(QDBusVariant(p.get())));
    if (!p.set) {
      return message.createErrorReply(QDBusError::PropertyReadOnly, p.name);
    }
    const QVariant value = args[2].value<QDBusVariant>().variant();
    if (ArgumentSignature(value) != p.signature) {
      return message.createErrorReply(QDBusError::InvalidArgs,
                                      QStringLiteral("%1 erwartet %2").arg(p.name, p.signature));
    }
    p.set(value);
    return message.createReply();
  }
  return message.createErrorReply(QDBusError::UnknownProperty, args[1].toString());
}

QString DbusObjekt::InterfaceXml() const {
  QString xml = QStringLiteral("  <interface name=\"%1\">\n").arg(interface_);
  for (const DbusMethod& m : methods_) {
    xml += QStringLiteral("    <method name=\"%1\">\n").arg(m.name);
    for (const auto& a : m.in) xml += ArgXml(a, "in");
    for (const auto& a : m.out) xml += ArgXml(a, "out");
    xml += QStringLiteral("    </method>\n");
  }
  for (const DbusSignal& s : signals_) {
    xml += QStringLiteral("    <signal name=\"%1\">\n").arg(s.name);
    for (const auto& a : s.args) xml += ArgXml(a, nullptr);
    xml += QStringLiteral("    </signal>\n");
  }
  for (const DbusProperty& p : properties_) {
    xml +=
        QStringLiteral("    <property name=\"%1\" type=\"%2\" access=\"%3\"/>\n")
            .arg(p.name, p.signature, p.set ? QStringLiteral("readwrite") : QStringLiteral("read"));
  }
  return xml + QStringLiteral("  </interface>\n");
}

QString DbusObjekt::introspect(const QString&) const {
  return InterfaceXml();
}

}  // namespace vks::dbus
