#include "tools/vks-rtt/RttText.h"

#include <gtest/gtest.h>

#include <limits>

namespace vks::rtt_tool {
namespace {

TEST(RttTextTest, IsoTimeOfAutomationDates) {
  struct Case {
    double days;
    const char* iso;
  } cases[] = {
      {0, "1899-12-30T00:00:00"},
      {45356.604166666664, "2024-03-05T14:30:00"},
      {-1.25, "1899-12-29T06:00:00"},
      {2958465.99999, "9999-12-31T23:59:59"},
      {2958466.5, ""},
      {std::numeric_limits<double>::quiet_NaN(), ""},
      {-1e300, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.days);
    EXPECT_EQ(IsoTime(DateValue{c.days}), c.iso);
  }
}

TEST(RttTextTest, JsonTextsAndNumbers) {
  EXPECT_EQ(JsonString("a\"b\\c\n\x01ü"), "\"a\\\"b\\\\c\\u000a\\u0001ü\"");
  EXPECT_EQ(JsonString("bad\xFF"), "\"bad\xEF\xBF\xBD\"");
  EXPECT_EQ(JsonNumber(std::numeric_limits<float>::infinity()), "null");
  EXPECT_EQ(JsonNumber(0.1f), "0.1");
  EXPECT_EQ(JsonNumber(0.1), "0.1");
  EXPECT_EQ(ExactNumber(-2.123456E+38f), "-2.123456e+38");
}

}  // namespace
}  // namespace vks::rtt_tool
