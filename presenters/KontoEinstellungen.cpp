#include "presenters/KontoEinstellungen.h"

#include <algorithm>

#include "accounts/KontoUmgebung.h"
#include "accounts/clKonto.h"
#include "platform/automation/KeyedDictionary.h"
#include "platform/automation/NumberFormat.h"
#include "platform/automation/VariantConversions.h"
#include "platform/files/FileSystem.h"
#include "platform/system/Clock.h"
#include "platform/system/MessageReporter.h"
#include "presenters/HauptfensterPresenter.h"

namespace vks {
namespace {

constexpr std::string_view kVerboteneZeichen = "()[]{}/\\:*?'\"<>|#";

constexpr const char* kUngueltigerName =
    "Ungültiger Name für ein Konto. Verwenden Sie für den Konto-Namen bitte keines der folgenden "
    "Zeichen: / \\ : * ? \" ' < > | { } ( ) # ";
constexpr const char* kKontoExistiert =
    "Ein Konto mit diesem Namen existiert bereits. Wählen Sie bitte einen anderen Namen!";
constexpr const char* kZukunftFrage =
    "Sind Sie sicher, dass das aktuelle Datum des Kontos gegenüber der Computer-Uhrzeit auf einen "
    "Zeitpunkt in der Zukunft gesetzt werden soll?";
constexpr const char* kUmbenennenFrage =
    "Sind Sie sicher, dass Sie den Namen des Kontos ändern möchten? Beachten Sie, dass sich bei "
    "einem geänderten Namen auch der Speicher-Ordner für die RTT-Daten ändert. Die bereits "
    "gespeicherten RTT-Daten des Kontos verbleiben aber in ihrem bisherigen Ordner.";
constexpr const char* kResetFrage =
    "Sollen wirklich alle Daten dieses Kontos einschließlich der Postionen und offenen Orders "
    "gelöscht werden? Der Kontostand (Cash) wird dabei nicht geändert und sollte vor dem Löschen "
    "ebenso wie das aktuelle Datum auf den gewünschten Wert gesetzt werden.";
constexpr const char* kRttFrage =
    "Sollen die aufgezeichneten RTT-Daten dieses Kontos ebenfalls gelöscht werden? Dies empfiehlt "
    "sich, wenn eine neue Datenfeed-Simulation mit dem Konto durchgeführt werden soll.";

std::string Trim(std::string_view text) {
  const size_t begin = text.find_first_not_of(' ');
  if (begin == std::string_view::npos) return {};
  return std::string(text.substr(begin, text.find_last_not_of(' ') - begin + 1));
}

bool Fragt(MessageReporter& melder, const std::string& frage) {
  return melder.ZeigeMeldung(frage, msgbox::kYesNo) == msgbox::kYes;
}

void LeereEntwicklung(clKonto& k) {
  for (int32_t* zaehler :
       {&k.OffeneLongOrders, &k.OffeneShortOrders, &k.OffeneLongEnterOrders,
        &k.OffeneShortEnterOrders, &k.FilledOrders, &k.FilledLongOrders, &k.FilledShortOrders,
        &k.FilledEnterLongOrders, &k.FilledEnterShortOrders, &k.AnzahlPositionen,
        &k.AnzahlShortPositionen, &k.AktienPositionen, &k.AktienPositionenShort, &k.KontraktAnzahl,
        &k.KontraktAnzahlShort})
    *zaehler = 0;
  for (double* betrag :
       {&k.PaidCommissions, &k.AktienInvestWertGesamt, &k.AktienInvestWertShort,
        &k.AktienWertAktuellGesamt, &k.AktienWertAktuellShort, &k.KapitalKontrakteOpenPLGesamt,
        &k.KapitalKontrakteOpenPLShort, &k.KapitalAktienOpenPLGesamt, &k.KapitalAktienOpenPLShort,
        &k.KapitalAktienMarginGesamt, &k.KapitalAktienMarginShort, &k.KapitalKontrakteMarginGesamt,
        &k.KapitalKontrakteMarginShort, &k.EnterOrderMarginGesamt, &k.EnterOrderMarginShort,
        &k.EnterOrderAktienMarginGesamt, &k.EnterOrderAktienMarginShort})
    *betrag = 0;
  k.cTitelPositionen.RemoveAll();
  k.cOffeneOrders.RemoveAll();
  k.cFilledOrders.RemoveAll();
}

}  // namespace

KontoEinstellungen NeueKontoEinstellungen(Clock& clock, const AutomationLocale& locale) {
  KontoEinstellungen felder;
  felder.Datumfeld = clock.Now();
  felder.txtKontostand = FormatFixedNumber(10000, 2, locale, {.group = false});
  return felder;
}

bool IstGueltigerKontoname(std::string_view name, FileSystem& dateien, const std::string& ordner) {
  if (name.find_first_of(kVerboteneZeichen) != std::string_view::npos) return false;
  // "<name>.12345?": the name, ".12345" and at most one more character.
  const std::string muster = FoldCase(std::string(name) + ".12345");
  for (const std::string& pfad : dateien.ListFiles(ordner, "")) {
    const auto name_start = std::find_if(pfad.rbegin(), pfad.rend(), IsPathSeparator).base();
    const std::string datei = FoldCase(std::string_view(&*name_start, pfad.end() - name_start));
    if (datei.starts_with(muster) && datei.size() <= muster.size() + 1) return false;
  }
  return true;
}

bool BestaetigeKontoEinstellungen(KontoEinstellungen& felder, const KontenSammlung& konten,
                                  MessageReporter& melder, Clock& clock,
                                  const AutomationLocale& locale, FileSystem& dateien,
                                  const std::string& ordner) {
  felder.txtName = Trim(felder.txtName);
  const std::string& name = felder.txtName;
  double kontostand = 0;
  if (!IstGueltigerKontoname(name, dateien, ordner)) {
    melder.ZeigeMeldung(kUngueltigerName, msgbox::kOkOnly);
    return false;
  }
  if (!ParseNumber(felder.txtKontostand, locale, kontostand)) {
    melder.ZeigeMeldung("Ungültiger Wert im Feld 'Kontostand'.", msgbox::kOkOnly);
    return false;
  }
  if (name.empty()) {
    melder.ZeigeMeldung("Geben Sie bitte einen Namen für das Konto an.", msgbox::kOkOnly);
    return false;
  }
  if (felder.Datumfeld.days > clock.Now().days && !Fragt(melder, kZukunftFrage)) return false;
  if (!felder.marker.empty() && FoldCase(felder.marker) != FoldCase(name)) {
    if (konten.Exists(name)) {
      melder.ZeigeMeldung(kKontoExistiert, msgbox::kOkOnly);
      return false;
    }
    if (!Fragt(melder, kUmbenennenFrage)) return false;
  }
  if (felder.marker.empty() && konten.Exists(name)) {
    melder.ZeigeMeldung(kKontoExistiert, msgbox::kOkOnly);
    return false;
  }
  felder.marker = "OK";
  return true;
}

std::string ScriptFuerEditor(int index, const std::string& feld) {
  if (!feld.empty()) return feld;
  if (index == 1) {
    return "'' Beispiel (keine Enter-Orders ab 10 Positionen im Konto):\r\n"
           "'' If Kennzahl(\"Positionen\") >= 10 then Ergebnis = 1";
  }
  return "'' Beispiel (Streiche offene Enter-Orders ab 10 offenen Positionen):\r\n"
         "'' If Kennzahl(\"Positionen\") >= 10 then StreicheEnterOrders";
}

void SetzeKontoEntwicklungZurueck(const KontoEinstellungen& felder, KontoResetUmfeld& umfeld) {
  const std::string& name = felder.marker;
  if (name.empty()) return;
  MessageReporter& melder = umfeld.melder;
  try {
    const std::shared_ptr<clKonto>* gefunden = umfeld.konten.Find(name);
    if (!gefunden) {
      melder.ZeigeMeldung("Das Konto '" + name + "' existiert nicht!", msgbox::kOkOnly);
      return;
    }
    if (!Fragt(melder, kResetFrage)) return;
    double kontostand = 0;
    const bool numerisch = ParseNumber(felder.txtKontostand, umfeld.locale, kontostand);
    if (!numerisch) {
      melder.ZeigeMeldung(
          "Ungültiger Wert als Kontostand! Geben Sie bitte einen numerischen Wert an.",
          msgbox::kOkOnly);
    }
    const std::shared_ptr<clKonto> konto = *gefunden;
    konto->NeuerAktienwertSpeichern = false;
    konto->NeuerOpenPLSpeichern = false;
    konto->UseSimulZeit = felder.optUseDatenZeitstempel;
    if (numerisch) konto->CashBetrag = kontostand;
    konto->AktuelleZeit = felder.Datumfeld;
    konto->AlleRTTDatenZuruecksetzen(umfeld.umgebung);
    konto->AktuelleZeit = felder.Datumfeld;
    LeereEntwicklung(*konto);

    const bool offen = umfeld.uebersicht_neu_fuellen && umfeld.uebersicht_neu_fuellen(konto);
    if (!offen && umfeld.hauptfenster) umfeld.hauptfenster->ZeileAktualisieren(*konto);

    if (Fragt(melder, kRttFrage)) {
      std::string fehler;
      // Goes on past failures; the last one's text is shown.
      umfeld.umgebung.rtt.LoescheDateien(
          konto->KontoName, [&](const AutomationError& e) { fehler = e.Description(); });
      if (!fehler.empty()) {
        melder.ZeigeMeldung("Beim Löschen der RTT-Dateien sind Fehler aufgetreten (" + fehler +
                                "). Es konnten nicht alle Dateien gelöscht werden.",
                            msgbox::kOkOnly);
      } else {
        melder.ZeigeMeldung(
            "Alle RTT-Dateien des Kontos wurden gelöscht und werden nun mit neuen Startwerten "
            "initialisiert.",
            msgbox::kOkOnly);
      }
    }
    konto->SchreibeInitRTTWerte(false, umfeld.umgebung);
  } catch (const std::exception& e) {
    melder.ZeigeMeldung(
        std::string("Konto-Server: Fehler beim Reset eines Kontos aufgetreten: ") + e.what(),
        msgbox::kOkOnly);
  }
}

}  // namespace vks
