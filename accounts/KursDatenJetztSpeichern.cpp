#include "accounts/KursDatenJetztSpeichern.h"

#include "recording/RttAufzeichnung.h"

namespace vks {
namespace {

struct Value {
  eKontoDatenArt kind;
  double value;
};

void WriteAll(const clKonto& konto, RttAufzeichnung& rtt, std::initializer_list<Value> values,
              float wert2) {
  for (const Value& v : values)
    rtt.SchreibeWert(konto.KontoName, "", "", v.kind, konto.AktuelleZeit,
                     static_cast<float>(v.value), wert2);
}

}  // namespace

bool KursDatenJetztSpeichern(clKonto& konto, RttAufzeichnung& rtt) {
  const bool aktien = konto.NeuerAktienwertSpeichern;
  const bool open_pl = konto.NeuerOpenPLSpeichern;
  konto.NeuerAktienwertSpeichern = false;
  konto.NeuerOpenPLSpeichern = false;
  // Without a storage folder every record would be dropped: the price-save timer passes over all
  // accounts twice a second, so it does not compute them at all.
  if (rtt.Speicher().folder.empty()) return aktien || open_pl;
  if (aktien) {
    WriteAll(konto, rtt,
             {{dKapitalAktienAktuellerWert, konto.AktienWertAktuellGesamt},
              {dKapitalAktienAktuellerWertLong,
               konto.AktienWertAktuellGesamt - konto.AktienWertAktuellShort},
              {dKapitalAktienAktuellerWertShort, konto.AktienWertAktuellShort},
              {dKapitalAktienOpenPL, konto.KapitalAktienOpenPLGesamt},
              {dKapitalAktienOpenPLLong,
               konto.KapitalAktienOpenPLGesamt - konto.KapitalAktienOpenPLShort},
              {dKapitalAktienOpenPLShort, konto.KapitalAktienOpenPLShort}},
             1.0f);
  }
  if (open_pl) {
    WriteAll(konto, rtt,
             {{dKapitalKontraktOpenPL, konto.KapitalKontrakteOpenPLGesamt},
              {dKapitalKontraktOpenPLLong,
               konto.KapitalKontrakteOpenPLGesamt - konto.KapitalKontrakteOpenPLShort},
              {dKapitalKontraktOpenPLShort, konto.KapitalKontrakteOpenPLShort}},
             1.0f);
  }
  if (aktien || open_pl) {
    WriteAll(konto, rtt,
             {{dKapitalGesamtKapital, konto.BerechneGesamtKapital()},
              {dKapitalVerfuegbarKapital, konto.BerechneVerfuegbarKapital()}},
             0.0f);
  }
  return aktien || open_pl;
}

}  // namespace vks
