#pragma once
// The demo's own installation, so that it never touches the user's accounts: a registry of its
// own (handed to the server through VKS_REGISTRY), the program folder with its Daten folder and
// the store holding the accounts with rules (rules are set in the settings dialog, never by the
// host), and the RTT folder. A previous run's files are removed first.
#include <functional>
#include <memory>
#include <string>

#include "platform/automation/Result.h"
#include "platform/settings/RegistryBackend.h"
#include "tools/vks-host-demo/Handelstag.h"

namespace vks::demo {

struct DemoOrdner {
  std::string registry;
  std::string programm;
  std::string store;
  std::string rtt;
};

// The platform's registry store, given the file that the demo keeps for it (Linux); the Windows
// build's store is the user's registry and leaves the file alone.
using OeffneRegistry =
    std::function<Result<std::unique_ptr<RegistryBackend>>(const std::string& datei)>;

Result<DemoOrdner> BereiteOrdnerVor(const std::string& ordner, const Handelstag& tag,
                                    const OeffneRegistry& oeffne_registry);

}  // namespace vks::demo
