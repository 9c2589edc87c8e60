#pragma once
// The account settings dialog without its widgets: the fields it holds, the name check, the
// checks and questions of its confirmation, the script buttons' examples and the reset of an
// account's whole development. The Qt dialog copies its controls into KontoEinstellungen and back.
#include <functional>
#include <string>
#include <string_view>

#include "platform/automation/AutomationLocale.h"
#include "platform/automation/Variant.h"
#include "session/AccountStore.h"

namespace vks {

class Clock;
class FileSystem;
class HauptfensterPresenter;
class MessageReporter;
struct KontoUmgebung;

struct KontoEinstellungen {
  std::string txtName = "NeuesKonto";
  std::string txtBeschreibung;
  std::string txtKontostand;  // as typed, in the user's number format
  DateValue Datumfeld;
  bool optUseDatenZeitstempel = false;
  bool optUseGebuehren = false;
  bool optUseUmrechnung = false;
  bool optMarginUmrechnen = false;
  bool optPosUseLastPrice = false;
  std::string txtKeinePlatzierung;
  std::string txtNoOrderMeldung;
  std::string txtStreichBedingung;
  // The account's name when an existing account is edited, empty for a new account or a
  // duplicate; "OK" once confirmed, empty once cancelled.
  std::string marker;
};

// A dialog that has just loaded: the clock's date and 10000 in the locale's "0.00".
KontoEinstellungen NeueKontoEinstellungen(Clock& clock, const AutomationLocale& locale);

// False for a name holding any of ( ) [ ] { } / \ : * ? ' " < > | #, and for one that a file
// "<name>.12345?" in `ordner` already uses.
bool IstGueltigerKontoname(std::string_view name, FileSystem& dateien, const std::string& ordner);

// The confirmation: trims the name, then checks it, the cash, the date and the name's uniqueness
// in that order, asking where a question is due. True (marker "OK") when the dialog may close;
// otherwise the fields stay as the user left them (but for the trimmed name).
bool BestaetigeKontoEinstellungen(KontoEinstellungen& felder, const KontenSammlung& konten,
                                  MessageReporter& melder, Clock& clock,
                                  const AutomationLocale& locale, FileSystem& dateien,
                                  const std::string& ordner);

// The text the script editor opens with for button `index` (1 placement, 0 cancellation): the
// field's script, or a commented example when the field is empty.
std::string ScriptFuerEditor(int index, const std::string& feld);

// What the reset needs besides the dialog's fields.
struct KontoResetUmfeld {
  KontenSammlung& konten;
  MessageReporter& melder;
  const KontoUmgebung& umgebung;
  const AutomationLocale& locale;
  // Fills the account's overview window again; false when none is open.
  std::function<bool(const std::shared_ptr<clKonto>&)> uebersicht_neu_fuellen;
  HauptfensterPresenter* hauptfenster = nullptr;
};

// Clears the development of the edited account (marker = its name): counters, totals and its
// positions, orders and fills; cash and date from the dialog; on request its RTT files; then
// writes its initial values. Nothing happens for an empty marker.
void SetzeKontoEntwicklungZurueck(const KontoEinstellungen& felder, KontoResetUmfeld& umfeld);

}  // namespace vks
