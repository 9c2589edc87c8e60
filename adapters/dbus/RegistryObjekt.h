#pragma once
// A clRegistry on the bus. Property get and let become D-Bus properties; ValueEx, a property with
// arguments, becomes the methods ValueEx (get) and LetValueEx (let), each sending back its five
// by-reference arguments after the result.
#include <memory>

#include "adapters/dbus/DbusObjekt.h"
#include "platform/settings/clRegistry.h"

namespace vks::dbus {

class RegistryObjekt : public DbusObjekt {
 public:
  RegistryObjekt(std::unique_ptr<clRegistry> registry, QString owner,
                 std::function<void()> release);
  void Freigeben() { registry_.reset(); }

 private:
  clRegistry& R();
  void AddProperties();
  void AddMethods(std::function<void()> release);

  std::unique_ptr<clRegistry> registry_;
};

}  // namespace vks::dbus
