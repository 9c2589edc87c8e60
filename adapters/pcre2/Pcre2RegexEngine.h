#pragma once
// The interpreter's regular expressions on PCRE2 in UTF mode: the language's dialect translated to
// PCRE2's (PatternDialect.h), case folding beyond ASCII, and bounds on one match's steps, depth
// and memory, so that a runaway pattern is a script error instead of a hung or crashed process.
#include <cstdint>
#include <memory>

#include "vbscript/RegexEngine.h"

namespace vks::pcre2 {

struct Pcre2Limits {
  uint32_t match_steps = 5'000'000;  // backtracking steps of one search
  uint32_t depth = 1'000'000;        // nested backtracking points of one search
};

class Pcre2RegexEngine : public vbscript::RegexEngine {
 public:
  explicit Pcre2RegexEngine(Pcre2Limits limits = {}) : limits_(limits) {}
  std::unique_ptr<vbscript::CompiledRegex> Compile(
      std::string_view pattern, const vbscript::RegexOptions& options) const override;

 private:
  Pcre2Limits limits_;
};

// Installs a Pcre2RegexEngine as the process's engine; every program calls this at start.
void InstallRegexEngine();

}  // namespace vks::pcre2
