// The host's account operations on clKontoSchnittstelle: each finds the account, hands the work to
// the account logic, keeps the account list and the pending-save flag, and answers with its
// result code. No error reaches the host.
#include "accounts/Eingabepruefung.h"
#include "accounts/KontoBedingungen.h"
#include "accounts/KontoBeobachter.h"
#include "accounts/KontoUmgebung.h"
#include "accounts/Orderstatus.h"
#include "interface/clKontoSchnittstelle.h"
#include "platform/automation/AutomationError.h"
#include "platform/automation/VariantConversions.h"
#include "platform/system/MessageReporter.h"
#include "recording/RttAufzeichnung.h"
#include "session/Speicherplan.h"

namespace vks {
namespace {

std::string Trim(std::string_view text) {
  size_t begin = text.find_first_not_of(' ');
  if (begin == std::string_view::npos) return {};
  return std::string(text.substr(begin, text.find_last_not_of(' ') - begin + 1));
}

}  // namespace

void clKontoSchnittstelle::Melde(const std::string& text, const std::exception& error) {
  if (umgebung_.sitzung.Meldungen)
    umgebung_.sitzung.Meldungen->ZeigeMeldung(text + error.what(), 0);
}

void clKontoSchnittstelle::SetzeSpeichernAusstehend() {
  if (umgebung_.sitzung.Speichern) umgebung_.sitzung.Speichern->SetzeSpeichernAusstehend();
}

Variant clKontoSchnittstelle::VKSClosePosition(std::string_view KontoName,
                                               std::string_view TitelWKN, float Kurs) {
  try {
    const auto* konto = FindeKonto(KontoName);
    if (!konto) return {};
    const KontoUmgebung& umgebung = Umgebung();
    SchliessePosition(**konto, TitelWKN, Kurs, umgebung);
    if (umgebung.beobachter)
      umgebung.beobachter->AccountRowChanged(**konto, ZeilenAnlass::kPositionGeschlossen);
  } catch (const std::exception&) {
    // The host learns nothing of a failed close; the position simply stays.
  }
  return {};
}

bool clKontoSchnittstelle::VKSKontoKomplettReset(std::string_view KontoName, double KontoInitWert,
                                                 double KontoStartDatum) {
  const auto* found = FindeKonto(KontoName);
  if (!found) return false;
  std::shared_ptr<clKonto> alt = *found;
  try {
    const KontoUmgebung& umgebung = Umgebung();
    PruefeZahl("KontoInitWert", KontoInitWert);
    PruefeDatum("KontoStartDatum", DateValue{KontoStartDatum});
    // A file that cannot be deleted stops the reset; the files deleted before stay deleted.
    umgebung.rtt.LoescheDateien(alt->KontoName, [](const AutomationError& e) { throw e; });
    auto neu = std::make_shared<clKonto>();
    neu->KontoName = alt->KontoName;
    neu->Beschreibung = alt->Beschreibung;
    neu->FillStreichBedingung = alt->FillStreichBedingung;
    neu->PlatziereBedingung = alt->PlatziereBedingung;
    neu->PlatziereMeldung = alt->PlatziereMeldung;
    neu->UseCommissions = alt->UseCommissions;
    neu->UseUmrechnung = alt->UseUmrechnung;
    neu->MarginUmrechnen = alt->MarginUmrechnen;
    neu->UseSimulZeit = true;
    neu->CashBetrag = KontoInitWert;
    neu->AktuelleZeit = DateValue{KontoStartDatum};
    *umgebung_.sitzung.Konten.Find(KontoName) = neu;
    neu->SchreibeInitRTTWerte(false, umgebung);
    if (umgebung.beobachter) umgebung.beobachter->AccountReplaced(neu);
    return true;
  } catch (const std::exception& e) {
    Melde("Konto-Server: Fehler beim Reset eines Kontos aufgetreten: ", e);
    return false;
  }
}

void clKontoSchnittstelle::VKSKontoNeuerKurs(DateValue DatumZeit, std::string_view KontoName,
                                             std::string_view TitelWKN, float NeuerKurs,
                                             bool SofortSpeichern) {
  try {
    const auto* konto = FindeKonto(KontoName);
    if (!konto) return;
    bool sofort = false;
    (*konto)->NeuerKurs(TitelWKN, DatumZeit, NeuerKurs, sofort, Umgebung().clock);
    if (SofortSpeichern && umgebung_.sitzung.Speichern)
      umgebung_.sitzung.Speichern->KursDatenJetztSpeichern(**konto);
  } catch (const std::exception&) {
    // A price that cannot be taken is dropped; the next one revalues the position.
  }
}

int16_t clKontoSchnittstelle::VKSKontoNeuerOrderstatus(
    DateValue& DatumZeit, std::string_view KontoName, std::string_view OrderID,
    std::string_view TitelWKN, std::string_view TitelName, int16_t Aktion, int32_t Anzahl,
    int32_t FilledAnzahl, float AktFillPreis, bool IsEnterOrder,
    const clOrderZusatzInfos* ZusatzInfos) {
  const auto* found = FindeKonto(KontoName);
  if (!found) return 0;
  std::shared_ptr<clKonto> konto = *found;
  try {
    const Ordermeldung meldung{DatumZeit, OrderID,      TitelWKN,     TitelName,    Aktion,
                               Anzahl,    FilledAnzahl, AktFillPreis, IsEnterOrder, ZusatzInfos};
    if (BucheOrderstatus(*konto, meldung, Umgebung()) == OrderstatusErgebnis::kBereitsAusgefuehrt)
      return -33;
    SetzeSpeichernAusstehend();
    return -1;
  } catch (const std::exception& e) {
    Melde("Konto-Server: Fehler beim Ändern eines Orderstatus aufgetreten: ", e);
    return 0;
  }
}

int16_t clKontoSchnittstelle::VKSSchreibePosWerte(std::string_view KontoName,
                                                  const Variant& WKNFeld,
                                                  const Variant& TitelNameFeld, float Wert1,
                                                  int32_t Wert2) {
  const auto* found = FindeKonto(KontoName);
  if (!found) return 0;
  const clKonto& konto = **found;
  try {
    const KontoUmgebung& umgebung = Umgebung();
    if (!WKNFeld.IsArray() || !TitelNameFeld.IsArray()) throw AutomationError(error::kTypeMismatch);
    const VariantArray& wkns = WKNFeld.AsArray();
    const VariantArray& namen = TitelNameFeld.AsArray();
    PruefeZahl("Wert1", Wert1);
    // Every title is read and checked before the first file is written.
    std::vector<std::pair<std::string, std::string>> titel;
    for (int64_t i = wkns.LBound(); i <= wkns.UBound(); ++i) {
      titel.emplace_back(ToString(wkns.At(static_cast<int32_t>(i))),
                         ToString(namen.At(static_cast<int32_t>(i))));
      PruefeText("WKNFeld", titel.back().first);
      PruefeText("TitelNameFeld", titel.back().second);
    }
    bool eine_vorhanden = false;
    const DateValue t = konto.UseSimulZeit ? konto.AktuelleZeit : umgebung.clock.Now();
    for (const auto& [wkn, name] : titel) {
      const std::string datei = umgebung.rtt.DateiName(konto.KontoName, wkn, dTitelPos, false);
      // A file that waits to be created counts as existing.
      if (!datei.empty() && umgebung.rtt.DateiExistiert(datei)) {
        eine_vorhanden = true;
        continue;
      }
      for (int j = 1; j <= 5; ++j) {
        umgebung.rtt.SchreibeWert(konto.KontoName, wkn, name, dTitelPos,
                                  DateValue{t.days - (5 - j)}, Wert1, static_cast<float>(Wert2));
      }
    }
    return eine_vorhanden ? -2 : -1;
  } catch (const std::exception& e) {
    Melde("Konto-Server: Fehler beim Schreiben von Positions-Daten aufgetreten: ", e);
    return 0;
  }
}

int16_t clKontoSchnittstelle::VKSStreicheOrder(std::string_view KontoName, std::string_view OrderID,
                                               DateValue DatumZeit) {
  const auto* found = FindeKonto(KontoName);
  if (!found) return 0;
  std::shared_ptr<clKonto> konto = *found;
  try {
    if (StreicheOffeneOrder(*konto, OrderID, DatumZeit, Umgebung())) SetzeSpeichernAusstehend();
    return -1;
  } catch (const std::exception& e) {
    Melde("Konto-Server: Fehler beim Streichen einer Order aufgetreten: ", e);
    return 0;
  }
}

bool clKontoSchnittstelle::KontoVerbietetOrderaufgabe(std::string_view KontoName,
                                                      int16_t OrderAktion, std::string& Meldung) {
  try {
    const auto* konto = FindeKonto(KontoName);
    if (!konto) return false;
    return PrüfePlatzierenNichtMöglich(**konto, OrderAktion, Meldung, Umgebung());
  } catch (const std::exception&) {
    return false;
  }
}

bool clKontoSchnittstelle::VKSNeuesKontoZufügen(std::string_view KontoName,
                                                std::string_view KontoInfo, double Kontostand,
                                                DateValue AktDatum, bool UseZeitstempel,
                                                bool UseCommissions, bool UseUmrechnung,
                                                std::string& Fehlertext) {
  KontoSitzung& state = umgebung_.sitzung;
  if (state.DatenOrdner.empty()) {
    Fehlertext =
        "Der Ordner zum Speichern der Einstellungen ist nicht korrekt. Beenden Sie bitte alle "
        "Tradomir Instanzen und überprüfen Sie die Installation. Der Konto-Server muss aus der "
        "Haupt-Instanz von Tradomir gestartet werden.";
    return false;
  }
  bool ergebnis = false;
  // Each step runs even when one before it failed; the last error is the one reported.
  auto step = [&](auto&& body) {
    try {
      body();
    } catch (const std::exception& e) {
      Fehlertext = e.what();
    }
  };
  std::shared_ptr<clKonto> konto;
  step([&] {
    const std::string name = Trim(KontoName);
    if (name.empty()) throw AutomationError(5, "", "Der Kontoname darf nicht leer sein.");
    if (state.Konten.Exists(name)) {
      Fehlertext = "Es ist bereits ein Konto mit diesem Namen vorhanden.";
      return;
    }
    PruefeText("KontoName", KontoName);
    PruefeText("KontoInfo", KontoInfo);
    PruefeZahl("Kontostand", Kontostand);
    PruefeDatum("AktDatum", AktDatum);
    konto = std::make_shared<clKonto>();
    konto->CashBetrag = Kontostand;
    konto->KontoName = std::string(KontoName);
    konto->Beschreibung = std::string(KontoInfo);
    konto->UseSimulZeit = UseZeitstempel;
    konto->UseCommissions = UseCommissions;
    konto->UseUmrechnung = UseUmrechnung;
    konto->AktuelleZeit = AktDatum;
    state.Konten.Add(konto->KontoName, konto);
  });
  if (!konto) return false;
  step([&] {
    if (state.Kontoumgebung && state.Kontoumgebung->beobachter)
      state.Kontoumgebung->beobachter->AccountRowChanged(*konto, ZeilenAnlass::kNeuesKonto);
  });
  step([&] { konto->SchreibeInitRTTWerte(false, Umgebung()); });
  SetzeSpeichernAusstehend();
  ergebnis = true;
  return ergebnis;
}

}  // namespace vks
