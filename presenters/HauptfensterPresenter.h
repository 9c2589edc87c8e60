#pragma once
// The account list window without its widgets: the rows, kept current by the bookings and by the
// session's price-save tick, and the open overview windows, which the tick keeps current too. The
// Qt window (or nothing, without a display) shows the rows.
#include <memory>
#include <string>
#include <vector>

#include "accounts/KontoBeobachter.h"
#include "platform/automation/AutomationLocale.h"
#include "platform/automation/KeyedDictionary.h"
#include "presenters/KontenListe.h"
#include "session/Speicherplan.h"

namespace vks {

class KontoUebersichtFenster;

// The status line's text for the last save's failure ("" when there is none).
std::string SpeicherstatusText(const std::optional<AutomationError>& fehler);

// Account name (folded) → its open overview window.
using UebersichtsFensterTabelle = KeyedDictionary<std::shared_ptr<KontoUebersichtFenster>>;

class HauptfensterPresenter : public KontoBeobachter, public KursTickBeobachter {
 public:
  HauptfensterPresenter(KontenSammlung& konten, Speicherplan& plan, AutomationLocale locale);
  ~HauptfensterPresenter() override;
  HauptfensterPresenter(const HauptfensterPresenter&) = delete;
  HauptfensterPresenter& operator=(const HauptfensterPresenter&) = delete;

  // Without a view the rows are simply not shown.
  void SetzeAnsicht(KontenListeAnsicht* ansicht);
  Speicherplan& Plan() { return plan_; }
  // The open overview windows; the windows' commands add and remove them.
  UebersichtsFensterTabelle& UebersichtsFenster() { return uebersichten_; }

  // Clears the list and adds one row per account in collection order.
  void InitKontoListe();
  void ZeileAktualisieren(const clKonto& konto, ZeilenAnlass anlass = ZeilenAnlass::kListe);
  void ZeileEntfernen(const std::string& KontoName);

  // The price-save tick refreshes "Datum" and "Gesamtwert" in the rows of the accounts it wrote
  // and tells each open overview window whether it wrote its account's values.
  void NachKursTick(std::span<const GeschriebenesKonto> geschrieben) override;
  void KurswerteSofortGeschrieben(const clKonto& konto) override { ZeileAktualisieren(konto); }
  // A failing save shows in the status line until a save succeeds: no message box, since nobody
  // may be there to answer it.
  void SpeicherfehlerGeaendert(const std::optional<AutomationError>& fehler) override;

  // The bookings' notifications reach the account's row.
  void OrderAdded(const clKonto&, const clOffeneOrder&) override {}
  void OrderChanged(const clKonto&, const clOffeneOrder&) override {}
  void OrderRemoved(const clKonto&, const clOffeneOrder&) override {}
  void EntryMarginChanged(const clKonto& konto) override { ZeileAktualisieren(konto); }
  void PositionAdded(const clKonto&, const clTitelPosition&) override {}
  void PositionChanged(const clKonto&, const clTitelPosition&) override {}
  void FillAdded(const clKonto&, const clFilledOrder&) override {}
  void AccountRowChanged(const clKonto& konto, ZeilenAnlass anlass) override {
    ZeileAktualisieren(konto, anlass);
  }
  // A reset account: its row, and an open overview, which would go on showing the old one.
  void AccountReplaced(const std::shared_ptr<clKonto>& konto) override;

 private:
  KontenSammlung& konten_;
  Speicherplan& plan_;
  AutomationLocale locale_;
  KontenListeAnsicht* ansicht_ = nullptr;
  UebersichtsFensterTabelle uebersichten_;
  std::vector<Kurswerte> kurswerte_;  // one tick's, kept for its room
};

}  // namespace vks
