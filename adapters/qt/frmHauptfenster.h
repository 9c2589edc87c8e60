#pragma once
// The account list window: the list of accounts, the seven commands in the menu bar and the tool
// bar, the selection and the layout. The rows come from HauptfensterPresenter, the commands run in
// HauptfensterBefehle; this class only shows them and forwards the user's actions.
#include <QMainWindow>
#include <map>

#include "presenters/HauptfensterBefehle.h"

class QAction;
class QLabel;
class QTableView;
class QToolBar;

namespace vks {

class KontenListeModell;
class SettingsStore;

inline constexpr const char* kHauptfensterLayout = "Konto-Server Hauptfenster";

class frmHauptfenster : public QMainWindow, public KontenListeAnsicht, public HauptfensterAuswahl {
  Q_OBJECT
 public:
  // `settings` keeps the window's layout; none: it is not kept.
  frmHauptfenster(HauptfensterUmfeld umfeld, SettingsStore* settings, QWidget* parent = nullptr);
  ~frmHauptfenster() override;

  HauptfensterBefehle& Befehle() { return befehle_; }
  QTableView* LKontoliste() const { return liste_; }
  // The menu's (or the tool bar's) action of a command.
  QAction* MenueBefehl(int id) const { return menue_.at(id); }
  QAction* WerkzeugBefehl(int id) const { return werkzeuge_.at(id); }
  QToolBar* Werkzeugleiste() const { return werkzeugleiste_; }
  // Unloading: layout and pending changes saved; by a close or by the host's last release.
  void Entladen();

  // KontenListeAnsicht
  void ListeLeeren() override;
  void ZeileSetzen(const KontenZeile& zeile) override;
  void ZeileEntfernen(const std::string& key) override;
  void AlleKurswerteSetzen(const std::vector<Kurswerte>& werte) override;
  void ListeFuellen(const std::vector<KontenZeile>& zeilen) override;
  void SpeicherstatusZeigen(const std::string& text) override;
  // HauptfensterAuswahl
  std::optional<std::string> MarkierteZeile() const override;
  void ZeileMarkieren(const std::string& key) override;
  void ZeileUmbenennen(const std::string& alter_key, const KontenZeile& zeile) override;
  void BefehleFreigeben(bool freigeben) override;

 signals:
  // The window was closed (and unloaded), by the user or by the host's last release.
  void Geschlossen();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* objekt, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BaueBefehle();

  HauptfensterUmfeld umfeld_;
  SettingsStore* settings_;
  HauptfensterBefehle befehle_;
  KontenListeModell* modell_;
  QTableView* liste_;
  QToolBar* werkzeugleiste_ = nullptr;
  QLabel* speicherstatus_ = nullptr;  // made with the status line, at the first failing save
  std::map<int, QAction*> menue_;
  std::map<int, QAction*> werkzeuge_;
};

}  // namespace vks
