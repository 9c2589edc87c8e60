#include "platform/automation/Windows1252.h"

#include <gtest/gtest.h>

#include <string>

namespace vks {
namespace {

TEST(Windows1252Test, DecodesTheCodePageAndEveryByteRoundTrips) {
  std::string all_bytes;
  for (int b = 0; b < 256; ++b) all_bytes.push_back(static_cast<char>(b));
  const std::string utf8 = Windows1252ToUtf8(all_bytes);
  EXPECT_TRUE(FitsWindows1252(utf8));
  EXPECT_EQ(Utf8ToWindows1252(utf8).value(), all_bytes);
  // 0x80 to 0x9F, where the code page differs from Latin-1; the five unassigned bytes keep their
  // C1 control.
  std::string upper;
  for (int b = 0x80; b < 0xA0; ++b) upper.push_back(static_cast<char>(b));
  EXPECT_EQ(Windows1252ToUtf8(upper),
            "€\xC2\x81‚ƒ„…†‡ˆ‰Š‹Œ\xC2\x8DŽ\xC2\x8F\xC2\x90‘’“”•–—˜™š›œ\xC2\x9DžŸ");
  EXPECT_EQ(Windows1252ToUtf8(std::string("\0A\x7F\xA0\xA4\xC4\xD7\xDF\xE4\xFF", 10)),
            std::string("\0A\x7F\xC2\xA0¤Ä×ßäÿ", 17));
  EXPECT_EQ(Windows1252ToUtf8("Kurs \x80 \x96 M\xFC"
                              "ller \x84gut\x93"),
            "Kurs € – Müller „gut“");
  Result<std::string> bytes = Utf8ToWindows1252("Kurs € – Müller „gut“ 5×3 Œuvre");
  ASSERT_TRUE(bytes.ok());
  EXPECT_EQ(bytes.value(),
            "Kurs \x80 \x96 M\xFCller \x84gut\x93 5\xD7"
            "3 \x8Cuvre");
  EXPECT_TRUE(FitsWindows1252(""));
  EXPECT_EQ(Utf8ToWindows1252("").value(), "");
}

TEST(Windows1252Test, RefusesWhatTheCodePageCannotHold) {
  struct Case {
    std::string utf8;
    const char* description;
  } cases[] = {
      {"abc中", "Das Zeichen U+4E2D an Byte 3 ist in Windows-1252 nicht darstellbar"},
      {"€uro ✓", "Das Zeichen U+2713 an Byte 7 ist in Windows-1252 nicht darstellbar"},
      {"\xC2\x80", "Das Zeichen U+0080 an Byte 0 ist in Windows-1252 nicht darstellbar"},
      {"x\xC2\x9F", "Das Zeichen U+009F an Byte 1 ist in Windows-1252 nicht darstellbar"},
      {"äĀ", "Das Zeichen U+0100 an Byte 2 ist in Windows-1252 nicht darstellbar"},
      {"Kurs 😀", "Das Zeichen U+1F600 an Byte 5 ist in Windows-1252 nicht darstellbar"},
      {"\xEF\xBF\xBD", "Das Zeichen U+FFFD an Byte 0 ist in Windows-1252 nicht darstellbar"},
      {"ok\xF4\x8F\xBF\xBF",
       "Das Zeichen U+10FFFF an Byte 2 ist in Windows-1252 nicht darstellbar"},
      {"Preis: \xE2\x82", "Ungültiges UTF-8 an Byte 7"},  // cut off
      {"Kurs\xFF", "Ungültiges UTF-8 an Byte 4"},
      {"ab\xC3(", "Ungültiges UTF-8 an Byte 2"},
      {"x\x80", "Ungültiges UTF-8 an Byte 1"},         // stray continuation byte
      {"\xC0\x80", "Ungültiges UTF-8 an Byte 0"},      // overlong NUL
      {"\xC1\xBF", "Ungültiges UTF-8 an Byte 0"},      // overlong
      {"\xE0\x80\x80", "Ungültiges UTF-8 an Byte 0"},  // overlong
      {"\xF0\x80\x80\x80", "Ungültiges UTF-8 an Byte 0"},
      {"\xED\xA0\x80", "Ungültiges UTF-8 an Byte 0"},      // surrogate
      {"\xF4\x90\x80\x80", "Ungültiges UTF-8 an Byte 0"},  // beyond U+10FFFF
      {"\xF8\x88\x80\x80\x80", "Ungültiges UTF-8 an Byte 0"},
      {"ä\xE2\x82\xACx\xE2\x82", "Ungültiges UTF-8 an Byte 6"},
      // the first fault counts
      {"中\xFF", "Das Zeichen U+4E2D an Byte 0 ist in Windows-1252 nicht darstellbar"},
      {"\xFF中", "Ungültiges UTF-8 an Byte 0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.utf8));
    EXPECT_FALSE(FitsWindows1252(c.utf8));
    Result<std::string> result = Utf8ToWindows1252(c.utf8);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().Number(), 5);
    EXPECT_EQ(result.error().Source(), "");
    EXPECT_EQ(result.error().Description(), c.description);
  }
}

}  // namespace
}  // namespace vks
