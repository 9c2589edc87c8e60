#pragma once
// The command-line convention every program of ours keeps: German help on standard output with
// exit code 0, --version, a usage error's reason on standard error with exit code 2, a failure's
// with exit code 1, system errors in the user's language, and standard output that cannot be
// written (a full disk) is a failure too.
#include <CLI/CLI.hpp>
#include <functional>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace vks::cli {

inline constexpr int kSuccess = 0;
inline constexpr int kFailure = 1;
inline constexpr int kUsageError = 2;

class CommandLine {
 public:
  // `name` names the program in its messages; `description` opens its help. Help and results go
  // to `out`, reasons to `err`.
  CommandLine(std::string name, const std::string& description, std::ostream& out = std::cout,
              std::ostream& err = std::cerr);
  CommandLine(const CommandLine&) = delete;
  CommandLine& operator=(const CommandLine&) = delete;

  CLI::App& App() { return app_; }
  // A sub-command with the same German help.
  CLI::App* AddCommand(const std::string& name, const std::string& description);

  // Returns the exit code to end with at once (help and version: 0, a usage error: 2), or nothing
  // when the program goes on.
  std::optional<int> Parse(int argc, const char* const* argv);
  // The same for the arguments after the program's name.
  std::optional<int> Parse(const std::vector<std::string>& args);
  // A usage error found after parsing: its reason and a pointer to --help on standard error.
  // Returns 2.
  int UsageError(const std::string& reason) const;
  // "name: text" on standard error. Returns 1.
  int Failure(const std::string& text) const;
  // Runs the program's work and returns its exit code. A failure it throws (an automation error,
  // a file that cannot be read) gives its reason and 1, and so does standard output that cannot
  // be written.
  int Run(const std::function<int()>& work) const;

 private:
  std::string name_;
  std::ostream& out_;
  std::ostream& err_;
  CLI::App app_;
};

// Accepts a whole number from 0 up, with a German reason for anything else.
CLI::Validator NonNegativeWhole();

// CLI11's English reason for a usage error, in German.
std::string GermanUsageError(const std::string& english);

// Flushes `out`: `code`, or 1 after saying on `err` why the output could not be written.
int FinishOutput(const std::string& name, std::ostream& out, std::ostream& err, int code);

// The program's name and version, as --version prints them.
std::string VersionText(const std::string& name);
// The version alone.
std::string Version();

}  // namespace vks::cli
