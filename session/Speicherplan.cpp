#include "session/Speicherplan.h"

#include <algorithm>

#include "accounts/KursDatenJetztSpeichern.h"

namespace vks {

void Speicherplan::Anmelden(KursTickBeobachter* beobachter) {
  beobachter_.push_back(beobachter);
}

void Speicherplan::Abmelden(KursTickBeobachter* beobachter) {
  std::erase(beobachter_, beobachter);
}

void Speicherplan::ZeitgeberTick() {
  if (!speichern_ausstehend_) return;
  std::optional<AutomationError> fehler = store_.SpeichereKonten(konten_);
  speichern_ausstehend_ = fehler.has_value();
  if (!fehler) {
    for (size_t i = 0; i < beobachter_.size(); ++i) beobachter_[i]->Gespeichert();
  }
  const auto beschreibung = [](const std::optional<AutomationError>& f) {
    return f ? std::optional<std::string>(f->Description()) : std::nullopt;
  };
  if (beschreibung(fehler) == beschreibung(speicherfehler_)) return;
  speicherfehler_ = std::move(fehler);
  for (size_t i = 0; i < beobachter_.size(); ++i)
    beobachter_[i]->SpeicherfehlerGeaendert(speicherfehler_);
}

void Speicherplan::KursspeichernZeitgeberTick() {
  size_t position = 0;
  for (auto& entry : konten_) {
    if (vks::KursDatenJetztSpeichern(*entry.value, rtt_))
      geschrieben_.push_back({position, entry.value.get()});
    ++position;
  }
  // By index: an observer may leave while being told.
  for (size_t i = 0; i < beobachter_.size(); ++i) beobachter_[i]->NachKursTick(geschrieben_);
  geschrieben_.clear();
}

bool Speicherplan::KursDatenJetztSpeichern(clKonto& konto) {
  if (!vks::KursDatenJetztSpeichern(konto, rtt_)) return false;
  for (size_t i = 0; i < beobachter_.size(); ++i) beobachter_[i]->KurswerteSofortGeschrieben(konto);
  return true;
}

}  // namespace vks
