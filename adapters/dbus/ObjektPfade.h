#pragma once
// Objects that travel inside Variants: an object leaves the server as the path under which it is
// served, and a path that comes in names the object served there. The service owns the table.
#include <string>

#include "platform/automation/Variant.h"

namespace vks::dbus {

class ObjektPfade {
 public:
  virtual ~ObjektPfade() = default;
  // The object's path, serving it from now on if it was not yet. Throws AutomationError 13 for an
  // object of a class that is not served on the bus.
  virtual std::string PfadVon(const ObjectRef& objekt) = 0;
  // The object served under path. Throws AutomationError 13 for a path that serves none.
  virtual ObjectRef ObjektUnter(const std::string& path) = 0;
};

}  // namespace vks::dbus
