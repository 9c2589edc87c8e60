#pragma once
// The commands of the account list window without its widgets: new, duplicate, edit, delete and
// show an account, the storage folder and the help. The settings dialog, the overview windows, the
// storage folder dialog and the help viewer are reached through small interfaces, so the flows run
// the same under a test as behind the Qt window.
#include <memory>
#include <optional>
#include <string>

#include "platform/automation/AutomationLocale.h"
#include "presenters/KontenListe.h"
#include "presenters/KontoEinstellungen.h"
#include "presenters/KontoUebersichtFenster.h"

namespace vks {

class Clock;
class HauptfensterPresenter;
class MessageReporter;
class FileSystem;
class SpeicherordnerDialog;
struct KontoUmgebung;
struct KontoSitzung;

// Command identifiers of the menu bar and the tool bar.
namespace befehl {
inline constexpr int kNeuesKonto = 1023;
inline constexpr int kKontoBearbeiten = 1024;
inline constexpr int kKontoLoeschen = 1025;
inline constexpr int kKontoAnzeigen = 1027;
inline constexpr int kHilfe = 1030;
inline constexpr int kSpeicherordner = 1031;
inline constexpr int kKontoDuplizieren = 1033;
}  // namespace befehl

// The list's selection and the command states, as the window shows them.
class HauptfensterAuswahl {
 public:
  virtual ~HauptfensterAuswahl() = default;
  // The key of the selected row; nothing when none is selected.
  virtual std::optional<std::string> MarkierteZeile() const = 0;
  virtual void ZeileMarkieren(const std::string& key) = 0;
  // Gives the row of `alter_key` the new key and texts in its place.
  virtual void ZeileUmbenennen(const std::string& alter_key, const KontenZeile& zeile) = 0;
  // Enables or disables the commands that need a selected account.
  virtual void BefehleFreigeben(bool freigeben) = 0;
};

// The account settings dialog as the account list opens it.
class KontoDialog {
 public:
  virtual ~KontoDialog() = default;
  // Shows the dialog modally with `felder`, titled `titel` (empty: its own caption), the reset
  // button enabled as asked. Returns the confirmed fields; nothing when the user cancelled.
  virtual std::optional<KontoEinstellungen> ZeigeModal(const KontoEinstellungen& felder,
                                                       const std::string& titel,
                                                       bool reset_aktiv) = 0;
};

// Opens a help file with the desktop's viewer. False when no viewer took it.
class HilfeAnzeige {
 public:
  virtual ~HilfeAnzeige() = default;
  virtual bool Oeffne(const std::string& datei, int kontext) = 0;
};

struct HauptfensterUmfeld {
  KontoSitzung& sitzung;
  HauptfensterPresenter& presenter;
  MessageReporter& melder;
  const KontoUmgebung& kontoumgebung;
  Clock& clock;
  FileSystem& dateien;
  KontoDialog& konto_dialog;
  KontoUebersichtFabrik& uebersichten;
  SpeicherordnerDialog& speicherordner;
  HilfeAnzeige& hilfe;
  AutomationLocale locale;
};

inline constexpr int kHauptfensterHilfeKontext = 1000;

class HauptfensterBefehle {
 public:
  HauptfensterBefehle(HauptfensterUmfeld umfeld, HauptfensterAuswahl& auswahl)
      : u_(std::move(umfeld)), auswahl_(auswahl) {}

  // Runs the command with the identifier; unknown identifiers do nothing.
  void Befehl(int id);
  void ButtonCheck();

  void NeuesKonto();
  void KontoDuplizieren();
  void KontoBearbeiten();
  void KontoLoeschen();
  // Also the double click on a row.
  void KontoAnzeigen();
  void SpeicherordnerEinstellen();
  void Hilfe();
  // An overview window closed: its entry leaves the table of open windows.
  void RemoveKontoFenster(const std::string& KontoName);

 private:
  std::shared_ptr<clKonto> MarkiertesKonto(const char* meldung);
  void LegeKontoAn(const KontoEinstellungen& vorlage, const std::string& titel, bool reset_aktiv);
  // Deletes the account's RTT files through the recorder, then its emptied folders. False after
  // the message when an RTT file could not be deleted.
  bool LoescheRttDaten(const clKonto& konto);

  HauptfensterUmfeld u_;
  HauptfensterAuswahl& auswahl_;
};

// The dialog's fields filled from an account (cash as "0.00" in the locale), and the account's
// settings taken from confirmed fields.
KontoEinstellungen FelderAusKonto(const clKonto& konto, const AutomationLocale& locale);
void UebernimmFelder(const KontoEinstellungen& felder, clKonto& konto,
                     const AutomationLocale& locale);

}  // namespace vks
