#pragma once
// What the benchmarks build their accounts from.
#include <cstdio>
#include <memory>
#include <string>

#include "accounts/clKonto.h"

namespace vks::bench {

// `format` with the numbers `n`, as snprintf writes them.
template <class... Zahlen>
std::string Nummer(const char* format, Zahlen... n) {
  char text[64];
  std::snprintf(text, sizeof text, format, n...);
  return text;
}

// The WKN of a big account's i-th position.
inline std::string KursWkn(int i) {
  return "DE000" + std::to_string(100000 + i);
}

// `anzahl` positions for prices to revalue: long and short, with and without a point value.
inline void FuelleKurspositionen(clKonto& konto, int anzahl) {
  for (int i = 0; i < anzahl; ++i) {
    auto p = std::make_shared<clTitelPosition>();
    p->TitelWKN = KursWkn(i);
    p->Position = (i % 4 < 2 ? 1 : -1) * (10 + i % 7);
    p->Durchschnittspreis = 100.0f + static_cast<float>(i % 50);
    p->PointValue = i % 2 == 0 ? 0 : 25;
    konto.cTitelPositionen.Add(p->TitelWKN, p);
  }
}

}  // namespace vks::bench
