#include "server/KontenFensterOhneAnzeige.h"

#include "accounts/KursDatenJetztSpeichern.h"

namespace vks {

void KontenFensterOhneAnzeige::OnSaveTick() {
  if (!SpeichernAusstehend) return;
  store_.SpeichereKonten(state_.Konten);
  SpeichernAusstehend = false;
}

void KontenFensterOhneAnzeige::OnPriceSaveTick() {
  const RttStorage storage{state_.RTTSpeicherOrdner};
  for (auto& entry : state_.Konten) {
    try {
      (void)KursDatenJetztSpeichern(*entry.value, storage);
    } catch (...) {
      // A tick that fails for one account must not stop the others.
    }
  }
}

void KontenFensterOhneAnzeige::EntladeKontenFenster() {
  OnSaveTick();
}

}  // namespace vks
