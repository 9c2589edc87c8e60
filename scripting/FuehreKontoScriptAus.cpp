#include "scripting/FuehreKontoScriptAus.h"

#include <exception>
#include <memory>

#include "scripting/frmVBScript.h"

namespace vks {

int16_t FuehreKontoScriptAus(ScriptUmgebung& umgebung, const std::string& ProzName,
                             const std::string& Formel, const std::string& KontoName,
                             int32_t& Ergebnis, int32_t OrderAktion, bool ShowErrorBox,
                             ScriptFehler* fehler) {
  int16_t result = kScriptSonstigerFehler;
  std::unique_ptr<frmVBScript> host;
  try {
    host = std::make_unique<frmVBScript>(umgebung);
    if (!host->IsInitialisiert && !host->InitScripting(KontoName, OrderAktion)) {
      result = kScriptInitFehler;
    } else {
      host->ShowErrorBox = ShowErrorBox;
      if (host->RunScript(ProzName, Formel, false)) {
        Ergebnis = host->GetErgebnis();
        result = kScriptErfolg;
      } else {
        result = kScriptFehler;
        if (fehler) *fehler = host->LetzterFehler();
      }
    }
  } catch (...) {
    // Whatever else went wrong leaves the result as it was.
  }
  try {
    if (host) host->TerminiereScripting();
  } catch (...) {
  }
  return result;
}

bool KontoScriptRegeln::FuehreRegelAus(const std::string& ProzName, const std::string& Formel,
                                       const std::string& KontoName, int32_t OrderAktion,
                                       int32_t& Ergebnis) {
  return vks::FuehreKontoScriptAus(umgebung_, ProzName, Formel, KontoName, Ergebnis, OrderAktion,
                                   false) == kScriptErfolg;
}

}  // namespace vks
