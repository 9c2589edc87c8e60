#pragma once
// The tokens of a VBScript text. Words that are keywords only in their place (Property, Step,
// Erase, Default, Error, Explicit) come as identifiers, so that they serve as names elsewhere.
// A token keeps its line and column (both from 1) so that every
// compile error and every statement can name where it stands in the executed text.
#include <cstdint>
#include <string>

#include "platform/automation/Variant.h"

namespace vks::vbscript {

enum class Tok : uint8_t {
  EndOfText,
  Newline,  // end of a line
  Colon,    // statement separator on one line
  Identifier,
  Number,  // literal value in Token::value (Integer, Long or Double)
  String,  // literal text in Token::text
  Date,    // literal value in Token::value
  // Punctuation and operators.
  LParen,
  RParen,
  Comma,
  Dot,
  Equal,
  NotEqual,
  Less,
  Greater,
  LessEqual,
  GreaterEqual,
  Plus,
  Minus,
  Star,
  Slash,
  Backslash,
  Caret,
  Ampersand,
  // Keywords.
  And,
  Call,
  Case,
  Class,
  Const,
  Dim,
  Do,
  Each,
  Else,
  ElseIf,
  Empty,
  End,
  Eqv,
  Exit,
  False,
  For,
  Function,
  GoTo,
  If,
  Imp,
  In,
  Is,
  Let,
  Loop,
  Me,
  Mod,
  New,
  Next,
  Not,
  Nothing,
  Null,
  On,
  Option,
  Or,
  Private,
  Public,
  ReDim,
  Resume,
  Select,
  Set,
  Sub,
  Then,
  To,
  True,
  Until,
  Wend,
  While,
  With,
  Xor,
};

struct Token {
  Tok kind = Tok::EndOfText;
  int line = 1;
  int column = 1;
  // Identifier: its spelling; String: the literal's text.
  std::string text;
  Variant value;
  // True when blanks stand before the token (`a (1)` versus `a(1)` and `.x` after a blank).
  bool space_before = false;
};

// The spelling of a token kind for messages and dumps ("End", "(", "identifier").
const char* TokName(Tok kind);

}  // namespace vks::vbscript
