// RegelSkript [--c-zahlen] FILE.vbs…: runs the files, one after the other in one text,
// as one account rule through FuehreKontoScriptAus, the way the server evaluates a rule. A
// self-checking script (the interpreter's conformance scripts with lib/Pruefung.vbs) reports its
// failures through WScript.Echo and WScript.Quit, which a rule has no object for: the stand-in
// regeln/wscript_ersatz.vbs, given first, hands the count to Ergebnis, the exit code.
//
// The process locale is taken from the environment first, as the server's Qt application object
// does; --c-zahlen then resets the C library's numbers as the server does when it has a display.
#include <clocale>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>

#include "adapters/pcre2/Pcre2RegexEngine.h"
#include "platform/system/MessageReporter.h"
#include "scripting/FuehreKontoScriptAus.h"
#include "scripting/frmVBScript.h"
#include "session/KontoSitzung.h"
#include "session/clKontoGlobalData.h"

namespace {

class AusgabeMelder : public vks::MessageReporter {
 public:
  int32_t ZeigeMeldung(const std::string& text, int32_t style, const std::string&) override {
    std::cout << text << '\n';
    return vks::DefaultAnswer(style);
  }
};

}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  vks::pcre2::InstallRegexEngine();
  std::string formel;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--c-zahlen") {
      std::setlocale(LC_NUMERIC, "C");
    } else {
      std::ifstream datei(argv[i], std::ios::binary);
      if (!datei) {
        std::cerr << "RegelSkript: " << arg << " nicht lesbar\n";
        return 2;
      }
      std::stringstream inhalt;
      inhalt << datei.rdbuf();
      formel += inhalt.str() + "\r\n";
    }
  }

  vks::KontoSitzung sitzung;
  sitzung.KontoGlobalData = std::make_shared<vks::clKontoGlobalData>();
  AusgabeMelder melder;
  vks::ScriptUmgebung umgebung{sitzung, &melder, vks::kScriptZeitLimitMs,
                               vks::AutomationLocale::FromEnvironment()};
  int32_t ergebnis = 0;
  vks::ScriptFehler fehler;
  const int16_t code = vks::FuehreKontoScriptAus(umgebung, "Kontoberechnung", formel, "Regel",
                                                 ergebnis, 0, false, &fehler);
  if (code != vks::kScriptErfolg) {
    std::cerr << "Regel endet mit " << code << ", Fehler " << fehler.number << " in Zeile "
              << fehler.zeile << ": " << fehler.meldung << '\n';
    return 1;
  }
  return ergebnis;
}
