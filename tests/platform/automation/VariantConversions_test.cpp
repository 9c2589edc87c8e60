#include "platform/automation/VariantConversions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "fakes/ErrorOf.h"
#include "platform/automation/AutomationError.h"
#include "platform/automation/Dispatch.h"

namespace vks {
namespace {

using testing::ErrorOf;

TEST(VariantConversionsTest, IntegerEdgesRoundHalfToEven) {
  struct Case {
    Variant in;
    int expected;  // 0 with error != 0 means the conversion fails
    int error;
  };
  const Case cases[] = {
      {Variant(32767.4), 32767, 0},
      {Variant(32767.5), 0, 6},  // rounds to 32768
      {Variant(32768), 0, 6},
      {Variant(-32768.5), -32768, 0},  // half to even stays in range
      {Variant(-32769.0), 0, 6},
      {Variant(1.5), 2, 0},
      {Variant(2.5), 2, 0},
      {Variant(-2.5), -2, 0},
      {Variant(3.5f), 4, 0},
      {Variant(true), -1, 0},
      {Variant(), 0, 0},
      {Variant(CurrencyValue{25000}), 2, 0},  // 2.5
      {Variant(CurrencyValue{35000}), 4, 0},  // 3.5
      {Variant(CurrencyValue{-25000}), -2, 0},
      {Variant(" 12 "), 12, 0},
      {Variant("1,234"), 1234, 0},
      {Variant("&HFFFF"), -1, 0},
      {Variant("&O17"), 15, 0},
      {Variant("1e3"), 1000, 0},
      {Variant("abc"), 0, 13},
      {Variant(""), 0, 13},
      {Variant::Null(), 0, 94},
      {Variant(std::nan("")), 0, 6},
      {Variant(VariantArray::Vector(0, {Variant(1)})), 0, 13},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(ToString(Variant(static_cast<int32_t>(&c - cases))));
    int16_t result = 0;
    EXPECT_EQ(ErrorOf([&] { result = ToInteger(c.in); }), c.error);
    if (c.error == 0) {
      EXPECT_EQ(result, c.expected);
    }
  }
}

TEST(VariantConversionsTest, LongEdges) {
  EXPECT_EQ(ToLong(Variant(2147483647.0)), 2147483647);
  EXPECT_EQ(ErrorOf([] { (void)ToLong(Variant(2147483647.5)); }), 6);
  EXPECT_EQ(ToLong(Variant(-2147483648.5)), INT32_MIN);
  EXPECT_EQ(ErrorOf([] { (void)ToLong(Variant(-2147483649.0)); }), 6);
  EXPECT_EQ(ToLong(Variant("&H7FFFFFFF")), INT32_MAX);
  EXPECT_EQ(ToLong(Variant("&H80000000")), INT32_MIN);
  // Currency rounds exactly, without passing through a double.
  EXPECT_EQ(ToLong(Variant(CurrencyValue{21474836465000})), 2147483646);  // ...46.5 -> even
  EXPECT_EQ(ErrorOf([] { (void)ToLong(Variant(CurrencyValue{21474836475000})); }), 6);
}

TEST(VariantConversionsTest, ByteAndSingleRanges) {
  EXPECT_EQ(ToByte(Variant(255.4)), 255);
  EXPECT_EQ(ErrorOf([] { (void)ToByte(Variant(-1)); }), 6);
  EXPECT_EQ(ErrorOf([] { (void)ToSingle(Variant(1e39)); }), 6);
  EXPECT_EQ(ToSingle(Variant(-2.123456E+38)), -2.123456E+38f);
  EXPECT_EQ(ErrorOf([] { (void)ToCurrency(Variant(1e15)); }), 6);
  EXPECT_EQ(ToCurrency(Variant(-0.25)).scaled, -2500);
  EXPECT_EQ(ToCurrency(Variant("12.34")).scaled, 123400);
}

TEST(VariantConversionsTest, TextFollowsTheLocale) {
  const AutomationLocale german = AutomationLocale::German();
  EXPECT_DOUBLE_EQ(ToDouble(Variant("1.500,25"), german), 1500.25);
  EXPECT_DOUBLE_EQ(ToDouble(Variant("1.5"), german), 15);  // the point groups thousands there
  EXPECT_DOUBLE_EQ(ToDouble(Variant("1,500.25")), 1500.25);
  EXPECT_EQ(ToString(Variant(1500.25), german), "1500,25");
  EXPECT_EQ(ToString(Variant(true), german), "Wahr");
  EXPECT_EQ(ToString(Variant(false)), "False");
  EXPECT_TRUE(ToBoolean(Variant("wahr"), german));
  EXPECT_FALSE(ToBoolean(Variant("FALSE")));
  EXPECT_TRUE(ToBoolean(Variant("-3")));
  EXPECT_EQ(ErrorOf([] { (void)ToBoolean(Variant("ja")); }), 13);
}

TEST(VariantConversionsTest, NumbersAsText) {
  struct Case {
    Variant in;
    const char* expected;
  };
  const Case cases[] = {
      {Variant(0.1), "0.1"},
      {Variant(1.0 / 3), "0.333333333333333"},
      {Variant(1e15), "1E+15"},
      {Variant(123456789012345.0), "123456789012345"},
      {Variant(0.0001), "0.0001"},
      {Variant(0.00001), "1E-05"},
      {Variant(-0.0), "0"},
      {Variant(-2.123456E+38f), "-2.123456E+38"},
      {Variant(0.1f), "0.1"},
      {Variant(int16_t{-5}), "-5"},
      {Variant(CurrencyValue{-12345}), "-1.2345"},
      {Variant(CurrencyValue{INT64_MIN}), "-922337203685477.5808"},
      {Variant(CurrencyValue{50000}), "5"},
      {Variant(uint8_t{200}), "200"},
      {Variant(), ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(ToString(c.in), c.expected);
  }
  EXPECT_EQ(ErrorOf([] { (void)ToString(Variant::Null()); }), 94);
}

// An object whose default member returns 42.
class Answer : public Dispatch {
 public:
  std::string TypeName() const override { return "Answer"; }
  Variant Invoke(std::string_view name, InvokeKind, std::span<Variant>) override {
    if (!name.empty()) throw AutomationError(error::kMemberNotFound);
    return Variant(int32_t{42});
  }
};

TEST(VariantConversionsTest, ObjectsConvertThroughTheirDefaultMember) {
  Variant object(ObjectRef(std::make_shared<Answer>()));
  EXPECT_EQ(ToLong(object), 42);
  EXPECT_EQ(ToString(object), "42");
  EXPECT_EQ(ErrorOf([] { (void)ToLong(Variant::Nothing()); }), 91);
}

TEST(VariantConversionsTest, ChangeTypeKeepsSubtypes) {
  EXPECT_EQ(ChangeType(Variant("7"), VarType::Integer), Variant(int16_t{7}));
  EXPECT_EQ(ChangeType(Variant(int16_t{7}), VarType::Single), Variant(7.0f));
  EXPECT_EQ(ChangeType(Variant(1), VarType::Boolean), Variant(true));
  EXPECT_EQ(ChangeType(Variant(2.0), VarType::Date), Variant(DateValue{2.0}));
  EXPECT_EQ(ErrorOf([] { (void)ChangeType(Variant(1e7), VarType::Date); }), 6);
}

}  // namespace
}  // namespace vks
