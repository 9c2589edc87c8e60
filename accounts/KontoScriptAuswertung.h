#pragma once
// The evaluation of one rule script as the account's rules need it. The script host implements it;
// the account only hands over the text and reads the result, so accounts do not depend on the
// script engine.
#include <cstdint>
#include <string>

namespace vks {

class KontoScriptAuswertung {
 public:
  virtual ~KontoScriptAuswertung() = default;
  // -1 when the script ran (Ergebnis then holds its result), another code otherwise (Ergebnis is
  // left alone). Never fails towards the caller.
  virtual int16_t FuehreKontoScriptAus(const std::string& ProzName, const std::string& Formel,
                                       const std::string& KontoName, int32_t& Ergebnis,
                                       int32_t OrderAktion, bool ShowErrorBox) = 0;
};

}  // namespace vks
