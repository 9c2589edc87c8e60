#include "vbscript/Lexer.h"

#include <cmath>
#include <cstdlib>

#include "platform/automation/DateText.h"
#include "vbscript/Names.h"
#include "vbscript/ScriptError.h"

namespace vks::vbscript {
namespace {

struct Keyword {
  const char* folded;
  Tok kind;
};

constexpr Keyword kKeywords[] = {
    {"and", Tok::And},
    {"call", Tok::Call},
    {"case", Tok::Case},
    {"class", Tok::Class},
    {"const", Tok::Const},
    {"dim", Tok::Dim},
    {"do", Tok::Do},
    {"each", Tok::Each},
    {"else", Tok::Else},
    {"elseif", Tok::ElseIf},
    {"empty", Tok::Empty},
    {"end", Tok::End},
    {"eqv", Tok::Eqv},
    {"exit", Tok::Exit},
    {"false", Tok::False},
    {"for", Tok::For},
    {"function", Tok::Function},
    {"goto", Tok::GoTo},
    {"if", Tok::If},
    {"imp", Tok::Imp},
    {"in", Tok::In},
    {"is", Tok::Is},
    {"let", Tok::Let},
    {"loop", Tok::Loop},
    {"me", Tok::Me},
    {"mod", Tok::Mod},
    {"new", Tok::New},
    {"next", Tok::Next},
    {"not", Tok::Not},
    {"nothing", Tok::Nothing},
    {"null", Tok::Null},
    {"on", Tok::On},
    {"option", Tok::Option},
    {"or", Tok::Or},
    {"private", Tok::Private},
    {"public", Tok::Public},
    {"redim", Tok::ReDim},
    {"resume", Tok::Resume},
    {"select", Tok::Select},
    {"set", Tok::Set},
    {"sub", Tok::Sub},
    {"then", Tok::Then},
    {"to", Tok::To},
    {"true", Tok::True},
    {"until", Tok::Until},
    {"wend", Tok::Wend},
    {"while", Tok::While},
    {"with", Tok::With},
    {"xor", Tok::Xor},
};

bool IsLetter(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c >= 0x80;
}
bool IsDigit(unsigned char c) {
  return c >= '0' && c <= '9';
}
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\f' || c == '\v';
}

// Integer literals take the smallest of Integer and Long that holds them, else Double.
Variant IntegerLiteral(double v) {
  if (v >= -32768 && v <= 32767) return Variant(static_cast<int16_t>(v));
  if (v >= -2147483648.0 && v <= 2147483647.0) return Variant(static_cast<int32_t>(v));
  return Variant(v);
}

class Lexer {
 public:
  explicit Lexer(std::string_view text) : text_(text) {}

