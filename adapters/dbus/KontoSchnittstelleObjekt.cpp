#include "adapters/dbus/KontoSchnittstelleObjekt.h"

#include <QtDBus/QDBusObjectPath>

#include "platform/automation/AutomationError.h"
#include "adapters/dbus/DbusHostObjekte.h"
#include "adapters/dbus/DbusNames.h"
#include "adapters/dbus/DbusVariant.h"
#include "session/clKontoGlobalData.h"

namespace vks::dbus {

namespace {

// The event's way to the one client that created the object.
class SignalSenke : public KontoEreignisSenke {
 public:
  SignalSenke(QString owner, QString path, QDBusConnection connection)
      : owner_(std::move(owner)), path_(std::move(path)), connection_(std::move(connection)) {}
  void AlleOrdersStreichen(const std::string& KontoName) override {
    auto signal = QDBusMessage::createTargetedSignal(owner_, path_, QLatin1String(kKontoInterface),
                                                     QStringLiteral("AlleOrdersStreichen"));
    signal << QString::fromStdString(KontoName);
    connection_.send(signal);
  }

 private:
  QString owner_;
  QString path_;
  QDBusConnection connection_;
};

std::string S(const QVariant& v) {
  return v.toString().toStdString();
}
QVariant S(const std::string& s) {
  return QString::fromStdString(s);
}
// A Single result travels as d holding the float's exact value.
QVariant Single(float f) {
  return static_cast<double>(f);
}
QVariant Integer(int16_t n) {
  return QVariant::fromValue<qint16>(n);
}
int16_t Integer(const QVariant& v) {
  return static_cast<int16_t>(v.value<qint16>());
}

const DbusArgument kResultVariant{"result", "(qv)"};

}  // namespace

KontoSchnittstelleObjekt::KontoSchnittstelleObjekt(std::shared_ptr<clKontoSchnittstelle> objekt,
                                                   QString owner, QString path,
                                                   QDBusConnection connection, ObjektPfade& objekte,
                                                   std::function<void()> release)
    : DbusObjekt(QLatin1String(kKontoInterface), owner),
      objekt_(std::move(objekt)),
      objekte_(objekte) {
  objekt_->SetzeEreignisSenke(std::make_shared<SignalSenke>(owner, path, std::move(connection)));
  AddProperties();
  AddMembersBeforeOrderstatus();
  AddMembersFromOrderstatus();
  AddMethod({"Release", {}, {}, [release](const QVariantList&) {
               release();
               return QVariantList{};
             }});
  AddSignal({"AlleOrdersStreichen", {{"KontoName", "s"}}});
}

clKontoSchnittstelle& KontoSchnittstelleObjekt::K() {
  if (!objekt_) throw AutomationError(error::kObjectNotSet);
  return *objekt_;
}

void KontoSchnittstelleObjekt::AddDictionaryProperty(const char* name,
                                                     ObjectRef clKontoSchnittstelle::*feld) {
  AddProperty(
      {name, "a{sv}", [this, feld] { return DictionaryObjektToDbus(K().*feld, objekte_); },
       [this, feld](const QVariant& v) { K().*feld = DictionaryObjektFromDbus(v, objekte_); }});
}

void KontoSchnittstelleObjekt::AddProperties() {
  AddDictionaryProperty("cTitelPositionen", &clKontoSchnittstelle::cTitelPositionen);
  AddDictionaryProperty("cOffeneOrders", &clKontoSchnittstelle::cOffeneOrders);
  AddDictionaryProperty("cFilledOrders", &clKontoSchnittstelle::cFilledOrders);
  AddProperty({"NeuerAktienwertSpeichern", "b",
               [this] { return QVariant(K().NeuerAktienwertSpeichern); },
               [this](const QVariant& v) { K().NeuerAktienwertSpeichern = v.toBool(); }});
  AddProperty({"NeuerOpenPLSpeichern", "b", [this] { return QVariant(K().NeuerOpenPLSpeichern); },
               [this](const QVariant& v) { K().NeuerOpenPLSpeichern = v.toBool(); }});
  AddProperty({"ID_Schnittstelle", "s", [this] { return S(K().ID_Schnittstelle); },
               [this](const QVariant& v) { K().ID_Schnittstelle = S(v); }});
  AddProperty({"KontoGlobalData", "o",
               [this] {
                 return QVariant::fromValue(
                     QDBusObjectPath(objekte_.PfadVon(K().KontoGlobalData())));
               },
               nullptr});
}

// The members in the interface's order.
void KontoSchnittstelleObjekt::AddMembersBeforeOrderstatus() {
  AddMethod({"VKSClosePosition",
             {{"KontoName", "s"}, {"TitelWKN", "s"}, {"Kurs", "d"}},
             {kResultVariant},
             [this](const QVariantList& a) {
               return QVariantList{
                   ToDbusArgument(K().VKSClosePosition(S(a[0]), S(a[1]), SingleFromDbus(a[2])))};
             }});
  AddMethod({"VKSKontoKomplettReset",
             {{"KontoName", "s"}, {"KontoInitWert", "d"}, {"KontoStartDatum", "d"}},
             {{"result", "b"}},
             [this](const QVariantList& a) {
               return QVariantList{
                   K().VKSKontoKomplettReset(S(a[0]), a[1].toDouble(), a[2].toDouble())};
             }});
  AddMethod({"InitKontoKennzahlen",
             {{"myKontoKennzahlen", "a{sv}"}},
             {{"myKontoKennzahlen", "a{sv}"}},
             [this](const QVariantList& a) {
               KeyedDictionary<Variant> kennzahlen;
               DictionaryFromDbus(a[0], kennzahlen, &objekte_);
               K().InitKontoKennzahlen(kennzahlen);
               return QVariantList{DictionaryToDbus(kennzahlen, &objekte_)};
             }});
  AddMethod({"KontoVerbietetOrderaufgabe",
             {{"KontoName", "s"}, {"OrderAktion", "n"}, {"Meldung", "s"}},
             {{"result", "b"}, {"Meldung", "s"}},
             [this](const QVariantList& a) {
               std::string meldung = S(a[2]);
               const bool verboten =
                   K().KontoVerbietetOrderaufgabe(S(a[0]), Integer(a[1]), meldung);
               return QVariantList{verboten, S(meldung)};
             }});
  AddMethod({"VKSGetTitelDateiName",
             {{"KontoName", "s"}, {"TitelWKN", "s"}, {"Datenart", "i"}, {"NurName", "b"}},
             {{"result", "s"}},
             [this](const QVariantList& a) {
               return QVariantList{
                   S(K().VKSGetTitelDateiName(S(a[0]), S(a[1]), a[2].toInt(), a[3].toBool()))};
             }});
  AddMethod({"VKSGetKontoWert",
             {{"KontoName", "s"}, {"KontoWert", "i"}},
             {{"result", "d"}},
             [this](const QVariantList& a) {
               return QVariantList{Single(K().VKSGetKontoWert(S(a[0]), a[1].toInt()))};
             }});
  AddMethod({"VKSGetTitelPosition",
             {{"KontoName", "s"}, {"TitelWKN", "s"}},
             {{"result", "d"}},
             [this](const QVariantList& a) {
               return QVariantList{Single(K().VKSGetTitelPosition(S(a[0]), S(a[1])))};
             }});
  AddMethod({"VKSKontoNeuerKurs",
             {{"DatumZeit", "d"},
              {"KontoName", "s"},
              {"TitelWKN", "s"},
              {"NeuerKurs", "d"},
              {"SofortSpeichern", "b"}},
             {},
             [this](const QVariantList& a) {
               K().VKSKontoNeuerKurs(DateValue{a[0].toDouble()}, S(a[1]), S(a[2]),
                                     SingleFromDbus(a[3]), a[4].toBool());
               return QVariantList{};
             }});
  AddMethod({"VKSGetKontoNamenliste", {}, {kResultVariant}, [this](const QVariantList&) {
               return QVariantList{ToDbusArgument(K().VKSGetKontoNamenliste())};
             }});
  AddMethod({"VKSBaueKontoNamenStringFeld",
             {{"Stringfeld", "(qv)"}},
             {kResultVariant, {"Stringfeld", "(qv)"}},
             [this](const QVariantList& a) {
               Variant feld = FromDbusArgument(a[0], &objekte_);
               const Variant result = K().VKSBaueKontoNamenStringFeld(feld);
               return QVariantList{ToDbusArgument(result), ToDbusArgument(feld, &objekte_)};
             }});
  AddMethod(
      {"VKSKontoExistiert", {{"KontoName", "s"}}, {{"result", "b"}}, [this](const QVariantList& a) {
         return QVariantList{K().VKSKontoExistiert(S(a[0]))};
       }});
  AddMethod({"VKSKontoGetCashBetrag",
             {{"KontoName", "s"}},
             {kResultVariant},
             [this](const QVariantList& a) {
               return QVariantList{ToDbusArgument(K().VKSKontoGetCashBetrag(S(a[0])))};
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
             [this](const QVariantList& a) {
               const std::optional<clOrderZusatzInfos> zusatz = ZusatzInfosFromDbus(a[10]);
               const clOrderZusatzInfos* z = zusatz ? &*zusatz : nullptr;
               DateValue datum{a[0].toDouble()};
               const int16_t result = K().VKSKontoNeuerOrderstatus(
                   datum, S(a[1]), S(a[2]), S(a[3]), S(a[4]), Integer(a[5]), a[6].toInt(),
                   a[7].toInt(), SingleFromDbus(a[8]), a[9].toBool(), z);
               return QVariantList{Integer(result), datum.days, ZusatzInfosToDbus(z)};
             }});
  AddMethod({"VKSSchreibePosWerte",
             {{"KontoName", "s"},
              {"WKNFeld", "(qv)"},
              {"TitelNameFeld", "(qv)"},
              {"Wert1", "d"},
              {"Wert2", "i"}},
             {{"result", "n"}, {"WKNFeld", "(qv)"}, {"TitelNameFeld", "(qv)"}},
             [this](const QVariantList& a) {
               const Variant wkns = FromDbusArgument(a[1], &objekte_);
               const Variant namen = FromDbusArgument(a[2], &objekte_);
               const int16_t result = K().VKSSchreibePosWerte(S(a[0]), wkns, namen,
                                                              SingleFromDbus(a[3]), a[4].toInt());
               return QVariantList{Integer(result), ToDbusArgument(wkns, &objekte_),
                                   ToDbusArgument(namen, &objekte_)};
             }});
  AddMethod({"VKSStreicheOrder",
             {{"KontoName", "s"}, {"OrderID", "s"}, {"DatumZeit", "d"}},
             {{"result", "n"}},
             [this](const QVariantList& a) {
               return QVariantList{
                   Integer(K().VKSStreicheOrder(S(a[0]), S(a[1]), DateValue{a[2].toDouble()}))};
             }});
  AddMethod({"VKSNeuesKontoZufuegen",
             {{"KontoName", "s"},
              {"KontoInfo", "s"},
              {"Kontostand", "d"},
              {"AktDatum", "d"},
              {"UseZeitstempel", "b"},
              {"UseCommissions", "b"},
              {"UseUmrechnung", "b"},
              {"Fehlertext", "s"}},
             {{"result", "b"}, {"Fehlertext", "s"}},
             [this](const QVariantList& a) {
               std::string fehlertext = S(a[7]);
               const bool result = K().VKSNeuesKontoZufügen(
                   S(a[0]), S(a[1]), a[2].toDouble(), DateValue{a[3].toDouble()}, a[4].toBool(),
                   a[5].toBool(), a[6].toBool(), fehlertext);
               return QVariantList{result, S(fehlertext)};
             }});
  AddMethod({"VKSShowKontenFenster", {}, {}, [this](const QVariantList&) {
               K().VKSShowKontenFenster();
               return QVariantList{};
             }});
  AddMethod({"VKSStreicheKontoOrders", {{"KontoName", "s"}}, {}, [this](const QVariantList& a) {
               K().VKSStreicheKontoOrders(S(a[0]));
               return QVariantList{};
             }});
}

}  // namespace vks::dbus
