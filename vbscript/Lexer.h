#pragma once
// Splits a VBScript text into tokens: keywords (any letter case), names, literals, operators, line
// ends and colons. Comments (' and Rem) and line continuations (" _" at a line's end) vanish here.
#include <string_view>
#include <vector>

#include "vbscript/Token.h"

namespace vks::vbscript {

// The tokens of `text`, always ending with EndOfText. Throws ScriptError (1031 invalid number,
// 1032 invalid character, 1033 unterminated string, 1002 bad date literal) with the position.
std::vector<Token> Lex(std::string_view text);

// Reads a date literal's text ("1/31/2024", "2024-01-31 13:05", "10:30 PM"); false when invalid.
bool ParseDateLiteral(std::string_view text, DateValue& out);

}  // namespace vks::vbscript
