#pragma once
// What the account list's commands open, on the display: the account settings dialog, the
// overview windows and the desktop's help viewer.
#include <functional>

#include "presenters/HauptfensterBefehle.h"
#include "adapters/qt/frmKontoUebersicht.h"
#include "adapters/qt/frmNeuesKonto.h"

namespace vks {

class QtKontoDialog : public KontoDialog {
 public:
  // `umfeld` makes each dialog; `parent` owns it while it is shown.
  QtKontoDialog(std::function<NeuesKontoUmfeld()> umfeld, QWidget* parent = nullptr)
      : umfeld_(std::move(umfeld)), parent_(parent) {}
  std::optional<KontoEinstellungen> ZeigeModal(const KontoEinstellungen& felder,
                                               const std::string& titel, bool reset_aktiv) override;

 private:
  std::function<NeuesKontoUmfeld()> umfeld_;
  QWidget* parent_;
};

class QtUebersichtFabrik : public KontoUebersichtFabrik {
 public:
  explicit QtUebersichtFabrik(std::function<UebersichtUmfeld()> umfeld)
      : umfeld_(std::move(umfeld)) {}
  std::shared_ptr<KontoUebersichtFenster> NeuesFenster() override;

 private:
  std::function<UebersichtUmfeld()> umfeld_;
};

// Opens the file with the desktop's default application for its type.
class QtHilfe : public HilfeAnzeige {
 public:
  bool Oeffne(const std::string& datei, int kontext) override;
};

}  // namespace vks
