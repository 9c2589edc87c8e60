// vks-store: looks into the account store file. `dump` prints it as JSON, `pack` writes such JSON
// back into a store byte for byte, `check` names the first fault that would stop the server's load,
// `rtt` seeds the RTT series of every account.
#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>

#include "platform/automation/AutomationError.h"
#include "platform/files/FileSystem.h"
#include "platform/system/Console.h"
#include "tools/store/StoreCheck.h"
#include "tools/store/StoreDocument.h"
#include "tools/store/StoreSeries.h"

namespace {

constexpr const char* kUsage =
    "Aufruf:\n"
    "  vks-store dump DATEI        Kontendatei als JSON ausgeben\n"
    "  vks-store pack JSON DATEI   JSON wieder als Kontendatei schreiben\n"
    "  vks-store check DATEI       Kontendatei prüfen (Exit-Code 0: in Ordnung, 1: Fehler)\n"
    "  vks-store rtt DATEI ORDNER  Startwerte aller Konten als RTT-Reihen in ORDNER schreiben\n";

// Replaces `path` only once the new bytes are complete on the disk.
void WriteWhole(vks::FileSystem& files, const std::string& path, const std::string& bytes) {
  const std::string temporary = path + ".neu";
  auto file = files.NewWritableFile(temporary);
  file->Append(bytes);
  file->Sync();
  file->Close();
  files.RenameFile(temporary, path);
}

int Run(int argc, char** argv) {
  const std::string_view command = argc > 1 ? argv[1] : "";
  auto files = vks::NewPlatformFileSystem();
  if (command == "dump" && argc == 3) {
    std::cout << vks::DumpStore(files->ReadFile(argv[2]));
    return 0;
  }
  if (command == "pack" && argc == 4) {
    WriteWhole(*files, argv[3], vks::PackStore(files->ReadFile(argv[2])));
    return 0;
  }
  if (command == "check" && argc == 3) {
    vks::StoreCheckResult result = vks::CheckStore(*files->OpenReadable(argv[2]));
    if (result.ok) {
      std::cout << argv[2] << ": in Ordnung, " << result.message << '\n';
      return 0;
    }
    std::cerr << argv[2] << ": " << result.message << '\n';
    return 1;
  }
  if (command == "rtt" && argc == 4) {
    const int konten = vks::SchreibeStartreihen(files->ReadFile(argv[2]), argv[3]);
    std::cout << konten << " Konten in " << argv[3] << " geschrieben\n";
    return 0;
  }
  std::cerr << kUsage;
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  vks::UseUtf8Console();
  try {
    return Run(argc, argv);
  } catch (const vks::AutomationError& e) {
    std::cerr << "vks-store: " << e.Description() << '\n';
    return 1;
  }
}
