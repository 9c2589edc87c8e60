#pragma once
// A server around the script host for the scripting tests: two accounts, the metric names, the
// global data store, registered interface objects whose events land in one log, and a reporter
// that keeps every message.
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "accounts/KontoKennzahl.h"
#include "fakes/RecordingReporter.h"
#include "interface/clKontoSchnittstelle.h"
#include "scripting/ScriptUmgebung.h"
#include "session/KontoSitzung.h"
#include "session/clKontoGlobalData.h"

namespace vks::testing {

class StillesFenster : public KontenFensterSteuerung {
 public:
  void ZeigeKontenFenster() override {}
  void EntladeKontenFenster() override {}
};

// Writes "name:account" for every event; fails after writing when told to.
class ProtokollSenke : public KontoEreignisSenke {
 public:
  ProtokollSenke(std::vector<std::string>& log, std::string name, bool scheitert = false)
      : log_(log), name_(std::move(name)), scheitert_(scheitert) {}
  void AlleOrdersStreichen(const std::string& KontoName) override {
    log_.push_back(name_ + ":" + KontoName);
    if (rueckruf) rueckruf(KontoName);
    if (scheitert_) throw std::runtime_error("Client weg");
  }
  std::function<void(const std::string&)> rueckruf;

 private:
  std::vector<std::string>& log_;
  std::string name_;
  bool scheitert_;
};

class ScriptServer {
 public:
  ScriptServer() {
    state.KontoGlobalData = std::make_shared<clKontoGlobalData>();
    FuelleKennzahlenListe(state.KennzahlenNamen);
    depot = Konto("Depot");
    zweites = Konto("Zweites");
  }
  std::shared_ptr<clKonto> Konto(const std::string& name) {
    auto konto = std::make_shared<clKonto>();
    konto->KontoName = name;
    state.Konten.Add(name, konto);
    return konto;
  }
  std::shared_ptr<ProtokollSenke> Verbinde(const std::string& name, bool scheitert = false) {
    auto objekt = clKontoSchnittstelle::Create(schnittstellen);
    auto senke = std::make_shared<ProtokollSenke>(events, name, scheitert);
    objekt->SetzeEreignisSenke(senke);
    objekte.push_back(objekt);
    return senke;
  }

  KontoSitzung state;
  RecordingReporter reporter;
  ScriptUmgebung umgebung{state, &reporter};
  StillesFenster fenster;
  StandardZufallsfolge zufall;
  SchnittstellenUmgebung schnittstellen{state, fenster, zufall};
  std::vector<std::shared_ptr<clKontoSchnittstelle>> objekte;
  std::vector<std::string> events;
  std::shared_ptr<clKonto> depot;
  std::shared_ptr<clKonto> zweites;
};

}  // namespace vks::testing
