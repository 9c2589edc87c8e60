#include "adapters/pcre2/Pcre2RegexEngine.h"

#include <gtest/gtest.h>

#include <string>

#include "vbscript/Engine.h"

namespace vks::pcre2 {
namespace {

using vbscript::RegexError;
using vbscript::RegexFailure;
using vbscript::RegexOptions;

// The whole match at the first search from 0, or "-" for none.
std::string FirstMatch(const std::string& pattern, const std::string& subject) {
  auto re = Pcre2RegexEngine().Compile(pattern, RegexOptions{});
  auto m = re->Find(subject, 0);
  return m ? subject.substr((*m)[0].begin, (*m)[0].end - (*m)[0].begin) : "-";
}

TEST(Pcre2RegexEngine, ReadsTheDialectsEscapes) {
  struct Case {
    const char* pattern;
    std::string subject;
    std::string match;
  } cases[] = {
      {R"((a)\1)", "aa", "aa"},     // a back-reference to a group that exists
      {R"((a)\10)", "a\b", "a\b"},  // no group 10: octal 10
      {R"(\8)", "8", "8"},          // neither group nor octal: the digit
      {R"(\0)", std::string(1, '\0'), std::string(1, '\0')},
      {R"(\x4)", "x4", "x4"},  // too few hex digits: the letter
      {R"(\u00)", "u00", "u00"},
      {R"(\c1)", "\\c1", "\\c1"},    // \c without a letter: a backslash
      {R"(\p{L})", "p{L}", "p{L}"},  // PCRE2's own escapes are letters here
      {R"([\d-z]+)", "1-z", "1-z"},  // a hyphen beside \d is a hyphen
      {R"([a-\d]+)", "-a1", "-a1"},
      {R"(a{2,1)", "a{2,1", "a{2,1"},  // not a counted quantifier: braces as written
      {R"(\2(a)(b))", "ab", "ab"},     // a group not yet set matches nothing
  };
  for (const Case& c : cases) {
    try {
      EXPECT_EQ(FirstMatch(c.pattern, c.subject), c.match) << c.pattern;
    } catch (const RegexError& e) {
      ADD_FAILURE() << c.pattern << " refused: " << static_cast<int>(e.failure);
    }
  }
}

// A runaway match ends with kTooComplex or kOutOfMemory, whichever bound it hits.
TEST(Pcre2RegexEngine, BoundsEndRunawayMatches) {
  struct Case {
    const char* pattern;
    std::string subject;
    Pcre2Limits limits;
    int64_t memory_limit;
    RegexFailure failure;
  } cases[] = {
      {"(a+)+$", std::string(40, 'a') + "!", {}, 256 << 20, RegexFailure::kTooComplex},
      {"(a|b)*$",
       std::string(5000, 'a') + "!",
       {1'000'000'000, 1000},
       256 << 20,
       RegexFailure::kTooComplex},
      {"(a|b)*$",
       std::string(200000, 'a') + "!",
       {1'000'000'000, 1'000'000'000},
       1 << 20,
       RegexFailure::kOutOfMemory},
  };
  for (const Case& c : cases) {
    RegexOptions options;
    options.memory_limit = c.memory_limit;
    auto re = Pcre2RegexEngine(c.limits).Compile(c.pattern, options);
    try {
      re->Find(c.subject, 0);
      ADD_FAILURE() << c.pattern << " ended without an error";
    } catch (const RegexError& e) {
      EXPECT_EQ(e.failure, c.failure) << c.pattern;
    }
  }
}

TEST(Pcre2RegexEngine, MatchesStopAtBytesThatAreNotUtf8) {
  auto re = Pcre2RegexEngine().Compile("a.", RegexOptions{});
  const std::string broken =
      "a\xff"
      "ab";
  auto first = re->Find(broken, 0);
  ASSERT_TRUE(first);
  EXPECT_EQ((*first)[0].begin, 2u);
  EXPECT_FALSE(re->Find(broken, 3));
  // The next subject from 0 is checked anew.
  auto valid = re->Find("aü", 0);
  ASSERT_TRUE(valid);
  EXPECT_EQ((*valid)[0].end, 3u);
}

TEST(Pcre2RegexEngine, RegExpNeedsAnInstalledEngine) {
  vbscript::Engine engine;
  vbscript::SetRegexEngine(nullptr);
  auto without = engine.Eval("New RegExp Is Nothing");
  InstallRegexEngine();
  ASSERT_FALSE(without);
  EXPECT_EQ(without.error().Number(), 429);
  auto with = engine.Eval("CreateObject(\"VBScript.RegExp\").Test(\"a\")");
  ASSERT_TRUE(with) << with.error().Description();
}

}  // namespace
}  // namespace vks::pcre2
