#include "session/KontoSitzung.h"

#include <vector>

namespace vks {

void SendeAlleOrdersStreichen(KontoSitzung& sitzung, const std::string& KontoName) {
  std::vector<std::weak_ptr<HostObjekt>> objekte;
  for (const auto& entry : sitzung.Verbindungen) objekte.push_back(entry.value);
  for (const auto& schwach : objekte) {
    if (auto objekt = schwach.lock()) {
      try {
        objekt->VKSStreicheKontoOrders(KontoName);
      } catch (...) {
        // One failing client must not keep the others from cancelling their orders.
      }
    }
  }
}

}  // namespace vks
