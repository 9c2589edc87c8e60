#include "adapters/dbus/KontoSchnittstelleObjekt.h"

#include "adapters/dbus/BusHostObjekte.h"
#include "adapters/dbus/BusVariant.h"
#include "adapters/dbus/DbusNames.h"
#include "platform/automation/AutomationError.h"
#include "session/clKontoGlobalData.h"

namespace vks::dbus {

namespace {

// The event's way to the one client that created the object; it leaves before the reply of the
// call that raised it, as both go out in the order they are sent.
class SignalSenke : public KontoEreignisSenke {
 public:
  SignalSenke(std::string owner, std::string path, BusLoop& loop)
      : owner_(std::move(owner)), path_(std::move(path)), loop_(loop) {}
  void AlleOrdersStreichen(const std::string& KontoName) override {
    sd_bus_message* signal = nullptr;
    if (sd_bus_message_new_signal(loop_.Bus(), &signal, path_.c_str(), kKontoInterface,
                                  "AlleOrdersStreichen") < 0)
      return;
    if (sd_bus_message_set_destination(signal, owner_.c_str()) < 0 ||
        sd_bus_message_append(signal, "s", KontoName.c_str()) < 0) {
      sd_bus_message_unref(signal);
      return;
    }
    loop_.Sende(signal);
  }

