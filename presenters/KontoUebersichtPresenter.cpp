#include "presenters/KontoUebersichtPresenter.h"

#include "accounts/EintraegeLoeschen.h"
#include "accounts/KontoUmgebung.h"
#include "accounts/clKonto.h"
#include "platform/system/MessageReporter.h"
#include "presenters/HauptfensterPresenter.h"

namespace vks {
namespace {

constexpr const char* kOeffnenFehler = "Fehler beim Öffnen des Konto-Fensters aufgetreten: ";

struct ListenZiel {
  UebersichtListe liste;
  const char* frage_anfang;
  const char* frage_ende;
};

// The tool bar's title names the list it acts on.
const ListenZiel* ZielFuerTitel(const std::string& titel) {
  static const ListenZiel kZiele[] = {
      {UebersichtListe::kOrders, "Sollen die ",
       "offenen Orders wirklich gelöscht werden? Die entsprechenden Orders in Tradomir werden "
       "davon nicht berührt."},
      {UebersichtListe::kPositionen, "Sollen die ", "Positionen wirklich gelöscht werden?"},
      {UebersichtListe::kAusfuehrungen, "Sollen die ",
       "Ausführungen wirklich aus der Liste gelöscht werden?"},
  };
  for (const ListenZiel& ziel : kZiele)
    if (titel == kUebersichtPanes[static_cast<int>(ziel.liste) + 1].titel) return &ziel;
  return nullptr;
}

constexpr const char* kAbrechnenFrage =
    "Soll die Margin und der Open P/L der zu löschenden Positionen abgerechnet werden? Wenn Sie "
    "'Nein' klicken, werden die Positionen ohne weitere Kapital-Verrechnung einfach gelöscht.";

}  // namespace

KontoUebersichtPresenter::KontoUebersichtPresenter(KontoUebersichtAnsicht& ansicht,
                                                   MessageReporter& melder,
                                                   const KontoUmgebung& umgebung,
                                                   HauptfensterPresenter* hauptfenster,
                                                   AutomationLocale locale)
    : ansicht_(ansicht),
      melder_(melder),
      umgebung_(umgebung),
      hauptfenster_(hauptfenster),
      locale_(std::move(locale)) {}

void KontoUebersichtPresenter::Melde(const std::string& text, const std::exception& fehler) {
  melder_.ZeigeMeldung(text + fehler.what(), msgbox::kOkOnly);
}

void KontoUebersichtPresenter::ShowDaten(std::shared_ptr<clKonto> AktKonto) {
  konto_ = std::move(AktKonto);
  if (!konto_) return;
  const clKonto& konto = *konto_;
  try {
    ansicht_.SetzeTitel("Übersicht für Konto '" + konto.KontoName + "'");
  } catch (const std::exception& e) {
    Melde(kOeffnenFehler, e);
  }
  RefreshBasisWerte();
  auto fuelle = [&](UebersichtListe liste, const auto& sammlung, auto baue) {
    try {
      std::vector<UebersichtZeile> zeilen;
      zeilen.reserve(sammlung.Count());
      for (const auto& entry : sammlung) zeilen.push_back(baue(entry.value));
      ansicht_.ListeFuellen(liste, std::move(zeilen));
    } catch (const std::exception& e) {
      Melde(kOeffnenFehler, e);
    }
  };
  fuelle(UebersichtListe::kOrders, konto.cOffeneOrders,
         [](const auto& o) { return BaueOrderZeile(*o); });
  fuelle(UebersichtListe::kAusfuehrungen, konto.cFilledOrders, [](const auto& f) {
    return UebersichtZeile{f->ID, {}, f};
  });
  fuelle(UebersichtListe::kPositionen, konto.cTitelPositionen,
         [&](const auto& p) { return BauePositionsZeile(*p, locale_); });
}

void KontoUebersichtPresenter::ZeigeZahlen() {
  if (!konto_) return;
  try {
    ansicht_.SetzeZahlen(BaueKontoZahlen(*konto_, locale_));
  } catch (const std::exception& e) {
    Melde(kOeffnenFehler, e);
  }
}

void KontoUebersichtPresenter::RefreshBasisWerte() {
  ZeigeZahlen();
  if (konto_ && hauptfenster_) hauptfenster_->ZeileAktualisieren(*konto_);
}

int32_t KontoUebersichtPresenter::SelectCount(UebersichtListe liste) const {
  return static_cast<int32_t>(ansicht_.MarkierteKeys(liste).size());
}

void KontoUebersichtPresenter::PaneAktiviert(int id) {
  if (id < 2 || id > 4) {
    ansicht_.SetzeWerkzeugleiste(werkzeug_titel_, false, false);
    return;
  }
  const auto liste = static_cast<UebersichtListe>(id - 2);
  werkzeug_titel_ = kUebersichtPanes[id - 1].titel;
  ansicht_.SetzeWerkzeugleiste(werkzeug_titel_, SelectCount(liste) >= 1,
                               ansicht_.ZeilenAnzahl(liste) >= 1);
}

void KontoUebersichtPresenter::Werkzeugbefehl(int id) {
  if (id == 1 || id == 2) LöscheEinträge(werkzeug_titel_, id == 2);
}

void KontoUebersichtPresenter::LöscheEinträge(const std::string& /*Herkunft*/, bool Alle) {
  const ListenZiel* ziel = ZielFuerTitel(werkzeug_titel_);
  if (!ziel) {
    melder_.ZeigeMeldung("Herkunft des Befehls nicht definiert...", msgbox::kOkOnly);
    return;
  }
  if (!konto_ || ansicht_.ZeilenAnzahl(ziel->liste) == 0) return;
  if (Alle) ansicht_.AlleMarkieren(ziel->liste);
  const std::string frage =
      std::string(ziel->frage_anfang) + (Alle ? "" : "markierten ") + ziel->frage_ende;
  if (melder_.ZeigeMeldung(frage, msgbox::kYesNo) != msgbox::kYes) return;

  std::vector<std::string> entfernt;
  ZeileEntfernt merke = [&](const std::string& key) { entfernt.push_back(key); };
  const std::vector<std::string> markiert = ansicht_.MarkierteKeys(ziel->liste);
  try {
    switch (ziel->liste) {
      case UebersichtListe::kOrders:
        LöscheOffeneOrders(*konto_, markiert, umgebung_, merke);
        break;
      case UebersichtListe::kPositionen: {
        const bool abrechnen =
            melder_.ZeigeMeldung(kAbrechnenFrage, msgbox::kYesNo) == msgbox::kYes;
        LöschePositionen(*konto_, markiert, abrechnen, umgebung_, merke);
        break;
      }
      case UebersichtListe::kAusfuehrungen:
        LöscheAusführungen(*konto_, markiert, umgebung_, merke);
        break;
    }
  } catch (const std::exception&) {
    // The deletion stopped at a row the account no longer holds; what went stays gone.
  }
  ansicht_.ZeilenEntfernen(ziel->liste, entfernt);
  RefreshBasisWerte();
  if (hauptfenster_) hauptfenster_->Plan().SetzeSpeichernAusstehend();
}

void KontoUebersichtPresenter::OrderAdded(const clKonto& konto, const clOffeneOrder& order) {
  if (Zeigt(konto)) ansicht_.ZeileSetzen(UebersichtListe::kOrders, BaueOrderZeile(order));
}

void KontoUebersichtPresenter::OrderChanged(const clKonto& konto, const clOffeneOrder& order) {
  OrderAdded(konto, order);
}

void KontoUebersichtPresenter::OrderRemoved(const clKonto& konto, const clOffeneOrder& order) {
  if (Zeigt(konto)) ansicht_.ZeilenEntfernen(UebersichtListe::kOrders, {order.ID});
}

void KontoUebersichtPresenter::EntryMarginChanged(const clKonto& konto) {
  if (Zeigt(konto)) ZeigeZahlen();
}

void KontoUebersichtPresenter::PositionAdded(const clKonto& konto,
                                             const clTitelPosition& position) {
  PositionChanged(konto, position);
}

void KontoUebersichtPresenter::PositionChanged(const clKonto& konto,
                                               const clTitelPosition& position) {
  if (!Zeigt(konto)) return;
  if (konto.cTitelPositionen.Exists(position.TitelWKN)) {
    ansicht_.ZeileSetzen(UebersichtListe::kPositionen, BauePositionsZeile(position, locale_));
  } else {
    ansicht_.ZeilenEntfernen(UebersichtListe::kPositionen, {"#" + position.TitelWKN});
  }
}

void KontoUebersichtPresenter::FillAdded(const clKonto& konto, const clFilledOrder& fill) {
  if (Zeigt(konto))
    ansicht_.ZeileSetzen(UebersichtListe::kAusfuehrungen, BaueFillZeile(fill, locale_));
}

void KontoUebersichtPresenter::AccountRowChanged(const clKonto& konto) {
  if (Zeigt(konto)) ZeigeZahlen();
}

}  // namespace vks
