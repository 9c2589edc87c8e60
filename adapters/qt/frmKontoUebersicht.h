#pragma once
// The overview window of one account: the figures, open orders, positions and fills in dock
// panes, a capital chart, and the tool bar "Befehle" whose two commands delete entries of the
// list pane activated last. The presenter holds the logic; this class shows and forwards.
#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "presenters/KontoUebersichtPresenter.h"
#include "presenters/SortierRoutinen.h"

class QAction;
class QDockWidget;
class QLabel;
class QTableView;
class QToolBar;

namespace vks {

class KapitalVerlauf;
class KontoBeobachterVerteiler;
class SettingsStore;
class UebersichtModell;

// What the window needs from the server around it.
struct UebersichtUmfeld {
  MessageReporter& melder;
  const KontoUmgebung& umgebung;
  AutomationLocale locale;
  HauptfensterPresenter* hauptfenster = nullptr;
  KontoBeobachterVerteiler* verteiler = nullptr;  // the window joins it while open
  SettingsStore* settings = nullptr;              // window layout; none: not kept
  SortierRoutinen* sortierung = nullptr;          // shared by all lists; none: the window's own
  // Takes the window out of the table of open overview windows (by account name).
  std::function<void(const std::string&)> RemoveKontoFenster;
};

class frmKontoUebersicht : public QMainWindow, public KontoUebersichtAnsicht {
  Q_OBJECT
 public:
  explicit frmKontoUebersicht(UebersichtUmfeld umfeld, QWidget* parent = nullptr);
  ~frmKontoUebersicht() override;

  void ShowDaten(std::shared_ptr<clKonto> AktKonto);
  void RefreshBasisWerte() { presenter_.RefreshBasisWerte(); }
  // What the docking control reports when a pane becomes active.
  void AktivierePane(int id);
  // What a click on a list's column header does.
  void SpalteGeklickt(UebersichtListe liste, int spalte);
  // The price-save tick: the chart takes what the account's series gained; with `gespeichert`
  // (the tick wrote the account's price-driven values) the figures follow as RefreshBasisWerte.
  void KursTick(bool gespeichert);

  KontoUebersichtPresenter& Presenter() { return presenter_; }
  QTableView* Liste(UebersichtListe liste) const { return listen_[Nr(liste)]; }
  UebersichtModell* Modell(UebersichtListe liste) const { return modelle_[Nr(liste)]; }
  QDockWidget* Pane(int id) const { return panes_[static_cast<size_t>(id - 1)]; }
  QToolBar* Werkzeuge() const { return werkzeuge_; }
  QAction* Knopf(int id) const { return id == 1 ? markierte_ : alle_; }
  KapitalVerlauf* Verlauf() const { return verlauf_; }
  QLabel* Zahl(const QString& name) const;

  // KontoUebersichtAnsicht
  void SetzeTitel(const std::string& titel) override;
  void SetzeZahlen(const KontoZahlen& zahlen) override;
  void ListeFuellen(UebersichtListe liste, std::vector<UebersichtZeile> zeilen) override;
  void ZeileSetzen(UebersichtListe liste, UebersichtZeile zeile) override;
  void ZeilenEntfernen(UebersichtListe liste, const std::vector<std::string>& keys) override;
  size_t ZeilenAnzahl(UebersichtListe liste) const override;
  std::vector<std::string> MarkierteKeys(UebersichtListe liste) const override;
  void AlleMarkieren(UebersichtListe liste) override;
  void SetzeWerkzeugleiste(const std::string& titel, bool markierte_loeschen,
                           bool alle_loeschen) override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* objekt, QEvent* event) override;

 private:
  static size_t Nr(UebersichtListe liste) { return static_cast<size_t>(liste); }
  QWidget* BaueZahlen();
  QTableView* BaueListe(UebersichtListe liste);

  UebersichtUmfeld umfeld_;
  KontoUebersichtPresenter presenter_;
  SortierRoutinen eigene_sortierung_;
  std::array<ListenSortierung, 3> sortierungen_;
  std::array<UebersichtModell*, 3> modelle_{};
  std::array<QTableView*, 3> listen_{};
  std::array<QDockWidget*, 5> panes_{};
  QToolBar* werkzeuge_ = nullptr;
  QAction* markierte_ = nullptr;
  QAction* alle_ = nullptr;
  KapitalVerlauf* verlauf_ = nullptr;
  std::string konto_name_;
  int aktive_pane_ = 0;
};

// A window owned by a shared pointer that lets Qt delete it once its events are done, so that
// closing may drop the last holder from inside the window's own close handler.
std::shared_ptr<frmKontoUebersicht> ErzeugeKontoUebersicht(UebersichtUmfeld umfeld);

}  // namespace vks
