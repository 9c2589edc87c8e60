// VKSKontoServer.exe: the account server as an out-of-process automation server. COM starts it
// (-Embedding) on a host's first creation; it serves every host object of every host process in
// its one single-threaded apartment and ends when the last object is released, after saving.
//   VKSKontoServer.exe /RegServer     registers it for the current user, and its folder as the
//                                     main installation
//   VKSKontoServer.exe /UnregServer   removes all of that
// The registry's names first: windows.h defines them as macros.
#include "platform/settings/RegistrySettingsStore.h"
#include "platform/settings/clRegistry.h"

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include <cwctype>
#include <iostream>
#include <memory>
#include <string>

#include "accounts/KontoUmgebung.h"
#include "adapters/com/ComRegistrierung.h"
#include "adapters/com/KlassenFabrik.h"
#include "adapters/com/KontoSchnittstelleComObjekt.h"
#include "adapters/com/ObjektTabelle.h"
#include "adapters/com/OrderZusatzInfosComObjekt.h"
#include "adapters/com/RegistryComObjekt.h"
#include "adapters/com/WideText.h"
#include "adapters/pcre2/Pcre2RegexEngine.h"
#include "adapters/win32/Win32MessageReporter.h"
#include "adapters/win32/Win32RegistryBackend.h"
#include "interface/KontenFensterOhneAnzeige.h"
#include "platform/files/FileSystem.h"
#include "platform/system/Clock.h"
#include "platform/system/ErrorLog.h"
#include "programs/vks-kontoserver-win/Hauptinstallation.h"
#include "recording/RttAufzeichnung.h"
#include "scripting/FuehreKontoScriptAus.h"
#include "session/Speicherplan.h"
#include "session/Startup.h"

namespace {

// The process lives while hosts hold objects (or lock the server); the last one gone ends the
// message loop. The platform counts, so that it also stops handing out class objects then.
class ServerProzess : public vks::com::ProzessReferenz {
 public:
  void Hinzu() override {
    CoAddRefServerProcess();
    je_benutzt_ = true;
  }
  void Weg() override {
    if (CoReleaseServerProcess() == 0) PostQuitMessage(0);
  }
  bool JeBenutzt() const { return je_benutzt_; }

 private:
  bool je_benutzt_ = false;
};

std::wstring EigenesProgramm() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) return path.substr(0, n);
    path.resize(path.size() * 2);
  }
}

// "/RegServer", "-regserver" and the like: the option without its lead and case.
std::wstring Option(const wchar_t* argument) {
  std::wstring option = argument;
  if (!option.empty() && (option[0] == L'/' || option[0] == L'-')) option.erase(0, 1);
  for (wchar_t& c : option) c = static_cast<wchar_t>(std::towlower(c));
  return option;
}

// Wine (8.0) finds classes only in the machine's part of the registry: it reads no per-user
// classes when a host creates an object. There the registration goes to both parts.
bool LaeuftUnterWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

int Registriere(bool entfernen) {
  const std::wstring exe = EigenesProgramm();
  const std::string ordner = vks::com::Narrow(exe.substr(0, exe.find_last_of(L'\\')));
  try {
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
    if (entfernen) {
      vks::com::EntferneRegistrierung();
      if (LaeuftUnterWine()) vks::com::EntferneRegistrierung(HKEY_LOCAL_MACHINE);
      vks::EntferneHauptinstallation(ordner);
    } else {
      vks::com::RegistriereServer(exe);
      if (LaeuftUnterWine()) vks::com::RegistriereServer(exe, HKEY_LOCAL_MACHINE);
      vks::SetzeHauptinstallation(ordner, std::cerr);
    }
  } catch (const vks::AutomationError& e) {
    std::cerr << "FEHLER: " << e.Description() << "\n";
    return 1;
  }
  return 0;
}

// How long a server that COM started waits for its first object: as on the bus.
UINT FristOhneObjektMs() {
  const char* text = std::getenv("VKS_KONTOSERVER_FRIST_MS");
  const long ms = text ? std::strtol(text, nullptr, 10) : 0;
  return ms > 0 ? static_cast<UINT>(ms) : 60000;
}

}  // namespace

