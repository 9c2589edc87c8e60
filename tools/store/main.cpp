// vks-store: looks into the account store file. `dump` prints it as JSON, `pack` writes such JSON
// back into a store byte for byte, `check` names the first fault that would stop the server's load,
// `rtt` seeds the RTT series of every account. "-" reads standard input or writes standard output.
#include <iostream>
#include <string>

#include "adapters/cli/CommandLine.h"
#include "adapters/cli/StandardStreams.h"
#include "tools/store/StoreCheck.h"
#include "tools/store/StoreDocument.h"
#include "tools/store/StoreSeries.h"

namespace {

struct Aufruf {
  std::string datei, ziel, ordner;
  bool json = false;
};

int Pruefe(const Aufruf& a, vks::FileSystem& files) {
  const vks::StoreCheckResult result = vks::CheckStore(*files.OpenReadable(a.datei));
  if (a.json) {
    std::cout << vks::StoreCheckJson(a.datei, result) << '\n';
  } else if (result.ok) {
    std::cout << a.datei << ": in Ordnung, " << result.message << '\n';
  } else {
    std::cerr << a.datei << ": " << result.message << '\n';
  }
  return result.ok ? vks::cli::kSuccess : vks::cli::kFailure;
}

}  // namespace

int main(int argc, char** argv) {
  vks::cli::CommandLine cli("vks-store", "Kontendatei ansehen, prüfen und schreiben");
  Aufruf a;
  cli.App().require_subcommand(1);
  CLI::App* dump = cli.AddCommand("dump", "Kontendatei als JSON ausgeben");
  dump->add_option("DATEI", a.datei, "Kontendatei (- für die Standardeingabe)")->required();
  CLI::App* pack = cli.AddCommand("pack", "JSON wieder als Kontendatei schreiben");
  pack->add_option("JSON", a.datei, "JSON-Datei (- für die Standardeingabe)")->required();
  pack->add_option("DATEI", a.ziel, "Kontendatei (- für die Standardausgabe)")->required();
  CLI::App* check = cli.AddCommand(
      "check", "Kontendatei prüfen (Exit-Code 0: in Ordnung, 1: Fehler mit seiner Stelle)");
  check->add_option("DATEI", a.datei, "Kontendatei (- für die Standardeingabe)")->required();
  check->add_flag("--json", a.json, "Ergebnis als JSON auf der Standardausgabe");
  CLI::App* rtt = cli.AddCommand("rtt", "Startwerte aller Konten als RTT-Reihen schreiben");
  rtt->add_option("DATEI", a.datei, "Kontendatei (- für die Standardeingabe)")->required();
  rtt->add_option("ORDNER", a.ordner, "Zielordner der RTT-Reihen")->required();
  if (auto code = cli.Parse(argc, argv)) return *code;

  return cli.Run([&] {
    auto files = vks::cli::WithStandardInput(vks::NewPlatformFileSystem());
    if (*dump) {
      std::cout << vks::DumpStore(files->ReadFile(a.datei));
    } else if (*pack) {
      vks::cli::WriteWholeFile(*files, a.ziel, vks::PackStore(files->ReadFile(a.datei)));
    } else if (*check) {
      return Pruefe(a, *files);
    } else if (*rtt) {
      const int konten = vks::SchreibeStartreihen(files->ReadFile(a.datei), a.ordner);
      std::cout << konten << " Konten in " << a.ordner << " geschrieben\n";
    }
    return vks::cli::kSuccess;
  });
}
