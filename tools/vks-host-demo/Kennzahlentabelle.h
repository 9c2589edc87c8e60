#pragma once
// The demo's closing table: one row per account metric (and the cash), one column per account,
// numbers with two decimals in the user's locale, columns aligned by characters, not bytes.
#include <string>
#include <vector>

#include "platform/automation/AutomationLocale.h"

namespace vks::demo {

struct KontoSpalte {
  std::string name;
  std::vector<double> werte;  // one per row
};

// REQUIRES: every column has as many values as there are row names.
std::string Kennzahlentabelle(const std::vector<std::string>& zeilen,
                              const std::vector<KontoSpalte>& spalten,
                              const AutomationLocale& locale);

}  // namespace vks::demo
