#pragma once
// The save schedule of the session: the pending-save flag with the store save that the 5 000 ms
// timer runs, and the price-save tick that the 500 ms timer runs, writing each account's waiting
// price-driven values. The program's timers (or a test) call the ticks, with or without a display;
// windows observe the price-save tick.
#include <cstddef>
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

  // Saves the account store when the flag is set, then clears it (also after a failed save, which
  // the store has logged).
  void ZeitgeberTick();
  // Writes every account's waiting price-driven values, then tells the observers.
  void KursspeichernZeitgeberTick();
  // Writes one account's waiting price-driven values at once. Returns whether it had any.
  bool KursDatenJetztSpeichern(clKonto& konto);
  // The last window closing or the last host leaving: saves what is pending.
  void Entladen() { ZeitgeberTick(); }

 private:
  KontenSammlung& konten_;
  AccountStore& store_;
  RttAufzeichnung& rtt_;
  bool speichern_ausstehend_ = false;
  std::vector<KursTickBeobachter*> beobachter_;
  std::vector<GeschriebenesKonto> geschrieben_;  // one tick's, kept for its room
};

}  // namespace vks
