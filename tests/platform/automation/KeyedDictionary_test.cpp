#include "platform/automation/KeyedDictionary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "fakes/ErrorOf.h"

namespace vks {
namespace {

using testing::ErrorOf;

std::vector<std::string> KeysOf(const KeyedDictionary<int>& dict) {
  std::vector<std::string> keys;
  for (const auto& entry : dict) keys.push_back(entry.key);
  return keys;
}

TEST(KeyedDictionaryTest, FoldCaseFoldsAsciiAndWindows1252LettersAndPassesInvalidUtf8) {
  struct Case {
    std::string in;
    std::string out;
  } cases[] = {
      {"", ""},
      {"ABCXYZ abcxyz 0189 @[`{", "abcxyz abcxyz 0189 @[`{"},
      // long enough for the eight-byte path, with letters at both ends of each word
      {"AZAZAZAZazazazazAZ@[", "azazazazazazazazaz@["},
      {"MÜLLER-Lüdenscheid", "müller-lüdenscheid"},
      {"ÄÖÜ äöü ß", "äöü äöü ß"},
      {"ÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖØÙÚÛÜÝÞ", "àáâãäåæçèéêëìíîïðñòóôõöøùúûüýþ"},
      {"×÷", "×÷"},  // the signs are no letters
      {"ŠšŒœŽžŸÿ", "ššœœžžÿÿ"},
      {"ĀĐΩЖ中€", "ĀĐΩЖ中€"},  // beyond Windows-1252: unchanged
      {"12345678ÉTÉ12345678", "12345678été12345678"},
      {"A\xC3", "a\xC3"},                  // lead byte cut off at the end
      {"\xC3", "\xC3"},                    // alone
      {"\x80\x9F\xC5", "\x80\x9F\xC5"},    // stray continuation bytes
      {"\xE0\xC3\x84Z", "\xE0\xC3\xA4z"},  // a broken sequence before a valid Ä
      {"\xFF\xFE"
       "ABCDEFGH",
       "\xFF\xFE"
       "abcdefgh"},
      {std::string("A\0B", 3), std::string("a\0b", 3)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.in));
    EXPECT_EQ(FoldCase(c.in), c.out);
  }
}

TEST(KeyedDictionaryTest, FoldCaseFoldsEveryAsciiByteAtEveryPositionOfAWord) {
  // Checks the eight-byte path against the byte rule for every byte below 0x80.
  for (int c = 0; c < 0x80; ++c) {
    for (size_t pos = 0; pos < 9; ++pos) {
      std::string text(9, 'Q');
      text[pos] = static_cast<char>(c);
      std::string expected(9, 'q');
      expected[pos] = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 0x20 : c);
      SCOPED_TRACE(::testing::Message() << "byte " << c << " at " << pos);
      ASSERT_EQ(FoldCase(text), expected);
    }
  }
}

TEST(KeyedDictionaryTest, KeysHashAndCompareAsTheirFoldedText) {
  // Lengths around the eight-byte words, ASCII and not, valid and invalid UTF-8.
  struct Case {
    std::string a, b;
    bool text_equal, binary_equal;
  } cases[] = {
      {"", "", true, true},
      {"A", "a", true, false},
      {"DE0001000001", "de0001000001", true, false},
      {"ABCDEFGH", "abcdefgh", true, false},
      {"ABCDEFGHI", "abcdefghI", true, false},
      {"ABCDEFGHIJKLMNOPQ", "abcdefghijklmnopq", true, false},
      {"ABCDEFGH", "ABCDEFGI", false, false},
      {"abcdefgh@", "abcdefgh`", false, false},  // the neighbours of A and a
      {"[]^_", "{}~\x7f", false, false},
      {"MÜLLER AG", "müller ag", true, false},
      {"Ÿ", "ÿ", true, false},
      {"ŠŒŽ", "šœž", true, false},
      {"Müller", "Muller", false, false},
      {"Straße", "STRASSE", false, false},
      {"×", "÷", false, false},
      {"\xC3", "\xC3", true, true},
      {"abc\xC3", "ABC\xC3", true, false},
      {"ABC", "ABC ", false, false},
  };
  const FoldedKeyHash text_hash{CompareMode::Text};
  const FoldedKeyEqual text_equal{CompareMode::Text};
  const FoldedKeyHash binary_hash{CompareMode::Binary};
  const FoldedKeyEqual binary_equal{CompareMode::Binary};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.a + " / " + c.b);
    EXPECT_EQ(text_equal(c.a, c.b), c.text_equal);
    EXPECT_EQ(text_equal(c.a, c.b), FoldCase(c.a) == FoldCase(c.b));
    EXPECT_EQ(binary_equal(c.a, c.b), c.binary_equal);
    EXPECT_EQ(text_hash(c.a), text_hash(FoldCase(c.a)));
    EXPECT_EQ(text_hash(c.a) == text_hash(c.b), c.text_equal);
    EXPECT_EQ(binary_hash(c.a) == binary_hash(c.b), c.binary_equal);
  }
}

