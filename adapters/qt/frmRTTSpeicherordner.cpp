#include "adapters/qt/frmRTTSpeicherordner.h"

#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vks {

namespace {

QLabel* Hinweis(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setWordWrap(true);
  return label;
}

}  // namespace

frmRTTSpeicherordner::frmRTTSpeicherordner(SpeicherordnerUmfeld umfeld, QWidget* parent)
    : QDialog(parent), umfeld_(std::move(umfeld)) {
  setWindowTitle(tr("Ordner zum Speichern der RTT-Dateien"));
  setObjectName("frmRTTSpeicherordner");
  setModal(true);
  auto* rahmen = new QGroupBox(tr("Ordner"), this);
  rahmen->setObjectName("Ordner");
  auto* rahmen_layout = new QVBoxLayout(rahmen);
  rahmen_layout->addWidget(Hinweis(
      tr("Geben Sie hier an, in welchem Ordner die RTT-Dateien zur Aufzeichnung der Positionen und "
         "der Kontoberechnungen gespeichert werden sollen. Standardmäßig ist dies der "
         "Realtime-Ordner in der Tradomir-Installation. Klicken Sie zum Ändern des Ordners auf die "
         "Schaltfläche [...]."),
      rahmen));
  AktPfadLabel_ = Hinweis(tr("Aktuell verwendeter Ordner:"), rahmen);
  AktPfadLabel_->setObjectName("AktPfadLabel");
  rahmen_layout->addWidget(AktPfadLabel_);
  auto* zeile = new QHBoxLayout;
  txtOrdner_ = new QLineEdit(rahmen);
  txtOrdner_->setObjectName("txtOrdner");
  txtOrdner_->setAccessibleName(tr("Ordner"));
  auto* btnOrdnerwahl = new QPushButton("...", rahmen);
  btnOrdnerwahl->setObjectName("btnOrdnerwahl");
  btnOrdnerwahl->setAccessibleName(tr("Ordner auswählen"));
  zeile->addWidget(txtOrdner_);
  zeile->addWidget(btnOrdnerwahl);
  rahmen_layout->addLayout(zeile);
  auto* label1 = Hinweis(
      tr("Wenn Sie die gespeicherten RTT-Daten in Tradomir verwenden möchten, müssen Sie die "
         "betreffenden Titel dort in das Titelverzeichnis einfügen. Sie finden die Titel dann in "
         "den "
         "betreffenden Unterordnern des hier angegebenen Ordners."),
      this);
  label1->setObjectName("Label1");
  auto* okay = new QPushButton(tr("OK"), this);
  okay->setObjectName("Okay");
  okay->setToolTip(tr("Schließt den Dialog und speichert alle Einstellungen ab"));
  okay->setDefault(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(rahmen);
  layout->addWidget(label1);
  layout->addWidget(okay, 0, Qt::AlignRight);
  resize(520, 280);

  waehle_ordner = [](QWidget* owner) {
    return QFileDialog::getExistingDirectory(owner, tr("Bitte einen Ordner auswählen"), {},
                                             QFileDialog::ShowDirsOnly);
  };
  connect(btnOrdnerwahl, &QPushButton::clicked, this, &frmRTTSpeicherordner::OrdnerwahlGeklickt);
  connect(okay, &QPushButton::clicked, this, &frmRTTSpeicherordner::Okay);
}

void frmRTTSpeicherordner::SetzeOrdner(const std::string& ordner) {
  txtOrdner_->setText(QString::fromStdString(ordner));
  AktPfadLabel_->setText(tr("Aktuell verwendeter Ordner: %1").arg(QString::fromStdString(ordner)));
}

std::string frmRTTSpeicherordner::ZeigeModal(const std::string& Vorschlag) {
  SetzeOrdner(Vorschlag);
  ergebnis_.clear();
  exec();
  return txtOrdner_->text().toStdString();
}

std::string frmRTTSpeicherordner::WaehleOrdner() {
  return waehle_ordner ? waehle_ordner(this).toStdString() : std::string();
}

void frmRTTSpeicherordner::OrdnerwahlGeklickt() {
  const std::string ordner = WaehleOrdner();
  if (!ordner.empty()) txtOrdner_->setText(QString::fromStdString(ordner));
}

void frmRTTSpeicherordner::Okay() {
  if (!BestaetigeSpeicherordner(txtOrdner_->text().toStdString(), umfeld_)) return;
  ergebnis_ = "OK";
  hide();
  if (isModal()) done(QDialog::Accepted);
}

}  // namespace vks
