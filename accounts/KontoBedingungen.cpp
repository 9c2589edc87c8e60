#include "accounts/KontoBedingungen.h"

#include <exception>
#include <string_view>

#include "accounts/KontoRegeln.h"
#include "accounts/KontoUmgebung.h"
#include "accounts/clKonto.h"
#include "platform/automation/KeyedDictionary.h"

namespace vks {
namespace {

// Trim of the rule text removes spaces only.
constexpr std::string_view kBlanks = " ";

bool IstLeer(const std::string& bedingung) {
  return bedingung.find_first_not_of(kBlanks) == std::string::npos;
}

}  // namespace

std::string ErsetzeMarke(const std::string& text, std::string_view marker,
                         std::string_view replacement) {
  if (marker.empty()) return text;
  // Folding keeps the byte length of every letter, so positions in the folded text are positions
  // in the unfolded one.
  const std::string folded_text = FoldCase(text);
  const std::string folded_marker = FoldCase(marker);
  std::string result;
  size_t from = 0;
  for (size_t at = folded_text.find(folded_marker); at != std::string::npos;
       at = folded_text.find(folded_marker, from)) {
    result.append(text, from, at - from);
    result.append(replacement);
    from = at + folded_marker.size();
  }
  result.append(text, from, std::string::npos);
  return result;
}

bool PrüfePlatzierenNichtMöglich(clKonto& konto, int32_t OrderAktion, std::string& Meldung,
                                 const KontoUmgebung& umgebung) {
  if (!umgebung.regeln || IstLeer(konto.PlatziereBedingung)) return false;
  int32_t ergebnis = 0;
  if (!umgebung.regeln->FuehreRegelAus("PruefePlatziereProz", konto.PlatziereBedingung,
                                       konto.KontoName, OrderAktion, ergebnis)) {
    return false;
  }
  if (ergebnis == 0) return false;
  // Each step on its own: a failing message must not keep the refusal from being recorded.
  try {
    Meldung = ErsetzeMarke(konto.PlatziereMeldung, "#Ergebnis#", std::to_string(ergebnis));
  } catch (const std::exception&) {
  }
  try {
    RecordKontoWert(umgebung, konto, dPlatzierenVerhindert, konto.AktuelleZeit, ergebnis,
                    OrderAktion);
  } catch (const std::exception&) {
  }
  return true;
}

bool PrüfeFillStreichen(clKonto& konto, const KontoUmgebung& umgebung) {
  if (!umgebung.regeln || IstLeer(konto.FillStreichBedingung)) return false;
  int32_t ergebnis = 0;
  if (!umgebung.regeln->FuehreRegelAus("FillStreichenProz", konto.FillStreichBedingung,
                                       konto.KontoName, 0, ergebnis)) {
    return false;
  }
  return ergebnis != 0;
}

}  // namespace vks
