#pragma once
// The modal dialog in which the user chooses the RTT storage folder, at the very first start and
// from the account list. Its checks are BestaetigeSpeicherordner's; the dialog holds the controls
// and the folder browser.
#include <QDialog>
#include <functional>

#include "presenters/RTTSpeicherordner.h"
#include "session/Startup.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace vks {

class frmRTTSpeicherordner : public QDialog, public SpeicherordnerDialog {
  Q_OBJECT
 public:
  // REQUIRES: umfeld's references outlive the dialog.
  explicit frmRTTSpeicherordner(SpeicherordnerUmfeld umfeld, QWidget* parent = nullptr);

  // Puts the folder into the field and the current-folder label, shows the dialog modally and
  // returns the field's text once it is hidden.
  std::string ZeigeModal(const std::string& Vorschlag) override;
  // Fills field and label without showing the dialog.
  void SetzeOrdner(const std::string& ordner);

  // The browser's choice; empty when cancelled. Tests replace the browser.
  std::function<QString(QWidget*)> waehle_ordner;
  std::string WaehleOrdner();
  void OrdnerwahlGeklickt();
  void Okay();
  // "OK" after a successful confirmation, empty otherwise.
  const std::string& Ergebnis() const { return ergebnis_; }

  QLineEdit* txtOrdner() const { return txtOrdner_; }
  QLabel* AktPfadLabel() const { return AktPfadLabel_; }

 private:
  SpeicherordnerUmfeld umfeld_;
  QLineEdit* txtOrdner_;
  QLabel* AktPfadLabel_;
  std::string ergebnis_;
};

}  // namespace vks
