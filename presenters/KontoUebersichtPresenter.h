#pragma once
// The account overview window without its widgets: fills the figures and the three lists, keeps
// them current while the bookkeeping reports changes, knows which list the tool bar acts on, and
// runs the deletions with their questions. The Qt window (or a test) implements the view.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "accounts/KontoBeobachter.h"
#include "platform/automation/AutomationLocale.h"
#include "presenters/UebersichtZeilen.h"

namespace vks {

class HauptfensterPresenter;
class MessageReporter;
struct KontoUmgebung;

inline constexpr const char* kUebersichtLayout = "KontoUebersicht";

// Panes of the window: their ids are those the docking control reports.
struct UebersichtPane {
  int id;
  const char* titel;
  int breite, hoehe;
};
inline constexpr UebersichtPane kUebersichtPanes[] = {{1, "Konto", 250, 280},
                                                      {2, "Offene Orders", 250, 220},
                                                      {3, "Positionen", 250, 220},
                                                      {4, "Ausführungen", 250, 220}};

class KontoUebersichtAnsicht {
 public:
  virtual ~KontoUebersichtAnsicht() = default;
  virtual void SetzeTitel(const std::string& titel) = 0;
  virtual void SetzeZahlen(const KontoZahlen& zahlen) = 0;
  // Replaces every row of the list.
  virtual void ListeFuellen(UebersichtListe liste, std::vector<UebersichtZeile> zeilen) = 0;
  // Adds the row, or replaces the one with the same key.
  virtual void ZeileSetzen(UebersichtListe liste, UebersichtZeile zeile) = 0;
  virtual void ZeilenEntfernen(UebersichtListe liste, const std::vector<std::string>& keys) = 0;
  virtual size_t ZeilenAnzahl(UebersichtListe liste) const = 0;
  // Keys of the marked rows in the order the list shows them.
  virtual std::vector<std::string> MarkierteKeys(UebersichtListe liste) const = 0;
  virtual void AlleMarkieren(UebersichtListe liste) = 0;
  virtual void SetzeWerkzeugleiste(const std::string& titel, bool markierte_loeschen,
                                   bool alle_loeschen) = 0;
};

class KontoUebersichtPresenter : public KontoBeobachter {
 public:
  // `hauptfenster` may be null (no account list): its row is then simply not updated.
  KontoUebersichtPresenter(KontoUebersichtAnsicht& ansicht, MessageReporter& melder,
                           const KontoUmgebung& umgebung, HauptfensterPresenter* hauptfenster,
                           AutomationLocale locale);

  const std::shared_ptr<clKonto>& Konto() const { return konto_; }
  const std::string& WerkzeugTitel() const { return werkzeug_titel_; }

  // Shows this account: caption, figures and the three lists. A failing step is reported and the
  // next one runs.
  void ShowDaten(std::shared_ptr<clKonto> AktKonto);
  // The figures anew, and the account's row in the account list.
  void RefreshBasisWerte();
  // The docking control made pane `id` active: a list pane becomes the tool bar's target.
  void PaneAktiviert(int id);
  // Button 1 deletes the marked rows of the tool bar's list, button 2 all of them.
  void Werkzeugbefehl(int id);
  void LöscheEinträge(const std::string& Herkunft, bool Alle);
  int32_t SelectCount(UebersichtListe liste) const;
  // The window closes: the account is let go and no notification reaches the view any more.
  void Schliessen() { konto_.reset(); }
  // The figures alone, as a price tick changes them.
  void ZeigeZahlen();

  void OrderAdded(const clKonto& konto, const clOffeneOrder& order) override;
  void OrderChanged(const clKonto& konto, const clOffeneOrder& order) override;
  void OrderRemoved(const clKonto& konto, const clOffeneOrder& order) override;
  void EntryMarginChanged(const clKonto& konto) override;
  void PositionAdded(const clKonto& konto, const clTitelPosition& position) override;
  void PositionChanged(const clKonto& konto, const clTitelPosition& position) override;
  void FillAdded(const clKonto& konto, const clFilledOrder& fill) override;
  void AccountRowChanged(const clKonto& konto, ZeilenAnlass anlass) override;

 private:
  bool Zeigt(const clKonto& konto) const { return konto_.get() == &konto; }
  void Melde(const std::string& text, const std::exception& fehler);

  KontoUebersichtAnsicht& ansicht_;
  MessageReporter& melder_;
  const KontoUmgebung& umgebung_;
  HauptfensterPresenter* hauptfenster_;
  AutomationLocale locale_;
  std::shared_ptr<clKonto> konto_;
  std::string werkzeug_titel_ = "Befehle";
};

}  // namespace vks
