#include "adapters/qt/HauptfensterAdapter.h"

#include <QDesktopServices>
#include <QPushButton>
#include <QUrl>

namespace vks {

namespace {

class QtUebersichtFenster : public KontoUebersichtFenster {
 public:
  explicit QtUebersichtFenster(std::shared_ptr<frmKontoUebersicht> fenster)
      : fenster_(std::move(fenster)) {}
  void ShowDaten(std::shared_ptr<clKonto> konto) override { fenster_->ShowDaten(std::move(konto)); }
  void RefreshBasisWerte() override { fenster_->RefreshBasisWerte(); }
  void KursTick(bool gespeichert) override { fenster_->KursTick(gespeichert); }
  void SetzeTitel(const std::string& titel) override { fenster_->SetzeTitel(titel); }
  void Zeigen() override {
    fenster_->show();
    fenster_->raise();
    fenster_->activateWindow();
  }
  void Entladen() override { fenster_->close(); }

 private:
  std::shared_ptr<frmKontoUebersicht> fenster_;
};

}  // namespace

std::optional<KontoEinstellungen> QtKontoDialog::ZeigeModal(const KontoEinstellungen& felder,
                                                            const std::string& titel,
                                                            bool reset_aktiv) {
  frmNeuesKonto dialog(umfeld_(), parent_);
  dialog.SetzeFelder(felder);
  dialog.SetzeMarker(felder.marker);
  if (!titel.empty()) dialog.setWindowTitle(QString::fromStdString(titel));
  if (QPushButton* reset = dialog.Knopf("btnReset")) reset->setEnabled(reset_aktiv);
  dialog.exec();
  if (dialog.Marker() != "OK") return std::nullopt;
  return dialog.Felder();
}

std::shared_ptr<KontoUebersichtFenster> QtUebersichtFabrik::NeuesFenster() {
  return std::make_shared<QtUebersichtFenster>(ErzeugeKontoUebersicht(umfeld_()));
}

bool QtHilfe::Oeffne(const std::string& datei, int) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(datei)));
}

}  // namespace vks
