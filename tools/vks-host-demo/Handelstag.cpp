#include "tools/vks-host-demo/Handelstag.h"

#include <charconv>
#include <sstream>

#include "platform/automation/AutomationDate.h"
#include "platform/automation/AutomationError.h"
#include "platform/automation/NoValue.h"

namespace vks::demo {

namespace {

std::vector<std::string> Felder(const std::string& zeile) {
  std::vector<std::string> felder;
  std::string feld;
  std::istringstream in(zeile);
  while (std::getline(in, feld, ';')) felder.push_back(feld);
  if (!zeile.empty() && zeile.back() == ';') felder.emplace_back();
  return felder;
}

struct Leser {
  const std::vector<std::string>& f;
  size_t i = 1;
  bool ok = true;

  const std::string& Text() {
    static const std::string kLeer;
    if (i >= f.size()) {
      ok = false;
      return kLeer;
    }
    return f[i++];
  }
  template <class T>
  T Zahl() {
    const std::string& t = Text();
    T value{};
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (ec != std::errc() || end != t.data() + t.size()) ok = false;
    return value;
  }
  bool Flag() { return Zahl<int>() != 0; }
  // hh:mm:ss on the given day.
  double Zeit(double datum) {
    int h = 0, m = 0, s = 0;
    char c1 = 0, c2 = 0;
    std::istringstream in(Text());
    if (!(in >> h >> c1 >> m >> c2 >> s) || c1 != ':' || c2 != ':' || h > 23 || m > 59 || s > 59)
      ok = false;
    return datum + (h * 3600 + m * 60 + s) / 86400.0;
  }
};

clOrderZusatzInfos LiesZusatz(Leser& l) {
  clOrderZusatzInfos z;
  z.PointValue = l.Zahl<float>();
  z.Margin = l.Zahl<float>();
  z.Commissions = l.Zahl<float>();
  z.CommissionsArePoints = l.Flag();
  z.MindestCommissions = l.Zahl<float>();
  z.MaximalCommissions = l.Zahl<float>();
  z.ZusatzCommissions = l.Zahl<float>();
  if (l.i < l.f.size() && l.f[l.i] == "-") {
    ++l.i;
    z.AktUmrechnungsWert = NoValue;
  } else {
    z.AktUmrechnungsWert = l.Zahl<float>();
  }
  z.UmrechnungAuchGebuehren = l.Flag();
  return z;
}

DemoKonto LiesKonto(Leser& l) {
  DemoKonto k;
  k.name = l.Text();
  k.beschreibung = l.Text();
  k.kontostand = l.Zahl<double>();
  k.use_commissions = l.Flag();
  k.use_umrechnung = l.Flag();
  k.platziere_bedingung = l.Text();
  k.platziere_meldung = l.Text();
  k.fill_streich_bedingung = l.Text();
  return k;
}

Ereignis LiesEreignis(char art, Leser& l, double datum) {
  Ereignis e;
  e.art = art;
  e.zeit = l.Zeit(datum);
  e.konto = l.Text();
  if (art == 'O') {
    e.order_id = l.Text();
    e.wkn = l.Text();
    e.titel_name = l.Text();
    e.aktion = l.Zahl<int16_t>();
    e.anzahl = l.Zahl<int32_t>();
    e.filled_anzahl = l.Zahl<int32_t>();
    e.kurs = l.Zahl<float>();
    e.enter = l.Flag();
    e.zusatz = l.Text();
  } else if (art == 'S') {
    e.order_id = l.Text();
  } else {
    e.wkn = l.Text();
    e.kurs = l.Zahl<float>();
  }
  return e;
}

}  // namespace

Result<Handelstag> LiesHandelstag(const std::string& text) {
  Handelstag tag;
  std::istringstream in(text);
  std::string zeile;
  int nummer = 0;
  while (std::getline(in, zeile)) {
    ++nummer;
    if (!zeile.empty() && zeile.back() == '\r') zeile.pop_back();
    if (zeile.empty() || zeile[0] == '#') continue;
    const std::vector<std::string> felder = Felder(zeile);
    Leser l{felder};
    const std::string& art = felder[0];
    if (art == "T") {
      int y = 0, m = 0, d = 0;
      char c1 = 0, c2 = 0;
      std::istringstream datum(l.Text());
      if (!(datum >> y >> c1 >> m >> c2 >> d)) l.ok = false;
      tag.datum = ToAutomationDate(CalendarDateTime{y, m, d, 0, 0, 0}).days;
    } else if (art == "G") {
      const std::string key = l.Text();
      tag.global.emplace_back(key, l.Zahl<int32_t>());
    } else if (art == "Z") {
      const std::string name = l.Text();
      tag.zusatz[name] = LiesZusatz(l);
    } else if (art == "K") {
      tag.konten.push_back(LiesKonto(l));
    } else if (art.size() == 1 && std::string_view("POSC").find(art[0]) != std::string::npos) {
      if (tag.datum == 0) l.ok = false;
      tag.ereignisse.push_back(LiesEreignis(art[0], l, tag.datum));
      const Ereignis& e = tag.ereignisse.back();
      if (e.art == 'O' && !e.zusatz.empty() && !tag.zusatz.count(e.zusatz)) l.ok = false;
    } else {
      l.ok = false;
    }
    if (!l.ok || l.i != felder.size()) {
      return AutomationError(error::kInvalidCall, "vks-host-demo",
                             "Zeile " + std::to_string(nummer) + " ist fehlerhaft: " + zeile);
    }
  }
  return tag;
}

}  // namespace vks::demo