 private:
  std::string owner_;
  std::string path_;
  BusLoop& loop_;
};

const DbusArgument kResultVariant{"result", "(qv)"};

}  // namespace

KontoSchnittstelleObjekt::KontoSchnittstelleObjekt(std::shared_ptr<clKontoSchnittstelle> objekt,
                                                   std::string owner, std::string path,
                                                   BusLoop& loop, ObjektPfade& objekte,
                                                   std::function<void()> release)
    : DbusObjekt(kKontoInterface, owner), objekt_(std::move(objekt)), objekte_(objekte) {
  objekt_->SetzeEreignisSenke(std::make_shared<SignalSenke>(owner, std::move(path), loop));
  AddProperties();
  AddMembersBeforeOrderstatus();
  AddMembersFromOrderstatus();
  AddMethod({"Release", {}, {}, [release](BusReader&, BusWriter&) { release(); }});
  AddSignal({"AlleOrdersStreichen", {{"KontoName", "s"}}});
}

clKontoSchnittstelle& KontoSchnittstelleObjekt::K() {
  if (!objekt_) throw AutomationError(error::kObjectNotSet);
  return *objekt_;
}

void KontoSchnittstelleObjekt::AddDictionaryProperty(const char* name,
                                                     ObjectRef clKontoSchnittstelle::*feld) {
  AddProperty({name, "a{sv}",
               [this, feld](BusWriter& w) { SchreibeDictionaryObjekt(w, K().*feld, objekte_); },
               [this, feld](BusReader& r) { K().*feld = LeseDictionaryObjekt(r, objekte_); }});
}

void KontoSchnittstelleObjekt::AddProperties() {
  AddDictionaryProperty("cTitelPositionen", &clKontoSchnittstelle::cTitelPositionen);
  AddDictionaryProperty("cOffeneOrders", &clKontoSchnittstelle::cOffeneOrders);
  AddDictionaryProperty("cFilledOrders", &clKontoSchnittstelle::cFilledOrders);
  AddProperty({"NeuerAktienwertSpeichern", "b",
               [this](BusWriter& w) { w.Bool(K().NeuerAktienwertSpeichern); },
               [this](BusReader& r) { K().NeuerAktienwertSpeichern = r.Bool(); }});
  AddProperty({"NeuerOpenPLSpeichern", "b",
               [this](BusWriter& w) { w.Bool(K().NeuerOpenPLSpeichern); },
               [this](BusReader& r) { K().NeuerOpenPLSpeichern = r.Bool(); }});
  AddProperty({"ID_Schnittstelle", "s", [this](BusWriter& w) { w.String(K().ID_Schnittstelle); },
               [this](BusReader& r) { K().ID_Schnittstelle = r.String(); }});
  AddProperty({"KontoGlobalData", "o",
               [this](BusWriter& w) { w.ObjectPath(objekte_.PfadVon(K().KontoGlobalData())); },
               nullptr});
}

// The members in the interface's order. Each reads its arguments in order before it calls.
void KontoSchnittstelleObjekt::AddMembersBeforeOrderstatus() {
  AddMethod({"VKSClosePosition",
             {{"KontoName", "s"}, {"TitelWKN", "s"}, {"Kurs", "d"}},
             {kResultVariant},
             [this](BusReader& r, BusWriter& w) {
               const auto [konto, wkn, kurs] = r.Read<std::string, std::string, double>();
               WriteVariant(w, K().VKSClosePosition(konto, wkn, SingleAusDouble(kurs)));
             }});
  AddMethod({"VKSKontoKomplettReset",
             {{"KontoName", "s"}, {"KontoInitWert", "d"}, {"KontoStartDatum", "d"}},
             {{"result", "b"}},
             [this](BusReader& r, BusWriter& w) {
               const auto [konto, wert, datum] = r.Read<std::string, double, double>();
               w.Bool(K().VKSKontoKomplettReset(konto, wert, datum));
             }});
  AddMethod({"InitKontoKennzahlen",
             {{"myKontoKennzahlen", "a{sv}"}},
             {{"myKontoKennzahlen", "a{sv}"}},
             [this](BusReader& r, BusWriter& w) {
               KeyedDictionary<Variant> kennzahlen;
               ReadDictionary(r, kennzahlen, &objekte_);
               K().InitKontoKennzahlen(kennzahlen);
               WriteDictionary(w, kennzahlen, &objekte_);
             }});
  AddMethod({"KontoVerbietetOrderaufgabe",
             {{"KontoName", "s"}, {"OrderAktion", "n"}, {"Meldung", "s"}},
             {{"result", "b"}, {"Meldung", "s"}},
             [this](BusReader& r, BusWriter& w) {
               auto [konto, aktion, meldung] = r.Read<std::string, int16_t, std::string>();
               const bool verboten = K().KontoVerbietetOrderaufgabe(konto, aktion, meldung);
               w.Write(verboten, meldung);
             }});
  AddMethod({"VKSGetTitelDateiName",
             {{"KontoName", "s"}, {"TitelWKN", "s"}, {"Datenart", "i"}, {"NurName", "b"}},
             {{"result", "s"}},
             [this](BusReader& r, BusWriter& w) {
               const auto [konto, wkn, art, nur_name] =
                   r.Read<std::string, std::string, int32_t, bool>();
               w.String(K().VKSGetTitelDateiName(konto, wkn, art, nur_name));
             }});
  AddMethod({"VKSGetKontoWert",
             {{"KontoName", "s"}, {"KontoWert", "i"}},
             {{"result", "d"}},
             [this](BusReader& r, BusWriter& w) {
               const auto [konto, wert] = r.Read<std::string, int32_t>();
               w.Write(K().VKSGetKontoWert(konto, wert));
             }});
  AddMethod({"VKSGetTitelPosition",
             {{"KontoName", "s"}, {"TitelWKN", "s"}},
             {{"result", "d"}},
             [this](BusReader& r, BusWriter& w) {
               const auto [konto, wkn] = r.Read<std::string, std::string>();
               w.Write(K().VKSGetTitelPosition(konto, wkn));
             }});
  AddMethod({"VKSKontoNeuerKurs",
             {{"DatumZeit", "d"},
              {"KontoName", "s"},
              {"TitelWKN", "s"},
              {"NeuerKurs", "d"},
              {"SofortSpeichern", "b"}},
             {},
             [this](BusReader& r, BusWriter&) {
               const auto [datum, konto, wkn, kurs, sofort] =
                   r.Read<double, std::string, std::string, double, bool>();
               K().VKSKontoNeuerKurs(DateValue{datum}, konto, wkn, SingleAusDouble(kurs), sofort);
             }});
  AddMethod({"VKSGetKontoNamenliste", {}, {kResultVariant}, [this](BusReader&, BusWriter& w) {
               WriteVariant(w, K().VKSGetKontoNamenliste());
             }});
  AddMethod({"VKSBaueKontoNamenStringFeld",
             {{"Stringfeld", "(qv)"}},
             {kResultVariant, {"Stringfeld", "(qv)"}},
             [this](BusReader& r, BusWriter& w) {
               Variant feld = ReadVariant(r, &objekte_);
               const Variant result = K().VKSBaueKontoNamenStringFeld(feld);
               WriteVariant(w, result);
               WriteVariant(w, feld, &objekte_);
             }});
  AddMethod({"VKSKontoExistiert",
             {{"KontoName", "s"}},
             {{"result", "b"}},
             [this](BusReader& r, BusWriter& w) { w.Bool(K().VKSKontoExistiert(r.String())); }});
  AddMethod({"VKSKontoGetCashBetrag",
             {{"KontoName", "s"}},
             {kResultVariant},
             [this](BusReader& r, BusWriter& w) {
               WriteVariant(w, K().VKSKontoGetCashBetrag(r.String()));
             }});
}

void KontoSchnittstelleObjekt::AddMembersFromOrderstatus() {
  AddMethod({"VKSKontoNeuerOrderstatus",
             {{"DatumZeit", "d"},
              {"KontoName", "s"},
              {"OrderID", "s"},
              {"TitelWKN", "s"},
              {"TitelName", "s"},
              {"Aktion", "n"},
              {"Anzahl", "i"},
              {"FilledAnzahl", "i"},
              {"AktFillPreis", "d"},
              {"IsEnterOrder", "b"},
              {"ZusatzInfos", "a{sv}"}},
             {{"result", "n"}, {"DatumZeit", "d"}, {"ZusatzInfos", "a{sv}"}},
             [this](BusReader& r, BusWriter& w) {
               const auto [tag, konto, order, wkn, name, aktion, anzahl, filled, preis, enter] =
                   r.Read<double, std::string, std::string, std::string, std::string, int16_t,
                          int32_t, int32_t, double, bool>();
               const std::optional<clOrderZusatzInfos> zusatz = LeseZusatzInfos(r);
               const clOrderZusatzInfos* z = zusatz ? &*zusatz : nullptr;
               DateValue datum{tag};
               const int16_t result =
                   K().VKSKontoNeuerOrderstatus(datum, konto, order, wkn, name, aktion, anzahl,
                                                filled, SingleAusDouble(preis), enter, z);
               w.Write(result, datum.days);
               SchreibeZusatzInfos(w, z);
             }});
  AddMethod({"VKSSchreibePosWerte",
             {{"KontoName", "s"},
              {"WKNFeld", "(qv)"},
              {"TitelNameFeld", "(qv)"},
              {"Wert1", "d"},
              {"Wert2", "i"}},
             {{"result", "n"}, {"WKNFeld", "(qv)"}, {"TitelNameFeld", "(qv)"}},
             [this](BusReader& r, BusWriter& w) {
               const std::string konto = r.String();
               const Variant wkns = ReadVariant(r, &objekte_);
               const Variant namen = ReadVariant(r, &objekte_);
               const auto [wert1, wert2] = r.Read<double, int32_t>();
               const int16_t result =
                   K().VKSSchreibePosWerte(konto, wkns, namen, SingleAusDouble(wert1), wert2);
               w.Int16(result);
               WriteVariant(w, wkns, &objekte_);
               WriteVariant(w, namen, &objekte_);
             }});
  AddMethod({"VKSStreicheOrder",
             {{"KontoName", "s"}, {"OrderID", "s"}, {"DatumZeit", "d"}},
             {{"result", "n"}},
             [this](BusReader& r, BusWriter& w) {
               const auto [konto, order, datum] = r.Read<std::string, std::string, double>();
               w.Int16(K().VKSStreicheOrder(konto, order, DateValue{datum}));
             }});
  AddMethod(
      {"VKSNeuesKontoZufuegen",
       {{"KontoName", "s"},
        {"KontoInfo", "s"},
        {"Kontostand", "d"},
        {"AktDatum", "d"},
        {"UseZeitstempel", "b"},
        {"UseCommissions", "b"},
        {"UseUmrechnung", "b"},
        {"Fehlertext", "s"}},
       {{"result", "b"}, {"Fehlertext", "s"}},
       [this](BusReader& r, BusWriter& w) {
         auto [konto, info, stand, datum, zeitstempel, commissions, umrechnung, fehlertext] =
             r.Read<std::string, std::string, double, double, bool, bool, bool, std::string>();
         const bool result =
             K().VKSNeuesKontoZufügen(konto, info, stand, DateValue{datum}, zeitstempel,
                                      commissions, umrechnung, fehlertext);
         w.Write(result, fehlertext);
       }});
  AddMethod({"VKSShowKontenFenster", {}, {}, [this](BusReader&, BusWriter&) {
               K().VKSShowKontenFenster();
             }});
  AddMethod({"VKSStreicheKontoOrders", {{"KontoName", "s"}}, {}, [this](BusReader& r, BusWriter&) {
               K().VKSStreicheKontoOrders(r.String());
             }});
}

}  // namespace vks::dbus
