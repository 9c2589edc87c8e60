// vbs [-i LIB.vbs]... FILE.vbs [args...]: runs a script with a WScript object, as a console script
// host does; each LIB is run before it, in the same global scope (shared Subs and variables).
// vbs -e "expression" prints the value of one expression. An error prints
// "FILE(line, column) source: description" and ends with exit code 1.
#include <iostream>
#include <string>
#include <vector>

#include "adapters/cli/CommandLine.h"
#include "adapters/cli/StandardStreams.h"
#include "adapters/pcre2/Pcre2RegexEngine.h"
#include "platform/automation/VariantConversions.h"
#include "platform/automation/Windows1252.h"
#include "platform/files/FileSystem.h"
#include "platform/system/MessageReporter.h"
#include "tools/vbs/WScriptObject.h"
#include "vbscript/Engine.h"

namespace {

// Scripts come as UTF-8 (a byte order mark is dropped) or, failing that, as Windows-1252.
std::string DecodeScript(std::string bytes) {
  if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) bytes.erase(0, 3);
  if (!vks::Utf8ToWindows1252(bytes).ok()) {
    bool valid_utf8 = true;
    for (size_t i = 0; i < bytes.size();) {
      unsigned char c = static_cast<unsigned char>(bytes[i]);
      size_t len = c < 0x80             ? 1
                   : (c & 0xE0) == 0xC0 ? 2
                   : (c & 0xF0) == 0xE0 ? 3
                   : (c & 0xF8) == 0xF0 ? 4
                                        : 0;
      if (len == 0 || i + len > bytes.size()) {
        valid_utf8 = false;
        break;
      }
      for (size_t k = 1; k < len; ++k)
        if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) valid_utf8 = false;
      if (!valid_utf8) break;
      i += len;
    }
    if (!valid_utf8) return vks::Windows1252ToUtf8(bytes);
  }
  return bytes;
}

// MsgBox and InputBox of a console script: the message goes to standard output, and the box is
// answered as a user who just confirms it would.
class ConsoleReporter : public vks::MessageReporter {
 public:
  int32_t ZeigeMeldung(const std::string& text, int32_t style, const std::string& title) override {
    std::cout << (title.empty() ? std::string("vbs") : title) << ": " << text << '\n';
    return vks::DefaultAnswer(style);
  }
};

// Runs one file's code; false (after saying why) when it cannot be read or fails.
bool RunFile(vks::vbscript::Engine& engine, const std::string& path, int& code) {
  std::string text;
  try {
    text = vks::cli::WithStandardInput(vks::NewPlatformFileSystem())->ReadFile(path);
  } catch (const vks::AutomationError& e) {
    std::cerr << "vbs: " << path << ": " << e.Description() << '\n';
    code = vks::cli::kFailure;
    return false;
  }
  if (auto r = engine.AddCode(DecodeScript(text)); !r) {
    const auto& e = engine.Error();
    std::cout.flush();
    std::cerr << path << '(' << e.line << ", " << e.column << ") " << e.source << ": "
              << e.description << '\n';
    code = 1;
    return false;
  }
  return true;
}

int Evaluate(vks::vbscript::Engine& engine, const std::string& expression) {
  auto r = engine.Eval(expression);
  if (!r) {
    std::cerr << r.error().Source() << ": " << r.error().Description() << '\n';
    return vks::cli::kFailure;
  }
  const vks::Variant& v = r.value();
  std::cout << (v.IsNull()     ? std::string("Null")
                : v.IsObject() ? std::string("[object]")
                               : vks::ToString(v))
            << '\n';
  return vks::cli::kSuccess;
}

int RunScript(vks::vbscript::Engine& engine, const std::vector<std::string>& libs,
              const std::vector<std::string>& rest) {
  const std::string& script = rest.front();
  std::vector<std::string> args(rest.begin() + 1, rest.end());
  engine.AddObject("WScript",
                   std::make_shared<vks::tools::WScriptObject>(script, args, std::cout, std::cerr));
  int code = 0;
  try {
    for (const std::string& lib : libs)
      if (!RunFile(engine, lib, code)) return code;
    RunFile(engine, script, code);
  } catch (const vks::tools::QuitRequest& quit) {
    return quit.code;
  }
  return code;
}

}  // namespace

int main(int argc, char** argv) {
  vks::cli::CommandLine cli(
      "vbs",
      "Führt ein VBScript mit einem WScript-Objekt aus, wie ein Konsolen-Host; jede BIBLIOTHEK "
      "läuft vorher im selben globalen Bereich. Mit -e gibt es den Wert eines Ausdrucks aus. "
      "Argumente nach SKRIPT gehören dem Skript.");
  std::vector<std::string> libs;
  std::string expression;
  cli.App().prefix_command();
  cli.App()
      .add_option("-i", libs, "Bibliothek, die vorher läuft")
      ->type_name("BIBLIOTHEK")
      ->allow_extra_args(false);
  cli.App().add_option("-e", expression, "Ausdruck auswerten und ausgeben")->type_name("AUSDRUCK");
  cli.App().footer(
      "Aufruf auch: vbs [-i BIBLIOTHEK]... SKRIPT [ARGUMENT]... (- liest das Skript "
      "von der Standardeingabe)");
  if (auto code = cli.Parse(argc, argv)) return *code;
  const std::vector<std::string> rest = cli.App().remaining();
  if (expression.empty() == rest.empty()) {
    return cli.UsageError(rest.empty() ? "SKRIPT oder -e fehlt" : "-e und SKRIPT zugleich");
  }
  vks::pcre2::InstallRegexEngine();
  vks::vbscript::Engine engine;
  ConsoleReporter reporter;
  engine.SetMessageReporter(&reporter);
  engine.SetLocale(vks::AutomationLocale::FromEnvironment());
  return cli.Run(
      [&] { return rest.empty() ? Evaluate(engine, expression) : RunScript(engine, libs, rest); });
}
