#pragma once
// The language's pattern dialect written as PCRE2 pattern text. The dialect has character classes,
// \d \w \s \b and their negations, back-references, lazy quantifiers, non-capturing groups and
// look-ahead; escapes \xhh, \uhhhh, \cX and legacy octal. It has no look-behind, no named groups,
// no possessive quantifiers, no inline options and none of PCRE2's other letter escapes: there a
// backslash before any other letter stands for the letter itself, and an unknown "(?" form is a
// syntax error.
#include <string>
#include <string_view>

namespace vks::pcre2 {

// Throws vbscript::RegexError for what the dialect refuses before PCRE2 sees it.
std::string TranslatePattern(std::string_view pattern);

}  // namespace vks::pcre2
