#include "adapters/qt/frmKontoUebersicht.h"

#include <QAction>
#include <QCloseEvent>
#include <QDockWidget>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <set>
#include <string_view>

#include "accounts/KontoUmgebung.h"
#include "accounts/clKonto.h"
#include "adapters/qt/FensterLayout.h"
#include "adapters/qt/KapitalVerlauf.h"
#include "adapters/qt/UebersichtModell.h"
#include "platform/automation/DateText.h"
#include "presenters/WertReihenfolge.h"
#include "session/KontoBeobachterVerteiler.h"

namespace vks {
namespace {

constexpr int kVerlaufPane = 5;

// The presenter's pane titles (the tool bar takes the active pane's), listed for the translation.
[[maybe_unused]] constexpr const char* kPaneTitel[] = {
    QT_TRANSLATE_NOOP("vks::frmKontoUebersicht", "Konto"),
    QT_TRANSLATE_NOOP("vks::frmKontoUebersicht", "Offene Orders"),
    QT_TRANSLATE_NOOP("vks::frmKontoUebersicht", "Positionen"),
    QT_TRANSLATE_NOOP("vks::frmKontoUebersicht", "Ausführungen")};

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

frmKontoUebersicht::frmKontoUebersicht(UebersichtUmfeld umfeld, QWidget* parent)
    : QMainWindow(parent),
      umfeld_(std::move(umfeld)),
      presenter_(*this, umfeld_.melder, umfeld_.umgebung, umfeld_.hauptfenster, umfeld_.locale) {
  setWindowTitle(tr("Konto Übersicht"));
  setDockOptions(QMainWindow::AllowNestedDocks | QMainWindow::AnimatedDocks);
  resize(760, 560);

  werkzeuge_ = addToolBar(tr("Befehle"));
  werkzeuge_->setObjectName(QStringLiteral("Werkzeuge"));
  werkzeuge_->setToolButtonStyle(Qt::ToolButtonTextOnly);
  markierte_ = werkzeuge_->addAction(tr("Markierte Einträge löschen"));
  alle_ = werkzeuge_->addAction(tr("Alle Einträge löschen"));
  markierte_->setShortcut(QKeySequence::Delete);
  markierte_->setEnabled(false);
  alle_->setEnabled(false);
  connect(markierte_, &QAction::triggered, this, [this] { presenter_.Werkzeugbefehl(1); });
  connect(alle_, &QAction::triggered, this, [this] { presenter_.Werkzeugbefehl(2); });

  // Created in the order 4, 3, 2, 1, each with its content attached by its id.
  for (int id = 4; id >= 1; --id) {
    const UebersichtPane& def = kUebersichtPanes[id - 1];
    auto* pane = new QDockWidget(tr(def.titel), this);
    pane->setObjectName(QStringLiteral("Pane%1").arg(id));
    pane->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    QWidget* inhalt = id == 1 ? BaueZahlen() : BaueListe(static_cast<UebersichtListe>(id - 2));
    inhalt->setMinimumSize(120, 80);
    inhalt->setAccessibleName(pane->windowTitle());
    pane->setWidget(inhalt);
    pane->installEventFilter(this);
    panes_[static_cast<size_t>(id - 1)] = pane;
  }
  addDockWidget(Qt::LeftDockWidgetArea, Pane(1));
  addDockWidget(Qt::RightDockWidgetArea, Pane(2));
  addDockWidget(Qt::RightDockWidgetArea, Pane(3));
  addDockWidget(Qt::RightDockWidgetArea, Pane(4));
  resizeDocks({Pane(1), Pane(2)}, {250, 250}, Qt::Horizontal);
  resizeDocks({Pane(2), Pane(3), Pane(4)}, {220, 220, 220}, Qt::Vertical);

  verlauf_ = new KapitalVerlauf(umfeld_.locale);
  verlauf_->setAccessibleName(tr("Verlauf"));
  auto* verlauf_pane = new QDockWidget(tr("Verlauf"), this);
  verlauf_pane->setObjectName(QStringLiteral("Pane5"));
  verlauf_pane->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
  verlauf_pane->setWidget(verlauf_);
  verlauf_pane->installEventFilter(this);
  panes_[kVerlaufPane - 1] = verlauf_pane;
  splitDockWidget(Pane(1), verlauf_pane, Qt::Vertical);

  if (umfeld_.settings)
    LadeFensterLayout(this, *umfeld_.settings, kUebersichtLayout, umfeld_.locale);
  if (umfeld_.verteiler) umfeld_.verteiler->Anmelden(&presenter_);
}

frmKontoUebersicht::~frmKontoUebersicht() {
  if (umfeld_.verteiler) umfeld_.verteiler->Abmelden(&presenter_);
}

QWidget* frmKontoUebersicht::BaueZahlen() {
  auto* rahmen = new QFrame;
  rahmen->setObjectName(QStringLiteral("Rahmen"));
  auto* gitter = new QGridLayout(rahmen);
  const char* spalten[] = {QT_TR_NOOP("Gesamt"), QT_TR_NOOP("Long"), QT_TR_NOOP("Short")};
  for (int s = 0; s < 3; ++s) {
    auto* kopf = new QLabel(tr(spalten[s]));
    kopf->setAlignment(Qt::AlignRight);
    gitter->addWidget(kopf, 0, s + 1);
  }
  struct Zeile {
    const char* titel;
    const char* name;
    int erster;
  };
  const Zeile zeilen[] = {{QT_TR_NOOP("Offene Orders"), "InfoOffeneOrders", 0},
                          {QT_TR_NOOP("Enter-Orders"), "InfoEnterOrders", 0},
                          {QT_TR_NOOP("Enter-Margin"), "InfoEnterOrders", 3},
                          {QT_TR_NOOP("Positionen"), "InfoPositionen", 0},
                          {QT_TR_NOOP("Ausführungen"), "InfoGefillt", 0}};
  int r = 1;
  for (const Zeile& z : zeilen) {
    gitter->addWidget(new QLabel(tr(z.titel)), r, 0);
    for (int s = 0; s < 3; ++s) {
      auto* wert = new QLabel(QStringLiteral("0"));
      wert->setObjectName(QStringLiteral("%1_%2").arg(QString::fromUtf8(z.name)).arg(z.erster + s));
      wert->setAlignment(Qt::AlignRight);
      gitter->addWidget(wert, r, s + 1);
    }
    ++r;
  }
  const std::pair<const char*, const char*> kapital[] = {
      {QT_TR_NOOP("Cash"), "InfoCash"},
      {QT_TR_NOOP("Gesamt"), "InfoGesamtKapital"},
      {QT_TR_NOOP("Margin"), "InfoMargin"},
      {QT_TR_NOOP("Open P/L"), "InfoPL"},
      {QT_TR_NOOP("Verfügbar"), "InfoVerfügbar"}};
  for (const auto& [titel, name] : kapital) {
    gitter->addWidget(new QLabel(tr(titel)), r, 0);
    auto* wert = new QLabel(QStringLiteral("0,00"));
    wert->setObjectName(QString::fromUtf8(name));
    wert->setAlignment(Qt::AlignRight);
    gitter->addWidget(wert, r, 1, 1, 3);
    ++r;
  }
  gitter->setRowStretch(r, 1);
  rahmen->installEventFilter(this);
  return rahmen;
}

QTableView* frmKontoUebersicht::BaueListe(UebersichtListe liste) {
  auto* modell = new UebersichtModell(liste, umfeld_.locale, this);
  auto* view = new QTableView;
  view->setModel(modell);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setSelectionMode(QAbstractItemView::ExtendedSelection);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setWordWrap(false);
  view->verticalHeader()->hide();
  view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
  view->horizontalHeader()->setSectionsClickable(true);
  view->horizontalHeader()->setHighlightSections(false);
  // The lists' designed widths suit a narrow font; a column is widened
  // where its title or a direction text would be cut in the font shown.
  const QFontMetrics kopf(view->horizontalHeader()->font());
  const QFontMetrics zellen(view->font());
  const int rand = 2 * view->style()->pixelMetric(QStyle::PM_HeaderMargin) +
                   view->style()->pixelMetric(QStyle::PM_HeaderMarkSize);
  const auto spalten = Spalten(liste);
  for (size_t c = 0; c < spalten.size(); ++c) {
    int breite = std::max(spalten[c].breite,
                          kopf.horizontalAdvance(UebersichtModell::Titel(spalten[c].titel)) + rand);
    std::string muster;  // the widest text the column can hold
    if (std::string_view(spalten[c].titel) == "Aktion")
      muster = RichtungsText(-1, true, liste == UebersichtListe::kOrders);
    if (spalten[c].sortierung == SortArt::Datum)
      muster = FormatDateText(DateValue{36888.99998}, umfeld_.locale);  // 28.12.2000 23:59:58
    breite = std::max(breite, zellen.horizontalAdvance(Text(muster)) + rand);
    view->setColumnWidth(static_cast<int>(c), breite);
  }
  connect(view->horizontalHeader(), &QHeaderView::sectionClicked, this,
          [this, liste](int spalte) { SpalteGeklickt(liste, spalte); });
  view->installEventFilter(this);
  view->viewport()->installEventFilter(this);
  modelle_[Nr(liste)] = modell;
  listen_[Nr(liste)] = view;
  return view;
}

QLabel* frmKontoUebersicht::Zahl(const QString& name) const {
  return findChild<QLabel*>(name);
}

void frmKontoUebersicht::ShowDaten(std::shared_ptr<clKonto> AktKonto) {
  if (AktKonto) konto_name_ = AktKonto->KontoName;
  presenter_.ShowDaten(AktKonto);
  if (AktKonto)
    verlauf_->Zeige(umfeld_.umgebung.rtt.Dateien(), umfeld_.umgebung.rtt.Speicher(),
                    AktKonto->KontoName);
}

void frmKontoUebersicht::KursTick(bool gespeichert) {
  if (gespeichert) presenter_.RefreshBasisWerte();
  verlauf_->Aktualisieren();
}

void frmKontoUebersicht::AktivierePane(int id) {
  if (id < 1 || id > 4) return;
  aktive_pane_ = id;
  presenter_.PaneAktiviert(id);
}

void frmKontoUebersicht::SpalteGeklickt(UebersichtListe liste, int spalte) {
  const auto spalten = Spalten(liste);
  if (spalte < 0 || static_cast<size_t>(spalte) >= spalten.size()) return;
  SortierRoutinen& routinen = umfeld_.sortierung ? *umfeld_.sortierung : eigene_sortierung_;
  const std::string tag = std::to_string(static_cast<int>(spalten[spalte].sortierung));
  const std::optional<SortierAuftrag> auftrag =
      routinen.SpaltenKlick(sortierungen_[Nr(liste)], tag, static_cast<int16_t>(spalte));
  if (!auftrag) return;
  UebersichtModell* modell = Modell(liste);
  if (auftrag->art == SortArt::Text) {
    modell->Ordnen(SortierteReihenfolge(modell->Spalte(auftrag->spalte), auftrag->art,
                                        auftrag->absteigend, umfeld_.locale));
  } else {
    modell->Ordnen(
        WertReihenfolge(modell->Werte(auftrag->spalte, auftrag->art), auftrag->absteigend));
  }
  QTableView* view = Liste(liste);
  view->horizontalHeader()->setSortIndicatorShown(true);
  view->horizontalHeader()->setSortIndicator(
      spalte, auftrag->absteigend ? Qt::DescendingOrder : Qt::AscendingOrder);
  const QModelIndexList markiert = view->selectionModel()->selectedRows();
  if (!markiert.isEmpty()) view->scrollTo(markiert.front());
}

void frmKontoUebersicht::SetzeTitel(const std::string& titel) {
  setWindowTitle(Text(titel));
}

void frmKontoUebersicht::SetzeZahlen(const KontoZahlen& z) {
  auto setze = [this](const QString& name, const std::string& text) {
    if (QLabel* label = Zahl(name)) label->setText(Text(text));
  };
  for (int i = 0; i < 3; ++i) {
    setze(QStringLiteral("InfoOffeneOrders_%1").arg(i), z.offene_orders[i]);
    setze(QStringLiteral("InfoPositionen_%1").arg(i), z.positionen[i]);
    setze(QStringLiteral("InfoGefillt_%1").arg(i), z.gefillt[i]);
  }
  for (int i = 0; i < 6; ++i) setze(QStringLiteral("InfoEnterOrders_%1").arg(i), z.enter_orders[i]);
  setze(QStringLiteral("InfoCash"), z.cash);
  setze(QStringLiteral("InfoGesamtKapital"), z.gesamt);
  setze(QStringLiteral("InfoMargin"), z.margin);
  setze(QStringLiteral("InfoPL"), z.open_pl);
  setze(QString::fromUtf8("InfoVerfügbar"), z.verfuegbar);
}

void frmKontoUebersicht::ListeFuellen(UebersichtListe liste, std::vector<UebersichtZeile> zeilen) {
  sortierungen_[Nr(liste)] = ListenSortierung{};
  Liste(liste)->horizontalHeader()->setSortIndicatorShown(false);
  Modell(liste)->Fuellen(std::move(zeilen));
}

void frmKontoUebersicht::ZeileSetzen(UebersichtListe liste, UebersichtZeile zeile) {
  Modell(liste)->Setzen(std::move(zeile));
  // A list that keeps itself sorted by text places new rows at once.
  const ListenSortierung& s = sortierungen_[Nr(liste)];
  if (s.Sorted && s.Tag.empty()) {
    UebersichtModell* modell = Modell(liste);
    modell->Ordnen(SortierteReihenfolge(modell->Spalte(s.SortKey), SortArt::Text, s.SortOrder == 1,
                                        umfeld_.locale));
  }
}

void frmKontoUebersicht::ZeilenEntfernen(UebersichtListe liste,
                                         const std::vector<std::string>& keys) {
  Modell(liste)->Entfernen(keys);
}

size_t frmKontoUebersicht::ZeilenAnzahl(UebersichtListe liste) const {
  return static_cast<size_t>(Modell(liste)->rowCount());
}

std::vector<std::string> frmKontoUebersicht::MarkierteKeys(UebersichtListe liste) const {
  std::set<int> zeilen;
  for (const QItemSelectionRange& bereich : Liste(liste)->selectionModel()->selection())
    for (int r = bereich.top(); r <= bereich.bottom(); ++r) zeilen.insert(r);
  std::vector<std::string> keys;
  keys.reserve(zeilen.size());
  for (int r : zeilen) keys.push_back(Modell(liste)->Key(r));
  return keys;
}

void frmKontoUebersicht::AlleMarkieren(UebersichtListe liste) {
  Liste(liste)->selectAll();
}

void frmKontoUebersicht::SetzeWerkzeugleiste(const std::string& titel, bool markierte_loeschen,
                                             bool alle_loeschen) {
  werkzeuge_->setWindowTitle(tr(titel.c_str()));
  markierte_->setEnabled(markierte_loeschen);
  alle_->setEnabled(alle_loeschen);
}

void frmKontoUebersicht::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QMainWindow::keyPressEvent(event);
}

void frmKontoUebersicht::closeEvent(QCloseEvent* event) {
  if (umfeld_.settings)
    SpeichereFensterLayout(this, *umfeld_.settings, kUebersichtLayout, umfeld_.locale);
  if (umfeld_.verteiler) umfeld_.verteiler->Abmelden(&presenter_);
  presenter_.Schliessen();
  event->accept();
  if (umfeld_.RemoveKontoFenster) umfeld_.RemoveKontoFenster(konto_name_);
}

bool frmKontoUebersicht::eventFilter(QObject* objekt, QEvent* event) {
  if (event->type() == QEvent::FocusIn || event->type() == QEvent::MouseButtonPress) {
    auto* widget = qobject_cast<QWidget*>(objekt);
    for (int id = 1; id <= 4 && widget; ++id) {
      QWidget* pane = Pane(id);
      if (widget != pane && !pane->isAncestorOf(widget)) continue;
      // Only a change of pane is an activation; it is told once the click that caused it has
      // marked its row.
      if (id != aktive_pane_) {
        aktive_pane_ = id;
        QTimer::singleShot(0, this, [this, id] { AktivierePane(id); });
      }
      break;
    }
  }
  return QMainWindow::eventFilter(objekt, event);
}

std::shared_ptr<frmKontoUebersicht> ErzeugeKontoUebersicht(UebersichtUmfeld umfeld) {
  return std::shared_ptr<frmKontoUebersicht>(new frmKontoUebersicht(std::move(umfeld)),
                                             [](frmKontoUebersicht* f) { f->deleteLater(); });
}

}  // namespace vks
