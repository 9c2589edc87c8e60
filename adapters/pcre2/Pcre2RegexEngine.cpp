#include "adapters/pcre2/Pcre2RegexEngine.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <algorithm>
#include <string>

#include "adapters/pcre2/PatternDialect.h"

namespace vks::pcre2 {
namespace {

using vbscript::RegexError;
using vbscript::RegexFailure;
using vbscript::RegexSpan;

RegexFailure CompileFailure(int code) {
  switch (code) {
    case PCRE2_ERROR_QUANTIFIER_INVALID:
      return RegexFailure::kQuantifier;
    case PCRE2_ERROR_MISSING_SQUARE_BRACKET:
      return RegexFailure::kMissingBracket;
    case PCRE2_ERROR_MISSING_CLOSING_PARENTHESIS:
      return RegexFailure::kMissingParenthesis;
    case PCRE2_ERROR_CLASS_RANGE_ORDER:
      return RegexFailure::kRange;
    case PCRE2_ERROR_PARENTHESES_NEST_TOO_DEEP:
    case PCRE2_ERROR_PATTERN_TOO_LARGE:
    case PCRE2_ERROR_PATTERN_TOO_COMPLICATED:
      return RegexFailure::kTooComplex;
    case PCRE2_ERROR_HEAP_FAILED:
      return RegexFailure::kOutOfMemory;
    default:
      return RegexFailure::kSyntax;
  }
}

RegexFailure MatchFailure(int code) {
  switch (code) {
    case PCRE2_ERROR_MATCHLIMIT:
    case PCRE2_ERROR_DEPTHLIMIT:
      return RegexFailure::kTooComplex;
    default:  // the heap bound, no memory, and anything a valid pattern should never give
      return RegexFailure::kOutOfMemory;
  }
}

template <class T, void (*Free)(T*)>
struct Deleter {
  void operator()(T* p) const { Free(p); }
};
template <class T, void (*Free)(T*)>
using Owned = std::unique_ptr<T, Deleter<T, Free>>;

using Code = Owned<pcre2_code, pcre2_code_free>;
using MatchData = Owned<pcre2_match_data, pcre2_match_data_free>;
using MatchContext = Owned<pcre2_match_context, pcre2_match_context_free>;
using CompileContext = Owned<pcre2_compile_context, pcre2_compile_context_free>;

bool IsUtfError(int rc) {
  return rc <= PCRE2_ERROR_UTF8_ERR1 && rc >= PCRE2_ERROR_UTF8_ERR21;
}

// Compiles the translated pattern; throws RegexError.
Code CompileCode(const std::string& pattern, uint32_t flags, pcre2_compile_context* context) {
  int error = 0;
  PCRE2_SIZE error_offset = 0;
  Code code(pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(), flags,
                          &error, &error_offset, context));
  if (!code) throw RegexError{CompileFailure(error)};
  return code;
}

// A subject is checked for valid UTF-8 once, in its search from offset 0; later searches skip the
// check, which would otherwise make a global search quadratic. A subject that is not valid UTF-8
// goes to a second compilation whose matches stop at the broken bytes.
class Pcre2Compiled : public vbscript::CompiledRegex {
 public:
  Pcre2Compiled(std::string pattern, uint32_t flags, CompileContext compile_context,
                MatchContext match_context)
      : pattern_(std::move(pattern)),
        flags_(flags),
        compile_context_(std::move(compile_context)),
        match_context_(std::move(match_context)),
        code_(CompileCode(pattern_, flags_, compile_context_.get())),
        data_(pcre2_match_data_create_from_pattern(code_.get(), nullptr)) {
    if (!data_) throw RegexError{RegexFailure::kOutOfMemory};
    uint32_t groups = 0;
    pcre2_pattern_info(code_.get(), PCRE2_INFO_CAPTURECOUNT, &groups);
    groups_ = groups;
  }

  size_t GroupCount() const override { return groups_; }

  std::optional<std::vector<RegexSpan>> Find(std::string_view subject, size_t offset) override {
    if (offset > subject.size()) return std::nullopt;
    if (offset == 0) broken_subject_ = false;
    int rc = broken_subject_ ? Match(Lenient(), subject, offset, 0)
                             : Match(code_.get(), subject, offset, offset ? PCRE2_NO_UTF_CHECK : 0);
    if (IsUtfError(rc)) {
      broken_subject_ = true;
      rc = Match(Lenient(), subject, offset, 0);
    }
    if (rc == PCRE2_ERROR_NOMATCH) return std::nullopt;
    if (rc < 0) throw RegexError{MatchFailure(rc)};
    const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(data_.get());
    std::vector<RegexSpan> spans(groups_ + 1);
    // The groups from rc on took no part in the match, nor did one whose offsets are unset.
    for (size_t i = 0; i < std::min<size_t>(static_cast<size_t>(rc), spans.size()); ++i) {
      if (ovector[2 * i] == PCRE2_UNSET) continue;
      spans[i] = {ovector[2 * i], ovector[2 * i + 1], true};
    }
    return spans;
  }

 private:
  int Match(const pcre2_code* code, std::string_view subject, size_t offset, uint32_t options) {
    return pcre2_match(code, reinterpret_cast<PCRE2_SPTR>(subject.data()), subject.size(), offset,
                       options, data_.get(), match_context_.get());
  }

  const pcre2_code* Lenient() {
    if (!lenient_)
      lenient_ = CompileCode(pattern_, flags_ | PCRE2_MATCH_INVALID_UTF, compile_context_.get());
    return lenient_.get();
  }

  std::string pattern_;
  uint32_t flags_;
  CompileContext compile_context_;
  MatchContext match_context_;
  Code code_;
  Code lenient_;    // for subjects that are not valid UTF-8; made when the first one comes
  MatchData data_;  // reused by every search; the interpreter runs on one thread
  size_t groups_ = 0;
  bool broken_subject_ = false;
};

}  // namespace

std::unique_ptr<vbscript::CompiledRegex> Pcre2RegexEngine::Compile(
    std::string_view pattern, const vbscript::RegexOptions& options) const {
  CompileContext compile_context(pcre2_compile_context_create(nullptr));
  MatchContext match_context(pcre2_match_context_create(nullptr));
  if (!compile_context || !match_context) throw RegexError{RegexFailure::kOutOfMemory};
  // "." and a multi-line "^" or "$" know CR, LF and CR LF as line ends.
  pcre2_set_newline(compile_context.get(), PCRE2_NEWLINE_ANYCRLF);
  uint32_t flags = PCRE2_UTF | PCRE2_DOLLAR_ENDONLY | PCRE2_MATCH_UNSET_BACKREF;
  if (options.ignore_case) flags |= PCRE2_CASELESS;
  if (options.multiline) flags |= PCRE2_MULTILINE;
  pcre2_set_match_limit(match_context.get(), limits_.match_steps);
  pcre2_set_depth_limit(match_context.get(), limits_.depth);
  const int64_t kibibytes = std::max<int64_t>(options.memory_limit / 1024, 1);
  pcre2_set_heap_limit(match_context.get(),
                       static_cast<uint32_t>(std::min<int64_t>(kibibytes, UINT32_MAX)));
  return std::make_unique<Pcre2Compiled>(TranslatePattern(pattern), flags,
                                         std::move(compile_context), std::move(match_context));
}

void InstallRegexEngine() {
  vbscript::SetRegexEngine(std::make_shared<Pcre2RegexEngine>());
}

}  // namespace vks::pcre2
