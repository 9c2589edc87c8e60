#include "adapters/qt/frmHauptfenster.h"

#include <QAction>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <algorithm>

#include "adapters/qt/FensterLayout.h"
#include "adapters/qt/KontenListeModell.h"
#include "presenters/HauptfensterPresenter.h"

namespace vks {

namespace {

struct BefehlText {
  int id;
  const char* menue;
  const char* werkzeug;
  const char* tooltip;
};

constexpr BefehlText kBefehle[] = {
    {befehl::kNeuesKonto, QT_TRANSLATE_NOOP("vks::frmHauptfenster", "Neues Konto"),
     QT_TRANSLATE_NOOP("vks::frmHauptfenster", "Neues Konto"), nullptr},
    {befehl::kKontoDuplizieren, QT_TRANSLATE_NOOP("vks::frmHauptfenster", "Konto duplizieren"),
     QT_TRANSLATE_NOOP("vks::frmHauptfenster", "Konto duplizieren"), nullptr},
    {befehl::kKontoBearbeiten, QT_TRANSLATE_NOOP("vks::frmHauptfenster", "Konto bearbeiten"),
     QT_TRANSLATE_NOOP("vks::frmHauptfenster", "Konto bearbeiten"),
     QT_TRANSLATE_NOOP("vks::frmHauptfenster", "Konto einstellen")},
    {befehl::kKontoLoeschen, QT_TRANSLATE_NOOP("vks::frmHauptfenster", "Konto löschen"),
     QT_TRANSLATE_NOOP("vks::frmHauptfenster", "Konto löschen"), nullptr},
    {befehl::kKontoAnzeigen, QT_TRANSLATE_NOOP("vks::frmHauptfenster", "Konto anzeigen"),
     QT_TRANSLATE_NOOP("vks::frmHauptfenster", "Konto Übersicht"), nullptr},
    {befehl::kSpeicherordner,
     QT_TRANSLATE_NOOP("vks::frmHauptfenster", "Speicherordner einstellen"),
     QT_TRANSLATE_NOOP("vks::frmHauptfenster", "Speicherordner einstellen"), nullptr},
    {befehl::kHilfe, QT_TRANSLATE_NOOP("vks::frmHauptfenster", "Hilfe"),
     QT_TRANSLATE_NOOP("vks::frmHauptfenster", "Hilfe"), nullptr},
};

// The keys people know from other programs; Enter opens what a double click opens.
QList<QKeySequence> Tasten(int id) {
  switch (id) {
    case befehl::kNeuesKonto:
      return QKeySequence::keyBindings(QKeySequence::New);
    case befehl::kKontoLoeschen:
      return QKeySequence::keyBindings(QKeySequence::Delete);
    case befehl::kKontoAnzeigen:
      return {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)};
    case befehl::kHilfe:
      return QKeySequence::keyBindings(QKeySequence::HelpContents);
    default:
      return {};
  }
}

bool BrauchtAuswahl(int id) {
  return id == befehl::kKontoBearbeiten || id == befehl::kKontoLoeschen ||
         id == befehl::kKontoAnzeigen || id == befehl::kKontoDuplizieren;
}

}  // namespace

frmHauptfenster::frmHauptfenster(HauptfensterUmfeld umfeld, SettingsStore* settings,
                                 QWidget* parent)
    : QMainWindow(parent),
      umfeld_(umfeld),
      settings_(settings),
      befehle_(std::move(umfeld), *this),
      modell_(new KontenListeModell(umfeld_.locale, this)),
      liste_(new QTableView(this)) {
  setWindowTitle(tr("Tradomir Virtuelle Konten"));
  setObjectName("frmHauptfenster");
  liste_->setObjectName("LKontoliste");
  liste_->setAccessibleName(tr("Konten"));
  liste_->setModel(modell_);
  liste_->setSelectionBehavior(QAbstractItemView::SelectRows);
  liste_->setSelectionMode(QAbstractItemView::SingleSelection);
  liste_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  liste_->setShowGrid(false);
  liste_->setWordWrap(false);
  // A table of one-line rows of a fixed height finds where a range of rows lies on the screen from
  // its first and last row (a tree view asks every row), so a tick's one announcement for all
  // rows costs the list next to nothing.
  liste_->verticalHeader()->hide();
  liste_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  liste_->verticalHeader()->setDefaultSectionSize(liste_->fontMetrics().height() + 4);
  QHeaderView* kopf = liste_->horizontalHeader();
  kopf->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  kopf->setSectionsClickable(false);
  kopf->setHighlightSections(false);
  kopf->setStretchLastSection(true);
  kopf->resizeSection(0, 160);
  kopf->resizeSection(1, 150);
  setCentralWidget(liste_);
  BaueBefehle();
  // Wide enough for the whole tool bar in the language shown.
  resize(std::max(720, werkzeugleiste_->sizeHint().width() + 16), 360);

  connect(liste_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { befehle_.ButtonCheck(); });
  // A double click anywhere in the list, on a row or not, shows the selected account.
  liste_->viewport()->installEventFilter(this);

  if (settings_) LadeFensterLayout(this, *settings_, kHauptfensterLayout, umfeld_.locale);
  umfeld_.presenter.SetzeAnsicht(this);
  befehle_.ButtonCheck();
}

