#include "adapters/qt/frmVBScriptBearbeiten.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QFontDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QToolBar>
#include <QVBoxLayout>

#include "adapters/qt/FensterLayout.h"
#include "adapters/qt/VBScriptHervorhebung.h"
#include "platform/system/MessageReporter.h"
#include "presenters/VBScriptBearbeiten.h"

namespace vks {
namespace {

// A menu entry's text as shown: "&" is a mnemonic marker in Qt, so "Wert & P/L" needs "&&".
QString MenueText(const std::string& text) {
  return QString::fromStdString(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

}  // namespace

using namespace editor_befehl;

frmVBScriptBearbeiten::frmVBScriptBearbeiten(EditorUmfeld umfeld, QWidget* parent)
    : QDialog(parent), umfeld_(std::move(umfeld)) {
  setWindowTitle(tr("Skript bearbeiten"));
  resize(780, 460);
  txtVBScript_ = new QPlainTextEdit;
  txtVBScript_->setObjectName(QStringLiteral("txtVBScript"));
  txtVBScript_->setAccessibleName(tr("Skript"));
  txtVBScript_->setLineWrapMode(QPlainTextEdit::NoWrap);
  txtVBScript_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  txtVBScript_->setContextMenuPolicy(Qt::CustomContextMenu);
  hervorhebung_ = new VBScriptHervorhebung(txtVBScript_->document());

  // Save, test, find and help also on the keys other programs use for them.
  NeueAktion(kSpeichern, tr("Speichern"), QKeySequence::Save)
      ->setToolTip(tr("Speichern und Dialog schließen"));
  NeueAktion(kBeenden, tr("Beenden"));
  NeueAktion(kTesten, tr("&Testen"), QKeySequence(Qt::Key_F5));
  NeueAktion(kAnpassen, tr("A&npassen"));
  NeueAktion(kSuchen, tr("Suchen und Ersetzen"), QKeySequence::Find);
  NeueAktion(kKontextmenue, tr("Kontextmenü"));
  NeueAktion(kRueckgaengig, tr("Eingabe &rückgängig"), QKeySequence(Qt::CTRL | Qt::Key_Z));
  NeueAktion(kWiederholen, tr("Eingabe &wiederholen"), QKeySequence(Qt::CTRL | Qt::Key_Y));
  NeueAktion(kAusschneiden, tr("&Ausschneiden"), QKeySequence(Qt::SHIFT | Qt::Key_Delete));
  NeueAktion(kKopieren, tr("Kopieren"), QKeySequence(Qt::CTRL | Qt::Key_Insert));
  NeueAktion(kEinfuegen, tr("&Einfügen"), QKeySequence(Qt::SHIFT | Qt::Key_Insert));
  NeueAktion(kLoeschen, tr("&Löschen"));
  NeueAktion(kAllesMarkieren, tr("Alles &Markieren"), QKeySequence(Qt::CTRL | Qt::Key_A));
  NeueAktion(kHilfe, tr("&Hilfe"), QKeySequence::HelpContents);

  kennzahlen_ = new QMenu(tr("Kennzahlen"), this);
  kennzahlen_->setToolTip(tr("Konto-Kennzahlen"));
  kennzahlen_->setToolTipsVisible(true);
  konten_ = new QMenu(tr("Konten"), this);
  kontext_ = new QMenu(this);
  for (int id : {kRueckgaengig, kWiederholen, kAusschneiden, kKopieren, kEinfuegen, kLoeschen,
                 kAllesMarkieren})
    kontext_->addAction(Aktion(id));

  auto* menues = new QMenuBar;
  QMenu* datei = menues->addMenu(tr("&Datei"));
  datei->addAction(Aktion(kSpeichern));
  datei->addAction(Aktion(kBeenden));
  QMenu* bearbeiten = menues->addMenu(tr("&Bearbeiten"));
  for (int id : {kRueckgaengig, kWiederholen, kAusschneiden, kKopieren, kEinfuegen, kLoeschen,
                 kAllesMarkieren, kSuchen, kKontextmenue})
    bearbeiten->addAction(Aktion(id));
  QMenu* einfuegen = menues->addMenu(tr("E&infügen"));
  einfuegen->addMenu(kennzahlen_)->setToolTip(tr("Konto-Kennzahlen"));
  einfuegen->addMenu(konten_);
  QMenu* skript = menues->addMenu(tr("&Skript"));
  skript->addAction(Aktion(kTesten));
  QMenu* schrift = skript->addMenu(tr("Schrift"));
  schrift->addAction(Aktion(kAnpassen));
  menues->addMenu(tr("&?"))->addAction(Aktion(kHilfe));

  // The tool bar names the two longest commands short, so that all of them fit.
  Aktion(kRueckgaengig)->setIconText(tr("Rückgängig"));
  Aktion(kWiederholen)->setIconText(tr("Wiederholen"));
  werkzeuge_ = new QToolBar(tr("Werkzeuge"));
  werkzeuge_->addAction(Aktion(kSpeichern));
  werkzeuge_->addSeparator();
  werkzeuge_->addAction(Aktion(kTesten));
  werkzeuge_->addAction(kennzahlen_->menuAction());
  werkzeuge_->addAction(konten_->menuAction());
  werkzeuge_->addSeparator();
  for (int id : {kAusschneiden, kKopieren, kEinfuegen, kRueckgaengig, kWiederholen})
    werkzeuge_->addAction(Aktion(id));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->setMenuBar(menues);
  layout->addWidget(werkzeuge_);
  layout->addWidget(txtVBScript_);

  connect(txtVBScript_, &QPlainTextEdit::customContextMenuRequested, this,
          [this] { Kontextmenue(); });

  if (umfeld_.settings) {
    LadeFensterLayout(this, *umfeld_.settings, kEditorLayout, umfeld_.locale);
    SchreibeVBScriptIni(*umfeld_.settings, *NewPlatformFileSystem());
    if (auto gespeichert = LeseSchrift(*umfeld_.settings, umfeld_.locale)) {
      QFont font(QString::fromStdString(gespeichert->name));
      if (gespeichert->groesse > 0) font.setPointSizeF(gespeichert->groesse);
      font.setBold(gespeichert->fett);
      font.setItalic(gespeichert->kursiv);
      txtVBScript_->setFont(font);
    }
  }
  ShowKennzahlenMenu();
}

frmVBScriptBearbeiten::~frmVBScriptBearbeiten() {
  if (umfeld_.settings)
    SpeichereFensterLayout(this, *umfeld_.settings, kEditorLayout, umfeld_.locale);
}

QAction* frmVBScriptBearbeiten::NeueAktion(int id, const QString& text, const QKeySequence& taste) {
  auto* aktion = new QAction(text, this);
  if (!taste.isEmpty()) {
    aktion->setShortcut(taste);
    aktion->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(aktion);
  }
  connect(aktion, &QAction::triggered, this, [this, id] { Befehl(id); });
  aktionen_[id] = aktion;
  return aktion;
}

QAction* frmVBScriptBearbeiten::Aktion(int id) const {
  auto it = aktionen_.find(id);
  return it == aktionen_.end() ? nullptr : it->second;
}

void frmVBScriptBearbeiten::SetzeScript(const std::string& text) {
  txtVBScript_->setPlainText(
      QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

std::string frmVBScriptBearbeiten::Script() const {
  // The editor holds lines; the account keeps them CR LF apart, as the store file has them.
  return txtVBScript_->toPlainText()
      .replace(QLatin1Char('\n'), QStringLiteral("\r\n"))
      .toStdString();
}

void frmVBScriptBearbeiten::SetzeKontoName(const std::string& name) {
  konto_name_ = name;
  ShowKontenMenu();
}

void frmVBScriptBearbeiten::ShowKennzahlenMenu(const std::string&) {
  kennzahlen_->clear();
  for (const KennzahlenGruppe& gruppe : vks::KennzahlenMenue()) {
    QMenu* unter = kennzahlen_->addMenu(MenueText(gruppe.titel));
    for (const KennzahlEintrag& eintrag : gruppe.eintraege) {
      QAction* a = unter->addAction(MenueText(eintrag.name));
      a->setData(QStringList{QStringLiteral("Kennzahl"), QString::fromStdString(eintrag.key)});
      const std::string text = KennzahlEinfuegeText(eintrag.key);
      connect(a, &QAction::triggered, this, [this, text] { Einfuegen(text); });
    }
  }
}

void frmVBScriptBearbeiten::ShowKontenMenu() {
  konten_->clear();
  if (!umfeld_.konten) return;
  for (const std::string& name : vks::KontenMenue(*umfeld_.konten)) {
    QAction* a = konten_->addAction(MenueText(name));
    a->setData(QStringList{QStringLiteral("Konto"), QString::fromStdString(name)});
    const std::string text = KontoEinfuegeText(name);
    connect(a, &QAction::triggered, this, [this, text] { Einfuegen(text); });
  }
}

void frmVBScriptBearbeiten::Einfuegen(const std::string& text) {
  txtVBScript_->textCursor().insertText(QString::fromStdString(text));
  txtVBScript_->setFocus();
}

void frmVBScriptBearbeiten::Befehl(int id) {
  switch (id) {
    case kSpeichern:
      tag_ = "OK";
      done(QDialog::Accepted);
      break;
    case kBeenden:
      done(QDialog::Rejected);
      break;
    case kTesten:
      Testen();
      break;
    case kAnpassen:
      SchriftWaehlen();
      break;
    case kSuchen:
      umfeld_.melder.ZeigeMeldung("Noch nicht implementiert!", msgbox::kOkOnly);
      break;
    case kKontextmenue:
      Kontextmenue();
      break;
    case kRueckgaengig:
      txtVBScript_->undo();
      break;
    case kWiederholen:
      txtVBScript_->redo();
      break;
    case kAusschneiden:
      txtVBScript_->cut();
      break;
    case kKopieren:
      txtVBScript_->copy();
      break;
    case kEinfuegen:
      txtVBScript_->paste();
      break;
    case kLoeschen:
      // Straight out of the document: the clipboard keeps what it held.
      txtVBScript_->textCursor().removeSelectedText();
      break;
    case kAllesMarkieren:
      txtVBScript_->selectAll();
      break;
    default:
      break;
  }
}

QMenu* frmVBScriptBearbeiten::Kontextmenue(bool zeigen) {
  EditorZustand zustand;
  QTextDocument* dokument = txtVBScript_->document();
  zustand.kann_rueckgaengig = dokument->isUndoAvailable();
  zustand.kann_wiederholen = dokument->isRedoAvailable();
  zustand.hat_auswahl = txtVBScript_->textCursor().hasSelection();
  zustand.kann_einfuegen = txtVBScript_->canPaste();
  for (QAction* a : kontext_->actions()) {
    for (const auto& [id, aktion] : aktionen_)
      if (aktion == a) a->setEnabled(KontextBefehlAktiv(id, zustand));
  }
  if (zeigen) kontext_->exec(txtVBScript_->mapToGlobal(txtVBScript_->cursorRect().bottomRight()));
  return kontext_;
}

void frmVBScriptBearbeiten::Testen() {
  if (!umfeld_.script) {
    umfeld_.melder.ZeigeMeldung("Fehler beim Testen aufgetreten: kein Skript-Host",
                                msgbox::kOkOnly);
    return;
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const TestLauf lauf = TesteScript(*umfeld_.script, Script(), konto_name_);
  QApplication::restoreOverrideCursor();
  if (lauf.erfolg || lauf.fehler_zeile <= 0) return;
  const QTextBlock zeile = txtVBScript_->document()->findBlockByNumber(lauf.fehler_zeile - 1);
  if (!zeile.isValid()) return;
  QTextCursor cursor(zeile);
  txtVBScript_->setTextCursor(cursor);
  txtVBScript_->setFocus();
}

void frmVBScriptBearbeiten::SchriftWaehlen() {
  bool ok = false;
  const QFont font =
      QFontDialog::getFont(&ok, txtVBScript_->font(), this, tr("Schriftart wählen"),
                           QFontDialog::MonospacedFonts | QFontDialog::ScalableFonts);
  if (!ok) return;
  txtVBScript_->setFont(font);
  if (umfeld_.settings) {
    SpeichereSchrift(
        *umfeld_.settings,
        Schrift{font.family().toStdString(), font.pointSizeF(), font.bold(), font.italic()},
        umfeld_.locale);
  }
}

void frmVBScriptBearbeiten::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    Befehl(kBeenden);
    return;
  }
  QDialog::keyPressEvent(event);
}

void frmVBScriptBearbeiten::closeEvent(QCloseEvent* event) {
  event->ignore();
  if (umfeld_.melder.ZeigeMeldung("Dialog schließen und Einstellungen verwerfen?",
                                  msgbox::kYesNo) == msgbox::kYes) {
    tag_.clear();
    done(QDialog::Rejected);
  }
}

}  // namespace vks
