#include "platform/automation/AutomationError.h"

#include <algorithm>
#include <array>
#include <utility>

namespace vks {
namespace {

struct ErrorText {
  int32_t number;
  std::string_view description;
};

// Sorted by number for binary search.
constexpr std::array kErrorTable = std::to_array<ErrorText>({
    {3, "Return ohne GoSub"},
    {5, "Unzulässiger Prozeduraufruf oder ungültiges Argument"},
    {6, "Überlauf"},
    {7, "Nicht genügend Speicher"},
    {9, "Index außerhalb des gültigen Bereichs"},
    {10, "Datenfeld ist unveränderlich oder momentan gesperrt"},
    {11, "Division durch Null"},
    {13, "Typen unverträglich"},
    {14, "Nicht genügend Zeichenfolgenspeicher"},
    {17, "Angeforderte Operation kann nicht ausgeführt werden"},
    {18, "Benutzerunterbrechung aufgetreten"},
    {28, "Nicht genügend Stapelspeicher"},
    {35, "Sub oder Function nicht definiert"},
    {48, "Fehler beim Laden einer DLL"},
    {51, "Interner Fehler"},
    {52, "Dateiname oder -nummer falsch"},
    {53, "Datei nicht gefunden"},
    {54, "Dateimodus falsch"},
    {55, "Datei bereits geöffnet"},
    {57, "Geräte-E/A-Fehler"},
    {58, "Datei existiert bereits"},
    {61, "Datenträger voll"},
    {62, "Einlesen hinter Dateiende"},
    {67, "Zu viele Dateien"},
    {68, "Gerät nicht verfügbar"},
    {70, "Zugriff verweigert"},
    {71, "Datenträger nicht bereit"},
    {74, "Umbenennen bei Angabe unterschiedlicher Laufwerke nicht möglich"},
    {75, "Fehler beim Zugriff auf Pfad/Datei"},
    {76, "Pfad nicht gefunden"},
    {91, "Objektvariable nicht festgelegt"},
    {92, "For-Schleife nicht initialisiert"},
    {94, "Unzulässige Verwendung von Null"},
    {321, "Ungültiges Dateiformat"},
    {322, "Erforderliche temporäre Datei kann nicht angelegt werden"},
    {424, "Objekt erforderlich"},
    {429, "Objekterstellung durch ActiveX-Komponente nicht möglich"},
    {430, "Klasse unterstützt keine Automatisierung"},
    {432, "Datei- oder Klassenname während Automatisierungsoperation nicht gefunden"},
    {438, "Objekt unterstützt diese Eigenschaft oder Methode nicht"},
    {440, "Automatisierungsfehler"},
    {445, "Objekt unterstützt diese Aktion nicht"},
    {446, "Objekt unterstützt keine benannten Argumente"},
    {447, "Objekt unterstützt die aktuelle Gebietsschemaeinstellung nicht"},
    {448, "Benanntes Argument nicht gefunden"},
    {449, "Argument ist nicht optional"},
    {450, "Falsche Anzahl an Argumenten oder ungültige Zuweisung zu einer Eigenschaft"},
    {451, "Objekt ist keine Auflistung"},
    {453, "Angegebene DLL-Funktion nicht gefunden"},
    {455, "Code-Ressourcensperrfehler"},
    {457, "Dieser Schlüssel ist bereits einem Element dieser Auflistung zugeordnet"},
    {458, "Variable verwendet einen in VBScript nicht unterstützten Automatisierungstyp"},
    {462, "Der Remote-Servercomputer existiert nicht oder ist nicht verfügbar"},
    {481, "Ungültiges Bild"},
    {500, "Variable ist nicht definiert"},
    {501, "Zuweisung nicht zulässig"},
    {502, "Objekt nicht sicher für Skripterstellung"},
    {503, "Objekt nicht sicher für Initialisierung"},
    {504, "Objekt nicht sicher für Erstellung"},
    {505, "Ungültiger oder unqualifizierter Verweis"},
    {506, "Klasse nicht definiert"},
    {507, "Eine Ausnahme ist aufgetreten"},
    {1001, "Nicht genügend Speicher"},
    {1002, "Syntaxfehler"},
    {1003, "':' erwartet"},
    {1005, "'(' erwartet"},
    {1006, "')' erwartet"},
    {1007, "']' erwartet"},
    {1010, "Bezeichner erwartet"},
    {1011, "'=' erwartet"},
    {1012, "'If' erwartet"},
    {1013, "'To' erwartet"},
    {1014, "'End' erwartet"},
    {1015, "'Function' erwartet"},
    {1016, "'Sub' erwartet"},
    {1017, "'Then' erwartet"},
    {1018, "'Wend' erwartet"},
    {1019, "'Loop' erwartet"},
    {1020, "'Next' erwartet"},
    {1021, "'Case' erwartet"},
    {1022, "'Select' erwartet"},
    {1023, "Ausdruck erwartet"},
    {1024, "Anweisung erwartet"},
    {1025, "Anweisungsende erwartet"},
    {1026, "Ganzzahlige Konstante erwartet"},
    {1027, "'While' oder 'Until' erwartet"},
    {1028, "'While', 'Until' oder Anweisungsende erwartet"},
    {1029, "'With' erwartet"},
    {1030, "Bezeichner zu lang"},
    {1031, "Ungültige Zahl"},
    {1032, "Ungültiges Zeichen"},
    {1033, "Nicht abgeschlossene Zeichenfolgenkonstante"},
    {1034, "Nicht abgeschlossener Kommentar"},
    {1037, "Ungültige Verwendung des Schlüsselwortes 'Me'"},
    {1038, "'loop' ohne 'do'"},
    {1039, "Ungültige 'exit'-Anweisung"},
    {1040, "Ungültige Schleifensteuervariable 'for'"},
    {1041, "Name wurde neu definiert"},
    {1042, "Muss erste Anweisung in der Zeile sein"},
    {1043, "Zuweisung an Nicht-ByVal-Argument nicht möglich"},
    {1044, "Beim Aufrufen einer Sub können keine Klammern verwendet werden"},
    {1045, "Literalkonstante erwartet"},
    {1046, "'In' erwartet"},
    {1047, "'Class' erwartet"},
    {1048, "Muss innerhalb einer Klasse definiert sein"},
    {1049, "Let, Set oder Get in Eigenschaftsdeklaration erwartet"},
    {1050, "'Property' erwartet"},
    {1051, "Die Anzahl der Argumente muss in allen Eigenschaftsspezifikationen übereinstimmen"},
    {1052, "Mehrere Standardeigenschaften/-methoden in einer Klasse sind nicht zulässig"},
    {1053, "Class_Initialize oder Class_Terminate haben keine Argumente"},
    {1054, "'Property Let' oder 'Property Set' muss mindestens ein Argument haben"},
    {1055, "Unerwartetes 'Next'"},
    {1056, "'Default' kann nur für 'Property Get', 'Function' oder 'Sub' angegeben werden"},
    {1057, "'Default'-Angabe muss auch 'Public' angeben"},
    {1058, "'Default'-Angabe kann nur für 'Property Get' angegeben werden"},
    {5008, "Unzulässige Zuweisung"},
    {5017, "Syntaxfehler in regulärem Ausdruck"},
    {5018, "Unerwarteter Quantifizierer"},
    {5019, "']' in regulärem Ausdruck erwartet"},
    {5020, "')' in regulärem Ausdruck erwartet"},
    {5021, "Ungültiger Bereich im Zeichensatz"},
    {32811, "Element nicht gefunden"},
});

static_assert(std::is_sorted(kErrorTable.begin(), kErrorTable.end(),
                             [](const ErrorText& a, const ErrorText& b) {
                               return a.number < b.number;
                             }));

}  // namespace

std::string_view ErrorDescription(int32_t number) {
  auto it = std::lower_bound(kErrorTable.begin(), kErrorTable.end(), number,
                             [](const ErrorText& e, int32_t n) { return e.number < n; });
  if (it != kErrorTable.end() && it->number == number) return it->description;
  return "Anwendungs- oder objektdefinierter Fehler";
}

AutomationError::AutomationError(int32_t number, std::string source)
    : number_(number), source_(std::move(source)), description_(ErrorDescription(number)) {}

AutomationError::AutomationError(int32_t number, std::string source, std::string description)
    : number_(number), source_(std::move(source)), description_(std::move(description)) {}

}  // namespace vks
