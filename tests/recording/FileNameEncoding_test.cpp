#include "recording/FileNameEncoding.h"

#include <gtest/gtest.h>

namespace vks {
namespace {

TEST(FileNameEncodingTest, OnlyWhatALinuxNameCannotCarryIsEscaped) {
  struct Case {
    std::string name;
    std::string encoded;
  } cases[] = {
      {"Depot1", "Depot1"},
      {"Müller & Co (2)", "Müller & Co (2)"},
      {"Konto✓ 😀", "Konto✓ 😀"},
      {"a.b..", "a.b.."},
      {"a/b", "a%2Fb"},
      {"..", "%2E."},
      {".", "%2E"},
      {".hidden", "%2Ehidden"},
      {"../../etc/passwd", "%2E.%2F..%2Fetc%2Fpasswd"},
      {"C:\\Windows", "C:%5CWindows"},
      {"50%", "50%25"},
      {std::string("a\0b", 3), "a%00b"},
      {"tab\there\n", "tab%09here%0A"},
      {"del\x7F", "del%7F"},
      {"bad\xFF\xC3", "bad%FF%C3"},
      {"\xC0\xAF", "%C0%AF"},         // overlong '/'
      {"\xED\xA0\x80", "%ED%A0%80"},  // surrogate
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(EncodeFileName(c.name), c.encoded);
    EXPECT_EQ(DecodeFileName(c.encoded), c.name);
  }
}

TEST(FileNameEncodingTest, LongNamesAreShortenedWithAHashOfTheWholeName) {
  std::string a(1000, 'a');
  std::string b = a;
  b.back() = 'b';
  std::string encoded_a = EncodeFileName(a);
  std::string encoded_b = EncodeFileName(b);
  EXPECT_EQ(encoded_a.size(), kMaxEncodedName);
  EXPECT_EQ(encoded_a.substr(0, 222), std::string(222, 'a'));
  EXPECT_EQ(encoded_a.substr(222, 2), "%~");
  EXPECT_NE(encoded_a, encoded_b);
  EXPECT_EQ(EncodeFileName(a), encoded_a);
  EXPECT_EQ(DecodeFileName(encoded_a), std::nullopt);
  EXPECT_EQ(EncodeFileName(std::string(kMaxEncodedName, 'x')), std::string(kMaxEncodedName, 'x'));
}

TEST(FileNameEncodingTest, ShorteningNeverSplitsACharacterOrAnEscape) {
  struct Case {
    std::string unit;
    size_t encoded_unit;
  } cases[] = {{"ü", 2}, {"/", 3}, {"😀", 4}, {"\x01", 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.unit);
    std::string name;
    for (int i = 0; i < 300; ++i) name += c.unit;
    std::string encoded = EncodeFileName(name);
    size_t mark = encoded.find("%~");
    ASSERT_NE(mark, std::string::npos);
    EXPECT_EQ(mark % c.encoded_unit, 0u);
    EXPECT_LE(encoded.size(), kMaxEncodedName);
    EXPECT_EQ(encoded.find('/'), std::string::npos);
  }
}

TEST(FileNameEncodingTest, TextNoNameEncodesToIsNotDecoded) {
  for (std::string bad : {"a/b", "%2", "%zz", "%2e", "%41", ".x", "a%~0123"}) {
    SCOPED_TRACE(bad);
    EXPECT_EQ(DecodeFileName(bad), std::nullopt);
  }
}

}  // namespace
}  // namespace vks
