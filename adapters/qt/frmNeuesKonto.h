#pragma once
// The modal account settings dialog: tab "Einstellungen" with name, description, cash, date and
// booking options, tab "Skripts" with the two rule scripts and their editor buttons, and the
// buttons Reset, Hilfe, Abbrechen and OK. The checks, the examples and the reset are
// KontoEinstellungen's; this class maps them onto controls.
#include <QDialog>
#include <functional>
#include <memory>
#include <string>

#include "presenters/KontoEinstellungen.h"

class QCheckBox;
class QDateTimeEdit;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace vks {

class frmVBScriptBearbeiten;
class SettingsStore;
struct ScriptUmgebung;

struct NeuesKontoUmfeld {
  MessageReporter& melder;
  Clock& clock;
  KontenSammlung& konten;
  AutomationLocale locale;
  FileSystem& dateien;                      // the name check looks for the account's files
  const KontoUmgebung* umgebung = nullptr;  // the reset; none: Reset does nothing
  HauptfensterPresenter* hauptfenster = nullptr;
  // Fills the account's open overview window again; false when none is open.
  std::function<bool(const std::shared_ptr<clKonto>&)> uebersicht_neu_fuellen;
  ScriptUmgebung* script = nullptr;
  SettingsStore* settings = nullptr;
  std::string hilfe_datei;
  // Shows the script editor modally; tests answer for the user instead.
  std::function<void(frmVBScriptBearbeiten&)> editor_zeigen;
};

// Automation dates and the date picker's date-times, both local wall-clock time.
QDateTime AlsDateTime(DateValue datum);
DateValue AlsDatum(const QDateTime& zeit);

class frmNeuesKonto : public QDialog {
  Q_OBJECT
 public:
  explicit frmNeuesKonto(NeuesKontoUmfeld umfeld, QWidget* parent = nullptr);

  KontoEinstellungen Felder() const;
  void SetzeFelder(const KontoEinstellungen& felder);
  // The dialog marker: the edited account's name, "OK" after confirming, empty after cancelling.
  const std::string& Marker() const { return marker_; }
  void SetzeMarker(const std::string& marker) { marker_ = marker; }

  void Okay();
  void Abbruch();
  void Hilfe();
  void ScriptBearbeiten(int index);
  void Reset();

  QTabWidget* Tabs() const { return tabs_; }
  QPushButton* Knopf(const char* name) const;

 protected:
  bool eventFilter(QObject* objekt, QEvent* event) override;

 private:
  QWidget* BaueEinstellungen();
  QWidget* BaueSkripts();

  NeuesKontoUmfeld umfeld_;
  std::string marker_;
  QTabWidget* tabs_;
  QLineEdit* txtName_;
  QLineEdit* txtBeschreibung_;
  QLineEdit* txtKontostand_;
  QDateTimeEdit* Datumfeld_;
  QCheckBox* optUseDatenZeitstempel_;
  QCheckBox* optUseGebuehren_;
  QCheckBox* optUseUmrechnung_;
  QCheckBox* optMarginUmrechnen_;
  QCheckBox* optPosUseLastPrice_;
  QPlainTextEdit* txtKeinePlatzierung_;
  QLineEdit* txtNoOrderMeldung_;
  QPlainTextEdit* txtStreichBedingung_;
  QPushButton* btnScriptBearbeiten_[2];
};

}  // namespace vks
