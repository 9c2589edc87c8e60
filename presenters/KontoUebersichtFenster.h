#pragma once
// An account's overview window as the account list reaches it. The account list's presenter keeps
// the open ones under the account name; the Qt window implements it.
#include <memory>
#include <string>

namespace vks {

class clKonto;

class KontoUebersichtFenster {
 public:
  virtual ~KontoUebersichtFenster() = default;
  // Loads the account into the window: caption, figures and lists.
  virtual void ShowDaten(std::shared_ptr<clKonto> konto) = 0;
  virtual void RefreshBasisWerte() = 0;
  // The price-save tick ran; `gespeichert`: it wrote this account's price-driven values, so the
  // figures are due again.
  virtual void KursTick(bool gespeichert) {
    if (gespeichert) RefreshBasisWerte();
  }
  virtual void SetzeTitel(const std::string& titel) = 0;
  // Shows the window modelessly, or brings it up when it is shown.
  virtual void Zeigen() = 0;
  // Closes the window for good.
  virtual void Entladen() = 0;
};

// Makes the overview windows.
class KontoUebersichtFabrik {
 public:
  virtual ~KontoUebersichtFabrik() = default;
  virtual std::shared_ptr<KontoUebersichtFenster> NeuesFenster() = 0;
};

}  // namespace vks
