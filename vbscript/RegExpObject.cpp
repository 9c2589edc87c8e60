#include "vbscript/RegExpObject.h"

#include <regex>

#include "platform/automation/VariantConversions.h"
#include "vbscript/Names.h"
#include "vbscript/ScriptError.h"
#include "vbscript/Utf8.h"

namespace vks::vbscript {
namespace {

// std::regex recurses per character; longer subjects could exhaust the stack.
constexpr size_t kMaxSubject = 100000;

std::regex Compile(const std::string& pattern, bool ignore_case, bool multiline) {
  auto flags = std::regex::ECMAScript;
  if (ignore_case) flags |= std::regex::icase;
  if (multiline) flags |= std::regex::multiline;
  try {
    return std::regex(pattern, flags);
  } catch (const std::regex_error&) {
    throw AutomationError(error::kRegExpSyntax, "Laufzeitfehler in Microsoft VBScript");
  }
}

std::string Subject(const Variant& v) {
  std::string s = ToString(v);
  if (s.size() > kMaxSubject) throw AutomationError(error::kOutOfMemory);
  return s;
}

bool IsDigitChar(char c) {
  return c >= '0' && c <= '9';
}

// The replacement text for one match: $$ is "$", $& the match, $` and $' the text before and after
// it, $1 to $99 a group that exists (of two digits the longest that names one); anything else,
// $0 among it, stays as written.
void Expand(const std::string& with, const std::smatch& m, const std::string& s, std::string& out) {
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
      out += m.str(0);
      ++i;
    } else if (d == '`') {
      out.append(s, 0, static_cast<size_t>(m.position(0)));
      ++i;
    } else if (d == '\'') {
      out.append(s, static_cast<size_t>(m.position(0) + m.length(0)));
      ++i;
    } else if (IsDigitChar(d)) {
      size_t n = static_cast<size_t>(d - '0');
      size_t used = 1;
      if (i + 2 < with.size() && IsDigitChar(with[i + 2])) {
        size_t two = n * 10 + static_cast<size_t>(with[i + 2] - '0');
        if (two >= 1 && two <= groups) n = two, used = 2;
      }
      if (n >= 1 && n <= groups) {
        if (m[n].matched) out += m[n].str();
        i += used;
      } else {
        out += c;
      }
    } else {
      out += c;
    }
  }
}

}  // namespace

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
    std::regex re = Compile(pattern_, ignore_case_, multiline_);
    std::string s = Subject(args[0]);
    return Variant(std::regex_search(s, re));
  }
  if (n == "execute") {
    if (args.size() != 1) throw AutomationError(error::kWrongArgumentCount);
    std::regex re = Compile(pattern_, ignore_case_, multiline_);
    std::string s = Subject(args[0]);
    std::vector<Variant> matches;
    for (auto it = std::sregex_iterator(s.begin(), s.end(), re); it != std::sregex_iterator();
         ++it) {
      const std::smatch& m = *it;
      std::vector<Variant> subs;
      for (size_t i = 1; i < m.size(); ++i)
        subs.push_back(m[i].matched ? Variant(m[i].str()) : Variant());
      auto index = static_cast<int32_t>(CharCount(std::string_view(s).substr(0, m.position(0))));
      matches.push_back(
          Variant(ObjectRef(std::make_shared<MatchObject>(m.str(0), index, std::move(subs)))));
      if (!global_) break;
    }
    return Variant(
        ObjectRef(std::make_shared<ValueCollection>("IMatchCollection2", std::move(matches))));
  }
  if (n == "replace") {
    if (args.size() != 2) throw AutomationError(error::kWrongArgumentCount);
    std::regex re = Compile(pattern_, ignore_case_, multiline_);
    std::string s = Subject(args[0]);
    std::string with = ToString(args[1]);
    std::string out;
    size_t rest = 0;  // where the text after the last match starts
    for (auto it = std::sregex_iterator(s.begin(), s.end(), re); it != std::sregex_iterator();
         ++it) {
      const std::smatch& m = *it;
      out.append(s, rest, static_cast<size_t>(m.position(0)) - rest);
      Expand(with, m, s, out);
      rest = static_cast<size_t>(m.position(0) + m.length(0));
      if (static_cast<int64_t>(out.size()) > memory_limit_)
        throw AutomationError(error::kOutOfMemory);
      if (!global_) break;
    }
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
