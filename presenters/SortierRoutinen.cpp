#include "presenters/SortierRoutinen.h"

#include <algorithm>
#include <numeric>

#include "platform/automation/DateText.h"
#include "platform/automation/KeyedDictionary.h"
#include "presenters/LokaleZahl.h"

namespace vks {

namespace {

constexpr size_t kZellenZeichen = 31;

// The first `count` characters of UTF-8 text, never splitting one.
std::string_view ErsteZeichen(std::string_view text, size_t count) {
  size_t i = 0;
  for (size_t chars = 0; i < text.size() && chars < count; ++chars) {
    ++i;
    while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) ++i;
  }
  return text.substr(0, i);
}

std::string_view OhneRandBlanks(std::string_view text) {
  size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::optional<SortierAuftrag> SortierRoutinen::SpaltenKlick(ListenSortierung& liste,
                                                            std::string_view tag, int16_t spalte) {
  double art = LeseLokaleZahl(tag, AutomationLocale::Invariant()).value_or(0);
  if (art == 0) return SortiereText(liste, spalte);
  if (art == 1) return SortiereZahl(liste, spalte);
  if (art == 2) return SortiereDatum(liste, spalte);
  return std::nullopt;
}

SortierAuftrag SortierRoutinen::SortiereText(ListenSortierung& liste, int16_t spalte) {
  if (spalte == liste.SortKey) {
    if (liste.Sorted) {
      liste.SortOrder = liste.SortOrder == 0 ? 1 : 0;
    } else {
      liste.SortOrder = 0;
      liste.Sorted = true;
    }
  } else {
    liste.SortKey = spalte;
    liste.SortOrder = 0;
    liste.Sorted = true;
  }
  return {SortArt::Text, spalte, liste.SortOrder == 1};
}

SortierAuftrag SortierRoutinen::SortiereZahl(ListenSortierung& liste, int16_t spalte) {
  return SortiereWert(liste, spalte, SortArt::Zahl);
}

SortierAuftrag SortierRoutinen::SortiereDatum(ListenSortierung& liste, int16_t spalte) {
  return SortiereWert(liste, spalte, SortArt::Datum);
}

SortierAuftrag SortierRoutinen::SortiereWert(ListenSortierung& liste, int16_t spalte, SortArt art) {
  if (spalte == liste.SortKey) {
    if (!liste.Tag.empty()) {
      liste.SortOrder = liste.SortOrder == 0 ? 1 : 0;
    } else {
      liste.Tag = "S";
      liste.SortOrder = 0;
    }
  } else {
    liste.Tag = "S";
    liste.SortOrder = 0;
    liste.SortKey = spalte;
  }
  return {art, spalte, liste.SortOrder == 1};
}

double ZellenWertZahl(std::string_view text, const AutomationLocale& locale) {
  std::string_view wert = OhneRandBlanks(ErsteZeichen(text, kZellenZeichen));
  wert = wert.substr(0, wert.find(' '));
  wert = wert.substr(0, wert.find('%'));
  return LeseLokaleZahl(wert, locale).value_or(0);
}

double ZellenWertDatum(std::string_view text, const AutomationLocale& locale) {
  std::string_view wert = OhneRandBlanks(ErsteZeichen(text, kZellenZeichen));
  if (wert.empty()) return 0;
  std::optional<DateValue> datum = ParseDateText(wert, locale);
  return datum ? datum->days : 0;
}

std::vector<size_t> SortierteReihenfolge(const std::vector<std::string>& zellen, SortArt art,
                                         bool absteigend, const AutomationLocale& locale) {
  std::vector<size_t> reihenfolge(zellen.size());
  std::iota(reihenfolge.begin(), reihenfolge.end(), size_t{0});
  auto ordne = [&](const auto& werte) {
    std::stable_sort(reihenfolge.begin(), reihenfolge.end(), [&](size_t a, size_t b) {
      return absteigend ? werte[b] < werte[a] : werte[a] < werte[b];
    });
  };
  if (art == SortArt::Text) {
    std::vector<std::string> texte;
    texte.reserve(zellen.size());
    for (const std::string& zelle : zellen) texte.push_back(FoldCase(zelle));
    ordne(texte);
  } else {
    std::vector<double> werte;
    werte.reserve(zellen.size());
    for (const std::string& zelle : zellen) {
      werte.push_back(art == SortArt::Datum ? ZellenWertDatum(zelle, locale)
                                            : ZellenWertZahl(zelle, locale));
    }
    ordne(werte);
  }
  return reihenfolge;
}

}  // namespace vks
