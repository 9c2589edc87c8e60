#include "adapters/qt/frmNeuesKonto.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QDesktopServices>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include "adapters/qt/SystemLocale.h"
#include "adapters/qt/frmVBScriptBearbeiten.h"
#include "platform/system/Clock.h"

namespace vks {
namespace {

const QDateTime& Nullpunkt() {
  static const QDateTime kNull(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);
  return kNull;
}

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

std::string S(const QString& text) {
  return text.toStdString();
}

// Scripts are kept with CR LF between lines; the text fields hold bare line feeds.
std::string ScriptText(const QPlainTextEdit* feld) {
  return feld->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n")).toStdString();
}

QString FeldText(const std::string& script) {
  return Q(script).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// A rule shows as the editor shows it: unwrapped, in a fixed-pitch font, five lines at a time.
QPlainTextEdit* ScriptFeld(const char* name) {
  auto* feld = new QPlainTextEdit;
  feld->setObjectName(QString::fromUtf8(name));
  feld->setTabChangesFocus(true);
  feld->setLineWrapMode(QPlainTextEdit::NoWrap);
  feld->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  const int rahmen = 2 * feld->frameWidth() +
                     static_cast<int>(2 * feld->document()->documentMargin()) +
                     feld->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  feld->setFixedHeight(5 * QFontMetrics(feld->font()).lineSpacing() + rahmen);
  return feld;
}

}  // namespace

QDateTime AlsDateTime(DateValue datum) {
  const QDateTime utc =
      Nullpunkt().addMSecs(static_cast<qint64>(std::llround(datum.days * 86400000.0)));
  return QDateTime(utc.date(), utc.time());
}

DateValue AlsDatum(const QDateTime& zeit) {
  const QDateTime als_utc(zeit.date(), zeit.time(), Qt::UTC);
  return DateValue{static_cast<double>(Nullpunkt().msecsTo(als_utc)) / 86400000.0};
}

frmNeuesKonto::frmNeuesKonto(NeuesKontoUmfeld umfeld, QWidget* parent)
    : QDialog(parent), umfeld_(std::move(umfeld)) {
  setWindowTitle(tr("Neues Konto anlegen"));
  setModal(true);
  setMinimumWidth(560);
  tabs_ = new QTabWidget;
  tabs_->addTab(BaueEinstellungen(), tr("Einstellungen"));
  tabs_->addTab(BaueSkripts(), tr("Skripts"));

  auto* reset = new QPushButton(tr("Reset"));
  reset->setObjectName(QStringLiteral("btnReset"));
  reset->setToolTip(tr("Gesamte Konto-Entwicklung löschen"));
  reset->setEnabled(false);
  auto* hilfe = new QPushButton(tr("Hilfe"));
  hilfe->setObjectName(QStringLiteral("Hilfe"));
  hilfe->setShortcut(QKeySequence::HelpContents);
  auto* abbruch = new QPushButton(tr("Abbrechen"));
  abbruch->setObjectName(QStringLiteral("Abbruch"));
  abbruch->setToolTip(tr("Schließt den Dialog und verwirft alle Angaben"));
  auto* okay = new QPushButton(tr("OK"));
  okay->setObjectName(QStringLiteral("Okay"));
  okay->setToolTip(tr("Schließt den Dialog und speichert alle Einstellungen ab"));
  okay->setDefault(true);
  for (QPushButton* knopf : {reset, hilfe, abbruch}) knopf->setAutoDefault(false);
  connect(reset, &QPushButton::clicked, this, &frmNeuesKonto::Reset);
  connect(hilfe, &QPushButton::clicked, this, &frmNeuesKonto::Hilfe);
  connect(abbruch, &QPushButton::clicked, this, &frmNeuesKonto::Abbruch);
  connect(okay, &QPushButton::clicked, this, &frmNeuesKonto::Okay);

  auto* knoepfe = new QHBoxLayout;
  knoepfe->addWidget(reset);
  knoepfe->addWidget(hilfe);
  knoepfe->addStretch(1);
  knoepfe->addWidget(abbruch);
  knoepfe->addWidget(okay);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  layout->addLayout(knoepfe);

  const QList<QWidget*> reihe{txtName_,
                              txtBeschreibung_,
                              txtKontostand_,
                              Datumfeld_,
                              optUseDatenZeitstempel_,
                              optUseGebuehren_,
                              optUseUmrechnung_,
                              optMarginUmrechnen_,
                              optPosUseLastPrice_,
                              txtKeinePlatzierung_,
                              btnScriptBearbeiten_[1],
                              txtNoOrderMeldung_,
                              txtStreichBedingung_,
                              btnScriptBearbeiten_[0],
                              okay,
                              abbruch,
                              reset,
                              hilfe};
  for (qsizetype i = 1; i < reihe.size(); ++i) QWidget::setTabOrder(reihe[i - 1], reihe[i]);
  SetzeFelder(NeueKontoEinstellungen(umfeld_.clock, umfeld_.locale));
  txtName_->setFocus();
}

QWidget* frmNeuesKonto::BaueEinstellungen() {
  auto* seite = new QWidget;
  auto* allgemein = new QGroupBox(tr("Allgemein"));
  auto* form = new QFormLayout(allgemein);
  auto zeile = [&](auto* feld, const char* name, const char* label) {
    feld->setObjectName(QString::fromUtf8(name));
    auto* beschriftung = new QLabel(tr(label));
    beschriftung->setBuddy(feld);
    form->addRow(beschriftung, feld);
    return feld;
  };
  txtName_ = zeile(new QLineEdit, "txtName", QT_TR_NOOP("&Name"));
  txtName_->setMaxLength(255);
  txtName_->installEventFilter(this);
  txtBeschreibung_ = zeile(new QLineEdit, "txtBeschreibung", QT_TR_NOOP("&Beschreibung"));
  txtKontostand_ = zeile(new QLineEdit, "txtKontostand", QT_TR_NOOP("&Kontostand"));
  Datumfeld_ = zeile(new QDateTimeEdit, "Datumfeld", QT_TR_NOOP("Aktuelles Datum"));
  Datumfeld_->setCalendarPopup(true);
  Datumfeld_->setDisplayFormat(DateTimeFieldFormat(umfeld_.locale));
  Datumfeld_->setMinimumDate(QDate(1900, 1, 1));

  auto haken = [](const char* name, const char* text) {
    auto* box = new QCheckBox(tr(text));
    box->setObjectName(QString::fromUtf8(name));
    return box;
  };
  optUseDatenZeitstempel_ =
      haken("optUseDatenZeitstempel", QT_TR_NOOP("Daten-Zeitstempel verwenden (für Simulationen)"));
  optUseGebuehren_ = haken("optUseGebuehren", QT_TR_NOOP("Gebühren einrechnen"));
  optUseUmrechnung_ = haken("optUseUmrechnung", QT_TR_NOOP("Umrechnungskurse verwenden"));
  optMarginUmrechnen_ =
      haken("optMarginUmrechnen", QT_TR_NOOP("Margin beim Kapitaltest ebenfalls umrechnen"));
  optPosUseLastPrice_ =
      haken("optPosUseLastPrice", QT_TR_NOOP("In Positionshistorie letzten Preis speichern"));
  optPosUseLastPrice_->setToolTip(
      tr("Wenn aktiv, wird in der Positionshistorie nicht der Durchschnitts-Kaufpreis, sondern der "
         "Preis des letzten Kauf/Verkaufs gespeichert"));
  optMarginUmrechnen_->setEnabled(false);
  connect(optUseUmrechnung_, &QCheckBox::toggled, optMarginUmrechnen_, &QWidget::setEnabled);

  auto* layout = new QVBoxLayout(seite);
  layout->addWidget(allgemein);
  for (QCheckBox* box : {optUseDatenZeitstempel_, optUseGebuehren_, optUseUmrechnung_,
                         optMarginUmrechnen_, optPosUseLastPrice_})
    layout->addWidget(box);
  layout->addStretch(1);
  return seite;
}

QWidget* frmNeuesKonto::BaueSkripts() {
  auto* seite = new QWidget;
  auto knopf = [this](int index, const QString& zweck) {
    auto* b = new QPushButton(tr("Bearbeiten..."));
    b->setAccessibleName(tr("Skript bearbeiten: %1").arg(zweck));
    b->setObjectName(QStringLiteral("btnScriptBearbeiten_%1").arg(index));
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, [this, index] { ScriptBearbeiten(index); });
    btnScriptBearbeiten_[index] = b;
    return b;
  };
  auto* platzierung = new QGroupBox(tr("Keine Enter-Orders erlauben"));
  auto* p = new QGridLayout(platzierung);
  txtKeinePlatzierung_ = ScriptFeld("txtKeinePlatzierung");
  txtNoOrderMeldung_ = new QLineEdit;
  txtNoOrderMeldung_->setObjectName(QStringLiteral("txtNoOrderMeldung"));
  txtKeinePlatzierung_->setAccessibleName(platzierung->title());
  auto* meldung = new QLabel(tr("Hinweis-Text, wenn eine Order nicht platziert wird"));
  meldung->setBuddy(txtNoOrderMeldung_);
  p->addWidget(new QLabel(tr("Bei folgender Bedingung")), 0, 0);
  p->addWidget(txtKeinePlatzierung_, 1, 0);
  p->addWidget(knopf(1, platzierung->title()), 1, 1, Qt::AlignTop);
  p->addWidget(meldung, 2, 0);
  p->addWidget(txtNoOrderMeldung_, 3, 0, 1, 2);

