#pragma once
// The regular-expression engine behind RegExp, as the interpreter sees it: compile a pattern of the
// language's dialect with its flags, then find the first match from a byte offset. The interpreter
// holds no engine of its own; a program installs the real one once at start (SetRegexEngine), and
// without one `New RegExp` is error 429. Patterns and subjects are UTF-8, offsets are bytes.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace vks::vbscript {

struct RegexOptions {
  bool ignore_case = false;
  bool multiline = false;
  int64_t memory_limit = 256 << 20;  // bytes one match may use
};

// Why a pattern or a match failed; the interpreter turns each into its script error.
enum class RegexFailure {
  kSyntax,              // anything else the dialect does not have
  kQuantifier,          // a quantifier with nothing to repeat, or two in a row
  kMissingBracket,      // a character class without its ']'
  kMissingParenthesis,  // a group without its ')'
  kRange,               // a class range whose ends are out of order
  kTooComplex,          // the match ran past the engine's step or depth bound
  kOutOfMemory,         // the match needed more memory than it may have
};

struct RegexError {
  RegexFailure failure;
};

struct RegexSpan {
  size_t begin = 0;
  size_t end = 0;
  bool matched = false;  // false: the group took no part in the match
};

class CompiledRegex {
 public:
  virtual ~CompiledRegex() = default;
  // The number of capturing groups.
  virtual size_t GroupCount() const = 0;
  // The first match that starts at `offset` or later: the whole match first, then each group.
  // `^`, `$` and `\b` still see the text before `offset`. A search from offset 0 starts on a new
  // subject; a search from a later offset must be on the subject of the last search from 0, which
  // lets an engine check the text once. Throws RegexError.
  virtual std::optional<std::vector<RegexSpan>> Find(std::string_view subject, size_t offset) = 0;
};

class RegexEngine {
 public:
  virtual ~RegexEngine() = default;
  // Throws RegexError for a pattern the dialect does not allow.
  virtual std::unique_ptr<CompiledRegex> Compile(std::string_view pattern,
                                                 const RegexOptions& options) const = 0;
};

// The process's engine; null until a program installs one.
void SetRegexEngine(std::shared_ptr<const RegexEngine> engine);
std::shared_ptr<const RegexEngine> InstalledRegexEngine();

}  // namespace vks::vbscript
