#include "tools/vks-host-demo/DemoSpieler.h"

#include <stdexcept>

#include "platform/automation/KeyedDictionary.h"

namespace vks::demo {

void DemoSpieler::Verbinde() {
  transport_.Verbinde([this](const std::string& konto) { AlleOrdersStreichen(konto); });
}

void DemoSpieler::Spiele(const Handelstag& tag) {
  for (const DemoKonto& k : tag.konten) {
    if (k.HatRegeln()) {
      if (!transport_.KontoKomplettReset(k.name, k.kontostand, tag.datum))
        throw std::runtime_error("Konto " + k.name + " fehlt in der Kontendatei");
      continue;
    }
    const std::string fehler = transport_.NeuesKontoZufuegen(k, tag.datum);
    if (!fehler.empty()) throw std::runtime_error(k.name + ": " + fehler);
  }
  // Rules read their limits from the store that scripts and host share.
  for (const auto& [key, wert] : tag.global) transport_.SetzeGlobal(key, wert);
  for (const Ereignis& e : tag.ereignisse) {
    switch (e.art) {
      case 'P':
        transport_.NeuerKurs(e);
        break;
      case 'O':
        Order(e, tag);
        break;
      case 'S':
        if (erledigt_.insert(FoldCase(e.konto + "|" + e.order_id)).second) {
          transport_.StreicheOrder(e.konto, e.order_id, e.zeit);
          offene_enter_[FoldCase(e.konto)].erase(e.order_id);
        }
        break;
      case 'C':
        transport_.ClosePosition(e);
        break;
    }
    // The event was sent before the reply; let its handler run before the next event.
    transport_.VerarbeiteEreignisse();
  }
}

void DemoSpieler::Order(const Ereignis& e, const Handelstag& tag) {
  const std::string schluessel = FoldCase(e.konto + "|" + e.order_id);
  if (erledigt_.count(schluessel)) return;
  if (bekannt_.insert(schluessel).second) {
    std::string meldung;
    // eOrderAktion: Buy 0, Sell 1.
    if (transport_.Verbietet(e.konto, e.aktion > 0 ? 0 : 1, meldung)) {
      aus_ << "  " << e.konto << ": Order " << e.order_id << " nicht platziert – " << meldung
           << "\n";
      erledigt_.insert(schluessel);
      ++abgelehnt_;
      return;
    }
  }
  // The host knows the order's state before it reports it: a COM host receives the event that the
  // report may raise while the report is still running, a bus host afterwards.
  auto& offen = offene_enter_[FoldCase(e.konto)];
  if (e.enter && e.filled_anzahl < e.anzahl) {
    offen.insert(e.order_id);
  } else {
    offen.erase(e.order_id);
  }
  const clOrderZusatzInfos* z = e.zusatz.empty() ? nullptr : &tag.zusatz.at(e.zusatz);
  const int16_t ergebnis = transport_.NeuerOrderstatus(e, z);
  if (ergebnis != -1) {
    aus_ << "  " << e.konto << ": Order " << e.order_id << " ergab " << ergebnis << "\n";
  }
}

void DemoSpieler::AlleOrdersStreichen(const std::string& konto) {
  ++signale_;
  auto& offen = offene_enter_[FoldCase(konto)];
  aus_ << "  AlleOrdersStreichen(" << konto << "): " << offen.size()
       << " offene Enter-Order(s) werden gestrichen\n";
  // Calls back into the server while the event is being handled.
  for (const std::string& id : std::set<std::string>(offen)) {
    transport_.StreicheOrder(konto, id, 0.0);
    erledigt_.insert(FoldCase(konto + "|" + id));
    ++gestrichen_;
  }
  offen.clear();
}

DemoErgebnis SpieleTag(DemoTransport& transport, const Handelstag& tag, std::ostream& aus) {
  DemoSpieler spieler(transport, aus);
  spieler.Verbinde();
  aus << "Handelstag mit " << tag.ereignisse.size() << " Ereignissen für " << tag.konten.size()
      << " Konten:\n";
  spieler.Spiele(tag);
  DemoErgebnis e;
  e.zeilen = transport.KennzahlNamen();
  e.zeilen.push_back("Cash");
  for (const DemoKonto& k : tag.konten) {
    KontoErgebnis konto = transport.Ergebnis(k.name);
    konto.kennzahlen.push_back(konto.cash);
    e.spalten.push_back({k.name, konto.kennzahlen});
  }
  transport.Freigeben();
  e.abgelehnt = spieler.Abgelehnt();
  e.signale = spieler.Signale();
  e.gestrichen = spieler.Gestrichen();
  return e;
}

void ZeigeErgebnis(std::ostream& aus, const DemoErgebnis& e, const DemoOrdner& ordner) {
  aus << "\n"
      << Kennzahlentabelle(e.zeilen, e.spalten, AutomationLocale::FromEnvironment())
      << "\nAbgelehnte Orders: " << e.abgelehnt << ", AlleOrdersStreichen: " << e.signale
      << ", daraufhin gestrichene Enter-Orders: " << e.gestrichen << "\n\n"
      << "Kontendatei: " << ordner.store << "\nRTT-Dateien: " << ordner.rtt << "\n"
      << "Ansehen mit:\n  vks-store dump \"" << ordner.store << "\"\n  vks-rtt plot \""
      << ordner.rtt << "/" << e.spalten.front().name << "/Portfolio/KapitalGesamt-"
      << e.spalten.front().name << ".RTT\" -o kapital.svg\n";
}

}  // namespace vks::demo
