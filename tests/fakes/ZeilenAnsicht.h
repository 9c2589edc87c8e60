#pragma once
// The account list as the presenter fills it, rows by key, for tests that look at the texts.
#include <map>
#include <string>

#include "server/KontenListe.h"

namespace vks::testing {

class ZeilenAnsicht : public KontenListeAnsicht {
 public:
  void ListeLeeren() override { zeilen.clear(); }
  void ZeileSetzen(const KontenZeile& zeile) override { zeilen[zeile.key] = zeile; }
  void ZeileEntfernen(const std::string& key) override { zeilen.erase(key); }
  void KurswerteSetzen(const std::string& key, const std::string& datum,
                       const std::string& gesamtwert) override {
    auto it = zeilen.find(key);
    if (it == zeilen.end()) return;
    it->second.datum = datum;
    it->second.gesamtwert = gesamtwert;
  }
  std::map<std::string, KontenZeile> zeilen;
};

}  // namespace vks::testing
