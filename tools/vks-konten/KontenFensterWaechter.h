#pragma once
// vks-konten's side of the account list window: holds one interface object of the server (so the
// server keeps running while the window is open), asks for the window and waits until the user
// has closed it or the server has gone.
#include <QtCore/QEventLoop>
#include <QtCore/QObject>
#include <QtDBus/QDBusConnection>
#include <QtDBus/QDBusServiceWatcher>
#include <optional>
#include <string>

namespace vks::konten {

class KontenFensterWaechter : public QObject {
  Q_OBJECT

 public:
  enum class Ausgang { Geschlossen, OhneAnzeige, ServerWeg, Fehler };

  explicit KontenFensterWaechter(QDBusConnection bus);

  // Creates the object (the bus starts the server on this first call) and shows the window.
  // Returns only once it is closed again, or when that cannot happen; the object is released then.
  Ausgang ZeigeUndWarte();
  // What went wrong, for Ausgang::Fehler.
  const std::string& Meldung() const { return meldung_; }

 private slots:
  void KontenFensterGeschlossen();

 private:
  bool ErzeugeObjekt();
  bool Rufe(const QString& pfad, const char* interface, const char* member);
  // A property of the Anzeige object; nothing (and meldung_ set) when it cannot be read.
  std::optional<bool> Eigenschaft(const char* name);
  void GibFrei();
  void Ende(Ausgang ausgang);

  QDBusConnection bus_;
  QDBusServiceWatcher server_;
  QEventLoop warten_;
  QString pfad_;
  std::optional<Ausgang> ausgang_;
  std::string meldung_;
};

// Closes the window of a running server; a server that does not run is not started for it.
// False with `meldung` when the server cannot be asked.
bool SchliesseKontenFenster(QDBusConnection bus, std::string& meldung);
// The server's status as lines "Name: Wert" (the bus starts the server for it, which ends again
// once this client has left). Returns false with the reason in `meldung`.
bool ServerStatus(QDBusConnection bus, std::string& text, std::string& meldung);

}  // namespace vks::konten
