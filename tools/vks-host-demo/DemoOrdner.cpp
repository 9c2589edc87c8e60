#include "tools/vks-host-demo/DemoOrdner.h"

#include <filesystem>
#include <iostream>

#include "accounts/clKonto.h"
#include "platform/automation/AutomationError.h"
#include "platform/files/FileSystem.h"
#include "platform/settings/RegistrySettingsStore.h"
#include "platform/system/Clock.h"
#include "platform/system/ErrorLog.h"
#include "platform/system/LogMessageReporter.h"
#include "session/AccountStore.h"

namespace vks::demo {

namespace fs = std::filesystem;

Result<DemoOrdner> BereiteOrdnerVor(const std::string& ordner, const Handelstag& tag,
                                    const OeffneRegistry& oeffne_registry) {
  const fs::path basis = fs::absolute(ordner);
  DemoOrdner d{(basis / "registry.sqlite").string(), (basis / "Tradomir").string(), "",
               (basis / "RTT").string()};
  const std::string daten = (fs::path(d.programm) / "Daten").string();
  d.store = (fs::path(daten) / kStoreFileName).string();
  std::error_code ec;
  for (const std::string& alt : {d.registry, d.programm, d.rtt}) fs::remove_all(alt, ec);
  fs::create_directories(daten, ec);
  if (ec) return AutomationError(75, "vks-host-demo", daten + ": " + ec.message());

  auto registry = oeffne_registry(d.registry);
  if (!registry.ok()) return registry.error();
  RegistrySettingsStore settings(*registry.value());
  for (const auto& [app, section, key, value] :
       {std::tuple{"Tradomir", "Programm", "PfadV7", d.programm},
        std::tuple{"Tradomir Kontoserver", "Einstellungen", "RTTSpeicherpfadV7", d.rtt}}) {
    auto saved = settings.SaveSetting(app, section, key, value);
    if (!saved.ok()) return saved.error();
  }

  KontenSammlung konten;
  for (const DemoKonto& k : tag.konten) {
    if (!k.HatRegeln()) continue;
    auto konto = std::make_shared<clKonto>();
    konto->KontoName = k.name;
    konto->Beschreibung = k.beschreibung;
    konto->CashBetrag = k.kontostand;
    konto->UseCommissions = k.use_commissions;
    konto->UseUmrechnung = k.use_umrechnung;
    konto->UseSimulZeit = true;
    konto->AktuelleZeit = DateValue{tag.datum};
    konto->PlatziereBedingung = k.platziere_bedingung;
    konto->PlatziereMeldung = k.platziere_meldung;
    konto->FillStreichBedingung = k.fill_streich_bedingung;
    konten.Add(k.name, konto);
  }
  const std::unique_ptr<FileSystem> files = NewPlatformFileSystem();
  SystemClock clock;
  LogMessageReporter reporter(std::cerr);
  const std::unique_ptr<ErrorLog> log =
      NewFileErrorLog(daten + "/" + kErrorLogFileName, *files, clock);
  AccountStore store(daten, d.programm, *files, reporter, *log, clock);
  if (auto fehler = store.SpeichereKonten(konten)) {
    return AutomationError(75, "vks-host-demo",
                           d.store + " lässt sich nicht schreiben: " + fehler->Description());
  }
  return d;
}

}  // namespace vks::demo