int main() {
  using namespace vks;
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  const std::wstring option = argc >= 2 ? Option(argv[1]) : L"";
  if (option == L"regserver" || option == L"unregserver") {
    return Registriere(option == L"unregserver");
  }
  // Another server runs already: it serves every host; this one leaves the store untouched.
  HANDLE einzig = CreateMutexW(nullptr, FALSE, L"Local\\VKSKontoServerV7");
  if (!einzig || GetLastError() == ERROR_ALREADY_EXISTS) return 0;

  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  pcre2::InstallRegexEngine();
  const std::wstring exe = EigenesProgramm();
  const std::string eigener_ordner = com::Narrow(exe.substr(0, exe.find_last_of(L'\\')));
  const std::string programm_name = "VKSKontoServer";
  const std::unique_ptr<FileSystem> files = NewPlatformFileSystem();
  RttAufzeichnung rtt(*files, RttStorage{});
  Win32RegistryBackend registry;
  RegistrySettingsStore settings(registry);
  Win32MessageReporter reporter(std::cerr);
  BestaetigenderSpeicherordnerDialog dialog(settings);
  SystemClock clock;
  KontenAblage ablage;
  StartUmgebung start{
      reporter,      settings, registry,
      *files,        dialog,   eigener_ordner,
      programm_name, nullptr,  LadeKontenSchritt(ablage, eigener_ordner, *files, reporter, clock)};
  KontoSitzung sitzung;
  StarteKontoServer(sitzung, start);
  if (!ablage.store)
    start.konten_laden(sitzung);  // a failed load step still needs the store to save

  rtt.SetzeSpeicher(RttStorage{sitzung.RTTSpeicherOrdner});
  Speicherplan speicherplan(sitzung.Konten, *ablage.store, rtt);
  ScriptUmgebung script_umgebung{sitzung, &reporter, kScriptZeitLimitMs,
                                 AutomationLocale::FromEnvironment()};
  KontoScriptRegeln regeln(script_umgebung);
  KontoUmgebung kontoumgebung{clock, rtt, nullptr, &regeln};
  sitzung.Meldungen = &reporter;
  sitzung.Kontoumgebung = &kontoumgebung;
  sitzung.Speichern = &speicherplan;
  KontenFensterOhneAnzeige fenster(speicherplan);
  StandardZufallsfolge zufall;
  SchnittstellenUmgebung umgebung{sitzung, fenster, zufall};

  ServerProzess prozess;
  int code = 0;
  {
    com::ObjektTabelle objekte(&prozess);
    struct Klasse {
      const CLSID& clsid;
      std::function<IUnknown*()> erzeuge;
      DWORD cookie = 0;
    } klassen[] = {
        {VKSKontoServerV7::CLSID_clKontoSchnittstelle,
         [&]() -> IUnknown* {
           return static_cast<VKSKontoServerV7::_clKontoSchnittstelle*>(
               new com::KontoSchnittstelleComObjekt(umgebung, objekte, &prozess));
         }},
        {VKSKontoServerV7::CLSID_clOrderZusatzInfos,
         [&]() -> IUnknown* {
           return static_cast<VKSKontoServerV7::_clOrderZusatzInfos*>(
               new com::OrderZusatzInfosComObjekt(objekte, &prozess));
         }},
        {VKSKontoServerV7::CLSID_clRegistry,
         [&]() -> IUnknown* {
           return static_cast<VKSKontoServerV7::_clRegistry*>(new com::RegistryComObjekt(
               std::make_unique<clRegistry>(registry, programm_name), &prozess));
         }},
    };
    for (Klasse& k : klassen) {
      auto* fabrik = new com::KlassenFabrik(k.erzeuge, &prozess);
      HRESULT hr = CoRegisterClassObject(k.clsid, fabrik, CLSCTX_LOCAL_SERVER,
                                         REGCLS_MULTIPLEUSE | REGCLS_SUSPENDED, &k.cookie);
      fabrik->Release();
      if (FAILED(hr)) std::cerr << "FEHLER: Klasse nicht angemeldet (" << hr << ")\n";
    }
    CoResumeClassObjects();

    const UINT_PTR speichern = SetTimer(nullptr, 0, Speicherplan::kSpeichernIntervallMs, nullptr);
    const UINT_PTR kurse = SetTimer(nullptr, 0, Speicherplan::kKursSpeichernIntervallMs, nullptr);
    const UINT_PTR frist = SetTimer(nullptr, 0, FristOhneObjektMs(), nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      if (msg.message == WM_TIMER && msg.hwnd == nullptr) {
        if (msg.wParam == speichern) speicherplan.ZeitgeberTick();
        if (msg.wParam == kurse) speicherplan.KursspeichernZeitgeberTick();
        if (msg.wParam == frist) {
          KillTimer(nullptr, frist);
          if (!prozess.JeBenutzt()) break;  // started for a creation that never came
        }
        continue;
      }
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    code = static_cast<int>(msg.wParam);
    for (const Klasse& k : klassen) CoRevokeClassObject(k.cookie);
    fenster.EntladeKontenFenster();
    rtt.SchliesseDateien();
  }
  CoUninitialize();
  CloseHandle(einzig);
  return code;
}
