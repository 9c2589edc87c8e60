#include "scripting/frmVBScript.h"

#include <exception>
#include <vector>

#include "platform/system/MessageReporter.h"
#include "scripting/clScriptingServices.h"
#include "session/KontoSitzung.h"
#include "session/clKontoGlobalData.h"

namespace vks {
namespace {

constexpr const char* kZeilenumbruch = "\r\n";

// The formula's lines from index 0, broken where the engine counts a new line (CR LF, LF or a
// lone CR), so that the engine's line number names the line it faulted on.
std::vector<std::string> FormelZeilen(const std::string& formel) {
  std::vector<std::string> zeilen(1);
  for (size_t i = 0; i < formel.size(); ++i) {
    const char c = formel[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < formel.size() && formel[i + 1] == '\n') ++i;
      zeilen.emplace_back();
    } else {
      zeilen.back().push_back(c);
    }
  }
  return zeilen;
}

}  // namespace

frmVBScript::frmVBScript(ScriptUmgebung& umgebung) : umgebung_(umgebung) {}

frmVBScript::~frmVBScript() = default;

bool frmVBScript::InitScripting(const std::string& MyKontoName, int32_t OrderAktion) {
  try {
    auto engine = std::make_unique<vbscript::Engine>();
    auto services = std::make_shared<clScriptingServices>(umgebung_.sitzung);
    if (!engine->SetLanguage("VBScript")) return false;
    engine->AddObject("Tradomir", services, true);
    if (!umgebung_.sitzung.KontoGlobalData) return false;
    engine->AddObject("KontoGlobalData", umgebung_.sitzung.KontoGlobalData, false);
    if (OrderAktion < INT16_MIN || OrderAktion > INT16_MAX) return false;
    services->KontoName = MyKontoName;
    services->OrderAktion = static_cast<int16_t>(OrderAktion);
    engine->SetTimeLimit(umgebung_.zeit_limit_ms);
    // A rule's MsgBox and InputBox reach the user the way the server's own messages do.
    engine->SetMessageReporter(umgebung_.melder);
    if (!engine->AddCode("Const NoValue = -2.123456E+38")) return false;
    engine_ = std::move(engine);
    services_ = std::move(services);
    IsInitialisiert = true;
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

bool frmVBScript::RunScript(const std::string& /*ProzName*/, const std::string& Formel,
                            bool ExplizitVar) {
  formel_ = Formel;
  fehler_ = ScriptFehler{};
  if (!engine_) return false;
  const std::string text =
      (ExplizitVar ? "Option Explicit" : "") + std::string(kZeilenumbruch) + Formel;
  if (engine_->ExecuteStatement(text)) return true;
  Script_Error(engine_->Error());
  return false;
}

int32_t frmVBScript::GetErgebnis() const {
  return services_ ? services_->GetErgebnis() : 0;
}

void frmVBScript::TerminiereScripting() {
  if (services_) services_->LöscheErgebnis();
  services_.reset();
  engine_.reset();
  IsInitialisiert = false;
}

void frmVBScript::Script_Error(const vbscript::ErrorReport& fehler) {
  fehler_.number = fehler.number;
  fehler_.description = fehler.description;
  fehler_.zeile = 0;
  fehler_.text = kUnbekannteZeile;
  // The executed text starts with the added line, so the formula's line index is L - 2.
  if (fehler.line >= 2) {
    const std::vector<std::string> zeilen = FormelZeilen(formel_);
    const size_t index = static_cast<size_t>(fehler.line - 2);
    if (index < zeilen.size()) {
      fehler_.zeile = fehler.line - 1;
      fehler_.text = zeilen[index];
    }
  }
  fehler_.meldung = fehler_.description + " in Linie:" + kZeilenumbruch + fehler_.text;
  if (ShowErrorBox && umgebung_.melder) {
    umgebung_.melder->ZeigeMeldung(fehler_.meldung, msgbox::kOkOnly);
  }
}

}  // namespace vks
