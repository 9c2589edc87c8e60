#pragma once
// Evaluates one rule script for one account with a fresh script host, and the rules of the
// account on top of it.
#include <cstdint>
#include <string>

#include "accounts/KontoRegeln.h"
#include "scripting/ScriptUmgebung.h"

namespace vks {

struct ScriptFehler;

// Result codes of an evaluation; callers treat only kScriptErfolg as success.
inline constexpr int16_t kScriptErfolg = -1;
inline constexpr int16_t kScriptInitFehler = -300;
inline constexpr int16_t kScriptFehler = -301;
inline constexpr int16_t kScriptSonstigerFehler = 0;

// Runs Formel for account KontoName (OrderAktion visible to the script). On success Ergebnis
// receives the script's result; otherwise it is untouched. With ShowErrorBox a script error is
// shown through the umgebung's reporter. `fehler`, when given, receives the script error.
// ProzName only labels the evaluation. Never fails towards the caller.
int16_t FuehreKontoScriptAus(ScriptUmgebung& umgebung, const std::string& ProzName,
                             const std::string& Formel, const std::string& KontoName,
                             int32_t& Ergebnis, int32_t OrderAktion, bool ShowErrorBox,
                             ScriptFehler* fehler = nullptr);

// The account rules run by the script host, with the error box off; the bookings and the host's
// operations reach it through KontoRegeln.
class KontoScriptRegeln : public KontoRegeln {
 public:
  explicit KontoScriptRegeln(ScriptUmgebung& umgebung) : umgebung_(umgebung) {}

  bool FuehreRegelAus(const std::string& ProzName, const std::string& Formel,
                      const std::string& KontoName, int32_t OrderAktion,
                      int32_t& Ergebnis) override;

 private:
  ScriptUmgebung& umgebung_;
};

}  // namespace vks
