#include "adapters/dbus/AnzeigeObjekt.h"

#include <QtCore/QDateTime>

namespace vks::dbus {

AnzeigeObjekt::AnzeigeObjekt(BusLoop& loop, KontenFensterZugang zugang, const KontoSitzung& sitzung,
                             std::string version)
    : DbusObjekt(kAnzeigeInterface, std::string()),
      loop_(loop),
      zugang_(std::move(zugang)),
      sitzung_(sitzung),
      version_(std::move(version)) {
  AddProperty(
      {"AnzeigeVorhanden", "b", [this](BusWriter& w) { w.Bool(zugang_.anzeige_vorhanden); }, {}});
  AddProperty({"KontenFensterOffen",
               "b",
               [this](BusWriter& w) { w.Bool(zugang_.offen && zugang_.offen()); },
               {}});
  const auto text = [this](const char* name, std::function<std::string()> wert) {
    AddProperty({name, "s", [wert](BusWriter& w) { w.String(wert()); }, {}});
  };
  const auto zahl = [this](const char* name, std::function<int32_t()> wert) {
    AddProperty({name, "i", [wert](BusWriter& w) { w.Int32(wert()); }, {}});
  };
  text("Version", [this] { return version_; });
  text("DatenOrdner", [this] { return sitzung_.DatenOrdner; });
  text("RTTSpeicherOrdner", [this] { return sitzung_.RTTSpeicherOrdner; });
  zahl("KontenAnzahl", [this] { return static_cast<int32_t>(sitzung_.Konten.Count()); });
  zahl("HostObjekte", [this] { return sitzung_.SchnittstellenAnzahl; });
  text("ZuletztGespeichert", [this] { return zuletzt_gespeichert_; });
  AddMethod({"SchliesseKontenFenster", {}, {}, [this](BusReader&, BusWriter&) {
               if (zugang_.schliessen) zugang_.schliessen();
             }});
  AddSignal({"KontenFensterGeschlossen", {}});
}

AnzeigeObjekt::~AnzeigeObjekt() {
  if (plan_) plan_->Abmelden(this);
}

void AnzeigeObjekt::BeobachteSpeichern(Speicherplan& plan) {
  plan_ = &plan;
  plan.Anmelden(this);
}

void AnzeigeObjekt::Gespeichert() {
  // With the offset, so that the time says when it was wherever it is read.
  const QDateTime jetzt = QDateTime::currentDateTime();
  zuletzt_gespeichert_ =
      jetzt.toOffsetFromUtc(jetzt.offsetFromUtc()).toString(Qt::ISODate).toStdString();
}

void AnzeigeObjekt::Geschlossen() {
  sd_bus_message* signal = nullptr;
  if (sd_bus_message_new_signal(loop_.Bus(), &signal, kAnzeigePath, kAnzeigeInterface,
                                "KontenFensterGeschlossen") >= 0)
    loop_.Sende(signal);
}

}  // namespace vks::dbus
