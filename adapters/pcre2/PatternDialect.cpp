#include "adapters/pcre2/PatternDialect.h"

#include <cstdint>
#include <cstdio>
#include <utility>

#include "vbscript/RegexEngine.h"

namespace vks::pcre2 {
namespace {

using vbscript::RegexError;
using vbscript::RegexFailure;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsAsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The value of `count` hex digits at `at`, or -1 when they are not all there.
int32_t HexDigits(std::string_view p, size_t at, size_t count) {
  if (at + count > p.size()) return -1;
  int32_t value = 0;
  for (size_t i = 0; i < count; ++i) {
    int digit = HexValue(p[at + i]);
    if (digit < 0) return -1;
    value = value * 16 + digit;
  }
  return value;
}

std::string CodePoint(uint32_t cp) {
  char text[16];
  std::snprintf(text, sizeof text, "\\x{%x}", static_cast<unsigned>(cp));
  return text;
}

// The capturing groups of the pattern, for telling a back-reference from an octal escape.
size_t CountGroups(std::string_view p) {
  size_t groups = 0;
  bool in_class = false;
  for (size_t i = 0; i < p.size(); ++i) {
    if (p[i] == '\\') {
      ++i;
    } else if (in_class) {
      in_class = p[i] != ']';
    } else if (p[i] == '[') {
      // "[]" and "[^]" close at once
      if (p.substr(i, 2) == "[]") {
        ++i;
      } else if (p.substr(i, 3) == "[^]") {
        i += 2;
      } else {
        in_class = true;
      }
    } else if (p[i] == '(' && (i + 1 == p.size() || p[i + 1] != '?')) {
      ++groups;
    }
  }
  return groups;
}

// The length of a counted quantifier {n}, {n,} or {n,m} at `at`; 0 when the brace is a literal.
size_t CountedQuantifier(std::string_view p, size_t at) {
  size_t i = at + 1;
  size_t digits = 0;
  while (i < p.size() && IsDigit(p[i])) ++i, ++digits;
  if (digits == 0) return 0;
  if (i < p.size() && p[i] == ',') {
    ++i;
    while (i < p.size() && IsDigit(p[i])) ++i;
  }
  return i < p.size() && p[i] == '}' ? i + 1 - at : 0;
}

class Translator {
 public:
  explicit Translator(std::string_view p) : p_(p), groups_(CountGroups(p)) {}

  std::string Run() {
    while (i_ < p_.size()) {
      char c = p_[i_];
      const bool after_set = std::exchange(after_set_escape_, false);
      if (c == '\\') {
        Escape();
      } else if (in_class_) {
        if (c == ']') in_class_ = false;
        // No POSIX [:name:] inside a class; a "-" beside \d, \w or \s is a hyphen.
        bool hyphen = c == '-' && (after_set || IsSetEscape(p_.substr(i_ + 1, 2)));
        out_ += c == '[' ? "\\[" : hyphen ? "\\-" : std::string(1, c);
        ++i_;
      } else if (c == '[') {
        OpenClass();
      } else if (c == '(') {
        Group();
      } else if (c == '*' || c == '+' || c == '?') {
        Quantifier(1);
      } else if (c == '{') {
        if (size_t n = CountedQuantifier(p_, i_)) {
          Quantifier(n);
        } else {
          out_ += "\\{";
          ++i_;
        }
      } else if (c == '}') {
        out_ += "\\}";
        ++i_;
      } else {
        out_ += c;
        ++i_;
      }
    }
    return out_;
  }

 private:
  // "[]" matches nothing and "[^]" any character; PCRE2 would read the "]" as a member.
  void OpenClass() {
    if (p_.substr(i_, 2) == "[]") {
      out_ += "(?!)";
      i_ += 2;
    } else if (p_.substr(i_, 3) == "[^]") {
      out_ += "[\\s\\S]";
      i_ += 3;
    } else {
      out_ += '[';
      ++i_;
      in_class_ = true;
    }
  }

  void Group() {
    if (i_ + 1 < p_.size() && p_[i_ + 1] == '?') {
      char kind = i_ + 2 < p_.size() ? p_[i_ + 2] : '\0';
      if (kind != ':' && kind != '=' && kind != '!') throw RegexError{RegexFailure::kSyntax};
      out_.append(p_.substr(i_, 3));
      i_ += 3;
      return;
    }
    out_ += '(';
    ++i_;
  }

