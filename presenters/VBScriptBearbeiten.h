#pragma once
// The script editor without its widgets: what its two pop-ups list and insert, which context-menu
// commands are enabled, the font setting, the colouring configuration file it writes on loading,
// and the test run with its messages. The Qt editor only shows and forwards.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/AutomationLocale.h"
#include "platform/files/FileSystem.h"
#include "session/AccountStore.h"

namespace vks {

class MessageReporter;
class SettingsStore;
struct ScriptUmgebung;

inline constexpr const char* kEditorLayout = "Konto-VBScriptBearbeiten";

// Command ids shared by menu bar, tool bar and context menu.
namespace editor_befehl {
inline constexpr int kSpeichern = 1078;
inline constexpr int kBeenden = 1079;
inline constexpr int kTesten = 1046;
inline constexpr int kAnpassen = 1044;
inline constexpr int kSuchen = 1082;
inline constexpr int kKontextmenue = 1080;
inline constexpr int kKennzahlen = 1089;
inline constexpr int kKonten = 1090;
inline constexpr int kRueckgaengig = 1072;
inline constexpr int kWiederholen = 1065;
inline constexpr int kAusschneiden = 1073;
inline constexpr int kKopieren = 1067;
inline constexpr int kEinfuegen = 1074;
inline constexpr int kLoeschen = 1071;
inline constexpr int kAllesMarkieren = 1070;
inline constexpr int kHilfe = 1063;
}  // namespace editor_befehl

struct KennzahlEintrag {
  std::string name;  // display name
  std::string key;   // display name without blanks
};
struct KennzahlenGruppe {
  std::string titel;
  std::vector<KennzahlEintrag> eintraege;
};

// "Orders", "Positionen", "Wert & P/L", "Margin", "Kapital", each with its metrics in number order.
std::vector<KennzahlenGruppe> KennzahlenMenue();
// The account names in the collection's order.
std::vector<std::string> KontenMenue(const KontenSammlung& konten);

// Kennzahl("key") and "name": what choosing an entry puts at the caret.
std::string KennzahlEinfuegeText(std::string_view key);
std::string KontoEinfuegeText(std::string_view name);

struct EditorZustand {
  bool kann_rueckgaengig = false;
  bool kann_wiederholen = false;
  bool hat_auswahl = false;
  bool kann_einfuegen = false;
};
// Whether the context menu's command `befehl` is enabled; commands it does not hold are.
bool KontextBefehlAktiv(int befehl, const EditorZustand& zustand);

struct Schrift {
  std::string name;
  double groesse = 10;
  bool fett = false;
  bool kursiv = false;
  friend bool operator==(const Schrift&, const Schrift&) = default;
};
// The setting "Schrift" read: name;size;bold;italic. Nothing for a setting with fewer than four
// parts or a size that is no number.
std::optional<Schrift> LeseSchrift(SettingsStore& settings, const AutomationLocale& locale);
void SpeichereSchrift(SettingsStore& settings, const Schrift& schrift,
                      const AutomationLocale& locale);

// Writes <program folder>VBScript.ini afresh, naming the colouring scheme; the program folder is
// the host's setting "PfadV7". Returns its path, "" when there is no such folder or the file could
// not be written (no error).
std::string SchreibeVBScriptIni(SettingsStore& settings, FileSystem& dateien);

struct TestLauf {
  bool erfolg = false;
  int32_t ergebnis = 0;
  int fehler_zeile = 0;  // line of the script error from 1; 0 when none was named
};
// Evaluates `text` for the account as the rules would, with order action 0, and tells the user
// the result or that it failed (after the script error's own message).
TestLauf TesteScript(ScriptUmgebung& umgebung, const std::string& text,
                     const std::string& KontoName);

}  // namespace vks
