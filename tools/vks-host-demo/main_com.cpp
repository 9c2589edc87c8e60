// vks-host-demo for Windows: plays the bundled trading day against the registered account server
// through COM, as the Linux build's demo does over its own session bus, and prints the same table.
// The server finds its data and RTT folders in the user's settings; the demo points them at its
// own folder for the run and puts the user's values back afterwards. A server that runs from the
// main installation keeps the installation's Daten folder, which holds the user's accounts, so the
// demo refuses to play against it.
//   vks-host-demo [--tag DATEI] ORDNER
#include "tools/vks-host-demo/DemoEinstellungen.h"
#include "tools/vks-host-demo/DemoSpieler.h"
// After the registry types: windows.h names its own constants like theirs.
#include <fcntl.h>
#include <io.h>
#include <objbase.h>

#include <iostream>
#include <string>
#include <vector>

#include "VKSKontoServerV7.h"
#include "adapters/com/WideText.h"
#include "platform/automation/AutomationError.h"
#include "platform/files/FileSystem.h"
#include "tools/vks-host-demo/ComDemoHost.h"

namespace {

using namespace vks;

constexpr const char* kUsage = "Aufruf: vks-host-demo [--tag DATEI] ORDNER\n";

int Fehler(const std::string& text) {
  std::cerr << "vks-host-demo: " << text << "\n";
  return 1;
}

std::string KontoKlasse() {
  wchar_t clsid[40] = {};
  StringFromGUID2(VKSKontoServerV7::CLSID_clKontoSchnittstelle, clsid, 40);
  std::string text;
  for (const wchar_t* c = clsid; *c; ++c) text += static_cast<char>(*c);  // hex digits, braces
  return text;
}

// Installed, the day lies in the demo folder beside the program; built, in the source tree.
std::string Handelstag() {
  wchar_t programm[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameW(nullptr, programm, MAX_PATH);
  std::wstring neben(programm, n);
  neben = neben.substr(0, neben.find_last_of(L'\\') + 1) + L"demo\\Handelstag.txt";
  if (n == 0 || n == MAX_PATH || GetFileAttributesW(neben.c_str()) == INVALID_FILE_ATTRIBUTES)
    return VKS_DEMO_TAG;
  return com::Narrow(neben);
}

int SpieleDemo(const std::vector<std::string>& args) {
  std::string tag_datei = Handelstag();
  std::string ordner_arg;
  for (size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--tag" && i + 1 < args.size()) {
      tag_datei = args[++i];
    } else if (args[i].starts_with('-') || !ordner_arg.empty()) {
      std::cerr << "vks-host-demo: unbekannte Option oder zweiter ORDNER: " << args[i] << "\n"
                << kUsage;
      return 2;
    } else {
      ordner_arg = args[i];
    }
  }
  if (ordner_arg.empty()) {
    std::cerr << "vks-host-demo: ORDNER fehlt (die Demo legt dort ihre Konten und Dateien an)\n"
              << kUsage;
    return 2;
  }
  std::string text;
  try {
    text = NewPlatformFileSystem()->ReadFile(tag_datei);
  } catch (const AutomationError&) {
    return Fehler(tag_datei + " fehlt");
  }
  auto tag = demo::LiesHandelstag(text);
  if (!tag.ok()) return Fehler(tag.error().Description());

  demo::DemoEinstellungen einstellungen;
  if (const std::string haupt = einstellungen.Hauptinstallation(KontoKlasse()); !haupt.empty()) {
    return Fehler("der registrierte Kontoserver läuft aus der Haupt-Installation (" + haupt +
                  ") und hält dort die Konten des Benutzers; die Demo spielt nur gegen einen "
                  "Kontoserver außerhalb davon");
  }
  auto ordner = einstellungen.BereiteOrdnerVor(ordner_arg, tag.value());
  int code = 0;
  if (!ordner.ok()) {
    code = Fehler(ordner.error().Description());
  } else {
    std::cout << "Die Demo nutzt den registrierten Kontoserver.\n";
    demo::DemoErgebnis ergebnis;
    try {
      demo::ComDemoHost host;
      ergebnis = demo::SpieleTag(host, tag.value(), std::cout);
    } catch (const std::exception& e) {
      code = Fehler(e.what());
    }
    if (code == 0) demo::ZeigeErgebnis(std::cout, ergebnis, ordner.value());
  }
  return code;
}

}  // namespace

int main(int argc, char** argv) {
  // The table's bytes as the Linux demo writes them: UTF-8, lines ending in "\n".
  _setmode(_fileno(stdout), _O_BINARY);
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return Fehler("COM startet nicht");
  const int code = SpieleDemo(std::vector<std::string>(argv, argv + argc));
  CoUninitialize();
  return code;
}
