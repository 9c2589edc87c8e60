#pragma once
// The store keeps texts in Windows-1252 with a 16-bit length. These checks refuse a text that the
// store could not give back unchanged, before anything is written.
#include <cstddef>
#include <string_view>

namespace vks {

class clKonto;

// The longest text the store can hold, in Windows-1252 bytes.
inline constexpr size_t kMaxStorableTextBytes = 65535;

// True when `text` (UTF-8) converts to Windows-1252 and fits the store's length.
bool IsStorableText(std::string_view text);

// Checks every text of the account, its positions, open orders and fills (MinTickSize included
// when it holds text). Throws AutomationError 5 naming the account, the field and, for a child,
// its key, e.g. `Konto "Demo": Feld TitelName der Position "DE0001" enthält Zeichen, die
// Windows-1252 nicht darstellen kann`.
void CheckStorableTexts(const clKonto& konto);

}  // namespace vks
