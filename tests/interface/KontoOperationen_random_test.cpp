// Thousands of random host reports on four accounts (stocks, contracts with commissions, a
// converting account, a mixed one). After each report the account agrees with what the reports
// imply; a refused report leaves every account byte for byte as it was; saving and loading gives
// every account back exactly. VKS_ZUFALL_SEED and VKS_ZUFALL_SCHRITTE choose another run.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "fakes/SpielHost.h"
#include "platform/automation/StoreWriter.h"

namespace vks {
namespace {

uint64_t EnvZahl(const char* name, uint64_t standard) {
  const char* text = std::getenv(name);
  return text && *text ? std::strtoull(text, nullptr, 10) : standard;
}

// A security and the terms it always trades on, so that margin and conversion stay comparable.
struct Titel {
  std::string wkn;
  float basis;  // prices are drawn around it
  clOrderZusatzInfos extras;
};

struct KontoArt {
  std::string name;
  bool commissions;
  bool umrechnung;
  bool margin_umrechnen;
  std::vector<Titel> titel;
};

// Terms: point value, tick size, margin, commissions, in points, minimum, maximum, extra, factor,
// fees converted.
std::vector<KontoArt> KontoArten() {
  const std::vector<Titel> aktien = {
      {"DE0001", 100, {0, {}, 100, 0, false, 0, 0, 0, NoValue}},
      // terms this account does not use
      {"DE0002", 20, {0, {}, 50, 0.1f, false, 9.9f, 0, 2, 1.5f, true}}};
  const std::vector<Titel> kontrakte = {
      {"FDAX", 1000, {50, {}, 5000, 2.5f, true, 5, 40, 1, NoValue}},
      {"FESX", 400, {10, {}, 1500, 1, true, 3, 0, 0, NoValue}}};
  const std::vector<Titel> devisen = {
      {"US0001", 150, {0, {}, 30, 0.1f, false, 9.9f, 50, 2, 1.25f, true}},
      {"ES", 50, {20, {}, 2000, 2, true, 0, 0, 0.5f, 0.8f}}};
  const std::vector<Titel> gemischt = {{"CH0001", 80, {0, {}, 100, 0.25f, false, 4, 0, 0, 1.1f}},
                                       {"FGBL", 130, {25, {}, 2500, 1.5f, true, 0, 0, 0, NoValue}},
                                       // a factor of 0 converts nothing, fees neither
                                       {"CH0002", 60, {0, {}, 100, 0.2f, false, 3, 0, 0, 0, true}}};
  return {{"Aktien", false, false, false, aktien},
          {"Kontrakte", true, false, false, kontrakte},
          {"Devisen", true, true, true, devisen},
          {"Gemischt", true, true, false, gemischt}};
}

struct ModellOrder {
  const Titel* titel;
  int16_t aktion;
  int32_t anzahl;
  int32_t filled;
  float kurs;
  bool enter;
};

struct ModellPosition {
  int64_t menge = 0;
  double zahlungen = 0;  // the fills' payments in the security's currency: -Σ signed units × price
  float kurs = 0;        // the last fill or price while the position is open
};

// What the reports imply for one account, kept without the account's own code.
struct Modell {
  double start = 0;
  std::map<std::string, ModellPosition> positionen;
  std::map<std::string, ModellOrder> offen;
  std::map<std::string, ModellOrder> fills;
  double commissions = 0;
  double schranke = 0;  // what rounding the average price to a Single may cost
  double skala = 0;     // the amounts moved, for the rounding of Doubles
};

float Faktor(const KontoArt& art, const Titel& t) {
  const float f = t.extras.AktUmrechnungsWert;
  return art.umrechnung && f != 0 && f != NoValue ? f : 1.0f;
}

double Einheit(const Titel& t) {
  return t.extras.PointValue > 0 ? t.extras.PointValue : 1.0;
}

double Commission(const KontoArt& art, const Titel& t, int32_t n, float preis) {
  if (!art.commissions) return 0;
  const clOrderZusatzInfos& z = t.extras;
  double c =
      z.CommissionsArePoints ? double{z.Commissions} * n : double{preis} * n / 100 * z.Commissions;
  c = std::max(c, double{z.MindestCommissions});
  if (z.MaximalCommissions > 0) c = std::min(c, double{z.MaximalCommissions});
  c += z.ZusatzCommissions;
  if (z.UmrechnungAuchGebuehren && z.AktUmrechnungsWert > 0) c *= z.AktUmrechnungsWert;
  return c;
}

void BucheFill(Modell& m, const KontoArt& art, const Titel& t, int16_t aktion, int32_t n,
               float preis) {
  ModellPosition& p = m.positionen[t.wkn];
  const int64_t signiert = aktion > 0 ? n : -int64_t{n};
  if (p.menge != 0 && (p.menge > 0) == (signiert > 0)) {
    // The new average is held as a Single: up to half a unit in its last place, on every unit.
    const double hoechster_preis = t.basis * 1.25;
    m.schranke += std::fabs(static_cast<double>(p.menge + signiert)) * hoechster_preis *
                  std::ldexp(1.0, -24) * Einheit(t) * Faktor(art, t);
  }
  p.zahlungen -= static_cast<double>(signiert) * preis;
  p.menge += signiert;
  p.kurs = preis;
  const double c = Commission(art, t, n, preis);
  m.commissions += c;
  const double betrag =
      (std::fabs(double{preis}) * n * Einheit(t) + double{t.extras.Margin} * n) * Faktor(art, t);
  m.skala += betrag + c;
  m.schranke += c * 1e-6;
}

double Gesamtkapital(const Modell& m, const KontoArt& art) {
  double kapital = m.start - m.commissions;
  for (const Titel& t : art.titel) {
    auto it = m.positionen.find(t.wkn);
    if (it == m.positionen.end()) continue;
    const ModellPosition& p = it->second;
    kapital += (p.zahlungen + static_cast<double>(p.menge) * p.kurs) * Einheit(t) * Faktor(art, t);
  }
  return kapital;
}

// "O" + n, spelt so that GCC's -Wrestrict does not misread the short concatenation.
std::string Id(char prefix, int64_t n) {
  std::string id(1, prefix);
  id += std::to_string(n);
  return id;
}

// The account's record as saved, or as loading gives it back: the reader lets an open order's
// price stand in for an average fill price of 0.
std::string Bytes(const clKonto& konto, bool geladen = false) {
  Variant record = konto.WriteAllProperties();
  Variant& orders = record.AsArray().At(3);
  if (geladen && orders.IsArray()) {
    for (Variant& order : orders.AsArray().Elements()) {
      VariantArray& e = order.AsArray();
      if (e.At(20) == Variant(0.0f)) e.At(20) = e.At(18);
    }
  }
  std::string out;
  AppendStoreVariant(out, record);
  return out;
}

// Long and short parts of a total kept over the positions.
struct Teile {
  double lang = 0, kurz = 0;
  void Add(bool short_pos, double wert) { (short_pos ? kurz : lang) += wert; }
};

class KontoOperationenZufallTest : public ::testing::Test {
 protected:
  void SetUp() override {
    seed_ = EnvZahl("VKS_ZUFALL_SEED", 20261207);
    schritte_ = static_cast<int>(EnvZahl("VKS_ZUFALL_SCHRITTE", 2000));
    random_.seed(seed_);
    for (const KontoArt& art : arten_) {
      std::string fehler;
      ASSERT_TRUE(s_.host->VKSNeuesKontoZufügen(art.name, "Zufall", 100000, DateValue{45000.5},
                                                true, art.commissions, art.umrechnung, fehler));
      Konto(art).MarginUmrechnen = art.margin_umrechnen;
      modelle_[art.name].start = 100000;
      modelle_[art.name].skala = 100000;
    }
  }

