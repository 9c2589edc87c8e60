// vks-script: runs an account's rule (or any script) for one account of an account store, outside
// the server, and prints what the server would make of it: the result code, Ergebnis, the refusal
// message or the script error with its line, and the accounts StreicheEnterOrders asked for.
#include <iostream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "accounts/KontoBedingungen.h"
#include "accounts/KontoKennzahl.h"
#include "adapters/pcre2/Pcre2RegexEngine.h"
#include "interface/clKontoSchnittstelle.h"
#include "platform/automation/AutomationError.h"
#include "platform/automation/StoreReader.h"
#include "platform/files/FileSystem.h"
#include "platform/system/Console.h"
#include "scripting/FuehreKontoScriptAus.h"
#include "scripting/frmVBScript.h"
#include "session/KontoSitzung.h"
#include "session/clKontoGlobalData.h"

namespace {

constexpr const char* kUsage =
    "Aufruf:\n"
    "  vks-script --store DATEI --account NAME --placement AKTION   Platzierungsregel prüfen\n"
    "  vks-script --store DATEI --account NAME --cancel             Streichregel prüfen\n"
    "  vks-script --store DATEI --account NAME --file SKRIPT.vbs    Skript ausführen\n"
    "AKTION: Buy, Sell, SellShort oder 0, 1, 2\n";

class KeinFenster : public vks::KontenFensterSteuerung {
 public:
  void ZeigeKontenFenster() override {}
  void EntladeKontenFenster() override {}
};

// Stands in for the host: keeps the accounts whose entry orders the script wants cancelled.
class StreichProtokoll : public vks::KontoEreignisSenke {
 public:
  void AlleOrdersStreichen(const std::string& KontoName) override { konten.push_back(KontoName); }
  std::vector<std::string> konten;
};

// The accounts of the store as the server would load them; any fault stops the tool.
void LadeKonten(const std::string& bytes, vks::KontenSammlung& konten) {
  size_t offset = 0;
  auto bounds = vks::ReadStoreArrayHeader(bytes, offset);
  if (!bounds || bounds->size() != 1) return;
  const vks::ArrayBound bound = bounds->front();
  for (int64_t i = bound.lower; i < int64_t{bound.lower} + bound.count; ++i) {
    vks::Variant record = vks::ReadStoreVariant(bytes, offset);
    if (i < 1) continue;
    auto konto = std::make_shared<vks::clKonto>();
    konto->ReadAllProperties(record);
    std::string name = konto->KontoName;
    konten.Add(std::move(name), std::move(konto));
  }
}

bool LeseAktion(std::string_view text, int32_t& aktion) {
  const std::pair<std::string_view, int32_t> kAktionen[] = {
      {"buy", 0}, {"sell", 1}, {"sellshort", 2}, {"0", 0}, {"1", 1}, {"2", 2}};
  for (const auto& [name, wert] : kAktionen) {
    if (vks::FoldCase(text) == name) {
      aktion = wert;
      return true;
    }
  }
  return false;
}

int Run(int argc, char** argv) {
  std::string store, account, placement, file;
  bool cancel = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool has_value = i + 1 < argc;
    if (arg == "--store" && has_value) {
      store = argv[++i];
    } else if (arg == "--account" && has_value) {
      account = argv[++i];
    } else if (arg == "--placement" && has_value) {
      placement = argv[++i];
    } else if (arg == "--file" && has_value) {
      file = argv[++i];
    } else if (arg == "--cancel") {
      cancel = true;
    } else {
      std::cerr << kUsage;
      return 2;
    }
  }
  const int modes = (placement.empty() ? 0 : 1) + (cancel ? 1 : 0) + (file.empty() ? 0 : 1);
  int32_t aktion = 0;
  if (store.empty() || account.empty() || modes != 1 ||
      (!placement.empty() && !LeseAktion(placement, aktion))) {
    std::cerr << kUsage;
    return 2;
  }

  auto files = vks::NewPlatformFileSystem();
  vks::KontoSitzung sitzung;
  sitzung.KontoGlobalData = std::make_shared<vks::clKontoGlobalData>();
  vks::FuelleKennzahlenListe(sitzung.KennzahlenNamen);
  LadeKonten(files->ReadFile(store), sitzung.Konten);
  const auto* konto = sitzung.Konten.Find(account);
  if (!konto) {
    std::cerr << "vks-script: Konto \"" << account << "\" nicht in " << store << '\n';
    return 1;
  }

  KeinFenster fenster;
  vks::StandardZufallsfolge zufall;
  vks::SchnittstellenUmgebung schnittstellen{sitzung, fenster, zufall};
  auto host = vks::clKontoSchnittstelle::Create(schnittstellen);
  auto protokoll = std::make_shared<StreichProtokoll>();
  host->SetzeEreignisSenke(protokoll);

  std::string formel;
  std::string proz = "Kontoberechnung";
  if (!file.empty()) {
    formel = files->ReadFile(file);
  } else if (cancel) {
    formel = (*konto)->FillStreichBedingung;
    proz = "FillStreichenProz";
  } else {
    formel = (*konto)->PlatziereBedingung;
    proz = "PruefePlatziereProz";
  }
  std::cout << "Konto: " << (*konto)->KontoName << '\n';
  if (formel.find_first_not_of(' ') == std::string::npos) {
    std::cout << "Keine Regel: nichts wird geprüft.\n";
    return 0;
  }

  vks::ScriptUmgebung umgebung{sitzung, nullptr, vks::kScriptZeitLimitMs,
                               vks::AutomationLocale::FromEnvironment()};
  int32_t ergebnis = 0;
  vks::ScriptFehler fehler;
  const int16_t code = vks::FuehreKontoScriptAus(umgebung, proz, formel, (*konto)->KontoName,
                                                 ergebnis, aktion, false, &fehler);
  std::cout << "Ergebniscode: " << code << '\n';
  if (code == vks::kScriptErfolg) {
    std::cout << "Ergebnis: " << ergebnis << '\n';
    if (!placement.empty()) {
      if (ergebnis != 0) {
        std::cout << "Order verboten, Meldung: "
                  << vks::ErsetzeMarke((*konto)->PlatziereMeldung, "#Ergebnis#",
                                       std::to_string(ergebnis))
                  << '\n';
      } else {
        std::cout << "Order erlaubt\n";
      }
    }
  } else if (code == vks::kScriptFehler) {
    std::cout << "Fehler " << fehler.number << " in Zeile " << fehler.zeile << ": "
              << fehler.meldung << '\n';
  } else {
    std::cout << "Das Skript konnte nicht ausgeführt werden.\n";
  }
  std::cout << "StreicheEnterOrders:";
  for (const auto& name : protokoll->konten) std::cout << ' ' << name;
  std::cout << (protokoll->konten.empty() ? " keine\n" : "\n");
  return code == vks::kScriptErfolg ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  vks::UseUtf8Console();
  vks::pcre2::InstallRegexEngine();
  try {
    return Run(argc, argv);
  } catch (const vks::AutomationError& e) {
    std::cerr << "vks-script: " << e.Description() << '\n';
    return 1;
  }
}
