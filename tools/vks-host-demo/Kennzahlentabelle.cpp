#include "tools/vks-host-demo/Kennzahlentabelle.h"

#include <algorithm>

#include "platform/automation/NumberFormat.h"

namespace vks::demo {

namespace {

// Characters of a UTF-8 text: every byte but the continuation bytes.
size_t Zeichen(const std::string& text) {
  return static_cast<size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

std::string Links(const std::string& text, size_t breite) {
  return text + std::string(breite - std::min(breite, Zeichen(text)), ' ');
}

std::string Rechts(const std::string& text, size_t breite) {
  return std::string(breite - std::min(breite, Zeichen(text)), ' ') + text;
}

}  // namespace

std::string Kennzahlentabelle(const std::vector<std::string>& zeilen,
                              const std::vector<KontoSpalte>& spalten,
                              const AutomationLocale& locale) {
  size_t erste = 0;
  for (const std::string& z : zeilen) erste = std::max(erste, Zeichen(z));
  std::vector<std::vector<std::string>> texte;
  std::vector<size_t> breiten;
  for (const KontoSpalte& s : spalten) {
    size_t breite = Zeichen(s.name);
    auto& t = texte.emplace_back();
    for (double w : s.werte) {
      t.push_back(FormatFixedNumber(w, 2, locale));
      breite = std::max(breite, Zeichen(t.back()));
    }
    breiten.push_back(breite);
  }
  std::string out = Links("", erste);
  for (size_t s = 0; s < spalten.size(); ++s) out += "  " + Rechts(spalten[s].name, breiten[s]);
  out += "\n";
  for (size_t z = 0; z < zeilen.size(); ++z) {
    out += Links(zeilen[z], erste);
    for (size_t s = 0; s < spalten.size(); ++s) out += "  " + Rechts(texte[s][z], breiten[s]);
    out += "\n";
  }
  return out;
}

}  // namespace vks::demo
