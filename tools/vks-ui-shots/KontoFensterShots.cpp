#include "tools/vks-ui-shots/KontoFensterShots.h"

#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <cmath>
#include <iostream>

#include "accounts/KontoUmgebung.h"
#include "accounts/VerbucheFill.h"
#include "accounts/clKonto.h"
#include "adapters/qt/HauptfensterAdapter.h"
#include "adapters/qt/frmKontoUebersicht.h"
#include "adapters/qt/frmNeuesKonto.h"
#include "adapters/qt/frmVBScriptBearbeiten.h"
#include "presenters/HauptfensterBefehle.h"
#include "presenters/HauptfensterPresenter.h"
#include "scripting/ScriptUmgebung.h"
#include "session/KontoSitzung.h"
#include "tools/vks-ui-shots/ShotDatei.h"

namespace vks {
namespace {

// The account whose lists all have rows, one with a cancellation rule first; else the first.
std::shared_ptr<clKonto> BeispielKonto(const KontenSammlung& konten) {
  std::shared_ptr<clKonto> erstes, gefuellt;
  for (const auto& entry : konten) {
    const clKonto& k = *entry.value;
    if (!erstes) erstes = entry.value;
    if (k.cOffeneOrders.Count() == 0 || k.cTitelPositionen.Count() == 0 ||
        k.cFilledOrders.Count() == 0)
      continue;
    if (!k.FillStreichBedingung.empty()) return entry.value;
    if (!gefuellt) gefuellt = entry.value;
  }
  return gefuellt ? gefuellt : erstes;
}

// Ten days of prices, one every two hours, with the account list's tick after each, and halfway a
// fill that halves the first position: capital moves with the prices, cash with the fill. The
// account runs on the data's time stamps so that the curve spreads over those days.
void SpieleKurse(clKonto& konto, const KontoShotUmfeld& u) {
  konto.UseSimulZeit = true;
  // Each price walks around the one its position was last valued at (as its open P/L tells).
  std::vector<std::pair<std::shared_ptr<clTitelPosition>, double>> positionen;
  for (const auto& entry : konto.cTitelPositionen) {
    const clTitelPosition& p = *entry.value;
    const double je_stueck = p.Position * (p.IstAktie() ? 1.0 : p.PointValue);
    positionen.emplace_back(entry.value,
                            p.Durchschnittspreis + (je_stueck != 0 ? p.OpenPL / je_stueck : 0));
  }
  const double start = konto.AktuelleZeit.days;
  for (int schritt = 1; schritt <= 120; ++schritt) {
    const DateValue zeit{start + schritt / 12.0};
    for (size_t i = 0; i < positionen.size(); ++i) {
      const auto& [p, basis] = positionen[i];
      const double k = static_cast<double>(i);
      // Zero at step 0, so that the curve goes on from where the account stood.
      const double lauf = (std::sin(schritt / 9.0 + k) - std::sin(k)) * 0.02 +
                          (std::sin(schritt / 2.3 + 2 * k) - std::sin(2 * k)) * 0.004 +
                          (i % 2 ? 1 : -1) * schritt * 0.0002;
      bool sofort = false;
      konto.NeuerKurs(p->TitelWKN, zeit, static_cast<float>(basis * (1 + lauf)), sofort, u.clock);
    }
    if (schritt == 60 && !positionen.empty()) {
      const clTitelPosition& p = *positionen.front().first;
      if (const int32_t anzahl = std::abs(p.Position) / 2; anzahl > 0) {
        VerbucheFill(konto, zeit, p.TitelWKN, p.TitelName, p.Position > 0 ? -1 : 1, anzahl,
                     p.AktuellerKurs, nullptr, u.kontoumgebung);
      }
    }
    u.presenter.Plan().KursspeichernZeitgeberTick();
  }
}

bool UebersichtShot(KontoShotUmfeld& u, const std::shared_ptr<clKonto>& konto,
                    const QString& ausgabe) {
  QtUebersichtFabrik fabrik([&u] {
    return UebersichtUmfeld{u.melder,     u.kontoumgebung, u.locale, &u.presenter,
                            &u.verteiler, nullptr,         nullptr,  nullptr};
  });
  std::shared_ptr<KontoUebersichtFenster> fenster = fabrik.NeuesFenster();
  fenster->ShowDaten(konto);
  u.presenter.UebersichtsFenster().Add(FoldCase(konto->KontoName), fenster);
  SpieleKurse(*konto, u);

  frmKontoUebersicht* qt_fenster = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    auto* f = qobject_cast<frmKontoUebersicht*>(w);
    if (f && f->Presenter().Konto() == konto) qt_fenster = f;
  }
  bool ok = false;
  if (qt_fenster) {
    qt_fenster->resize(1100, 720);
    qt_fenster->AktivierePane(4);  // the tool bar acts on the fills
    ok = Speichere(qt_fenster, ausgabe, "frmKontoUebersicht");
  }
  u.presenter.UebersichtsFenster().Remove(konto->KontoName);
  fenster->Entladen();
  return ok;
}

bool DialogShots(KontoShotUmfeld& u, const std::shared_ptr<clKonto>& konto, ScriptUmgebung& script,
                 const QString& ausgabe) {
  frmNeuesKonto dialog({u.melder,
                        u.clock,
                        u.sitzung.Konten,
                        u.locale,
                        u.dateien,
                        &u.kontoumgebung,
                        &u.presenter,
                        {},
                        &script,
                        &u.settings,
                        {},
                        {}});
  dialog.SetzeFelder(FelderAusKonto(*konto, u.locale));
  dialog.SetzeMarker(konto->KontoName);
  dialog.setWindowTitle(QString::fromStdString("Konto '" + konto->KontoName + "' bearbeiten"));
  dialog.Knopf("btnReset")->setEnabled(true);
  bool ok = true;
  const char* namen[] = {"frmNeuesKonto_Einstellungen", "frmNeuesKonto_Skripts"};
  for (int tab = 0; tab < 2; ++tab) {
    dialog.Tabs()->setCurrentIndex(tab);
    ok &= Speichere(&dialog, ausgabe, namen[tab]);
  }
  return ok;
}

// The editor and its open pop-ups are separate windows; the picture shows them where they stand.
QImage MitMenues(QWidget* fenster, std::initializer_list<QMenu*> menues) {
  QRect flaeche(fenster->mapToGlobal(QPoint(0, 0)), fenster->size());
  for (QMenu* m : menues) flaeche |= m->geometry();
  QImage bild(flaeche.size(), QImage::Format_ARGB32_Premultiplied);
  bild.fill(Qt::white);
  QPainter maler(&bild);
  maler.drawPixmap(fenster->mapToGlobal(QPoint(0, 0)) - flaeche.topLeft(), fenster->grab());
  for (QMenu* m : menues) maler.drawPixmap(m->pos() - flaeche.topLeft(), m->grab());
  return bild;
}

bool EditorShot(KontoShotUmfeld& u, const std::shared_ptr<clKonto>& konto, ScriptUmgebung& script,
                const QString& ausgabe) {
  frmVBScriptBearbeiten editor({u.melder, &script, &u.sitzung.Konten, &u.settings, u.locale});
  editor.SetzeScript(ScriptFuerEditor(0, konto->FillStreichBedingung));
  editor.SetzeKontoName(konto->KontoName);
  editor.show();
  QApplication::processEvents();
  bool ok = Speichere(&editor, ausgabe, "frmVBScriptBearbeiten");

  // "Kennzahlen" opened from its tool bar button, its group "Kapital" opened beside it.
  editor.show();
  QMenu* kennzahlen = editor.KennzahlenMenue();
  QPoint unter_knopf = editor.mapToGlobal(QPoint(0, 0));
  for (QToolBar* leiste : editor.findChildren<QToolBar*>()) {
    if (QWidget* knopf = leiste->widgetForAction(kennzahlen->menuAction()))
      unter_knopf = knopf->mapToGlobal(QPoint(0, knopf->height()));
  }
  kennzahlen->popup(unter_knopf);
  QApplication::processEvents();
  QMenu* gruppe = nullptr;
  for (QAction* a : kennzahlen->actions()) {
    if (a->menu() && a->text() == QStringLiteral("Kapital")) gruppe = a->menu();
  }
  if (gruppe) {
    kennzahlen->setActiveAction(gruppe->menuAction());
    const QRect eintrag = kennzahlen->actionGeometry(gruppe->menuAction());
    gruppe->popup(kennzahlen->mapToGlobal(eintrag.topRight()));
    QApplication::processEvents();
  }
  ok &= SpeichereBild(
      gruppe ? MitMenues(&editor, {kennzahlen, gruppe}) : MitMenues(&editor, {kennzahlen}), ausgabe,
      "frmVBScriptBearbeiten_Kennzahlen");
  if (gruppe) gruppe->hide();
  kennzahlen->hide();
  editor.hide();
  return ok;
}

}  // namespace

bool KontoFensterShots(KontoShotUmfeld& u, const QString& ausgabe) {
  std::shared_ptr<clKonto> konto = BeispielKonto(u.sitzung.Konten);
  if (!konto) {
    std::cerr << "FEHLER: die Beispieldatei enthält kein Konto\n";
    return false;
  }
  ScriptUmgebung script{u.sitzung, &u.melder};
  bool ok = UebersichtShot(u, konto, ausgabe);
  ok &= DialogShots(u, konto, script, ausgabe);
  ok &= EditorShot(u, konto, script, ausgabe);
  return ok;
}

}  // namespace vks
