#include "vbscript/RegExpObject.h"

#include <iterator>
#include <optional>

#include "platform/automation/VariantConversions.h"
#include "vbscript/Names.h"
#include "vbscript/ScriptError.h"
#include "vbscript/Utf8.h"

namespace vks::vbscript {
namespace {

// The script error of each RegexFailure, in the enumeration's order.
constexpr int32_t kFailureNumbers[] = {error::kRegExpSyntax,  error::kRegExpQuantifier,
                                       error::kRegExpBracket, error::kRegExpParenthesis,
                                       error::kRegExpRange,   error::kOutOfStack,
                                       error::kOutOfMemory};
static_assert(std::size(kFailureNumbers) == static_cast<size_t>(RegexFailure::kOutOfMemory) + 1);

[[noreturn]] void Raise(RegexFailure failure) {
  throw AutomationError(kFailureNumbers[static_cast<size_t>(failure)], kRuntimeSource);
}

bool IsDigitChar(char c) {
  return c >= '0' && c <= '9';
}

std::string_view Part(std::string_view s, const RegexSpan& span) {
  return s.substr(span.begin, span.end - span.begin);
}

// The replacement text for one match: $$ is "$", $& the match, $` and $' the text before and after
// it, $1 to $99 a group that exists (of two digits the longest that names one); anything else,
// $0 among it, stays as written.
void Expand(const std::string& with, const std::vector<RegexSpan>& m, std::string_view s,
            std::string& out) {
  size_t groups = m.size() - 1;
  for (size_t i = 0; i < with.size(); ++i) {
    char c = with[i];
    char d = i + 1 < with.size() ? with[i + 1] : '\0';
    if (c != '$' || d == '\0') {
      out += c;
      continue;
    }
    if (d == '$') {
      out += '$';
      ++i;
    } else if (d == '&') {
      out += Part(s, m[0]);
      ++i;
    } else if (d == '`') {
      out += s.substr(0, m[0].begin);
      ++i;
    } else if (d == '\'') {
      out += s.substr(m[0].end);
      ++i;
    } else if (IsDigitChar(d)) {
      size_t n = static_cast<size_t>(d - '0');
      size_t used = 1;
      if (i + 2 < with.size() && IsDigitChar(with[i + 2])) {
        size_t two = n * 10 + static_cast<size_t>(with[i + 2] - '0');
        if (two >= 1 && two <= groups) n = two, used = 2;
      }
      if (n >= 1 && n <= groups) {
        if (m[n].matched) out += Part(s, m[n]);
        i += used;
      } else {
        out += c;
      }
    } else {
      out += c;
    }
  }
}

// The byte offset of the character after the one at `offset`.
size_t NextChar(std::string_view s, size_t offset) {
  ++offset;
  while (offset < s.size() && (static_cast<unsigned char>(s[offset]) & 0xC0) == 0x80) ++offset;
  return offset;
}

}  // namespace

ObjectRef MakeRegExp(int64_t memory_limit) {
  auto engine = InstalledRegexEngine();
  if (!engine) throw AutomationError(error::kCannotCreateObject);
  return std::make_shared<RegExpObject>(std::move(engine), memory_limit);
}

CompiledRegex& RegExpObject::Compiled() {
  if (!compiled_ || compiled_pattern_ != pattern_ || compiled_ignore_case_ != ignore_case_ ||
      compiled_multiline_ != multiline_) {
    compiled_.reset();
    try {
      compiled_ = engine_->Compile(pattern_, {ignore_case_, multiline_, memory_limit_});
    } catch (const RegexError& e) {
      Raise(e.failure);
    }
    compiled_pattern_ = pattern_;
    compiled_ignore_case_ = ignore_case_;
    compiled_multiline_ = multiline_;
  }
  return *compiled_;
}

template <class F>
void RegExpObject::ForEachMatch(std::string_view s, bool all, F&& each) {
  CompiledRegex& re = Compiled();
  size_t offset = 0;
  while (offset <= s.size()) {
    std::optional<std::vector<RegexSpan>> m;
    try {
      m = re.Find(s, offset);
    } catch (const RegexError& e) {
      Raise(e.failure);
    }
    if (!m) break;
    each(*m);
    if (!all) break;
    // An empty match moves on by one character, so the next search cannot find it again.
    offset = (*m)[0].end == (*m)[0].begin ? NextChar(s, (*m)[0].end) : (*m)[0].end;
  }
}

Variant RegExpObject::Invoke(std::string_view name, InvokeKind kind, std::span<Variant> args) {
  std::string n = FoldName(name);
  bool put = kind == InvokeKind::PropertyLet;
  auto flag = [&](bool& field) -> Variant {
    if (put) {
      field = ToBoolean(args.back());
      return {};
    }
    return Variant(field);
  };
  if (n == "pattern") {
    if (put) {
      pattern_ = ToString(args.back());
      return {};
    }
    return Variant(pattern_);
  }
  if (n == "global") return flag(global_);
  if (n == "ignorecase") return flag(ignore_case_);
  if (n == "multiline") return flag(multiline_);
  if (n == "test") {
    if (args.size() != 1) throw AutomationError(error::kWrongArgumentCount);
    std::string s = ToString(args[0]);
    bool found = false;
    ForEachMatch(s, false, [&](const std::vector<RegexSpan>&) { found = true; });
    return Variant(found);
  }
  if (n == "execute") {
    if (args.size() != 1) throw AutomationError(error::kWrongArgumentCount);
    std::string s = ToString(args[0]);
    std::vector<Variant> matches;
    size_t counted_bytes = 0;  // FirstIndex counts characters, from where the last match began
    size_t chars = 0;
    ForEachMatch(s, global_, [&](const std::vector<RegexSpan>& m) {
      std::vector<Variant> subs;
      for (size_t i = 1; i < m.size(); ++i)
        subs.push_back(m[i].matched ? Variant(std::string(Part(s, m[i]))) : Variant());
      chars += CharCount(std::string_view(s).substr(counted_bytes, m[0].begin - counted_bytes));
      counted_bytes = m[0].begin;
      matches.push_back(Variant(ObjectRef(std::make_shared<MatchObject>(
          std::string(Part(s, m[0])), static_cast<int32_t>(chars), std::move(subs)))));
    });
    return Variant(
        ObjectRef(std::make_shared<ValueCollection>("IMatchCollection2", std::move(matches))));
  }
  if (n == "replace") {
    if (args.size() != 2) throw AutomationError(error::kWrongArgumentCount);
    std::string s = ToString(args[0]);
    std::string with = ToString(args[1]);
    std::string out;
    size_t rest = 0;  // where the text after the last match starts
    ForEachMatch(s, global_, [&](const std::vector<RegexSpan>& m) {
      out.append(s, rest, m[0].begin - rest);
      Expand(with, m, s, out);
      rest = m[0].end;
      if (static_cast<int64_t>(out.size()) > memory_limit_)
        throw AutomationError(error::kOutOfMemory);
    });
    out.append(s, rest);
    if (static_cast<int64_t>(out.size()) > memory_limit_)
      throw AutomationError(error::kOutOfMemory);
    return Variant(out);
  }
  throw AutomationError(error::kMemberNotFound);
}

Variant ValueCollection::Invoke(std::string_view name, InvokeKind kind, std::span<Variant> args) {
  std::string n = FoldName(name);
  if (kind == InvokeKind::PropertyLet || kind == InvokeKind::PropertySet)
    throw AutomationError(error::kObjectDoesntSupportAction);
  if (n == "count") return Variant(static_cast<int32_t>(items_.size()));
  if (n.empty() || n == "item") {
    if (args.size() != 1) throw AutomationError(error::kWrongArgumentCount);
    int32_t i = ToLong(args[0]);
    if (i < 0 || static_cast<size_t>(i) >= items_.size())
      throw AutomationError(error::kInvalidCall);
    return items_[i];
  }
  throw AutomationError(error::kMemberNotFound);
}

Variant MatchObject::Invoke(std::string_view name, InvokeKind kind, std::span<Variant> args) {
  std::string n = FoldName(name);
  if (kind == InvokeKind::PropertyLet || kind == InvokeKind::PropertySet)
    throw AutomationError(error::kObjectDoesntSupportAction);
  if (n.empty() || n == "value") return Variant(value_);
  if (n == "firstindex") return Variant(first_index_);
  if (n == "length") return Variant(static_cast<int32_t>(CharCount(value_)));
  if (n == "submatches") {
    auto subs = std::make_shared<ValueCollection>("ISubMatches", submatches_);
    // SubMatches(i) indexes the collection at once.
    if (!args.empty()) return subs->Invoke("", InvokeKind::PropertyGet, args);
    return Variant(ObjectRef(subs));
  }
  throw AutomationError(error::kMemberNotFound);
}

}  // namespace vks::vbscript
