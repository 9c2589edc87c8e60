#include "server/HauptfensterPresenter.h"

#include "accounts/KursDatenJetztSpeichern.h"
#include "platform/automation/KeyedDictionary.h"
#include "recording/RttWriter.h"
#include "server/KontenListe.h"
#include "server/KontoUebersichtFenster.h"

namespace vks {

HauptfensterPresenter::HauptfensterPresenter(KontenSammlung& konten, AccountStore& store,
                                             const RttStorage& rtt, AutomationLocale locale)
    : konten_(konten), store_(store), rtt_(rtt), locale_(std::move(locale)) {}

void HauptfensterPresenter::SetzeAnsicht(KontenListeAnsicht* ansicht) {
  ansicht_ = ansicht;
  if (ansicht_) InitKontoListe();
}

void HauptfensterPresenter::ZeitgeberTick() {
  if (!speichern_ausstehend_) return;
  store_.SpeichereKonten(konten_);
  speichern_ausstehend_ = false;
}

bool HauptfensterPresenter::KursDatenJetztSpeichern(clKonto& konto) {
  if (!vks::KursDatenJetztSpeichern(konto, rtt_)) return false;
  ZeileAktualisieren(konto);
  return true;
}

void HauptfensterPresenter::KursspeichernZeitgeberTick() {
  // A tick inside a host's call (a message box's event loop) must not overtake its values.
  SchreibeWartendeRttWerte();
  std::vector<Kurswerte> kurswerte;
  if (ansicht_) kurswerte.reserve(static_cast<size_t>(konten_.Count()));
  for (auto& entry : konten_) {
    clKonto& konto = *entry.value;
    const bool gespeichert = vks::KursDatenJetztSpeichern(konto, rtt_);
    // Only the two texts a price moves: the rest of the row is not formatted again.
    if (gespeichert && ansicht_)
      kurswerte.push_back(
          {FoldCase(konto.KontoName), DatumText(konto, locale_), GesamtwertText(konto, locale_)});
    if (!uebersichten_ || uebersichten_->Count() == 0) continue;
    if (const auto* fenster = uebersichten_->Find(konto.KontoName))
      (*fenster)->KursTick(gespeichert);
  }
  if (!kurswerte.empty()) ansicht_->AlleKurswerteSetzen(kurswerte);
}

void HauptfensterPresenter::InitKontoListe() {
  if (!ansicht_) return;
  std::vector<KontenZeile> zeilen;
  zeilen.reserve(static_cast<size_t>(konten_.Count()));
  for (const auto& entry : konten_) zeilen.push_back(BaueKontenZeile(*entry.value, locale_));
  ansicht_->ListeFuellen(zeilen);
}

void HauptfensterPresenter::ZeileAktualisieren(const clKonto& konto) {
  if (ansicht_) ansicht_->ZeileSetzen(BaueKontenZeile(konto, locale_));
}

void HauptfensterPresenter::ZeileEntfernen(const std::string& KontoName) {
  if (ansicht_) ansicht_->ZeileEntfernen(FoldCase(KontoName));
}

void HauptfensterPresenter::Entladen() {
  ZeitgeberTick();
}

}  // namespace vks
