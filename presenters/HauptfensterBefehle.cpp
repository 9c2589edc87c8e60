#include "presenters/HauptfensterBefehle.h"

#include "accounts/KontoUmgebung.h"
#include "accounts/clKonto.h"
#include "platform/automation/AutomationError.h"
#include "platform/automation/NumberFormat.h"
#include "platform/files/FileSystem.h"
#include "platform/system/MessageReporter.h"
#include "presenters/HauptfensterPresenter.h"
#include "presenters/LokaleZahl.h"
#include "recording/RttFileName.h"
#include "session/KontoSitzung.h"
#include "session/Startup.h"

namespace vks {

namespace {

constexpr const char* kKontoMarkieren = "Markieren Sie zunächst bitte ein Konto.";
constexpr const char* kKontoWaehlen = "Wählen Sie zunächst bitte ein Konto in der Liste.";

std::string Kontostand(double betrag, const AutomationLocale& locale) {
  return FormatFixedNumber(betrag, 2, locale, {.group = false});
}

}  // namespace

KontoEinstellungen FelderAusKonto(const clKonto& konto, const AutomationLocale& locale) {
  KontoEinstellungen felder;
  felder.txtName = konto.KontoName;
  felder.txtBeschreibung = konto.Beschreibung;
  felder.txtKontostand = Kontostand(konto.CashBetrag, locale);
  felder.Datumfeld = konto.AktuelleZeit;
  felder.optUseDatenZeitstempel = konto.UseSimulZeit;
  felder.optUseGebuehren = konto.UseCommissions;
  felder.optUseUmrechnung = konto.UseUmrechnung;
  felder.optMarginUmrechnen = konto.MarginUmrechnen;
  felder.optPosUseLastPrice = konto.PosLetztenPreisSpeichern;
  felder.txtKeinePlatzierung = konto.PlatziereBedingung;
  felder.txtNoOrderMeldung = konto.PlatziereMeldung;
  felder.txtStreichBedingung = konto.FillStreichBedingung;
  return felder;
}

void UebernimmFelder(const KontoEinstellungen& felder, clKonto& konto,
                     const AutomationLocale& locale) {
  konto.KontoName = felder.txtName;
  konto.Beschreibung = felder.txtBeschreibung;
  if (auto betrag = LeseLokaleZahl(felder.txtKontostand, locale)) konto.CashBetrag = *betrag;
  konto.AktuelleZeit = felder.Datumfeld;
  konto.UseSimulZeit = felder.optUseDatenZeitstempel;
  konto.UseCommissions = felder.optUseGebuehren;
  konto.UseUmrechnung = felder.optUseUmrechnung;
  konto.MarginUmrechnen = felder.optMarginUmrechnen;
  konto.PosLetztenPreisSpeichern = felder.optPosUseLastPrice;
  konto.PlatziereBedingung = felder.txtKeinePlatzierung;
  konto.PlatziereMeldung = felder.txtNoOrderMeldung;
  konto.FillStreichBedingung = felder.txtStreichBedingung;
}

void HauptfensterBefehle::Befehl(int id) {
  switch (id) {
    case befehl::kNeuesKonto:
      return NeuesKonto();
    case befehl::kKontoDuplizieren:
      return KontoDuplizieren();
    case befehl::kKontoBearbeiten:
      return KontoBearbeiten();
    case befehl::kKontoLoeschen:
      return KontoLoeschen();
    case befehl::kKontoAnzeigen:
      return KontoAnzeigen();
    case befehl::kSpeicherordner:
      return SpeicherordnerEinstellen();
    case befehl::kHilfe:
      return Hilfe();
    default:
      return;
  }
}

void HauptfensterBefehle::ButtonCheck() {
  auswahl_.BefehleFreigeben(auswahl_.MarkierteZeile().has_value());
}

std::shared_ptr<clKonto> HauptfensterBefehle::MarkiertesKonto(const char* meldung) {
  std::optional<std::string> key = auswahl_.MarkierteZeile();
  const std::shared_ptr<clKonto>* konto = key ? u_.sitzung.Konten.Find(*key) : nullptr;
  if (!konto) {
    u_.melder.ZeigeMeldung(meldung, msgbox::kOkOnly);
    return nullptr;
  }
  return *konto;
}

void HauptfensterBefehle::NeuesKonto() {
  LegeKontoAn(NeueKontoEinstellungen(u_.clock, u_.locale), "", false);
}

void HauptfensterBefehle::KontoDuplizieren() {
  std::shared_ptr<clKonto> original = MarkiertesKonto(kKontoMarkieren);
  if (!original) return;
  KontoEinstellungen felder = FelderAusKonto(*original, u_.locale);
  felder.txtName = original->KontoName + "-Dupliziert";
  LegeKontoAn(felder, "Konto anlegen (dupliziert von '" + original->KontoName + "')", true);
}

void HauptfensterBefehle::LegeKontoAn(const KontoEinstellungen& vorlage, const std::string& titel,
                                      bool reset_aktiv) {
  try {
    if (u_.sitzung.DatenOrdner.empty()) {
      u_.melder.ZeigeMeldung(
          "Der Ordner zum Speichern der Einstellungen ist nicht korrekt. Beenden Sie bitte alle "
          "Tradomir Instanzen und überprüfen Sie die Installation. Der Konto-Server muss aus der "
          "Haupt-Instanz von Tradomir gestartet werden.",
          msgbox::kOkOnly);
      return;
    }
    std::optional<KontoEinstellungen> felder =
        u_.konto_dialog.ZeigeModal(vorlage, titel, reset_aktiv);
    if (!felder || felder->txtName.empty()) return;
    auto konto = std::make_shared<clKonto>();
    UebernimmFelder(*felder, *konto, u_.locale);
    u_.sitzung.Konten.Add(FoldCase(konto->KontoName), konto);
    u_.presenter.ZeileAktualisieren(*konto);
    auswahl_.ZeileMarkieren(FoldCase(konto->KontoName));
    konto->SchreibeInitRTTWerte(false, u_.kontoumgebung);
    u_.presenter.Plan().SetzeSpeichernAusstehend();
    ButtonCheck();
  } catch (const std::exception& fehler) {
    u_.melder.ZeigeMeldung(std::string("Fehler aufgetreten: ") + fehler.what(), msgbox::kOkOnly);
  }
}

void HauptfensterBefehle::KontoBearbeiten() {
  std::shared_ptr<clKonto> konto = MarkiertesKonto(kKontoMarkieren);
  if (!konto) return;
  KontoEinstellungen vorher = FelderAusKonto(*konto, u_.locale);
  vorher.marker = konto->KontoName;
  std::optional<KontoEinstellungen> felder =
      u_.konto_dialog.ZeigeModal(vorher, "Konto '" + konto->KontoName + "' bearbeiten", true);
  if (!felder) return;

  const std::string alter_name = konto->KontoName;
  if (felder->txtName != alter_name && !felder->txtName.empty()) {
    const std::string neuer_key = FoldCase(felder->txtName);
    u_.sitzung.Konten.Rename(alter_name, neuer_key);
    konto->KontoName = felder->txtName;
    auswahl_.ZeileUmbenennen(FoldCase(alter_name), BaueKontenZeile(*konto, u_.locale));
    if (auto* fenster = u_.presenter.UebersichtsFenster().Find(alter_name)) {
      std::shared_ptr<KontoUebersichtFenster> offen = *fenster;
      u_.presenter.UebersichtsFenster().Rename(alter_name, neuer_key);
      offen->SetzeTitel("Übersicht für Konto '" + felder->txtName + "'");
      offen->RefreshBasisWerte();
    }
  }

  DateValue zeit = felder->Datumfeld;
  if (zeit.days < konto->AktuelleZeit.days &&
      u_.melder.ZeigeMeldung("Soll die aktuelle Zeit des Kontos jetzt wirklich vor die momentane "
                             "Zeit des Kontos gesetzt werden?",
                             msgbox::kYesNo) != msgbox::kYes) {
    zeit = konto->AktuelleZeit;
  }
  const bool zeit_geaendert = zeit != konto->AktuelleZeit;
  const bool kontostand_geaendert =
      LeseLokaleZahl(felder->txtKontostand, u_.locale).has_value() &&
      Kontostand(*LeseLokaleZahl(felder->txtKontostand, u_.locale), u_.locale) !=
          Kontostand(konto->CashBetrag, u_.locale);

  KontoEinstellungen neu = *felder;
  neu.txtName = konto->KontoName;
  neu.Datumfeld = zeit;
  UebernimmFelder(neu, *konto, u_.locale);
  if (kontostand_geaendert || zeit_geaendert) konto->SchreibeInitRTTWerte(false, u_.kontoumgebung);

  u_.presenter.ZeileAktualisieren(*konto);
  u_.presenter.Plan().SetzeSpeichernAusstehend();
  ButtonCheck();
}

bool HauptfensterBefehle::LoescheRttDaten(const clKonto& konto) {
  const RttStorage& rtt = u_.kontoumgebung.rtt.Speicher();
  const std::string einzeltitel(RttFileLocation(rtt, konto.KontoName, "x", dTitelPos).Folder());
  const std::string portfolio(RttFileLocation(rtt, konto.KontoName, "", dKapitalCash).Folder());
  if (einzeltitel.empty() || portfolio.empty()) return true;  // no storage folder, no files

  // The recorder writes the account's waiting values first, so that none recreates a file later.
  // Goes on past failures; the last one's text is shown.
  std::string fehlertext;
  u_.kontoumgebung.rtt.LoescheDateien(
      konto.KontoName, [&](const AutomationError& fehler) { fehlertext = fehler.Description(); });
  if (!fehlertext.empty()) {
    u_.melder.ZeigeMeldung("Beim Löschen der RTT-Dateien sind Fehler aufgetreten (" + fehlertext +
                               "). Es konnten nicht alle Dateien gelöscht werden.",
                           msgbox::kOkOnly);
    return false;
  }
  for (const std::string& ordner : {einzeltitel, portfolio, ParentFolder(einzeltitel)}) {
    try {
      u_.dateien.RemoveFolder(ordner);
    } catch (const AutomationError&) {
      // A folder that is missing or holds other files stays as it is.
    }
  }
  return true;
}

void HauptfensterBefehle::KontoLoeschen() {
  std::shared_ptr<clKonto> konto = MarkiertesKonto(kKontoMarkieren);
  if (!konto) return;
  if (u_.melder.ZeigeMeldung("Soll das Konto '" + konto->KontoName +
                                 "' wirklich gelöscht werden? Dabei werden auch alle aktuellen "
                                 "Daten und alle angelegten RTT-Dateien des Kontos gelöscht.",
                             msgbox::kYesNo) != msgbox::kYes) {
    return;
  }
  LoescheRttDaten(*konto);
  u_.sitzung.Konten.Remove(konto->KontoName);
  if (auto* fenster = u_.presenter.UebersichtsFenster().Find(konto->KontoName)) {
    std::shared_ptr<KontoUebersichtFenster> offen = *fenster;
    u_.presenter.UebersichtsFenster().Remove(konto->KontoName);
    offen->Entladen();
  }
  u_.presenter.ZeileEntfernen(konto->KontoName);
  u_.presenter.Plan().SetzeSpeichernAusstehend();
  ButtonCheck();
}

void HauptfensterBefehle::KontoAnzeigen() {
  std::shared_ptr<clKonto> konto = MarkiertesKonto(kKontoWaehlen);
  if (!konto) return;
  if (auto* fenster = u_.presenter.UebersichtsFenster().Find(konto->KontoName)) {
    (*fenster)->Zeigen();
    return;
  }
  std::shared_ptr<KontoUebersichtFenster> fenster = u_.uebersichten.NeuesFenster();
  if (!fenster) return;
  u_.presenter.UebersichtsFenster().Add(FoldCase(konto->KontoName), fenster);
  fenster->ShowDaten(konto);
  fenster->Zeigen();
}

void HauptfensterBefehle::SpeicherordnerEinstellen() {
  u_.speicherordner.ZeigeModal(u_.sitzung.RTTSpeicherOrdner);
}

void HauptfensterBefehle::Hilfe() {
  const std::string& datei = u_.sitzung.HilfeDatei;
  if (datei.empty() || !u_.dateien.FileExists(datei)) {
    u_.melder.ZeigeMeldung("Die Hilfedatei " +
                               (datei.empty() ? std::string("(ohne Namen)") : datei) +
                               " wurde nicht gefunden.",
                           msgbox::kOkOnly);
    return;
  }
  if (!u_.hilfe.Oeffne(datei, kHauptfensterHilfeKontext)) {
    u_.melder.ZeigeMeldung("Die Hilfedatei " + datei + " konnte nicht geöffnet werden.",
                           msgbox::kOkOnly);
  }
}

void HauptfensterBefehle::RemoveKontoFenster(const std::string& KontoName) {
  if (u_.presenter.UebersichtsFenster().Exists(KontoName))
    u_.presenter.UebersichtsFenster().Remove(KontoName);
}

}  // namespace vks
