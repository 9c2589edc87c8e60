#include "presenters/RTTSpeicherordner.h"

#include "platform/automation/AutomationError.h"
#include "platform/automation/KeyedDictionary.h"

namespace vks {

namespace {

std::string OhneRandBlanks(const std::string& text) {
  size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool Ja(MessageReporter& melder, const std::string& frage) {
  return melder.ZeigeMeldung(frage, msgbox::kYesNo) == msgbox::kYes;
}

}  // namespace

bool BestaetigeSpeicherordner(const std::string& txtOrdner, SpeicherordnerUmfeld& umfeld) {
  MessageReporter& melder = umfeld.melder;
  const std::string ordner = OhneRandBlanks(txtOrdner);
  if (ordner.empty()) {
    melder.ZeigeMeldung("Geben Sie bitte einen Ordner an.", msgbox::kOkOnly);
    return false;
  }
  if (!umfeld.ordner.FolderExists(ordner)) {
    if (!Ja(melder, "Der angegebene Ordner existiert nicht. Soll er jetzt angelegt werden?")) {
      return false;
    }
    try {
      umfeld.ordner.CreateFolder(ordner);
    } catch (const AutomationError& fehler) {
      melder.ZeigeMeldung(
          "Der Ordner konnte nicht angelegt werden. Fehlermeldung: " + fehler.Description(),
          msgbox::kOkOnly);
      return false;
    }
    melder.ZeigeMeldung("Der Ordner " + ordner + " wurde angelegt.", msgbox::kOkOnly);
  }
  if (!umfeld.aktueller_ordner.empty() && FoldCase(umfeld.aktueller_ordner) != FoldCase(ordner) &&
      !Ja(melder,
          "Der Speicherpfad für die vom Kontoserver gespeicherten RTT-Titel wird damit geändert. "
          "Die Änderung wird erst nach Neustart von Tradomir (alle Instanzen!) wirksam.")) {
    return false;
  }
  // A failing store is skipped as every other error of the confirmation.
  (void)umfeld.settings.SaveSetting("Tradomir Kontoserver", "Einstellungen", "RTTSpeicherpfadV7",
                                    ordner);
  return true;
}

}  // namespace vks