  // A quantifier of `length` characters, then a lazy "?"; a "+" after it would make it possessive,
  // which the dialect does not have.
  void Quantifier(size_t length) {
    out_.append(p_.substr(i_, length));
    i_ += length;
    if (i_ < p_.size() && p_[i_] == '?') {
      out_ += '?';
      ++i_;
    } else if (i_ < p_.size() && p_[i_] == '+') {
      throw RegexError{RegexFailure::kQuantifier};
    }
  }

  static bool IsSetEscape(std::string_view s) {
    return s.size() == 2 && s[0] == '\\' && std::string_view("dDwWsS").find(s[1]) != s.npos;
  }

  void Escape() {
    if (i_ + 1 >= p_.size()) throw RegexError{RegexFailure::kSyntax};
    char c = p_[i_ + 1];
    i_ += 2;
    switch (c) {
      case 'd':
      case 'D':
      case 'w':
      case 'W':
      case 's':
      case 'S':
        after_set_escape_ = true;
        [[fallthrough]];
      case 'f':
      case 'n':
      case 'r':
      case 't':
        out_ += '\\';
        out_ += c;
        return;
      case 'b':
        out_ += in_class_ ? "\\x{8}" : "\\b";  // backspace inside a class
        return;
      case 'B':
        out_ += in_class_ ? "B" : "\\B";
        return;
      case 'v':
        out_ += "\\x{b}";
        return;
      case 'x':
      case 'u':
        HexEscape(c);
        return;
      case 'c':
        if (i_ < p_.size() && IsAsciiLetter(p_[i_])) {
          out_ += CodePoint(static_cast<uint32_t>(p_[i_]) % 32);
          ++i_;
        } else {
          out_ += "\\\\";  // a backslash of its own; the "c" follows as written
          --i_;
        }
        return;
      default:
        break;
    }
    if (IsDigit(c)) {
      --i_;
      Number();
    } else if (IsAsciiLetter(c)) {
      out_ += c;
    } else if (static_cast<unsigned char>(c) >= 0x80) {
      out_ += c;  // a non-ASCII character stands for itself; its other bytes follow as written
    } else {
      out_ += '\\';
      out_ += c;
    }
  }

  // \xhh and \uhhhh; two \u halves of a surrogate pair are one character. Without its digits the
  // letter stands for itself.
  void HexEscape(char letter) {
    size_t digits = letter == 'x' ? 2 : 4;
    int32_t value = HexDigits(p_, i_, digits);
    if (value < 0) {
      out_ += letter;
      return;
    }
    i_ += digits;
    if (value >= 0xD800 && value <= 0xDBFF && p_.substr(i_, 2) == "\\u") {
      int32_t low = HexDigits(p_, i_ + 2, 4);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        value = 0x10000 + ((value - 0xD800) << 10) + (low - 0xDC00);
        i_ += 6;
      }
    }
    if (value >= 0xD800 && value <= 0xDFFF) throw RegexError{RegexFailure::kSyntax};
    out_ += CodePoint(static_cast<uint32_t>(value));
  }

  // After a backslash, at the first digit: a back-reference when that many groups exist (outside
  // a class), else an octal escape of up to three digits; \8 and \9 are the digits themselves.
  void Number() {
    if (!in_class_ && p_[i_] != '0') {
      size_t end = i_;
      size_t n = 0;
      while (end < p_.size() && IsDigit(p_[end]) && n <= groups_)
        n = n * 10 + static_cast<size_t>(p_[end++] - '0');
      if (n <= groups_) {
        out_ += "\\g{" + std::to_string(n) + "}";
        i_ = end;
        return;
      }
    }
    if (p_[i_] == '8' || p_[i_] == '9') {
      out_ += p_[i_++];
      return;
    }
    uint32_t value = 0;
    size_t max_digits = p_[i_] <= '3' ? 3 : 2;
    for (size_t k = 0; k < max_digits && i_ < p_.size() && p_[i_] >= '0' && p_[i_] <= '7'; ++k)
      value = value * 8 + static_cast<uint32_t>(p_[i_++] - '0');
    out_ += CodePoint(value);
  }

  std::string_view p_;
  size_t groups_;
  size_t i_ = 0;
  bool in_class_ = false;
  bool after_set_escape_ = false;  // the item before is \d, \w, \s or a negation
  std::string out_;
};

}  // namespace

std::string TranslatePattern(std::string_view pattern) {
  return Translator(pattern).Run();
}

}  // namespace vks::pcre2
