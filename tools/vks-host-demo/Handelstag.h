#pragma once
// One bundled trading day for the demo host: the accounts, the order extras by name and the
// events of the day in time order (prices, order reports, cancellations, closes). The file has one
// record a line, fields separated by ";", "#" starting a comment line:
//   T;JJJJ-MM-TT                                   the day
//   G;Key;Long                                     an entry of the shared global data store
//   Z;Name;PointValue;Margin;Commissions;CommissionsArePoints;MindestCommissions;
//     MaximalCommissions;ZusatzCommissions;AktUmrechnungsWert ("-": none);UmrechnungAuchGebuehren
//   K;Name;Beschreibung;Kontostand;UseCommissions;UseUmrechnung;PlatziereBedingung;
//     PlatziereMeldung;FillStreichBedingung
//   P;hh:mm:ss;Konto;WKN;Kurs
//   O;hh:mm:ss;Konto;OrderID;WKN;TitelName;Aktion (1/-1);Anzahl;FilledAnzahl;Preis;Enter
//   (1/0);Zusatz S;hh:mm:ss;Konto;OrderID C;hh:mm:ss;Konto;WKN;Kurs
#include <map>
#include <string>
#include <vector>

#include "accounts/clOrderZusatzInfos.h"
#include "platform/automation/Result.h"

namespace vks::demo {

struct DemoKonto {
  std::string name;
  std::string beschreibung;
  double kontostand = 0;
  bool use_commissions = false;
  bool use_umrechnung = false;
  std::string platziere_bedingung;
  std::string platziere_meldung;
  std::string fill_streich_bedingung;
  bool HatRegeln() const { return !platziere_bedingung.empty() || !fill_streich_bedingung.empty(); }
};

struct Ereignis {
  char art = 0;     // 'P' price, 'O' order report, 'S' cancellation, 'C' close
  double zeit = 0;  // automation date
  std::string konto;
  std::string order_id;
  std::string wkn;
  std::string titel_name;
  int16_t aktion = 0;
  int32_t anzahl = 0;
  int32_t filled_anzahl = 0;
  float kurs = 0;
  bool enter = false;
  std::string zusatz;  // name of the order extras
};

struct Handelstag {
  double datum = 0;  // automation date of the day, midnight
  std::map<std::string, clOrderZusatzInfos> zusatz;
  std::vector<DemoKonto> konten;
  std::vector<std::pair<std::string, int32_t>> global;
  std::vector<Ereignis> ereignisse;
};

// Error 5 naming the line for a record that does not parse or an event before the day's date.
Result<Handelstag> LiesHandelstag(const std::string& text);

}  // namespace vks::demo