  std::vector<Token> Run() {
    std::vector<Token> out;
    bool space = false;
    while (pos_ < text_.size()) {
      char c = text_[pos_];
      if (IsBlank(c)) {
        ++pos_;
        space = true;
        continue;
      }
      if (c == '_' && ContinuationAhead()) {
        space = true;
        continue;
      }
      if (c == '\'') {
        SkipComment();
        continue;
      }
      Token t;
      t.line = line_;
      t.column = static_cast<int>(pos_ - line_start_) + 1;
      t.space_before = space;
      space = false;
      if (c == '\r' || c == '\n') {
        if (c == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
        ++pos_;
        t.kind = Tok::Newline;
        ++line_;
        line_start_ = pos_;
      } else if (IsLetter(static_cast<unsigned char>(c))) {
        if (!Word(t)) continue;  // Rem comment
      } else if (c == '[') {
        BracketName(t);
      } else if (IsDigit(static_cast<unsigned char>(c)) ||
                 (c == '.' && pos_ + 1 < text_.size() &&
                  IsDigit(static_cast<unsigned char>(text_[pos_ + 1])) && !AfterOperand(out))) {
        NumberLiteral(t);
      } else if (c == '&' && pos_ + 1 < text_.size() &&
                 (text_[pos_ + 1] == 'h' || text_[pos_ + 1] == 'H' || text_[pos_ + 1] == 'o' ||
                  text_[pos_ + 1] == 'O' || IsDigit(static_cast<unsigned char>(text_[pos_ + 1])))) {
        RadixLiteral(t);
      } else if (c == '"') {
        StringLiteral(t);
      } else if (c == '#') {
        DateLiteral(t);
      } else {
        Punct(t);
      }
      out.push_back(std::move(t));
    }
    Token end;
    end.kind = Tok::EndOfText;
    end.line = line_;
    end.column = static_cast<int>(pos_ - line_start_) + 1;
    out.push_back(std::move(end));
    return out;
  }

 private:
  [[noreturn]] void Fail(int32_t number, size_t at) {
    throw ScriptError::Compile(number, line_, static_cast<int>(at - line_start_) + 1);
  }

  // A '.' directly after a name or ')' is member access, not the start of ".5".
  static bool AfterOperand(const std::vector<Token>& out) {
    if (out.empty()) return false;
    const Token& last = out.back();
    return last.kind == Tok::Identifier || last.kind == Tok::RParen;
  }

  // "_" followed by blanks and a line end joins the next line to this one.
  bool ContinuationAhead() {
    size_t p = pos_ + 1;
    while (p < text_.size() && IsBlank(text_[p])) ++p;
    if (p < text_.size() && text_[p] != '\r' && text_[p] != '\n') return false;
    if (p < text_.size() && text_[p] == '\r') ++p;
    if (p < text_.size() && text_[p] == '\n') ++p;
    pos_ = p;
    ++line_;
    line_start_ = p;
    return true;
  }

  void SkipComment() {
    while (pos_ < text_.size() && text_[pos_] != '\r' && text_[pos_] != '\n') ++pos_;
  }

  // Returns false for "Rem", which starts a comment.
  bool Word(Token& t) {
    size_t start = pos_;
    while (pos_ < text_.size() &&
           (IsLetter(static_cast<unsigned char>(text_[pos_])) ||
            IsDigit(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '_'))
      ++pos_;
    std::string_view word = text_.substr(start, pos_ - start);
    std::string folded = FoldName(word);
    if (folded == "rem") {
      SkipComment();
      return false;
    }
    t.kind = Tok::Identifier;
    for (const Keyword& k : kKeywords) {
      if (folded == k.folded) {
        t.kind = k.kind;
        break;
      }
    }
    t.text = std::string(word);
    return true;
  }

  void BracketName(Token& t) {
    size_t start = ++pos_;
    while (pos_ < text_.size() && text_[pos_] != ']' && text_[pos_] != '\n' && text_[pos_] != '\r')
      ++pos_;
    if (pos_ >= text_.size() || text_[pos_] != ']') Fail(error::kInvalidCharacter, start - 1);
    t.kind = Tok::Identifier;
    t.text = std::string(text_.substr(start, pos_ - start));
    ++pos_;
  }

  void NumberLiteral(Token& t) {
    size_t start = pos_;
    bool is_float = false;
    while (pos_ < text_.size() && IsDigit(static_cast<unsigned char>(text_[pos_]))) ++pos_;
    if (pos_ < text_.size() && text_[pos_] == '.') {
      is_float = true;
      ++pos_;
      while (pos_ < text_.size() && IsDigit(static_cast<unsigned char>(text_[pos_]))) ++pos_;
    }
    if (pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
      size_t p = pos_ + 1;
      if (p < text_.size() && (text_[p] == '+' || text_[p] == '-')) ++p;
      if (p < text_.size() && IsDigit(static_cast<unsigned char>(text_[p]))) {
        is_float = true;
        pos_ = p;
        while (pos_ < text_.size() && IsDigit(static_cast<unsigned char>(text_[pos_]))) ++pos_;
      } else {
        Fail(error::kInvalidNumber, start);
      }
    }
    std::string digits(text_.substr(start, pos_ - start));
    double v = std::strtod(digits.c_str(), nullptr);
    if (!std::isfinite(v)) Fail(error::kInvalidNumber, start);
    // A type suffix (#, !, @, %, &) is not VBScript; "&" after a number is an operator.
    if (pos_ < text_.size() && IsLetter(static_cast<unsigned char>(text_[pos_])))
      Fail(error::kExpectedEndOfStatement, pos_);
    t.kind = Tok::Number;
    t.value = is_float ? Variant(v) : IntegerLiteral(v);
  }

  // &Hxxxx and &Oooo (or &ooo): up to 16 bits without a closing "&" they are 16-bit Integers (so
  // &HFFFF is -1); else the 32-bit value in the smallest of Integer and Long that holds it
  // (&HFFFFFFFF is the Integer -1, &HFFFF& the Long 65535).
  void RadixLiteral(Token& t) {
    size_t start = pos_;
    ++pos_;
    int radix = 8;
    if (text_[pos_] == 'h' || text_[pos_] == 'H') {
      radix = 16;
      ++pos_;
    } else if (text_[pos_] == 'o' || text_[pos_] == 'O') {
      ++pos_;
    }
    uint64_t v = 0;
    size_t digits = 0;
    while (pos_ < text_.size()) {
      char c = text_[pos_];
      int d;
      if (IsDigit(static_cast<unsigned char>(c)))
        d = c - '0';
      else if (radix == 16 && c >= 'a' && c <= 'f')
        d = c - 'a' + 10;
      else if (radix == 16 && c >= 'A' && c <= 'F')
        d = c - 'A' + 10;
      else
        break;
      if (d >= radix) Fail(error::kInvalidNumber, pos_);
      v = v * radix + d;
      if (v > 0xFFFFFFFFull) Fail(error::kInvalidNumber, start);
      ++digits;
      ++pos_;
    }
    if (digits == 0) Fail(error::kInvalidNumber, start);
    if (pos_ < text_.size() && text_[pos_] == '&') ++pos_;  // &HFFFF& forces Long
    t.kind = Tok::Number;
    if (v <= 0xFFFF && text_[pos_ - 1] != '&')
      t.value = Variant(static_cast<int16_t>(static_cast<uint16_t>(v)));
    else
      t.value = IntegerLiteral(static_cast<int32_t>(static_cast<uint32_t>(v)));
  }

  void StringLiteral(Token& t) {
    size_t start = pos_++;
    std::string s;
    for (;;) {
      if (pos_ >= text_.size() || text_[pos_] == '\n' || text_[pos_] == '\r')
        Fail(error::kUnterminatedString, start);
      char c = text_[pos_++];
      if (c == '"') {
        if (pos_ < text_.size() && text_[pos_] == '"') {
          s.push_back('"');
          ++pos_;
          continue;
        }
        break;
      }
      s.push_back(c);
    }
    t.kind = Tok::String;
    t.text = std::move(s);
  }

  void DateLiteral(Token& t) {
    size_t start = pos_++;
    size_t body = pos_;
    while (pos_ < text_.size() && text_[pos_] != '#' && text_[pos_] != '\n' && text_[pos_] != '\r')
      ++pos_;
    if (pos_ >= text_.size() || text_[pos_] != '#') Fail(error::kSyntax, start);
    DateValue d;
    if (!ParseDateLiteral(text_.substr(body, pos_ - body), d)) Fail(error::kSyntax, start);
    ++pos_;
    t.kind = Tok::Date;
    t.value = Variant(d);
  }

  void Punct(Token& t) {
    char c = text_[pos_];
    char n = pos_ + 1 < text_.size() ? text_[pos_ + 1] : '\0';
    size_t len = 1;
    switch (c) {
      case '(':
        t.kind = Tok::LParen;
        break;
      case ')':
        t.kind = Tok::RParen;
        break;
      case ',':
        t.kind = Tok::Comma;
        break;
      case '.':
        t.kind = Tok::Dot;
        break;
      case ':':
        t.kind = Tok::Colon;
        break;
      case '=':
        t.kind = Tok::Equal;
        break;
      case '+':
        t.kind = Tok::Plus;
        break;
      case '-':
        t.kind = Tok::Minus;
        break;
      case '*':
        t.kind = Tok::Star;
        break;
      case '/':
        t.kind = Tok::Slash;
        break;
      case '\\':
        t.kind = Tok::Backslash;
        break;
      case '^':
        t.kind = Tok::Caret;
        break;
      case '&':
        t.kind = Tok::Ampersand;
        break;
      case '<':
        if (n == '>')
          t.kind = Tok::NotEqual, len = 2;
        else if (n == '=')
          t.kind = Tok::LessEqual, len = 2;
        else
          t.kind = Tok::Less;
        break;
      case '>':
        if (n == '=')
          t.kind = Tok::GreaterEqual, len = 2;
        else if (n == '<')
          t.kind = Tok::NotEqual, len = 2;
        else
          t.kind = Tok::Greater;
        break;
      default:
        Fail(error::kInvalidCharacter, pos_);
    }
    pos_ += len;
  }

  std::string_view text_;
  size_t pos_ = 0;
  size_t line_start_ = 0;
  int line_ = 1;
};

}  // namespace

std::vector<Token> Lex(std::string_view text) {
  return Lexer(text).Run();
}

bool ParseDateLiteral(std::string_view text, DateValue& out) {
  auto d = vks::ParseDateText(text, AutomationLocale::Invariant());
  if (!d) return false;
  out = *d;
  return true;
}

const char* TokName(Tok kind) {
  switch (kind) {
    case Tok::EndOfText:
      return "end of text";
    case Tok::Newline:
      return "line end";
    case Tok::Colon:
      return ":";
    case Tok::Identifier:
      return "identifier";
    case Tok::Number:
      return "number";
    case Tok::String:
      return "string";
    case Tok::Date:
      return "date";
    case Tok::LParen:
      return "(";
    case Tok::RParen:
      return ")";
    case Tok::Comma:
      return ",";
    case Tok::Dot:
      return ".";
    case Tok::Equal:
      return "=";
    default:
      break;
  }
  for (const Keyword& k : kKeywords)
    if (k.kind == kind) return k.folded;
  return "operator";
}

}  // namespace vks::vbscript
