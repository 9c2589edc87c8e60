#include "presenters/VBScriptBearbeiten.h"

#include <memory>

#include "accounts/KontoKennzahl.h"
#include "platform/automation/NumberFormat.h"
#include "platform/automation/VariantConversions.h"
#include "platform/automation/Windows1252.h"
#include "platform/settings/SettingsStore.h"
#include "platform/system/MessageReporter.h"
#include "scripting/FuehreKontoScriptAus.h"
#include "scripting/ScriptUmgebung.h"
#include "scripting/frmVBScript.h"

namespace vks {
namespace {

constexpr const char* kGruppenTitel[] = {"Orders", "Positionen", "Wert & P/L", "Margin", "Kapital"};

std::vector<std::string> Teile(std::string_view text, char trenner) {
  std::vector<std::string> teile;
  size_t start = 0;
  while (true) {
    const size_t pos = text.find(trenner, start);
    teile.emplace_back(text.substr(start, pos - start));
    if (pos == std::string_view::npos) return teile;
    start = pos + 1;
  }
}

}  // namespace

std::vector<KennzahlenGruppe> KennzahlenMenue() {
  std::vector<KennzahlenGruppe> gruppen;
  for (const char* titel : kGruppenTitel) gruppen.push_back({titel, {}});
  for (int32_t nummer = 1; nummer <= kKontoKennzahlCount; ++nummer) {
    const KennzahlInfo& info = KennzahlBeschreibung(nummer);
    const int gruppe = static_cast<int>(info.kategorie) - 1;
    if (gruppe < 0 || gruppe >= 5) continue;
    std::string key(info.display_name);
    std::erase(key, ' ');
    gruppen[gruppe].eintraege.push_back({std::string(info.display_name), key});
  }
  return gruppen;
}

std::vector<std::string> KontenMenue(const KontenSammlung& konten) {
  return konten.Keys();
}

std::string KennzahlEinfuegeText(std::string_view key) {
  return "Kennzahl(\"" + std::string(key) + "\")";
}

std::string KontoEinfuegeText(std::string_view name) {
  return "\"" + std::string(name) + "\"";
}

bool KontextBefehlAktiv(int befehl, const EditorZustand& zustand) {
  switch (befehl) {
    case editor_befehl::kRueckgaengig:
      return zustand.kann_rueckgaengig;
    case editor_befehl::kWiederholen:
      return zustand.kann_wiederholen;
    case editor_befehl::kAusschneiden:
    case editor_befehl::kKopieren:
      return zustand.hat_auswahl;
    case editor_befehl::kEinfuegen:
      return zustand.kann_einfuegen;
    default:
      return true;
  }
}

std::optional<Schrift> LeseSchrift(SettingsStore& settings, const AutomationLocale& locale) {
  const std::string text = settings.GetSetting("Tradomir", "VBScriptEditor", "Schrift", "");
  if (text.empty()) return std::nullopt;
  const std::vector<std::string> teile = Teile(text, ';');
  if (teile.size() < 4) return std::nullopt;
  Schrift schrift;
  double fett = 0, kursiv = 0;
  schrift.name = teile[0];
  if (!ParseNumber(teile[1], locale, schrift.groesse) || !ParseNumber(teile[2], locale, fett) ||
      !ParseNumber(teile[3], locale, kursiv))
    return std::nullopt;
  schrift.fett = fett != 0;
  schrift.kursiv = kursiv != 0;
  return schrift;
}

void SpeichereSchrift(SettingsStore& settings, const Schrift& schrift,
                      const AutomationLocale& locale) {
  const std::string text = schrift.name + ";" +
                           FormatSingle(static_cast<float>(schrift.groesse), locale) + ";" +
                           (schrift.fett ? "-1" : "0") + ";" + (schrift.kursiv ? "-1" : "0");
  (void)settings.SaveSetting("Tradomir", "VBScriptEditor", "Schrift", text);
}

std::string SchreibeVBScriptIni(SettingsStore& settings, FileSystem& dateien) {
  std::string ordner = settings.GetSetting("Tradomir", "Programm", "PfadV7", "");
  if (ordner.empty()) return {};  // no host installed: never the file system's root
  if (!ordner.ends_with('/')) ordner += '/';
  const std::string pfad = ordner + "VBScript.ini";
  auto inhalt = Utf8ToWindows1252("[Schemes]\r\nVB=" + ordner + "VBScriptVirtKonten.schclass;");
  if (!inhalt.ok()) return {};
  try {
    dateien.DeleteFile(pfad);  // a new file, not the old one overwritten: its links stay apart
  } catch (const AutomationError&) {
    // None there, or it stays: writing shows whether the new content can go in.
  }
  try {
    const std::unique_ptr<WritableFile> datei = dateien.NewWritableFile(pfad);
    datei->Append(*inhalt);
    datei->Close();
    return pfad;
  } catch (const AutomationError&) {
    return {};
  }
}

TestLauf TesteScript(ScriptUmgebung& umgebung, const std::string& text,
                     const std::string& KontoName) {
  TestLauf lauf;
  auto melde = [&](const std::string& meldung) {
    if (umgebung.melder) umgebung.melder->ZeigeMeldung(meldung, msgbox::kOkOnly);
  };
  try {
    ScriptFehler fehler;
    int32_t ergebnis = 0;
    const int16_t code = FuehreKontoScriptAus(umgebung, "Kontoberechnung", text, KontoName,
                                              ergebnis, 0, true, &fehler);
    if (code == kScriptErfolg) {
      lauf.erfolg = true;
      lauf.ergebnis = ergebnis;
      melde("Es wurde kein Fehler festgestellt. Das Ergebnis der Berechnung ist: " +
            std::to_string(ergebnis));
    } else {
      lauf.fehler_zeile = fehler.zeile;
      melde("Die Formel konnte nicht berechnet werden.");
    }
  } catch (const std::exception& e) {
    melde(std::string("Fehler beim Testen aufgetreten: ") + e.what());
  }
  return lauf;
}

}  // namespace vks
