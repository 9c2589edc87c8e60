#include "adapters/cli/CommandLine.h"

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <regex>

#include "platform/automation/AutomationError.h"
#include "platform/system/Console.h"

namespace vks::cli {
namespace {

struct Translation {
  const char* english;  // the whole reason, as CLI11 words it
  const char* german;   // with $1, $2 for the parts matched
};

// Most specific first: the last entries match wide.
constexpr Translation kTranslations[] = {
    {"A subcommand is required|Requires at least [0-9]+ subcommands",
     "Befehl fehlt oder ist unbekannt"},
    {"The following arguments? (?:was|were) not expected: (.*)", "unerwartete Angabe: $1"},
    {"Could not convert: (.+) = (.*)", "$2 ist kein gültiger Wert für $1"},
    {"The value (.+) is not an allowed value for (.+)", "$1 ist kein erlaubter Wert für $2"},
    {"(.+): [0-9]+ required .+ missing", "$1 braucht einen Wert"},
    {"Expected exactly ([0-9]+) arguments to (.+), got ([0-9]+)",
     "$2 erwartet $1 Angaben, nicht $3"},
    {"Expected at least ([0-9]+) arguments to (.+), got ([0-9]+)",
     "$2 erwartet mindestens $1 Angaben, nicht $3"},
    {"(.+): At Most ([0-9]+) required but received ([0-9]+)",
     "$1 erlaubt höchstens $2 Angaben, nicht $3"},
    {"(.+): At least ([0-9]+) required but received ([0-9]+)",
     "$1 braucht mindestens $2 Angaben, nicht $3"},
    {"(.+): Value (.+) not in range (.+) to (.+)", "$1: $2 liegt nicht zwischen $3 und $4"},
    {"(.+) is required", "$1 fehlt"},
    {"(.+) excludes (.+)", "$1 und $2 schließen einander aus"},
    {"(.+) requires (.+)", "$1 braucht $2"},
    {"(--?[A-Za-z][-A-Za-z0-9]*): (.+)", "$1: $2"},  // our own validators' German reasons
};

// The help's headings and placeholders in German.
void GermanHelp(CLI::App& app) {
  auto formatter = std::make_shared<CLI::Formatter>();
  const std::pair<const char*, const char*> kLabels[] = {
      {"Usage", "Aufruf"},      {"OPTIONS", "OPTIONEN"},
      {"SUBCOMMAND", "BEFEHL"}, {"SUBCOMMANDS", "BEFEHLE"},
      {"REQUIRED", "PFLICHT"},  {"Positionals", "Argumente"},
      {"Needs", "Braucht"},     {"Excludes", "Schließt aus"},
      {"TEXT", "TEXT"},         {"INT", "ZAHL"},
      {"UINT", "ZAHL"},         {"Env", "Umgebung"}};
  for (const auto& [english, german] : kLabels) formatter->label(english, german);
  app.formatter(formatter);
  app.option_defaults()->group("Optionen");
  app.set_help_flag("-h,--help", "Diese Hilfe zeigen und beenden");
}

}  // namespace

CLI::Validator NonNegativeWhole() {
  return CLI::Validator(
      [](const std::string& text) {
        const bool digits =
            !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
        return digits && text.size() < 19 ? std::string() : "keine ganze Zahl ab 0: " + text;
      },
      "ZAHL");
}

std::string GermanUsageError(const std::string& english) {
  for (const Translation& t : kTranslations) {
    const std::regex pattern(t.english);
    if (std::regex_match(english, pattern)) return std::regex_replace(english, pattern, t.german);
  }
  return "falscher Aufruf (" + english + ")";
}

std::string VersionText(const std::string& name) {
  return name + " " + Version();
}

std::string Version() {
  return VKS_VERSION;
}

int FinishOutput(const std::string& name, std::ostream& out, std::ostream& err, int code) {
  out.flush();
  bool written = out.good();
  if (&out == &std::cout) written = std::fflush(stdout) == 0 && !std::ferror(stdout) && written;
  if (written) return code;
  const int error = errno;
  err << name << ": Die Ausgabe ließ sich nicht schreiben"
      << (error ? std::string(": ") + std::strerror(error) : std::string()) << "\n";
  return kFailure;
}

CommandLine::CommandLine(std::string name, const std::string& description, std::ostream& out,
                         std::ostream& err)
    : name_(std::move(name)), out_(out), err_(err), app_(description, name_) {
  UseUtf8Console();  // German texts and umlaut paths print right in a Windows console too
  // System errors (strerror) in the user's language; numbers stay as the C locale writes them.
  std::setlocale(LC_CTYPE, "");
#ifdef LC_MESSAGES
  std::setlocale(LC_MESSAGES, "");
#endif
  GermanHelp(app_);
  app_.set_version_flag("--version", VersionText(name_), "Version zeigen und beenden");
}

CLI::App* CommandLine::AddCommand(const std::string& name, const std::string& description) {
  CLI::App* command = app_.add_subcommand(name, description);
  command->group("Befehle");
  command->option_defaults()->group("Optionen");
  if (CLI::Option* help = command->get_help_ptr()) help->group("Optionen");
  return command;
}

std::optional<int> CommandLine::Parse(int argc, const char* const* argv) {
  return Parse(std::vector<std::string>(argv + std::min(argc, 1), argv + argc));
}

std::optional<int> CommandLine::Parse(const std::vector<std::string>& args) {
  try {
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    app_.parse(reversed);
    return std::nullopt;
  } catch (const CLI::CallForHelp&) {
    out_ << app_.help();
  } catch (const CLI::CallForAllHelp&) {
    out_ << app_.help("", CLI::AppFormatMode::All);
  } catch (const CLI::CallForVersion& version) {
    out_ << version.what() << "\n";
  } catch (const CLI::ParseError& e) {
    return UsageError(GermanUsageError(e.what()));
  }
  return FinishOutput(name_, out_, err_, kSuccess);
}

int CommandLine::UsageError(const std::string& reason) const {
  err_ << name_ << ": " << reason << "\nMehr mit " << name_ << " --help\n";
  return kUsageError;
}

int CommandLine::Failure(const std::string& text) const {
  err_ << name_ << ": " << text << "\n";
  return kFailure;
}

int CommandLine::Run(const std::function<int()>& work) const {
  int code = kFailure;
  try {
    code = work();
  } catch (const AutomationError& e) {
    code = Failure(e.Description());
  } catch (const std::exception& e) {
    code = Failure(e.what());
  }
  return FinishOutput(name_, out_, err_, code);
}

}  // namespace vks::cli
