#pragma once
// The account list of a server without a display: it is never shown, and unloading it saves what
// is pending, as closing the window would.
#include <iostream>

#include "interface/clKontoSchnittstelle.h"
#include "session/Speicherplan.h"

namespace vks {

class KontenFensterOhneAnzeige : public KontenFensterSteuerung {
 public:
  explicit KontenFensterOhneAnzeige(Speicherplan& plan) : plan_(plan) {}
  void ZeigeKontenFenster() override {
    std::cerr << "Kontenfenster: keine Anzeige vorhanden, es wird nicht gezeigt\n";
  }
  void EntladeKontenFenster() override { plan_.Entladen(); }

 private:
  Speicherplan& plan_;
};

}  // namespace vks
