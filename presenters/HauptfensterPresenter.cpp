#include "presenters/HauptfensterPresenter.h"

#include <algorithm>

#include "accounts/clKonto.h"
#include "presenters/KontoUebersichtFenster.h"

namespace vks {

HauptfensterPresenter::HauptfensterPresenter(KontenSammlung& konten, Speicherplan& plan,
                                             AutomationLocale locale)
    : konten_(konten), plan_(plan), locale_(std::move(locale)) {
  plan_.Anmelden(this);
}

HauptfensterPresenter::~HauptfensterPresenter() {
  plan_.Abmelden(this);
}

std::string SpeicherstatusText(const std::optional<AutomationError>& fehler) {
  if (!fehler) return "";
  return "Die Konten konnten nicht gespeichert werden (" + fehler->Description() +
         "). Neuer Versuch alle " + std::to_string(Speicherplan::kSpeichernIntervallMs / 1000) +
         " Sekunden.";
}

void HauptfensterPresenter::SetzeAnsicht(KontenListeAnsicht* ansicht) {
  ansicht_ = ansicht;
  if (!ansicht_) return;
  InitKontoListe();
  if (plan_.Speicherfehler()) SpeicherfehlerGeaendert(plan_.Speicherfehler());
}

void HauptfensterPresenter::SpeicherfehlerGeaendert(const std::optional<AutomationError>& fehler) {
  if (ansicht_) ansicht_->SpeicherstatusZeigen(SpeicherstatusText(fehler));
}

void HauptfensterPresenter::NachKursTick(std::span<const GeschriebenesKonto> geschrieben) {
  if (ansicht_ && !geschrieben.empty()) {
    // Numbers only: the list makes texts for the rows it shows.
    for (const GeschriebenesKonto& g : geschrieben)
      kurswerte_.push_back({g.position, g.konto->KontoName, g.konto->AktuelleZeit,
                            g.konto->BerechneGesamtKapital()});
    ansicht_->AlleKurswerteSetzen(kurswerte_);
    kurswerte_.clear();  // its names are the accounts' own, kept no longer than the tick
  }
  if (uebersichten_.Count() == 0) return;
  std::vector<const KontoUebersichtFenster*> geschriebene;
  for (const GeschriebenesKonto& g : geschrieben)
    if (const auto* fenster = uebersichten_.Find(g.konto->KontoName))
      geschriebene.push_back(fenster->get());
  // A window may close while it is told: the table is walked by a copy.
  std::vector<std::shared_ptr<KontoUebersichtFenster>> fenster;
  for (const auto& entry : uebersichten_)
    if (konten_.Exists(entry.key)) fenster.push_back(entry.value);
  for (const auto& uebersicht : fenster)
    uebersicht->KursTick(std::find(geschriebene.begin(), geschriebene.end(), uebersicht.get()) !=
                         geschriebene.end());
}

void HauptfensterPresenter::AccountReplaced(const std::shared_ptr<clKonto>& konto) {
  ZeileAktualisieren(*konto, ZeilenAnlass::kReset);
  if (const auto* fenster = uebersichten_.Find(konto->KontoName)) (*fenster)->ShowDaten(konto);
}

void HauptfensterPresenter::InitKontoListe() {
  if (!ansicht_) return;
  std::vector<KontenZeile> zeilen;
  zeilen.reserve(static_cast<size_t>(konten_.Count()));
  for (const auto& entry : konten_) zeilen.push_back(BaueKontenZeile(*entry.value, locale_));
  ansicht_->ListeFuellen(zeilen);
}

void HauptfensterPresenter::ZeileAktualisieren(const clKonto& konto, ZeilenAnlass anlass) {
  if (!ansicht_) return;
  // An open overview window refreshes the row after a closed position, in the list's format.
  if (anlass == ZeilenAnlass::kPositionGeschlossen && uebersichten_.Find(konto.KontoName))
    anlass = ZeilenAnlass::kListe;
  ansicht_->ZeileSetzen(BaueKontenZeile(konto, locale_, anlass));
}

void HauptfensterPresenter::ZeileEntfernen(const std::string& KontoName) {
  if (ansicht_) ansicht_->ZeileEntfernen(FoldCase(KontoName));
}

}  // namespace vks