  clKonto& Konto(const KontoArt& art) { return *s_.state.Konten.Item(art.name); }
  int Zahl(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  bool Los(double p) { return std::bernoulli_distribution(p)(random_); }
  float Preis(const Titel& t) {
    return std::round(t.basis * std::uniform_real_distribution<float>(0.8f, 1.2f)(random_) * 100) /
           100;
  }
  const Titel& EinTitel(const KontoArt& art) {
    return art.titel[static_cast<size_t>(Zahl(0, static_cast<int>(art.titel.size()) - 1))];
  }
  DateValue Zeit() { return DateValue{45000.5 + schritt_ * 1e-4}; }

  int16_t Orderstatus(const KontoArt& art, const std::string& id, const ModellOrder& o,
                      int32_t anzahl, int32_t filled, float preis) {
    DateValue zeit = Zeit();
    return s_.host->VKSKontoNeuerOrderstatus(zeit, art.name, id, o.titel->wkn,
                                             "Titel " + o.titel->wkn, o.aktion, anzahl, filled,
                                             preis, o.enter, &o.titel->extras);
  }

  void NeueOrder(const KontoArt& art, Modell& m) {
    const Titel& t = EinTitel(art);
    ModellOrder o{&t, static_cast<int16_t>(Los(0.5) ? 1 : -1), Zahl(1, 40), 0, Preis(t), Los(0.6)};
    const int art_der_fills = Zahl(0, 3);
    o.filled = art_der_fills < 2 ? 0 : art_der_fills == 2 ? Zahl(0, o.anzahl - 1) : o.anzahl;
    const std::string id = Id('O', ++order_nummer_);
    ASSERT_EQ(Orderstatus(art, id, o, o.anzahl, o.filled, o.kurs), -1);
    if (o.filled > 0) BucheFill(m, art, t, o.aktion, o.filled, o.kurs);
    (o.filled < o.anzahl ? m.offen : m.fills)[id] = o;
  }

  void Ausfuehrung(const KontoArt& art, Modell& m) {
    if (m.offen.empty()) return NeueOrder(art, m);
    auto it = std::next(m.offen.begin(), Zahl(0, static_cast<int>(m.offen.size()) - 1));
    ModellOrder& o = it->second;
    if (Los(0.2)) o.anzahl = Zahl(std::max(o.filled, 1), o.anzahl + 20);  // the host changes it
    const int32_t filled = Los(0.5) ? o.anzahl : Zahl(o.filled, o.anzahl);
    const float preis = Preis(*o.titel);
    ASSERT_EQ(Orderstatus(art, it->first, o, o.anzahl, filled, preis), -1);
    if (filled > o.filled) BucheFill(m, art, *o.titel, o.aktion, filled - o.filled, preis);
    o.filled = filled;
    if (o.filled >= o.anzahl) {
      m.fills[it->first] = o;
      m.offen.erase(it);
    }
  }

  void NeuerKurs(const KontoArt& art, Modell& m) {
    const Titel& t = EinTitel(art);
    ModellPosition& p = m.positionen[t.wkn];
    const float preis = Los(0.1) ? p.kurs : Preis(t);
    s_.host->VKSKontoNeuerKurs(Zeit(), art.name, t.wkn, preis, Los(0.1));
    if (p.menge != 0) p.kurs = preis;
  }

  void Streichen(const KontoArt& art, Modell& m) {
    const std::string unbekannt = Id('X', schritt_);
    const std::string before = Bytes(Konto(art));
    if (m.offen.empty() || Los(0.1)) {
      ASSERT_EQ(s_.host->VKSStreicheOrder(art.name, unbekannt, Zeit()), -1);
      EXPECT_EQ(Bytes(Konto(art)), before);
      return;
    }
    auto it = std::next(m.offen.begin(), Zahl(0, static_cast<int>(m.offen.size()) - 1));
    // A cancelled order's fill is dated at the time given, or else at the account's time or the
    // order's own, whichever is later.
    const DateValue datum = Los(0.5) ? Zeit() : DateValue{0};
    const double spaetere = std::max(Konto(art).AktuelleZeit.days,
                                     Konto(art).cOffeneOrders.Item(it->first)->SimulDatum.days);
    ASSERT_EQ(s_.host->VKSStreicheOrder(art.name, it->first, datum), -1);
    if (it->second.filled > 0) {
      const clFilledOrder& fill = *Konto(art).cFilledOrders.Item(it->first);
      EXPECT_EQ(std::tuple(fill.Gestrichen, fill.FilledAnzahl, fill.SimulDatum.days),
                std::tuple(true, it->second.filled, datum.days != 0 ? datum.days : spaetere));
      m.fills[it->first] = it->second;
    }
    m.offen.erase(it);
  }

  void Schliessen(const KontoArt& art, Modell& m) {
    const Titel& t = EinTitel(art);
    ModellPosition& p = m.positionen[t.wkn];
    const float preis = Preis(t);
    EXPECT_TRUE(s_.host->VKSClosePosition(art.name, t.wkn, preis).IsEmpty());
    if (p.menge == 0) return;
    const int64_t menge = p.menge;
    BucheFill(m, art, t, menge > 0 ? -1 : 1, static_cast<int32_t>(std::llabs(menge)), preis);
  }

  void Reset(const KontoArt& art, Modell& m) {
    const double start = Zahl(5000, 200000);
    ASSERT_TRUE(s_.host->VKSKontoKomplettReset(art.name, start, Zeit().days));
    m = Modell{};
    m.start = start;
    m.skala = start;
  }

  // Reports that cannot be booked whole: each is refused with 0 and its message, or (a price
  // that is no number) ignored, and no account changes by a byte.
  void Verweigert(const KontoArt& art, Modell& m) {
    std::map<std::string, std::string> before;
    for (const KontoArt& a : arten_) before[a.name] = Bytes(Konto(a));
    const auto unveraendert = [&] {
      for (const KontoArt& a : arten_) EXPECT_EQ(Bytes(Konto(a)), before[a.name]) << a.name;
    };
    double commissions = Konto(art).PaidCommissions;
    const Titel& t = EinTitel(art);
    ModellOrder o{&t, static_cast<int16_t>(Los(0.5) ? 1 : -1), Zahl(1, 40), 0, Preis(t), true};
    const std::string id = Id('V', schritt_);
    const size_t meldungen = s_.reporter.messages.size();
    int16_t ergebnis = 0;
    switch (Zahl(0, 6)) {
      case 0:  // more filled than ordered
        ergebnis = Orderstatus(art, id, o, o.anzahl, o.anzahl + 1, o.kurs);
        break;
      case 1:
        ergebnis = Orderstatus(art, id, o, o.anzahl, 1, NAN);
        break;
      case 2:
        ergebnis = Orderstatus(art, id, o, o.anzahl, o.anzahl, -INFINITY);
        break;
      case 3:
        ergebnis = Orderstatus(art, id, o, -o.anzahl, 0, o.kurs);
        break;
      case 4: {  // a position beyond a Long, or contracts beyond a Long in all
        int64_t andere = 0;
        for (const Titel& x : art.titel)
          if (&x != &t && x.extras.PointValue != 0) andere += std::llabs(m.positionen[x.wkn].menge);
        const int64_t menge = m.positionen[t.wkn].menge;
        o.aktion = menge < 0 ? -1 : 1;
        if (t.extras.PointValue == 0 || menge != 0 || andere == 0) {
          // One unit first where needed, so that the position itself overflows (the most
          // negative Long is a position a stock may have).
          if (menge == 0 || menge == -1) {
            ASSERT_EQ(Orderstatus(art, id + "a", o, 1, 1, o.kurs), -1);
            BucheFill(m, art, t, o.aktion, 1, o.kurs);
            m.fills[id + "a"] = o;
            before[art.name] = Bytes(Konto(art));
            commissions = Konto(art).PaidCommissions;
          }
        }
        ergebnis = Orderstatus(art, id, o, INT32_MAX, INT32_MAX, o.kurs);
        break;
      }
      case 5: {  // a price that is no number is ignored without a message
        s_.host->VKSKontoNeuerKurs(Zeit(), art.name, t.wkn, NAN, false);
        s_.host->VKSKontoNeuerKurs(DateValue{INFINITY}, art.name, t.wkn, o.kurs, false);
        unveraendert();
        EXPECT_EQ(s_.reporter.messages.size(), meldungen);
        return;
      }
      default:
        ergebnis = Orderstatus({"Unbekannt", false, false, false, {}}, id, o, 1, 1, o.kurs);
        unveraendert();
        EXPECT_EQ(ergebnis, 0);
        return;
    }
    EXPECT_EQ(ergebnis, 0);
    unveraendert();
    EXPECT_EQ(Konto(art).PaidCommissions, commissions);
    ASSERT_EQ(s_.reporter.messages.size(), meldungen + 1);
    EXPECT_TRUE(s_.reporter.messages.back().text.starts_with(
        "Konto-Server: Fehler beim Ändern eines Orderstatus aufgetreten: "));
  }

  // A fill's ID reported again as a new order: -33, and nothing changes but the account's time,
  // which moves forward to the report's.
  void Wiederholt(const KontoArt& art, Modell& m) {
    if (m.fills.empty()) return NeueOrder(art, m);
    auto it = std::next(m.fills.begin(), Zahl(0, static_cast<int>(m.fills.size()) - 1));
    clKonto& konto = Konto(art);
    const std::string before = Bytes(konto);
    const DateValue alt = konto.AktuelleZeit;
    EXPECT_EQ(Orderstatus(art, it->first, it->second, 5, 5, Preis(*it->second.titel)), -33);
    const DateValue neu = konto.AktuelleZeit;
    EXPECT_EQ(neu.days, std::max(alt.days, Zeit().days));
    konto.AktuelleZeit = alt;
    EXPECT_EQ(Bytes(konto), before);
    konto.AktuelleZeit = neu;
  }

  void PruefeKonto(const KontoArt& art, const Modell& m) {
    const clKonto& k = Konto(art);
    const double toleranz = m.schranke + m.skala * 1e-12 + 1e-6;
    EXPECT_NEAR(k.BerechneGesamtKapital(), Gesamtkapital(m, art), toleranz);
    EXPECT_NEAR(k.PaidCommissions, m.commissions, m.commissions * 1e-6 + 1e-9);

    // Positions: the collection holds exactly the open ones, at the model's size and price.
    size_t offene_positionen = 0;
    Teile aktien_pl, kontrakt_pl, invest, aktien_margin, kontrakt_margin;
    int32_t kurz = 0, aktien = 0, aktien_kurz = 0;
    int64_t kontrakte = 0, kontrakte_kurz = 0;
    for (const auto& [wkn, p] : m.positionen) {
      const auto* found = k.cTitelPositionen.Find(wkn);
      if (p.menge == 0) {
        EXPECT_FALSE(found) << wkn;
        continue;
      }
      ++offene_positionen;
      ASSERT_TRUE(found) << wkn;
      const clTitelPosition& pos = **found;
      ASSERT_EQ(pos.Position, p.menge) << wkn;
      EXPECT_EQ(pos.AktuellerKurs, p.kurs) << wkn;
      const bool short_pos = p.menge < 0;
      const double units = std::fabs(static_cast<double>(p.menge));
      kurz += short_pos;
      if (pos.IstAktie()) {
        ++aktien;
        aktien_kurz += short_pos;
        aktien_pl.Add(short_pos, pos.OpenPL);
        invest.Add(short_pos, double{pos.Durchschnittspreis} * units);
        const float s = pos.StartMarginUmrechnungswert == 0 ? 1 : pos.StartMarginUmrechnungswert;
        aktien_margin.Add(short_pos, double{pos.Durchschnittspreis} * units * pos.Margin * s);
      } else {
        kontrakte += static_cast<int64_t>(units);
        kontrakte_kurz += short_pos ? static_cast<int64_t>(units) : 0;
        kontrakt_pl.Add(short_pos, pos.OpenPL);
        kontrakt_margin.Add(short_pos, double{pos.Margin} * units);
      }
    }
    EXPECT_EQ(std::tuple(k.cTitelPositionen.Count(), k.AnzahlPositionen, k.AnzahlShortPositionen,
                         k.AktienPositionen, k.AktienPositionenShort, k.KontraktAnzahl,
                         k.KontraktAnzahlShort),
              std::tuple(offene_positionen, static_cast<int32_t>(offene_positionen), kurz, aktien,
                         aktien_kurz, kontrakte, kontrakte_kurz));

    // Each total is the sum over the positions; its long part is the total less the short one.
    struct Summe {
      const char* name;
      double gesamt, kurz;
      Teile teile;
    } summen[] = {
        {"AktienOpenPL", k.KapitalAktienOpenPLGesamt, k.KapitalAktienOpenPLShort, aktien_pl},
        {"KontrakteOpenPL", k.KapitalKontrakteOpenPLGesamt, k.KapitalKontrakteOpenPLShort,
         kontrakt_pl},
        {"AktienInvestWert", k.AktienInvestWertGesamt, k.AktienInvestWertShort, invest},
        {"AktienMargin", k.KapitalAktienMarginGesamt, k.KapitalAktienMarginShort, aktien_margin},
        {"KontrakteMargin", k.KapitalKontrakteMarginGesamt, k.KapitalKontrakteMarginShort,
         kontrakt_margin},
        {"AktienWertAktuell",
         k.AktienWertAktuellGesamt,
         k.AktienWertAktuellShort,
         {invest.lang + aktien_pl.lang, invest.kurz + aktien_pl.kurz}},
    };
    const double genau = m.skala * 1e-12 + 1e-6;
    for (const Summe& s : summen) {
      SCOPED_TRACE(s.name);
      EXPECT_NEAR(s.gesamt - s.kurz, s.teile.lang, genau);
      EXPECT_NEAR(s.kurz, s.teile.kurz, genau);
    }

    // Orders and fills: counters equal to what the collections hold, entry margin to the open
    // rest of the entry orders.
    ASSERT_EQ(k.cOffeneOrders.Count(), m.offen.size());
    int32_t lang_offen = 0, lang_enter = 0, kurz_offen = 0, kurz_enter = 0;
    Teile enter_margin, enter_aktien_margin;
    for (const auto& [id, o] : m.offen) {
      ASSERT_TRUE(k.cOffeneOrders.Exists(id)) << id;
      EXPECT_EQ(k.cOffeneOrders.Item(id)->FilledAnzahl, o.filled) << id;
      (o.aktion >= 1 ? lang_offen : kurz_offen) += 1;
      if (!o.enter) continue;
      (o.aktion >= 1 ? lang_enter : kurz_enter) += 1;
      const clOrderZusatzInfos& z = o.titel->extras;
      const double rest = static_cast<double>(o.anzahl) - o.filled;
      if (z.PointValue > 0) {
        enter_margin.Add(o.aktion < 0, double{z.Margin} * rest);
      } else {
        const bool umrechnen = art.umrechnung && art.margin_umrechnen;
        const double betrag = double{o.kurs} * rest * (z.Margin / 100.0f) *
                              (umrechnen ? Faktor(art, *o.titel) : 1.0f);
        enter_margin.Add(o.aktion < 0, betrag);
        enter_aktien_margin.Add(o.aktion < 0, betrag);
      }
    }
    EXPECT_EQ(std::tuple(k.OffeneLongOrders, k.OffeneShortOrders, k.OffeneLongEnterOrders,
                         k.OffeneShortEnterOrders),
              std::tuple(lang_offen, kurz_offen, lang_enter, kurz_enter));
    const double margin_genau = 1e-6 * (1 + std::fabs(enter_margin.lang + enter_margin.kurz));
    EXPECT_NEAR(k.EnterOrderMarginGesamt - k.EnterOrderMarginShort, enter_margin.lang,
                margin_genau);
    EXPECT_NEAR(k.EnterOrderMarginShort, enter_margin.kurz, margin_genau);
    EXPECT_NEAR(k.EnterOrderAktienMarginGesamt - k.EnterOrderAktienMarginShort,
                enter_aktien_margin.lang, margin_genau);
    EXPECT_NEAR(k.EnterOrderAktienMarginShort, enter_aktien_margin.kurz, margin_genau);

    ASSERT_EQ(k.cFilledOrders.Count(), m.fills.size());
    int32_t lang = 0, enter_lang = 0, enter_kurz = 0;
    for (const auto& [id, o] : m.fills) {
      ASSERT_TRUE(k.cFilledOrders.Exists(id)) << id;
      lang += o.aktion >= 1;
      enter_lang += o.enter && o.aktion >= 1;
      enter_kurz += o.enter && o.aktion < 1;
    }
    const auto fills = static_cast<int32_t>(m.fills.size());
    EXPECT_EQ(std::tuple(k.FilledOrders, k.FilledLongOrders, k.FilledShortOrders,
                         k.FilledEnterLongOrders, k.FilledEnterShortOrders),
              std::tuple(fills, lang, fills - lang, enter_lang, enter_kurz));
  }

  void SpeichernUndLaden() {
    ASSERT_FALSE(s_.store.SpeichereKonten(s_.state.Konten));
    ASSERT_TRUE(s_.log.entries.empty());
    KontenSammlung geladen;
    s_.store.LadeKonten(geladen);
    ASSERT_EQ(geladen.Keys(), s_.state.Konten.Keys());
    for (const auto& entry : s_.state.Konten) {
      SCOPED_TRACE(entry.key);
      EXPECT_TRUE(Bytes(*geladen.Item(entry.key)) == Bytes(*entry.value, true));
    }
  }

  testing::SpielHost s_;
  std::vector<KontoArt> arten_ = KontoArten();
  std::map<std::string, Modell> modelle_;
  std::mt19937_64 random_;
  uint64_t seed_ = 0;
  int schritte_ = 0;
  int schritt_ = 0;
  int order_nummer_ = 0;
};

TEST_F(KontoOperationenZufallTest, EveryReportKeepsTheAccountsConsistent) {
  SCOPED_TRACE("VKS_ZUFALL_SEED=" + std::to_string(seed_));
  for (schritt_ = 1; schritt_ <= schritte_ && !HasFailure(); ++schritt_) {
    SCOPED_TRACE("Schritt " + std::to_string(schritt_));
    const KontoArt& art = arten_[static_cast<size_t>(Zahl(0, static_cast<int>(arten_.size()) - 1))];
    Modell& m = modelle_[art.name];
    s_.clock.AdvanceSeconds(Zahl(0, 30));
    const int wurf = Zahl(0, 99);
    if (wurf < 25) {
      NeueOrder(art, m);
    } else if (wurf < 50) {
      Ausfuehrung(art, m);
    } else if (wurf < 65) {
      NeuerKurs(art, m);
    } else if (wurf < 72) {
      Streichen(art, m);
    } else if (wurf < 77) {
      Schliessen(art, m);
    } else if (wurf < 81) {
      Wiederholt(art, m);
    } else if (wurf < 91) {
      Verweigert(art, m);
    } else if (wurf < 96) {
      s_.presenter.Plan().KursspeichernZeitgeberTick();
    } else if (wurf < 99) {
      s_.presenter.Plan().ZeitgeberTick();
    } else {
      Reset(art, m);
    }
    PruefeKonto(art, m);
    if (schritt_ % 500 == 0) SpeichernUndLaden();
  }
  SpeichernUndLaden();
}

}  // namespace
}  // namespace vks
