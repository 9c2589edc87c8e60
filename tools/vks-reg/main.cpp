// vks-reg: reads and changes the server's registry store from the command line, and moves
// settings in and out with registry files. The commands keep their /switches (see RegCommands.h);
// the common command line adds --help and --version around them.
#include <iostream>

#include "adapters/cli/CommandLine.h"
#include "tools/vks-reg/RegCommands.h"
#include "tools/vks-reg/RegistryStore.h"

int main(int argc, char** argv) {
  vks::cli::CommandLine cli("vks-reg", "Registrierung des Kontoservers lesen und ändern.");
  cli.App().prefix_command();
  cli.App().footer(
      "Befehle:\n"
      "  query SCHLÜSSEL [/v NAME | /ve] [/s]\n"
      "  add SCHLÜSSEL [/v NAME | /ve] [/t TYP] [/d DATEN] [/f]\n"
      "  delete SCHLÜSSEL [/v NAME | /ve | /va] [/f]\n"
      "  export [SCHLÜSSEL] DATEI [/y] [/regedit4]\n"
      "  import DATEI");
  if (auto code = cli.Parse(argc, argv)) return *code;
  return cli.Run([&] {
    auto registry = vks::OpenRegistryStore();
    if (!registry.ok()) return cli.Failure(registry.error().Description());
    return vks::RunRegCommand(cli.App().remaining(), *registry.value(), std::cout, std::cerr);
  });
}
