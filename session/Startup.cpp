#include "session/Startup.h"

#include "accounts/KontoKennzahl.h"
#include "platform/automation/VariantConversions.h"
#include "platform/files/FileSystem.h"
#include "session/clKontoGlobalData.h"

namespace vks {

namespace {

constexpr int32_t kSystemModalOk = msgbox::kSystemModal;

std::string TrimBlanks(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return "";
  return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

bool EndsWithBackslash(const std::string& s) {
  return !s.empty() && s.back() == '\\';
}

bool EndsWithSeparator(const std::string& s) {
  return !s.empty() && (s.back() == '\\' || s.back() == '/');
}

// The folder, the native separator unless the folder ends in one, and the name; an empty folder
// gives the name below the root, as the host's rule does.
std::string Anhaengen(const std::string& ordner, std::string_view name) {
  const bool ends_in_separator = !ordner.empty() && ordner.back() == '/';
  return ordner + (ends_in_separator ? "" : "/") + std::string(name);
}

bool ContainsNoCase(std::string_view text, std::string_view part) {
  return FoldCase(text).find(FoldCase(part)) != std::string::npos;
}

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
  for (size_t pos = text.find(from); pos != std::string::npos;
       pos = text.find(from, pos + to.size())) {
    text.replace(pos, from.size(), to);
  }
  return text;
}

}  // namespace

std::string BestaetigenderSpeicherordnerDialog::ZeigeModal(const std::string& Vorschlag) {
  const std::string ordner = TrimBlanks(Vorschlag);
  if (!ordner.empty()) {
    (void)settings_.SaveSetting("Tradomir Kontoserver", "Einstellungen", "RTTSpeicherpfadV7",
                                ordner);
  }
  return Vorschlag;
}

bool IstHauptinstallation(clRegistry& registry, FileSystem& files,
                          const std::string& eigener_ordner, std::string& Hauptordner) {
  Hauptordner = ToString(
      registry.ValueEx(HKEY_LOCAL_MACHINE, kHauptinstallationKey, "", REG_SZ, Variant("")));
  if (EndsWithSeparator(Hauptordner)) Hauptordner.pop_back();
  if (ContainsNoCase(Hauptordner, "\\program files\\") &&
      !ContainsNoCase(eigener_ordner, "\\program files\\")) {
    Hauptordner = ReplaceAll(Hauptordner, "\\program files\\", "\\Programme\\");
  }
  return eigener_ordner == Hauptordner || files.SameFolder(eigener_ordner, Hauptordner);
}

void StarteKontoServer(KontoSitzung& sitzung, StartUmgebung& u) {
  const auto schritt = [&](auto&& body) {
    try {
      body();
    } catch (const AutomationError& e) {
      u.reporter.ZeigeMeldung("Fehler beim Start des Kontoservers: " + e.Description(),
                              kSystemModalOk);
    } catch (const std::exception& e) {
      u.reporter.ZeigeMeldung(std::string("Fehler beim Start des Kontoservers: ") + e.what(),
                              kSystemModalOk);
    }
  };
  schritt([&] {
    sitzung.Verbindungen = KeyedDictionary<std::weak_ptr<HostObjekt>>();
    sitzung.Konten = KontenSammlung();
    sitzung.KennzahlenNamen = KeyedDictionary<Variant>();
  });
  schritt([&] { FuelleKennzahlenListe(sitzung.KennzahlenNamen); });
  schritt([&] { sitzung.KontoGlobalData = std::make_shared<clKontoGlobalData>(); });
  schritt([&] {
    clRegistry registry(u.registry, u.programm_name);
    std::string haupt;
    if (IstHauptinstallation(registry, u.files, u.eigener_ordner, haupt)) {
      sitzung.ProgrammOrdner = u.eigener_ordner;
      return;
    }
    u.reporter.ZeigeMeldung(
        "Der Kontenserver wird nicht aus der Haupt-Installation von Tradomir gestartet. Dies kann "
        "zu Problemen führen. Beenden Sie bitte alle Tradomir Instanzen und überprüfen Sie die "
        "Installation!\r\nKontoserver gestartet aus: " +
            u.eigener_ordner + "\r\nHaupt-Installation: " + haupt,
        kSystemModalOk);
    sitzung.ProgrammOrdner = u.settings.GetSetting("Tradomir", "Programm", "PfadV7", "");
  });
  schritt([&] {
    sitzung.HilfeDatei = Anhaengen(sitzung.ProgrammOrdner, "Tradomir.chm");
    if (u.hilfedatei_setzen) u.hilfedatei_setzen(sitzung.HilfeDatei);
  });
  schritt([&] {
    if (!sitzung.ProgrammOrdner.empty())
      sitzung.DatenOrdner = Anhaengen(sitzung.ProgrammOrdner, "Daten");
  });
  schritt([&] {
    if (sitzung.DatenOrdner.empty()) {
      u.reporter.ZeigeMeldung(
          "Der Kontoserver konne keinen Ordner für die Datenspeicherung ermitteln. Beenden Sie "
          "bitte alle Tradomir Instanzen und überprüfen Sie die Installation!",
          kSystemModalOk);
    } else if (!u.files.FolderExists(sitzung.DatenOrdner)) {
      u.reporter.ZeigeMeldung(
          "Der ermittelte Ordner für die Datenspeicherung (" + sitzung.DatenOrdner +
              ") existiert nicht. Beenden Sie bitte alle Tradomir Instanzen und "
              "überprüfen Sie die Installation!",
          kSystemModalOk);
      sitzung.DatenOrdner.clear();
    }
  });
  schritt([&] {
    sitzung.RTTSpeicherOrdner = TrimBlanks(
        u.settings.GetSetting("Tradomir Kontoserver", "Einstellungen", "RTTSpeicherpfadV7", ""));
    if (sitzung.RTTSpeicherOrdner.empty()) {
      sitzung.RTTSpeicherOrdner = TrimBlanks(
          u.settings.GetSetting("Tradomir Kontoserver", "Einstellungen", "RTTSpeicherpfad", ""));
    }
  });
  schritt([&] {
    if (!sitzung.RTTSpeicherOrdner.empty()) return;
    u.reporter.ZeigeMeldung(
        "Der Kontoserver wird zum ersten Mal gestartet. Geben Sie im folgenden Dialog bitte an, in "
        "welchem Ordner der Kontoserver die Aufzeichnungsdaten speichern soll.",
        kSystemModalOk);
    sitzung.RTTSpeicherOrdner = u.dialog.ZeigeModal(Anhaengen(u.eigener_ordner, "Realtimedaten"));
  });
  schritt([&] {
    if (EndsWithBackslash(sitzung.RTTSpeicherOrdner)) sitzung.RTTSpeicherOrdner.pop_back();
  });
  schritt([&] {
    if (u.konten_laden) u.konten_laden(sitzung);
  });
}

std::function<void(KontoSitzung& sitzung)> LadeKontenSchritt(KontenAblage& ablage,
                                                             std::string eigener_ordner,
                                                             FileSystem& files,
                                                             MessageReporter& reporter,
                                                             Clock& clock) {
  return [&ablage, eigener_ordner = std::move(eigener_ordner), &files, &reporter,
          &clock](KontoSitzung& sitzung) {
    const std::string& log_folder =
        sitzung.DatenOrdner.empty() ? eigener_ordner : sitzung.DatenOrdner;
    ablage.error_log = NewFileErrorLog(JoinPath(log_folder, kErrorLogFileName), files, clock);
    ablage.store = std::make_unique<AccountStore>(sitzung.DatenOrdner, eigener_ordner, files,
                                                  reporter, *ablage.error_log, clock);
    ablage.store->LadeKonten(sitzung.Konten);
  };
}

}  // namespace vks
