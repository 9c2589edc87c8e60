#pragma once
// Price saving of one account: the values that follow every price (current stock value, open
// profit and loss, total and available capital) are only marked by the price update and written
// here, by the price-save timer or at once when the host asks for it.
#include "accounts/clKonto.h"
#include "recording/RttAufzeichnung.h"

namespace vks {

// Writes kinds 26–28 and 32–34 when NeuerAktienwertSpeichern is set, 29–31 when
// NeuerOpenPLSpeichern is set, 48 and 49 when either is, all stamped with the account's
// AktuelleZeit; then clears both flags. Returns whether either flag was set (the timer then
// refreshes the account's rows). Never fails: a record that cannot be written is lost.
bool KursDatenJetztSpeichern(clKonto& konto, RttAufzeichnung& rtt);

}  // namespace vks
