#pragma once
// A host's interface object as the session registers it: the one thing the session asks of it is
// to raise AlleOrdersStreichen towards its host. The interface layer implements it.
#include <string>

namespace vks {

class HostObjekt {
 public:
  virtual ~HostObjekt() = default;
  // Raises AlleOrdersStreichen(KontoName) towards the object's host; the host's errors reach the
  // caller.
  virtual void VKSStreicheKontoOrders(const std::string& KontoName) = 0;
};

}  // namespace vks
