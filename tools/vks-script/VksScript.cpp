// vks-script: runs an account's rule (or any script) for one account of an account store, outside
// the server, and prints what the server would make of it: the result code, Ergebnis, the refusal
// message or the script error with its line, and the accounts StreicheEnterOrders asked for;
// with --json as one object. A refused order ends with exit code 3.
#include <iostream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "accounts/KontoBedingungen.h"
#include "accounts/KontoKennzahl.h"
#include "adapters/cli/CommandLine.h"
#include "adapters/cli/StandardStreams.h"
#include "adapters/pcre2/Pcre2RegexEngine.h"
#include "interface/clKontoSchnittstelle.h"
#include "platform/automation/AutomationError.h"
#include "platform/automation/StoreReader.h"
#include "platform/files/FileSystem.h"
#include "scripting/FuehreKontoScriptAus.h"
#include "scripting/frmVBScript.h"
#include "session/KontoSitzung.h"
#include "session/clKontoGlobalData.h"

namespace {

// Exit codes beyond the convention's: the rule refused the order.
constexpr int kOrderVerboten = 3;

struct Aufruf {
  std::string store, account, placement, file;
  bool cancel = false;
  bool json = false;
};

// What the run found, as lines for people or one JSON object for scripts.
struct Bericht {
  nlohmann::ordered_json json;
  std::string text;
  void Zeile(const std::string& zeile) { text += zeile + "\n"; }
  int Ende(bool als_json, int code) {
    if (als_json) {
      std::cout << json.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
    } else {
      std::cout << "Konto: " << json["konto"].get<std::string>() << '\n' << text;
    }
    return code;
  }
};

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

int Run(const Aufruf& a, const vks::cli::CommandLine& cli) {
  int32_t aktion = 0;
  if (!a.placement.empty() && !LeseAktion(a.placement, aktion)) {
    return cli.UsageError("--placement: Buy, Sell, SellShort oder 0, 1, 2, nicht " + a.placement);
  }
  const std::string& store = a.store;
  const std::string& account = a.account;
  const std::string& placement = a.placement;
  const std::string& file = a.file;
  const bool cancel = a.cancel;
  auto files = vks::cli::WithStandardInput(vks::NewPlatformFileSystem());
  vks::KontoSitzung sitzung;
  sitzung.KontoGlobalData = std::make_shared<vks::clKontoGlobalData>();
  vks::FuelleKennzahlenListe(sitzung.KennzahlenNamen);
  LadeKonten(files->ReadFile(store), sitzung.Konten);
  const auto* konto = sitzung.Konten.Find(account);
  if (!konto) return cli.Failure("Konto \"" + account + "\" nicht in " + store);

  KeinFenster fenster;
  vks::StandardZufallsfolge zufall;
  vks::SchnittstellenUmgebung schnittstellen{sitzung, fenster, zufall};
  auto host = vks::clKontoSchnittstelle::Create(schnittstellen);
  auto protokoll = std::make_shared<StreichProtokoll>();
  host->SetzeEreignisSenke(protokoll);

  // A rule file stands in for the account's own rule of the mode asked for.
  std::string formel = cancel ? (*konto)->FillStreichBedingung : (*konto)->PlatziereBedingung;
  std::string proz = cancel ? "FillStreichenProz" : "PruefePlatziereProz";
  if (!file.empty()) formel = files->ReadFile(file);
  if (!file.empty() && !cancel && placement.empty()) proz = "Kontoberechnung";
  Bericht bericht;
  bericht.json["konto"] = (*konto)->KontoName;
  if (formel.find_first_not_of(' ') == std::string::npos) {
    bericht.Zeile("Keine Regel: nichts wird geprüft.");
    return bericht.Ende(a.json, vks::cli::kSuccess);
  }

  vks::ScriptUmgebung umgebung{sitzung, nullptr, vks::kScriptZeitLimitMs,
                               vks::AutomationLocale::FromEnvironment()};
  int32_t ergebnis = 0;
  vks::ScriptFehler fehler;
  const int16_t code = vks::FuehreKontoScriptAus(umgebung, proz, formel, (*konto)->KontoName,
                                                 ergebnis, aktion, false, &fehler);
  bericht.json["ergebniscode"] = code;
  bericht.Zeile("Ergebniscode: " + std::to_string(code));
  int exit_code = code == vks::kScriptErfolg ? vks::cli::kSuccess : vks::cli::kFailure;
  if (code == vks::kScriptErfolg) {
    bericht.json["ergebnis"] = ergebnis;
    bericht.Zeile("Ergebnis: " + std::to_string(ergebnis));
    if (!placement.empty() && ergebnis != 0) {
      const std::string meldung =
          vks::ErsetzeMarke((*konto)->PlatziereMeldung, "#Ergebnis#", std::to_string(ergebnis));
      bericht.json["order"] = "verboten";
      bericht.json["meldung"] = meldung;
      bericht.Zeile("Order verboten, Meldung: " + meldung);
      exit_code = kOrderVerboten;
    } else if (!placement.empty()) {
      bericht.json["order"] = "erlaubt";
      bericht.Zeile("Order erlaubt");
    }
  } else if (code == vks::kScriptFehler) {
    bericht.json["fehler"] = {
        {"nummer", fehler.number}, {"zeile", fehler.zeile}, {"meldung", fehler.meldung}};
    bericht.Zeile("Fehler " + std::to_string(fehler.number) + " in Zeile " +
                  std::to_string(fehler.zeile) + ": " + fehler.meldung);
  } else {
    bericht.Zeile("Das Skript konnte nicht ausgeführt werden.");
  }
  bericht.json["streiche_enter_orders"] = protokoll->konten;
  std::string streichen = "StreicheEnterOrders:";
  for (const auto& name : protokoll->konten) streichen += " " + name;
  bericht.Zeile(streichen + (protokoll->konten.empty() ? " keine" : ""));
  return bericht.Ende(a.json, exit_code);
}

}  // namespace

int main(int argc, char** argv) {
  vks::cli::CommandLine cli(
      "vks-script",
      "Regel eines Kontos aus einer Kontendatei außerhalb des Servers ausführen.\n"
      "Exit-Code 0: ausgeführt (Order erlaubt), 1: Skriptfehler oder Fehler, 2: falscher Aufruf, "
      "3: Order verboten");
  Aufruf a;
  CLI::App& app = cli.App();
  app.add_option("--store", a.store, "Kontendatei (- für die Standardeingabe)")->required();
  app.add_option("--account", a.account, "Kontoname")->required();
  CLI::Option* placement =
      app.add_option("--placement", a.placement, "Platzierungsregel für AKTION prüfen")
          ->type_name("AKTION");
  CLI::Option* cancel = app.add_flag("--cancel", a.cancel, "Streichregel prüfen");
  CLI::Option* file =
      app.add_option("--file", a.file, "dieses Skript statt der Regel des Kontos ausführen")
          ->type_name("SKRIPT");
  placement->excludes(cancel);
  app.add_flag("--json", a.json, "Ergebnis als JSON");
  if (auto code = cli.Parse(argc, argv)) return *code;
  if (placement->count() + cancel->count() + file->count() == 0) {
    return cli.UsageError("--placement, --cancel oder --file fehlt");
  }
  vks::pcre2::InstallRegexEngine();
  return cli.Run([&] { return Run(a, cli); });
}