  auto* streichen = new QGroupBox(tr("Alle Enter-Orders des Kontos streichen"));
  auto* s = new QGridLayout(streichen);
  txtStreichBedingung_ = ScriptFeld("txtStreichBedingung");
  txtStreichBedingung_->setAccessibleName(streichen->title());
  s->addWidget(new QLabel(tr("Bei folgender Bedingung")), 0, 0);
  s->addWidget(txtStreichBedingung_, 1, 0);
  s->addWidget(knopf(0, streichen->title()), 1, 1, Qt::AlignTop);

  auto* layout = new QVBoxLayout(seite);
  layout->addWidget(platzierung);
  layout->addWidget(streichen);
  layout->addStretch(1);
  return seite;
}

QPushButton* frmNeuesKonto::Knopf(const char* name) const {
  return findChild<QPushButton*>(QString::fromUtf8(name));
}

KontoEinstellungen frmNeuesKonto::Felder() const {
  KontoEinstellungen f;
  f.txtName = S(txtName_->text());
  f.txtBeschreibung = S(txtBeschreibung_->text());
  f.txtKontostand = S(txtKontostand_->text());
  f.Datumfeld = AlsDatum(Datumfeld_->dateTime());
  f.optUseDatenZeitstempel = optUseDatenZeitstempel_->isChecked();
  f.optUseGebuehren = optUseGebuehren_->isChecked();
  f.optUseUmrechnung = optUseUmrechnung_->isChecked();
  f.optMarginUmrechnen = optMarginUmrechnen_->isChecked();
  f.optPosUseLastPrice = optPosUseLastPrice_->isChecked();
  f.txtKeinePlatzierung = ScriptText(txtKeinePlatzierung_);
  f.txtNoOrderMeldung = S(txtNoOrderMeldung_->text());
  f.txtStreichBedingung = ScriptText(txtStreichBedingung_);
  f.marker = marker_;
  return f;
}

void frmNeuesKonto::SetzeFelder(const KontoEinstellungen& f) {
  txtName_->setText(Q(f.txtName));
  txtBeschreibung_->setText(Q(f.txtBeschreibung));
  txtKontostand_->setText(Q(f.txtKontostand));
  Datumfeld_->setDateTime(AlsDateTime(f.Datumfeld));
  optUseDatenZeitstempel_->setChecked(f.optUseDatenZeitstempel);
  optUseGebuehren_->setChecked(f.optUseGebuehren);
  optUseUmrechnung_->setChecked(f.optUseUmrechnung);
  optMarginUmrechnen_->setChecked(f.optMarginUmrechnen);
  optMarginUmrechnen_->setEnabled(f.optUseUmrechnung);
  optPosUseLastPrice_->setChecked(f.optPosUseLastPrice);
  txtKeinePlatzierung_->setPlainText(FeldText(f.txtKeinePlatzierung));
  txtNoOrderMeldung_->setText(Q(f.txtNoOrderMeldung));
  txtStreichBedingung_->setPlainText(FeldText(f.txtStreichBedingung));
  // A long text is shown from its start, not scrolled to its end.
  for (QLineEdit* feld : {txtName_, txtBeschreibung_, txtKontostand_, txtNoOrderMeldung_})
    feld->setCursorPosition(0);
  marker_ = f.marker;
}

void frmNeuesKonto::Okay() {
  KontoEinstellungen f = Felder();
  const bool schliesst =
      BestaetigeKontoEinstellungen(f, umfeld_.konten, umfeld_.melder, umfeld_.clock, umfeld_.locale,
                                   umfeld_.dateien, QDir::currentPath().toStdString());
  txtName_->setText(Q(f.txtName));
  if (!schliesst) return;
  marker_ = f.marker;
  accept();
}

void frmNeuesKonto::Abbruch() {
  marker_.clear();
  reject();
}

void frmNeuesKonto::Hilfe() {
  if (!umfeld_.hilfe_datei.empty() && QFileInfo::exists(Q(umfeld_.hilfe_datei)))
    QDesktopServices::openUrl(QUrl::fromLocalFile(Q(umfeld_.hilfe_datei)));
}

void frmNeuesKonto::ScriptBearbeiten(int index) {
  QPlainTextEdit* feld = index == 1 ? txtKeinePlatzierung_ : txtStreichBedingung_;
  frmVBScriptBearbeiten editor(EditorUmfeld{umfeld_.melder, umfeld_.script, &umfeld_.konten,
                                            umfeld_.settings, umfeld_.locale},
                               this);
  editor.SetzeScript(ScriptFuerEditor(index, ScriptText(feld)));
  editor.SetzeKontoName(S(txtName_->text()));
  if (umfeld_.editor_zeigen) {
    umfeld_.editor_zeigen(editor);
  } else {
    editor.exec();
  }
  if (!editor.Ergebnis().empty()) feld->setPlainText(FeldText(editor.Script()));
}

void frmNeuesKonto::Reset() {
  if (!umfeld_.umgebung) return;
  KontoResetUmfeld umfeld{umfeld_.konten,
                          umfeld_.melder,
                          *umfeld_.umgebung,
                          umfeld_.locale,
                          umfeld_.uebersicht_neu_fuellen,
                          umfeld_.hauptfenster};
  SetzeKontoEntwicklungZurueck(Felder(), umfeld);
}

bool frmNeuesKonto::eventFilter(QObject* objekt, QEvent* event) {
  if (objekt == txtName_ && event->type() == QEvent::FocusIn)
    QTimer::singleShot(0, txtName_, [this] { txtName_->setSelection(0, 255); });
  return QDialog::eventFilter(objekt, event);
}

}  // namespace vks
