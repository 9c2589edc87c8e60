#include "ui/frmHauptfenster.h"

#include <QAction>
#include <QCloseEvent>
#include <QHeaderView>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QToolBar>
#include <QTreeWidget>

#include "server/HauptfensterPresenter.h"
#include "ui/FensterLayout.h"

namespace vks {

namespace {

constexpr int kKeyRolle = Qt::UserRole;

struct BefehlText {
  int id;
  const char* menue;
  const char* werkzeug;
  const char* tooltip;
};

constexpr BefehlText kBefehle[] = {
    {befehl::kNeuesKonto, "Neues Konto", "Neues Konto", nullptr},
    {befehl::kKontoDuplizieren, "Konto duplizieren", "Konto duplizieren", nullptr},
    {befehl::kKontoBearbeiten, "Konto bearbeiten", "Konto bearbeiten", "Konto einstellen"},
    {befehl::kKontoLoeschen, "Konto löschen", "Konto löschen", nullptr},
    {befehl::kKontoAnzeigen, "Konto anzeigen", "Konto Übersicht", nullptr},
    {befehl::kSpeicherordner, "Speicherordner einstellen", "Speicherordner einstellen", nullptr},
    {befehl::kHilfe, "Hilfe", "Hilfe", nullptr},
};

bool BrauchtAuswahl(int id) {
  return id == befehl::kKontoBearbeiten || id == befehl::kKontoLoeschen ||
         id == befehl::kKontoAnzeigen || id == befehl::kKontoDuplizieren;
}

void SetzeTexte(QTreeWidgetItem* item, const KontenZeile& zeile) {
  item->setData(0, kKeyRolle, QString::fromStdString(zeile.key));
  item->setText(0, QString::fromStdString(zeile.name));
  item->setText(1, QString::fromStdString(zeile.datum));
  item->setText(2, QString::fromStdString(zeile.gesamtwert));
  item->setText(3, QString::fromStdString(zeile.enter_orders));
  item->setText(4, QString::fromStdString(zeile.positionen));
}

// Returns whether the cell showed something else.
bool TextSetzen(QTreeWidgetItem* item, int spalte, const std::string& text) {
  // Compared as they are: a cell that keeps its text needs no conversion.
  if (QAnyStringView::equal(item->text(spalte), QUtf8StringView(text))) return false;
  item->setText(spalte, QString::fromStdString(text));
  return true;
}

}  // namespace

frmHauptfenster::frmHauptfenster(HauptfensterUmfeld umfeld, SettingsStore* settings,
                                 QWidget* parent)
    : QMainWindow(parent),
      umfeld_(umfeld),
      settings_(settings),
      befehle_(std::move(umfeld), *this),
      liste_(new QTreeWidget(this)) {
  setWindowTitle("Tradomir Virtuelle Konten");
  setObjectName("frmHauptfenster");
  resize(720, 360);
  liste_->setObjectName("LKontoliste");
  liste_->setColumnCount(5);
  liste_->setHeaderLabels({"Name", "Datum", "Gesamtwert", "Enter-Orders", "Positionen"});
  liste_->setRootIsDecorated(false);
  liste_->setSelectionMode(QAbstractItemView::SingleSelection);
  liste_->setAllColumnsShowFocus(true);
  // One line per row: without this every changed cell makes the view measure its row again.
  liste_->setUniformRowHeights(true);
  liste_->header()->resizeSection(0, 160);
  liste_->header()->resizeSection(1, 150);
  setCentralWidget(liste_);
  BaueBefehle();

  connect(liste_, &QTreeWidget::itemSelectionChanged, this, [this] { befehle_.ButtonCheck(); });
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
  QMenu* menue = menuBar()->addMenu("Konten");
  QToolBar* leiste = addToolBar("Werkzeuge");
  leiste->setObjectName("Werkzeuge");
  leiste->setToolButtonStyle(Qt::ToolButtonTextOnly);
  for (const BefehlText& text : kBefehle) {
    const int id = text.id;
    QAction* im_menue = menue->addAction(QString::fromUtf8(text.menue));
    QAction* in_leiste = leiste->addAction(QString::fromUtf8(text.werkzeug));
    if (text.tooltip) in_leiste->setToolTip(QString::fromUtf8(text.tooltip));
    for (QAction* action : {im_menue, in_leiste}) {
      action->setData(id);
      connect(action, &QAction::triggered, this, [this, id] { befehle_.Befehl(id); });
    }
    menue_[id] = im_menue;
    werkzeuge_[id] = in_leiste;
  }
}

QTreeWidgetItem* frmHauptfenster::Zeile(const std::string& key) const {
  auto it = zeilen_.find(key);
  return it == zeilen_.end() ? nullptr : it->second;
}

void frmHauptfenster::ListeLeeren() {
  zeilen_.clear();
  liste_->clear();
}

void frmHauptfenster::ZeileSetzen(const KontenZeile& zeile) {
  QTreeWidgetItem*& item = zeilen_[zeile.key];
  if (item) {
    SetzeTexte(item, zeile);
    return;
  }
  // Filled before it joins the list, so that the list hears of the row once.
  item = new QTreeWidgetItem;
  SetzeTexte(item, zeile);
  liste_->addTopLevelItem(item);
}

void frmHauptfenster::ZeileEntfernen(const std::string& key) {
  auto it = zeilen_.find(key);
  if (it == zeilen_.end()) return;
  delete it->second;
  zeilen_.erase(it);
}

void frmHauptfenster::KurswerteSetzen(const std::string& key, const std::string& datum,
                                      const std::string& gesamtwert) {
  if (QTreeWidgetItem* item = Zeile(key)) {
    item->setText(1, QString::fromStdString(datum));
    item->setText(2, QString::fromStdString(gesamtwert));
  }
}

void frmHauptfenster::AlleKurswerteSetzen(const std::vector<Kurswerte>& werte) {
  bool datum = false, gesamtwert = false;
  {
    // Each cell on its own would have the view look up its row and where it is on the screen, for
    // every row, shown or not; the list repaints the changed columns once instead. Nothing but
    // the view watches the items.
    const QSignalBlocker still(liste_->model());
    for (const Kurswerte& w : werte) {
      if (QTreeWidgetItem* item = Zeile(w.key)) {
        datum |= TextSetzen(item, 1, w.datum);
        gesamtwert |= TextSetzen(item, 2, w.gesamtwert);
      }
    }
  }
  QHeaderView* kopf = liste_->header();
  for (const auto& [spalte, geaendert] : {std::pair{1, datum}, std::pair{2, gesamtwert}}) {
    if (geaendert)
      liste_->viewport()->update(QRect(kopf->sectionViewportPosition(spalte), 0,
                                       kopf->sectionSize(spalte), liste_->viewport()->height()));
  }
}

void frmHauptfenster::ListeFuellen(const std::vector<KontenZeile>& zeilen) {
  ListeLeeren();
  zeilen_.reserve(zeilen.size());
  QList<QTreeWidgetItem*> neu;
  neu.reserve(static_cast<qsizetype>(zeilen.size()));
  for (const KontenZeile& zeile : zeilen) {
    QTreeWidgetItem*& item = zeilen_[zeile.key];
    if (!item) neu.append(item = new QTreeWidgetItem);
    SetzeTexte(item, zeile);
  }
  // All rows join the list together, so that it lays them out once.
  liste_->addTopLevelItems(neu);
}

std::optional<std::string> frmHauptfenster::MarkierteZeile() const {
  QList<QTreeWidgetItem*> markiert = liste_->selectedItems();
  if (markiert.isEmpty()) return std::nullopt;
  return markiert.front()->data(0, kKeyRolle).toString().toStdString();
}

void frmHauptfenster::ZeileMarkieren(const std::string& key) {
  if (QTreeWidgetItem* item = Zeile(key)) {
    liste_->setCurrentItem(item);
    liste_->scrollToItem(item);
  }
}

void frmHauptfenster::ZeileUmbenennen(const std::string& alter_key, const KontenZeile& zeile) {
  auto it = zeilen_.find(alter_key);
  if (it == zeilen_.end()) return;
  QTreeWidgetItem* item = it->second;
  zeilen_.erase(it);
  zeilen_[zeile.key] = item;
  SetzeTexte(item, zeile);
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
  umfeld_.presenter.Entladen();
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
