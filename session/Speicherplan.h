#pragma once
// The save schedule of the session: the pending-save flag with the store save that the 5 000 ms
// timer runs, and the price-save tick that the 500 ms timer runs, writing each account's waiting
// price-driven values. The program's timers (or a test) call the ticks, with or without a display;
// windows observe the price-save tick and the store's failing saves. Every save of the server's
// store goes through ZeitgeberTick, so that no failed save goes unnoticed.
#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "recording/RttAufzeichnung.h"
#include "session/AccountStore.h"

namespace vks {

// An account whose waiting values a price-save tick wrote, with its place in the collection.
struct GeschriebenesKonto {
  size_t position;
  const clKonto* konto;
};

class KursTickBeobachter {
 public:
  virtual ~KursTickBeobachter() = default;
  // After every price-save tick: the accounts it wrote values of, in collection order (often none).
  virtual void NachKursTick(std::span<const GeschriebenesKonto> geschrieben) = 0;
  // One account's waiting values were written at once, at the host's request.
  virtual void KurswerteSofortGeschrieben(const clKonto& /*konto*/) {}
  // A save failed where the last one did not (or failed otherwise), or succeeded after failures.
  virtual void SpeicherfehlerGeaendert(const std::optional<AutomationError>& /*fehler*/) {}
  // The account store has just been saved.
  virtual void Gespeichert() {}
};

class Speicherplan {
 public:
  static constexpr int kSpeichernIntervallMs = 5000;
  static constexpr int kKursSpeichernIntervallMs = 500;

  Speicherplan(KontenSammlung& konten, AccountStore& store, RttAufzeichnung& rtt)
      : konten_(konten), store_(store), rtt_(rtt) {}

  void Anmelden(KursTickBeobachter* beobachter);
  void Abmelden(KursTickBeobachter* beobachter);

  bool SpeichernAusstehend() const { return speichern_ausstehend_; }
  void SetzeSpeichernAusstehend() { speichern_ausstehend_ = true; }

  // Saves the account store when the flag is set, and clears the flag once the save succeeded: a
  // failed save (a full disk, a folder that refuses writes) is tried again on the next tick, and
  // the observers hear of it until then.
  void ZeitgeberTick();
  // Writes every account's waiting price-driven values, then tells the observers.
  void KursspeichernZeitgeberTick();
  // Writes one account's waiting price-driven values at once. Returns whether it had any.
  bool KursDatenJetztSpeichern(clKonto& konto);
  // The last window closing or the last host leaving: saves what is pending.
  void Entladen() { ZeitgeberTick(); }
  // Why the last save failed; none after a good one.
  const std::optional<AutomationError>& Speicherfehler() const { return speicherfehler_; }

 private:
  KontenSammlung& konten_;
  AccountStore& store_;
  RttAufzeichnung& rtt_;
  bool speichern_ausstehend_ = false;
  std::optional<AutomationError> speicherfehler_;
  std::vector<KursTickBeobachter*> beobachter_;
  std::vector<GeschriebenesKonto> geschrieben_;  // one tick's, kept for its room
};

}  // namespace vks
