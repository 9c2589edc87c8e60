#include "adapters/dbus/DbusObjekt.h"

#include <cstring>
#include <optional>

#include "adapters/dbus/BusErrors.h"
#include "adapters/dbus/ContractXml.h"
#include "adapters/dbus/DbusNames.h"
#include "platform/automation/AutomationError.h"

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

std::string ArgXml(const DbusArgument& a, const char* direction) {
  std::string xml = "      <arg name=\"" + a.name + "\" type=\"" + a.signature + "\"";
  if (direction) xml += std::string(" direction=\"") + direction + "\"";
  return xml + "/>\n";
}

bool Ist(const char* text, const char* expected) {
  return text && std::strcmp(text, expected) == 0;
}

sd_bus_message* NeueAntwort(sd_bus_message* call) {
  sd_bus_message* reply = nullptr;
  if (sd_bus_message_new_method_return(call, &reply) < 0)
    throw AutomationError(error::kOutOfMemory);
  return reply;
}

// Owns a reply under construction until it is handed out.
struct Antwort {
  sd_bus_message* m = nullptr;
  ~Antwort() { sd_bus_message_unref(m); }
  sd_bus_message* Gib() { return std::exchange(m, nullptr); }
};

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

sd_bus_message* ErrorReply(sd_bus_message* call, const char* name, const std::string& text) {
  sd_bus_message* reply = nullptr;
  if (sd_bus_message_new_method_errorf(call, &reply, name, "%s", text.c_str()) < 0) return nullptr;
  return reply;
}

sd_bus_message* ErrorReply(sd_bus_message* call, const AutomationError& e) {
  return ErrorReply(call, kAutomationErrorName,
                    std::to_string(e.Number()) + "|" + e.Source() + "|" + e.Description());
}

DbusObjekt::DbusObjekt(std::string interface, std::string owner)
    : interface_(std::move(interface)), owner_(std::move(owner)) {}

void DbusObjekt::AddMethod(DbusMethod method) {
  std::string signature;
  for (const auto& a : method.in) signature += a.signature;
  in_signatures_.push_back(std::move(signature));
  methods_.push_back(std::move(method));
}

sd_bus_message* DbusObjekt::Beantworte(sd_bus_message* call) {
  if (!owner_.empty() && !Ist(sd_bus_message_get_sender(call), owner_.c_str()))
    return ErrorReply(call, kAccessDenied, "Das Objekt gehört einem anderen Client.");
  // The call's RTT values wait until the answer is on its way (RttAufzeichnung::Aufruf).
  std::optional<RttAufzeichnung::Aufruf> aufruf;
  if (rtt_) aufruf.emplace(*rtt_);
  const std::shared_ptr<void> gehalten = HalteWaehrendAufruf();
  Antwort reply;
  try {
    const char* interface = sd_bus_message_get_interface(call);
    if (Ist(interface, kIntrospectableInterface)) {
      reply.m = NeueAntwort(call);
      BusWriter(reply.m).String(
          "<!DOCTYPE node PUBLIC \"-//freedesktop//DTD D-BUS Object Introspection 1.0//EN\"\n "
          "\"http://www.freedesktop.org/standards/dbus/1.0/introspect.dtd\">\n<node>\n" +
          InterfaceXml() + kStandardXml + "</node>\n");
    } else if (Ist(interface, kPeerInterface)) {
      reply.m = NeueAntwort(call);
    } else if (Ist(interface, kPropertiesInterface)) {
      Properties(call, reply.m);
    } else {
      Dispatch(call, reply.m);
    }
    return reply.Gib();
  } catch (const AutomationError& e) {
    return ErrorReply(call, e);
  } catch (const std::exception& e) {
    return ErrorReply(call, AutomationError(error::kOutOfMemory, "", e.what()));
  }
}

void DbusObjekt::Dispatch(sd_bus_message* call, sd_bus_message*& reply) {
  const char* interface = sd_bus_message_get_interface(call);
  if (interface && interface_ != interface) {
    reply = ErrorReply(call, kUnknownInterface, interface);
    return;
  }
  const char* member = sd_bus_message_get_member(call);
  for (size_t i = 0; i < methods_.size(); ++i) {
    const DbusMethod& m = methods_[i];
    if (!Ist(member, m.name.c_str())) continue;
    if (!Ist(sd_bus_message_get_signature(call, 1), in_signatures_[i].c_str())) {
      reply = ErrorReply(call, kInvalidArgs, m.name + " erwartet (" + in_signatures_[i] + ")");
      return;
    }
    BusReader leser(call);
    reply = NeueAntwort(call);
    BusWriter schreiber(reply);
    m.call(leser, schreiber);
    return;
  }
  reply = ErrorReply(call, kUnknownMethod, member ? member : "");
}

void DbusObjekt::Properties(sd_bus_message* call, sd_bus_message*& reply) {
  const char* member = sd_bus_message_get_member(call);
  const char* signature = sd_bus_message_get_signature(call, 1);
  const bool get = Ist(member, "Get") && Ist(signature, "ss");
  const bool set = Ist(member, "Set") && Ist(signature, "ssv");
  BusReader leser(call);
  if (Ist(member, "GetAll") && Ist(signature, "s")) {
    reply = NeueAntwort(call);
    BusWriter w(reply);
    w.Open('a', "{sv}");
    for (const DbusProperty& p : properties_) {
      w.Open('e', "sv");
      w.String(p.name);
      w.Open('v', p.signature.c_str());
      p.get(w);
      w.Close();
      w.Close();
    }
    w.Close();
    return;
  }
  if (!get && !set) {
    reply = ErrorReply(call, kUnknownMethod, member ? member : "");
    return;
  }
  const auto [interface, name] = leser.Read<std::string, std::string>();
  for (const DbusProperty& p : properties_) {
    if (p.name != name) continue;
    if (get) {
      reply = NeueAntwort(call);
      BusWriter w(reply);
      w.Open('v', p.signature.c_str());
      p.get(w);
      w.Close();
      return;
    }
    if (!p.set) {
      reply = ErrorReply(call, kPropertyReadOnly, p.name);
      return;
    }
    const char* contents = nullptr;
    if (leser.Peek(&contents) != 'v' || !Ist(contents, p.signature.c_str())) {
      reply = ErrorReply(call, kInvalidArgs, p.name + " erwartet " + p.signature);
      return;
    }
    leser.Enter('v', p.signature.c_str());
    p.set(leser);
    reply = NeueAntwort(call);
    return;
  }
  reply = ErrorReply(call, kUnknownProperty, name);
}

std::string DbusObjekt::InterfaceXml() const {
  if (const auto vertrag = ContractInterface(interface_)) return std::string(*vertrag);
  return TabellenXml();
}

std::string DbusObjekt::TabellenXml() const {
  std::string xml = "  <interface name=\"" + interface_ + "\">\n";
  for (const DbusMethod& m : methods_) {
    xml += "    <method name=\"" + m.name + "\">\n";
    for (const auto& a : m.in) xml += ArgXml(a, "in");
    for (const auto& a : m.out) xml += ArgXml(a, "out");
    xml += "    </method>\n";
  }
  for (const DbusSignal& s : signals_) {
    xml += "    <signal name=\"" + s.name + "\">\n";
    for (const auto& a : s.args) xml += ArgXml(a, nullptr);
    xml += "    </signal>\n";
  }
  for (const DbusProperty& p : properties_) {
    xml += "    <property name=\"" + p.name + "\" type=\"" + p.signature + "\" access=\"" +
           (p.set ? "readwrite" : "read") + "\"/>\n";
  }
  return xml + "  </interface>\n";
}

}  // namespace vks::dbus
