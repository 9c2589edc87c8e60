#include "platform/dbus/KontoSchnittstelleObjekt.h"

#include "platform/automation/AutomationError.h"
#include "platform/dbus/DbusNames.h"
#include "platform/dbus/DbusVariant.h"

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

const DbusArgument kResultVariant{"result", "(qv)"};

}  // namespace

KontoSchnittstelleObjekt::KontoSchnittstelleObjekt(std::shared_ptr<clKontoSchnittstelle> objekt,
                                                   QString owner, QString path,
                                                   QDBusConnection connection,
                                                   std::function<void()> release)
    : DbusObjekt(QLatin1String(kKontoInterface), owner), objekt_(std::move(objekt)) {
  objekt_->SetzeEreignisSenke(std::make_shared<SignalSenke>(owner, path, std::move(connection)));
  AddMembers(std::move(release));
}

clKontoSchnittstelle& KontoSchnittstelleObjekt::K() {
  if (!objekt_) throw AutomationError(error::kObjectNotSet);
  return *objekt_;
}

void KontoSchnittstelleObjekt::AddMembers(std::function<void()> release) {
  AddProperty({"NeuerAktienwertSpeichern", "b",
               [this] { return QVariant(K().NeuerAktienwertSpeichern); },
               [this](const QVariant& v) { K().NeuerAktienwertSpeichern = v.toBool(); }});
  AddProperty({"NeuerOpenPLSpeichern", "b", [this] { return QVariant(K().NeuerOpenPLSpeichern); },
               [this](const QVariant& v) { K().NeuerOpenPLSpeichern = v.toBool(); }});
  AddProperty({"ID_Schnittstelle", "s", [this] { return S(K().ID_Schnittstelle); },
               [this](const QVariant& v) { K().ID_Schnittstelle = S(v); }});

  AddMethod({"InitKontoKennzahlen",
             {{"myKontoKennzahlen", "a{sv}"}},
             {{"myKontoKennzahlen", "a{sv}"}},
             [this](const QVariantList& a) {
               KeyedDictionary<Variant> kennzahlen;
               DictionaryFromDbus(a[0], kennzahlen);
               K().InitKontoKennzahlen(kennzahlen);
               return QVariantList{DictionaryToDbus(kennzahlen)};
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
  AddMethod({"VKSGetKontoNamenliste", {}, {kResultVariant}, [this](const QVariantList&) {
               return QVariantList{ToDbusArgument(K().VKSGetKontoNamenliste())};
             }});
  AddMethod({"VKSBaueKontoNamenStringFeld",
             {{"Stringfeld", "(qv)"}},
             {kResultVariant, {"Stringfeld", "(qv)"}},
             [this](const QVariantList& a) {
               Variant feld = FromDbusArgument(a[0]);
               const Variant result = K().VKSBaueKontoNamenStringFeld(feld);
               return QVariantList{ToDbusArgument(result), ToDbusArgument(feld)};
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
  AddMethod({"VKSShowKontenFenster", {}, {}, [this](const QVariantList&) {
               K().VKSShowKontenFenster();
               return QVariantList{};
             }});
  AddMethod({"VKSStreicheKontoOrders", {{"KontoName", "s"}}, {}, [this](const QVariantList& a) {
               K().VKSStreicheKontoOrders(S(a[0]));
               return QVariantList{};
             }});
  AddMethod({"Release", {}, {}, [release](const QVariantList&) {
               release();
               return QVariantList{};
             }});
  AddSignal({"AlleOrdersStreichen", {{"KontoName", "s"}}});
}

}  // namespace vks::dbus
