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
  RegistryObjekt(std::shared_ptr<clRegistry> registry, std::string owner,
                 std::function<void()> release);
  void Freigeben() { registry_.reset(); }

 protected:
  std::shared_ptr<void> HalteWaehrendAufruf() override { return registry_; }

 private:
  clRegistry& R();
  void AddProperties();
  void AddMethods(std::function<void()> release);

  std::shared_ptr<clRegistry> registry_;
};

}  // namespace vks::dbus
