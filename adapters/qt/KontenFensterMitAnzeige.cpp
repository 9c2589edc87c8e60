#include "adapters/qt/KontenFensterMitAnzeige.h"

#include <cstdlib>

#include "platform/files/FileSystem.h"
#include "presenters/HauptfensterPresenter.h"
#include "session/KontoSitzung.h"

namespace vks {

bool AnzeigeVorhanden() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* wert = std::getenv(name);
    if (wert && *wert) return true;
  }
  return false;
}

KontenFensterMitAnzeige::KontenFensterMitAnzeige(ServerAnzeigeTeile teile)
    : teile_(std::move(teile)),
      konto_dialog_([this] { return DialogUmfeld(); }),
      uebersichten_([this] { return FensterUmfeld(); }) {}

KontenFensterMitAnzeige::~KontenFensterMitAnzeige() = default;

NeuesKontoUmfeld KontenFensterMitAnzeige::DialogUmfeld() {
  auto uebersicht_neu_fuellen = [this](const std::shared_ptr<clKonto>& konto) {
    auto* fenster = teile_.presenter.UebersichtsFenster().Find(konto->KontoName);
    if (!fenster) return false;
    (*fenster)->ShowDaten(konto);
    return true;
  };
  return {teile_.melder,  teile_.clock,          teile_.sitzung.Konten,     teile_.locale,
          teile_.dateien, &teile_.kontoumgebung, &teile_.presenter,         uebersicht_neu_fuellen,
          teile_.script,  &teile_.settings,      teile_.sitzung.HilfeDatei, {}};
}

UebersichtUmfeld KontenFensterMitAnzeige::FensterUmfeld() {
  auto entfernen = [this](const std::string& name) {
    if (fenster_) fenster_->Befehle().RemoveKontoFenster(name);
  };
  return {teile_.melder,    teile_.kontoumgebung, teile_.locale, &teile_.presenter,
          teile_.verteiler, &teile_.settings,     &sortierung_,  entfernen};
}

void KontenFensterMitAnzeige::ZeigeKontenFenster() {
  if (!fenster_) {
    HauptfensterUmfeld umfeld{
        teile_.sitzung,        teile_.presenter, teile_.melder, teile_.kontoumgebung,
        teile_.clock,          teile_.dateien,   konto_dialog_, uebersichten_,
        teile_.speicherordner, hilfe_,           teile_.locale};
    fenster_ = std::make_unique<frmHauptfenster>(umfeld, &teile_.settings);
    QObject::connect(fenster_.get(), &frmHauptfenster::Geschlossen, [this] {
      if (geschlossen_) geschlossen_();
    });
  }
  fenster_->show();
  fenster_->raise();
  fenster_->activateWindow();
}

void KontenFensterMitAnzeige::EntladeKontenFenster() {
  if (KontenFensterOffen()) {
    fenster_->close();  // saves layout and pending changes
  } else {
    teile_.presenter.Plan().Entladen();
  }
}

bool KontenFensterMitAnzeige::KontenFensterOffen() const {
  return fenster_ && fenster_->isVisible();
}

void KontenFensterMitAnzeige::SchliesseKontenFenster() {
  if (KontenFensterOffen()) fenster_->close();
}

}  // namespace vks
