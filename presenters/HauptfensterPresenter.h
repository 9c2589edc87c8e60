#pragma once
// The account list window without its widgets: the pending-save flag, the two timer ticks, the
// rows, and the unload that saves. The Qt window (or nothing, without a display) drives it; the
// timers call the ticks every 5 000 and 500 ms.
#include <memory>
#include <string>

#include "accounts/KontoBeobachter.h"
#include "platform/automation/AutomationLocale.h"
#include "platform/automation/KeyedDictionary.h"
#include "recording/RttStorage.h"
#include "session/AccountStore.h"
#include "presenters/KontenListe.h"

namespace vks {

class KontoUebersichtFenster;

using UebersichtsFensterTabelle = KeyedDictionary<std::shared_ptr<KontoUebersichtFenster>>;

class HauptfensterPresenter : public KontoBeobachter {
 public:
  static constexpr int kSpeichernIntervallMs = 5000;
  static constexpr int kKursSpeichernIntervallMs = 500;

  HauptfensterPresenter(KontenSammlung& konten, AccountStore& store, const RttStorage& rtt,
                        AutomationLocale locale);

  // Without a view the rows are simply not shown; the flag and the timers work the same.
  void SetzeAnsicht(KontenListeAnsicht* ansicht);
  // The open overview windows that the price-save tick keeps current; none: no window is told.
  void SetzeUebersichtsFenster(const UebersichtsFensterTabelle* fenster) {
    uebersichten_ = fenster;
  }

  bool SpeichernAusstehend() const { return speichern_ausstehend_; }
  void SetzeSpeichernAusstehend() { speichern_ausstehend_ = true; }

  // Zeitgeber: saves the account store when the flag is set, then clears it (also after a
  // failed save, which the store has logged).
  void ZeitgeberTick();
  // KursspeichernZeitgeber: writes every account's waiting price-driven values, refreshes
  // "Datum" and "Gesamtwert" in the rows of the accounts that had any, and tells each open
  // overview window (KursTick).
  void KursspeichernZeitgeberTick();
  // Writes one account's waiting price-driven values at once. Returns whether it had any.
  bool KursDatenJetztSpeichern(clKonto& konto);

  // Clears the list and adds one row per account in collection order.
  void InitKontoListe();
  void ZeileAktualisieren(const clKonto& konto);
  void ZeileEntfernen(const std::string& KontoName);

  // Closing the window or the last host leaving: saves what is pending.
  void Entladen();

  // The bookings' notifications reach the account's row.
  void OrderAdded(const clKonto&, const clOffeneOrder&) override {}
  void OrderChanged(const clKonto&, const clOffeneOrder&) override {}
  void OrderRemoved(const clKonto&, const clOffeneOrder&) override {}
  void EntryMarginChanged(const clKonto& konto) override { ZeileAktualisieren(konto); }
  void PositionAdded(const clKonto&, const clTitelPosition&) override {}
  void PositionChanged(const clKonto&, const clTitelPosition&) override {}
  void FillAdded(const clKonto&, const clFilledOrder&) override {}
  void AccountRowChanged(const clKonto& konto) override { ZeileAktualisieren(konto); }

 private:
  KontenSammlung& konten_;
  AccountStore& store_;
  const RttStorage& rtt_;
  AutomationLocale locale_;
  KontenListeAnsicht* ansicht_ = nullptr;
  const UebersichtsFensterTabelle* uebersichten_ = nullptr;
  bool speichern_ausstehend_ = false;
  std::vector<Kurswerte> kurswerte_;  // one tick's, kept for its room
};

}  // namespace vks
