#include "platform/settings/RegistryPath.h"

#include <gtest/gtest.h>

namespace vks {
namespace {

TEST(RegistryPathTest, Utf8LengthCountsCharactersAndRefusesMalformedText) {
  struct Case {
    std::string text;
    std::optional<size_t> length;
  };
  const Case kCases[] = {
      {"", 0},
      {"abc", 3},
      {"Höhe", 4},
      {"€", 1},
      {"\xF0\x9F\x98\x80", 1},
      {"\xC3", std::nullopt},
      {"\xC3(", std::nullopt},
      {"\x80", std::nullopt},
      {"\xC0\xAF", std::nullopt},          // overlong '/'
      {"\xED\xA0\x80", std::nullopt},      // surrogate
      {"\xF4\x90\x80\x80", std::nullopt},  // beyond U+10FFFF
      {"\xFF", std::nullopt},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Utf8Length(c.text), c.length);
  }
}

TEST(RegistryPathTest, SplitKeyPathGivesSegmentsOrError5) {
  struct Good {
    std::string path;
    std::vector<std::string> segments;
  };
  const Good kGood[] = {
      {"", {}},
      {"Software", {"Software"}},
      {"Software\\VB and VBA Program Settings\\A B",
       {"Software", "VB and VBA Program Settings", "A B"}},
      {"a/b", {"a/b"}},
      {std::string(255, 'n'), {std::string(255, 'n')}},
  };
  for (const Good& g : kGood) {
    SCOPED_TRACE(g.path);
    auto segments = SplitKeyPath(g.path);
    ASSERT_TRUE(segments.ok());
    ASSERT_EQ(segments.value().size(), g.segments.size());
    for (size_t i = 0; i < g.segments.size(); ++i) EXPECT_EQ(segments.value()[i], g.segments[i]);
  }
  const std::pair<std::string, std::string> kBad[] = {
      {"\\a", "leerer Abschnitt"},    {"a\\", "leerer Abschnitt"},
      {"a\\\\b", "leerer Abschnitt"}, {std::string(256, 'n'), "länger als 255 Zeichen"},
      {std::string("a\0", 2), "NUL"}, {"\xFF", "kein gültiges UTF-8"},
  };
  for (const auto& [path, reason] : kBad) {
    SCOPED_TRACE(path);
    auto segments = SplitKeyPath(path);
    ASSERT_FALSE(segments.ok());
    EXPECT_EQ(segments.error().Number(), 5);
    EXPECT_EQ(segments.error().Source(), "Registry");
    EXPECT_NE(segments.error().Description().find(reason), std::string::npos)
        << segments.error().Description();
  }
}

TEST(RegistryPathTest, FoldMakesCaseVariantsEqualAndOrdersAsUpperCase) {
  EXPECT_EQ(RegistryFold("Höhe"), RegistryFold("HÖHE"));
  EXPECT_EQ(RegistryFold("Software"), "SOFTWARE");
  EXPECT_LT(RegistryFold("zeta"), RegistryFold("_x"));
  EXPECT_LT(RegistryFold("Zeta"), RegistryFold("Ärger"));
}

}  // namespace
}  // namespace vks
