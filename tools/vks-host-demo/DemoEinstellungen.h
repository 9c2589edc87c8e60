#pragma once
// The Windows demo's settings: the server finds its data and RTT folders in the user's settings on
// the user's registry, so the demo points them at its own folder for the run and puts the user's
// values back when it ends. A server that runs from the main installation ignores the data folder
// setting and keeps the user's accounts, which the demo must not touch.
#include <memory>
#include <string>
#include <vector>

#include "tools/vks-host-demo/DemoOrdner.h"

namespace vks::demo {

class DemoEinstellungen {
 public:
  // Remembers the user's values.
  DemoEinstellungen();
  // Puts them back (an empty one is removed).
  ~DemoEinstellungen();
  DemoEinstellungen(const DemoEinstellungen&) = delete;
  DemoEinstellungen& operator=(const DemoEinstellungen&) = delete;

  // The main installation's folder when the program registered for the class `clsid`
  // ("{…}") lies in it, else "".
  std::string Hauptinstallation(const std::string& clsid);
  Result<DemoOrdner> BereiteOrdnerVor(const std::string& ordner, const Handelstag& tag);

 private:
  struct Einstellung {
    const char* application;
    const char* section;
    const char* key;
    std::string alt;
  };
  std::unique_ptr<RegistryBackend> registry_;
  std::vector<Einstellung> einstellungen_;
};

}  // namespace vks::demo
