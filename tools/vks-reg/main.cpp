// vks-reg: reads and changes the server's registry store from the command line, and moves
// settings in and out with registry files.
#include <iostream>

#include "platform/system/Console.h"
#include "tools/vks-reg/RegCommands.h"
#include "tools/vks-reg/RegistryStore.h"

int main(int argc, char** argv) {
  vks::UseUtf8Console();
  auto registry = vks::OpenRegistryStore();
  if (!registry.ok()) {
    std::cerr << "FEHLER: " << registry.error().Description() << "\n";
    return 1;
  }
  return vks::RunRegCommand(std::vector<std::string>(argv + 1, argv + argc), *registry.value(),
                            std::cout, std::cerr);
}
