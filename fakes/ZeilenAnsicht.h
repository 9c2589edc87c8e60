#pragma once
// The account list as the presenter fills it, rows by key, for tests that look at the texts.
#include <map>
#include <string>

#include "platform/automation/KeyedDictionary.h"
#include "presenters/KontenListe.h"

namespace vks::testing {

class ZeilenAnsicht : public KontenListeAnsicht {
 public:
  explicit ZeilenAnsicht(AutomationLocale locale = AutomationLocale::Invariant())
      : locale_(std::move(locale)) {}
  void ListeLeeren() override { zeilen.clear(); }
  void ZeileSetzen(const KontenZeile& zeile) override { zeilen[zeile.key] = zeile; }
  void ZeileEntfernen(const std::string& key) override { zeilen.erase(key); }
  void AlleKurswerteSetzen(const std::vector<Kurswerte>& werte) override {
    for (const Kurswerte& w : werte) {
      auto it = zeilen.find(FoldCase(w.name));
      if (it == zeilen.end()) continue;
      it->second.datum = DatumText(w.zeit, locale_);
      it->second.gesamtwert = GesamtwertText(w.gesamtkapital, locale_);
    }
  }
  void SpeicherstatusZeigen(const std::string& text) override { speicherstatus = text; }
  std::map<std::string, KontenZeile> zeilen;
  std::string speicherstatus;

 private:
  AutomationLocale locale_;
};

}  // namespace vks::testing
