#include "presenters/HauptfensterPresenter.h"

#include "accounts/KursDatenJetztSpeichern.h"
#include "platform/automation/KeyedDictionary.h"
#include "presenters/KontenListe.h"
#include "presenters/KontoUebersichtFenster.h"

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
  const bool fenster = uebersichten_ && uebersichten_->Count() > 0;
  size_t position = 0;
  for (auto& entry : konten_) {
    clKonto& konto = *entry.value;
    const bool gespeichert = vks::KursDatenJetztSpeichern(konto, rtt_);
    // Numbers only: the list makes texts for the rows it shows.
    if (gespeichert && ansicht_)
      kurswerte_.push_back(
          {position, konto.KontoName, konto.AktuelleZeit, konto.BerechneGesamtKapital()});
    ++position;
    if (!fenster) continue;
    if (const auto* uebersicht = uebersichten_->Find(konto.KontoName))
      (*uebersicht)->KursTick(gespeichert);
  }
  if (!kurswerte_.empty()) ansicht_->AlleKurswerteSetzen(kurswerte_);
  kurswerte_.clear();  // its names are the accounts' own, kept no longer than the tick
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
