#pragma once
// The account list's dialogs and windows as its commands open them, for the presenter's tests and
// the window's: each records how it was called and answers what the test put in.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "accounts/clKonto.h"
#include "presenters/HauptfensterBefehle.h"
#include "presenters/KontoUebersichtFenster.h"
#include "session/Startup.h"

namespace vks {

// Records how it was opened and answers with what the test put into `antwort`.
class TestKontoDialog : public KontoDialog {
 public:
  struct Aufruf {
    KontoEinstellungen felder;
    std::string titel;
    bool reset_aktiv;
  };
  std::vector<Aufruf> aufrufe;
  std::function<std::optional<KontoEinstellungen>(KontoEinstellungen)> antwort;

  std::optional<KontoEinstellungen> ZeigeModal(const KontoEinstellungen& felder,
                                               const std::string& titel,
                                               bool reset_aktiv) override {
    aufrufe.push_back({felder, titel, reset_aktiv});
    return antwort ? antwort(felder) : std::nullopt;
  }
};

class TestUebersicht : public KontoUebersichtFenster {
 public:
  explicit TestUebersicht(std::vector<std::string>& log) : log_(log) {}
  void ShowDaten(std::shared_ptr<clKonto> konto) override {
    log_.push_back("ShowDaten " + konto->KontoName);
  }
  void RefreshBasisWerte() override { log_.push_back("RefreshBasisWerte"); }
  void SetzeTitel(const std::string& titel) override { log_.push_back("Titel " + titel); }
  void Zeigen() override { log_.push_back("Zeigen"); }
  void Entladen() override { log_.push_back("Entladen"); }
  void KursTick(bool gespeichert) override {
    log_.push_back(gespeichert ? "KursTick gespeichert" : "KursTick");
  }

 private:
  std::vector<std::string>& log_;
};

class TestFabrik : public KontoUebersichtFabrik {
 public:
  std::vector<std::string> log;
  std::shared_ptr<KontoUebersichtFenster> NeuesFenster() override {
    log.push_back("NeuesFenster");
    return std::make_shared<TestUebersicht>(log);
  }
};

class TestSpeicherordner : public SpeicherordnerDialog {
 public:
  std::vector<std::string> vorschlaege;
  std::string ZeigeModal(const std::string& Vorschlag) override {
    vorschlaege.push_back(Vorschlag);
    return Vorschlag;
  }
};

class TestHilfe : public HilfeAnzeige {
 public:
  bool gelingt = true;
  std::vector<std::string> geoeffnet;
  bool Oeffne(const std::string& datei, int) override {
    geoeffnet.push_back(datei);
    return gelingt;
  }
};

}  // namespace vks