// Lookups fold case as the keys above hash and compare (KeysHashAndCompareAsTheirFoldedText).
TEST(KeyedDictionaryTest, KeepsFirstSpellingAndPlaceAndRefusesDuplicatesAndMissingKeys) {
  KeyedDictionary<int> dict;
  for (const char* key : {"Zeta", "alpha", "Mitte", "BETA", "omega"}) dict.Add(key, 0);
  dict.Item("ZETA") = 7;
  dict.Remove("mitte");
  dict.Add("Gamma", 1);
  dict.Remove("OMEGA");
  dict.Add("omega", 2);
  std::vector<std::string> expected = {"Zeta", "alpha", "BETA", "Gamma", "omega"};
  EXPECT_EQ(dict.Keys(), expected);
  EXPECT_EQ(KeysOf(dict), expected);
  EXPECT_EQ(dict.Count(), 5u);
  EXPECT_EQ(dict.Item("zeta"), 7);

  // A rename keeps the place; a new spelling of the same key is a rename too.
  dict.Rename("beta", "Two");
  EXPECT_FALSE(dict.Exists("Beta"));
  dict.Rename("two", "TWO");
  expected[2] = "TWO";
  EXPECT_EQ(dict.Keys(), expected);
  struct Case {
    const char* what;
    std::function<void()> action;
    int32_t number;
  } cases[] = {
      {"Add same spelling", [&] { dict.Add("Gamma", 2); }, 457},
      {"Add other case", [&] { dict.Add("GAMMA", 2); }, 457},
      {"Rename to a taken key", [&] { dict.Rename("alpha", "gamma"); }, 457},
      {"Item missing", [&] { (void)dict.Item("Depot"); }, 32811},
      {"Remove missing", [&] { dict.Remove("Depot"); }, 32811},
      {"Rename missing", [&] { dict.Rename("Depot", "Neu"); }, 32811},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ErrorOf(c.action), c.number);
    EXPECT_EQ(dict.Keys(), expected);
  }
  EXPECT_EQ(dict.Item("two"), 0);
  EXPECT_EQ(dict.Item("gamma"), 1);
}

// Adds, removals and renames among 31 keys, which never grow the table past 64 slots, so that the
// slots crowd in runs and each removal moves the slots behind it back; a plain list is the model.
TEST(KeyedDictionaryTest, MatchesAListModelThroughManyRemovals) {
  std::mt19937 random(20261209);
  KeyedDictionary<int> dict;
  std::vector<std::pair<std::string, int>> model;
  const auto find = [&](const std::string& key) {
    return std::find_if(model.begin(), model.end(),
                        [&](const auto& e) { return FoldCase(e.first) == FoldCase(key); });
  };
  const auto any_key = [&] { return (random() % 2 ? "K" : "k") + std::to_string(random() % 31); };
  for (int step = 0; step < 20000; ++step) {
    const std::string key = any_key(), other = any_key();
    const auto it = find(key), taken = find(other);
    const bool found = it != model.end();
    switch (random() % 3) {
      case 0:
        ASSERT_EQ(ErrorOf([&] { dict.Add(key, step); }), found ? 457 : 0);
        if (!found) model.emplace_back(key, step);
        break;
      case 1:
        ASSERT_EQ(ErrorOf([&] { dict.Remove(key); }), found ? 0 : 32811);
        if (found) model.erase(it);
        break;
      default:
        const bool renames = found && (taken == model.end() || taken == it);
        ASSERT_EQ(ErrorOf([&] { dict.Rename(key, other); }), renames ? 0 : found ? 457 : 32811);
        if (renames) it->first = other;
    }
    ASSERT_EQ(dict.Count(), model.size());
    std::vector<std::string> keys;
    for (const auto& [k, v] : model) {
      const int* found = dict.Find(k);
      ASSERT_TRUE(found && *found == v) << k << " at step " << step;
      keys.push_back(k);
    }
    ASSERT_EQ(dict.Keys(), keys);
  }
}

// Binary mode and mode changes only while empty: tests/vbscript/dictionary.vbs, through the
// script's Dictionary.

TEST(KeyedDictionaryTest, HoldsMoveOnlyValues) {
  KeyedDictionary<std::unique_ptr<std::string>> dict;
  dict.Add("Wert", std::make_unique<std::string>("x"));
  KeyedDictionary<std::unique_ptr<std::string>> moved = std::move(dict);
  ASSERT_NE(moved.Find("WERT"), nullptr);
  EXPECT_EQ(**moved.Find("WERT"), "x");
}

}  // namespace
}  // namespace vks
