#pragma once
// The editor for an account's rule script: colouring, the editing commands in menu bar, tool bar
// and context menu, pop-ups that insert metric reads and account names, the font choice and a
// test run. "Speichern" hands the text back (result marker "OK"); every other way out discards it.
#include <QDialog>
#include <map>
#include <string>

#include "platform/automation/AutomationLocale.h"
#include "session/AccountStore.h"

class QAction;
class QMenu;
class QPlainTextEdit;
class QToolBar;

namespace vks {

class MessageReporter;
class SettingsStore;
class VBScriptHervorhebung;
struct ScriptUmgebung;

struct EditorUmfeld {
  MessageReporter& melder;
  ScriptUmgebung* script = nullptr;  // the test run; none: it reports that it cannot run
  const KontenSammlung* konten = nullptr;
  SettingsStore* settings = nullptr;  // font, layout, colouring file; none: not kept
  AutomationLocale locale;
};

class frmVBScriptBearbeiten : public QDialog {
  Q_OBJECT
 public:
  explicit frmVBScriptBearbeiten(EditorUmfeld umfeld, QWidget* parent = nullptr);
  ~frmVBScriptBearbeiten() override;

  void SetzeScript(const std::string& text);
  std::string Script() const;
  // The account test runs are evaluated for; also fills the pop-ups.
  void SetzeKontoName(const std::string& name);
  const std::string& Ergebnis() const { return tag_; }

  void ShowKennzahlenMenu(const std::string& ErgKey = {});
  void ShowKontenMenu();
  // Runs one command by its id, as menu, tool bar and context menu do.
  void Befehl(int id);
  // The context menu with its commands enabled for the editor's state; shown unless `zeigen` is
  // false (the tests look at it without blocking).
  QMenu* Kontextmenue(bool zeigen = true);

  QPlainTextEdit* Editor() const { return txtVBScript_; }
  QMenu* KennzahlenMenue() const { return kennzahlen_; }
  QMenu* KontenMenue() const { return konten_; }
  QAction* Aktion(int id) const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QAction* NeueAktion(int id, const QString& text, const QKeySequence& taste = {});
  void Testen();
  void SchriftWaehlen();
  void Einfuegen(const std::string& text);

  EditorUmfeld umfeld_;
  std::string konto_name_;
  std::string tag_;
  QPlainTextEdit* txtVBScript_;
  VBScriptHervorhebung* hervorhebung_;
  QToolBar* werkzeuge_;
  QMenu* kennzahlen_;
  QMenu* konten_;
  QMenu* kontext_;
  std::map<int, QAction*> aktionen_;
};

}  // namespace vks