frmHauptfenster::~frmHauptfenster() {
  umfeld_.presenter.SetzeAnsicht(nullptr);
}

void frmHauptfenster::BaueBefehle() {
  QMenu* menue = menuBar()->addMenu(tr("&Konten"));
  werkzeugleiste_ = addToolBar(tr("Werkzeuge"));
  werkzeugleiste_->setObjectName("Werkzeuge");
  werkzeugleiste_->setToolButtonStyle(Qt::ToolButtonTextOnly);
  for (const BefehlText& text : kBefehle) {
    const int id = text.id;
    QAction* im_menue = menue->addAction(tr(text.menue));
    // The menu's entry owns the keys: a key on both would be ambiguous and do nothing.
    im_menue->setShortcuts(Tasten(id));
    QAction* in_leiste = werkzeugleiste_->addAction(tr(text.werkzeug));
    if (text.tooltip) in_leiste->setToolTip(tr(text.tooltip));
    for (QAction* action : {im_menue, in_leiste}) {
      action->setData(id);
      connect(action, &QAction::triggered, this, [this, id] { befehle_.Befehl(id); });
    }
    menue_[id] = im_menue;
    werkzeuge_[id] = in_leiste;
  }
}

void frmHauptfenster::ListeLeeren() {
  modell_->Fuellen({});
}

void frmHauptfenster::ZeileSetzen(const KontenZeile& zeile) {
  modell_->Setzen(zeile);
}

void frmHauptfenster::ZeileEntfernen(const std::string& key) {
  modell_->Entfernen(key);
}

void frmHauptfenster::AlleKurswerteSetzen(const std::vector<Kurswerte>& werte) {
  modell_->KurswerteSetzen(werte);
}

void frmHauptfenster::ListeFuellen(const std::vector<KontenZeile>& zeilen) {
  modell_->Fuellen(zeilen);
}

void frmHauptfenster::SpeicherstatusZeigen(const std::string& text) {
  // The window has no status line until a save fails: its layout stays as it always was.
  if (!speicherstatus_) {
    if (text.empty()) return;
    speicherstatus_ = new QLabel(this);
    speicherstatus_->setObjectName("Speicherstatus");
    statusBar()->addWidget(speicherstatus_, 1);
  }
  speicherstatus_->setText(QString::fromStdString(text));
  statusBar()->setVisible(!text.empty());
}

std::optional<std::string> frmHauptfenster::MarkierteZeile() const {
  const QModelIndexList markiert = liste_->selectionModel()->selectedRows();
  if (markiert.isEmpty()) return std::nullopt;
  return modell_->Key(markiert.front().row());
}

void frmHauptfenster::ZeileMarkieren(const std::string& key) {
  const int zeile = modell_->Zeile(key);
  if (zeile < 0) return;
  liste_->setCurrentIndex(modell_->index(zeile, 0));
  liste_->scrollTo(modell_->index(zeile, 0));
}

void frmHauptfenster::ZeileUmbenennen(const std::string& alter_key, const KontenZeile& zeile) {
  modell_->Umbenennen(alter_key, zeile);
}

void frmHauptfenster::BefehleFreigeben(bool freigeben) {
  for (auto& liste : {menue_, werkzeuge_}) {
    for (auto [id, action] : liste) {
      if (BrauchtAuswahl(id)) action->setEnabled(freigeben);
    }
  }
}

void frmHauptfenster::Entladen() {
  if (settings_) SpeichereFensterLayout(this, *settings_, kHauptfensterLayout, umfeld_.locale);
  umfeld_.presenter.Plan().Entladen();
}

bool frmHauptfenster::eventFilter(QObject* objekt, QEvent* event) {
  if (objekt == liste_->viewport() && event->type() == QEvent::MouseButtonDblClick) {
    befehle_.KontoAnzeigen();
    return true;
  }
  return QMainWindow::eventFilter(objekt, event);
}

void frmHauptfenster::closeEvent(QCloseEvent* event) {
  Entladen();
  event->accept();
  emit Geschlossen();
}

void frmHauptfenster::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (isVisible() && !(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized))) {
    SetzeMindestGroesse(this, 600, 250);
  }
}

}  // namespace vks
