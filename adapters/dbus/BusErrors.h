#pragma once
// The D-Bus errors the server answers with, as sd-bus replies.
#include <systemd/sd-bus.h>

#include <string>

#include "platform/automation/AutomationError.h"

namespace vks::dbus {

inline constexpr const char* kInvalidArgs = "org.freedesktop.DBus.Error.InvalidArgs";
inline constexpr const char* kUnknownMethod = "org.freedesktop.DBus.Error.UnknownMethod";
inline constexpr const char* kUnknownInterface = "org.freedesktop.DBus.Error.UnknownInterface";
inline constexpr const char* kUnknownObject = "org.freedesktop.DBus.Error.UnknownObject";
inline constexpr const char* kUnknownProperty = "org.freedesktop.DBus.Error.UnknownProperty";
inline constexpr const char* kPropertyReadOnly = "org.freedesktop.DBus.Error.PropertyReadOnly";
inline constexpr const char* kAccessDenied = "org.freedesktop.DBus.Error.AccessDenied";

// The error reply named `name`; nullptr when not even that can be built (no memory).
sd_bus_message* ErrorReply(sd_bus_message* call, const char* name, const std::string& text);
// An automation error as the contract gives it: "<number>|<source>|<description>".
sd_bus_message* ErrorReply(sd_bus_message* call, const AutomationError& e);

}  // namespace vks::dbus
