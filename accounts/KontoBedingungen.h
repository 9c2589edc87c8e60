#pragma once
// The account's two rules: whether an order may be placed and whether, after a fill, the entry
// orders are to be cancelled. Each hands its rule text to the rule port of the KontoUmgebung and
// reads the result; a rule that is empty, blank or cannot be evaluated never objects.
#include <cstdint>
#include <string>
#include <string_view>

namespace vks {

class clKonto;
struct KontoUmgebung;

// True when PlatziereBedingung refuses an order of direction OrderAktion. On a refusal Meldung
// becomes PlatziereMeldung with every "#Ergebnis#" (any letter case) replaced by the result, and
// the result is recorded as kind 51 at the account's AktuelleZeit with OrderAktion beside it.
// Meldung is left alone otherwise. REQUIRES: the caller keeps `konto` alive across the call (a
// script may reach the host, which may call back into the server).
bool PrüfePlatzierenNichtMöglich(clKonto& konto, int32_t OrderAktion, std::string& Meldung,
                                 const KontoUmgebung& umgebung);

// True when FillStreichBedingung produced a non-zero result. The cancellation itself is the
// script's request through its services object. Never fails towards the caller.
bool PrüfeFillStreichen(clKonto& konto, const KontoUmgebung& umgebung);

// Text with every occurrence of marker, compared without regard to letter case, replaced.
std::string ErsetzeMarke(const std::string& text, std::string_view marker,
                         std::string_view replacement);

}  // namespace vks
