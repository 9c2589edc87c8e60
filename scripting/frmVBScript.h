#pragma once
// The script host: one per evaluation of a rule script. It sets up an engine with the services
// object, the global data store and the prelude, runs the formula, hands out the result and
// reports a script error with the formula's offending line. It is no window: the "frm" of its
// name is kept because the host's documentation and the users' rule descriptions know the script
// host by that name.
#include <cstdint>
#include <memory>
#include <string>

#include "scripting/ScriptUmgebung.h"
#include "vbscript/Engine.h"

namespace vks {

class clScriptingServices;

// The last script error, as the user is told of it.
struct ScriptFehler {
  int32_t number = 0;
  std::string description;
  int zeile = 0;        // line of the formula from 1; 0 when the engine named none of its lines
  std::string text;     // that line, or "Unbekannte Zeile"
  std::string meldung;  // description + " in Linie:" + line break + text
};

inline constexpr const char* kUnbekannteZeile = "Unbekannte Zeile";

class frmVBScript {
 public:
  explicit frmVBScript(ScriptUmgebung& umgebung);
  ~frmVBScript();
  frmVBScript(const frmVBScript&) = delete;
  frmVBScript& operator=(const frmVBScript&) = delete;

  bool IsInitialisiert = false;
  bool ShowErrorBox = false;

  // A new engine and services object for account MyKontoName; False (and no message) when any
  // step fails, for example an OrderAktion that does not fit 16 bits or no global data store.
  bool InitScripting(const std::string& MyKontoName, int32_t OrderAktion);
  // Runs Formel at script level behind one added line ("Option Explicit" with ExplizitVar, else
  // empty). False on any error, which then goes to Script_Error. REQUIRES: IsInitialisiert.
  bool RunScript(const std::string& ProzName, const std::string& Formel, bool ExplizitVar);
  int32_t GetErgebnis() const;
  // Resets the result and lets go of the engine and the services object.
  void TerminiereScripting();
  // The engine's error event: finds the formula's line and, with ShowErrorBox, shows the message.
  void Script_Error(const vbscript::ErrorReport& fehler);

  // The error of the last RunScript; number 0 when it succeeded.
  const ScriptFehler& LetzterFehler() const { return fehler_; }

 private:
  ScriptUmgebung& umgebung_;
  std::unique_ptr<vbscript::Engine> engine_;
  std::shared_ptr<clScriptingServices> services_;
  std::string formel_;
  ScriptFehler fehler_;
};

}  // namespace vks
