// Variant arithmetic: result value and subtype for each pairing of subtypes, and the errors.
#include "vbscript/Operators.h"

#include <gtest/gtest.h>

#include "platform/automation/AutomationError.h"

namespace vks::vbscript {
namespace {

const AutomationLocale& kLocale = AutomationLocale::Invariant();

struct ArithCase {
  const char* name;
  Op op;
  Variant a;
  Variant b;
  Variant expected;
};

TEST(OperatorsTest, ArithmeticKeepsOrWidensTheSubtype) {
  const ArithCase cases[] = {
      {"int+int", Op::Add, int16_t{1}, int16_t{2}, int16_t{3}},
      {"int overflow to long", Op::Add, int16_t{32767}, int16_t{1}, int32_t{32768}},
      {"long overflow to double", Op::Add, int32_t{2147483647}, int16_t{1}, 2147483648.0},
      {"byte+byte", Op::Add, uint8_t{200}, uint8_t{55}, uint8_t{255}},
      {"byte overflow to int", Op::Add, uint8_t{200}, uint8_t{56}, int16_t{256}},
      {"bool+bool", Op::Add, true, true, int16_t{-2}},
      {"empty+empty", Op::Add, Variant(), Variant(), int16_t{0}},
      {"single+int", Op::Add, 1.5f, int16_t{1}, 2.5f},
      {"single+long widens", Op::Add, 1.5f, int32_t{1}, 2.5},
      {"text+text joins", Op::Add, "1", "2", "12"},
      {"text+number adds", Op::Add, "1", int16_t{2}, 3.0},
      {"date+number", Op::Add, DateValue{1.0}, int16_t{1}, DateValue{2.0}},
      {"date-date", Op::Sub, DateValue{3.0}, DateValue{1.0}, 2.0},
      {"int*int", Op::Mul, int16_t{300}, int16_t{300}, int32_t{90000}},
      {"div", Op::Div, int16_t{1}, int16_t{4}, 0.25},
      {"intdiv rounds half even", Op::IntDiv, 2.5, int16_t{1}, int32_t{2}},
      {"intdiv long", Op::IntDiv, int32_t{100000}, int16_t{3}, int32_t{33333}},
      {"mod negative", Op::Mod, int16_t{-7}, int16_t{3}, int16_t{-1}},
      {"pow", Op::Pow, int16_t{2}, int16_t{10}, 1024.0},
      {"null propagates", Op::Add, Variant::Null(), int16_t{1}, Variant::Null()},
  };
  for (const ArithCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Arithmetic(c.op, c.a, c.b, kLocale), c.expected);
  }
}

struct ErrorCase {
  const char* name;
  Op op;
  Variant a;
  Variant b;
  int32_t number;
};

TEST(OperatorsTest, ArithmeticErrors) {
  const ErrorCase cases[] = {
      {"x/0", Op::Div, int16_t{1}, int16_t{0}, 11},
      {"0/0", Op::Div, int16_t{0}, int16_t{0}, 6},
      {"x\\0", Op::IntDiv, int16_t{1}, int16_t{0}, 11},
      {"mod 0", Op::Mod, int16_t{1}, int16_t{0}, 11},
      {"text*number", Op::Mul, "abc", int16_t{2}, 13},
      {"negative root", Op::Pow, int16_t{-8}, 0.5, 5},
      {"huge power", Op::Pow, 10.0, 400.0, 6},
      {"long min \\ -1", Op::IntDiv, int32_t{INT32_MIN}, int16_t{-1}, 6},
  };
  for (const ErrorCase& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      (void)Arithmetic(c.op, c.a, c.b, kLocale);
      ADD_FAILURE() << "no error";
    } catch (const AutomationError& e) {
      EXPECT_EQ(e.Number(), c.number);
    }
  }
}

TEST(OperatorsTest, NegateAndNotKeepTheirSubtype) {
  EXPECT_EQ(Negate(int16_t{-32768}, kLocale), Variant(int32_t{32768}));
  EXPECT_EQ(Negate(Variant(), kLocale), Variant(int16_t{0}));
  EXPECT_EQ(Negate("2", kLocale), Variant(-2.0));
  EXPECT_EQ(LogicalNot(true, kLocale), Variant(false));
  EXPECT_EQ(LogicalNot(int16_t{0}, kLocale), Variant(int16_t{-1}));
  EXPECT_EQ(LogicalNot(Variant::Null(), kLocale), Variant::Null());
}

struct LogicCase {
  const char* name;
  Op op;
  Variant a;
  Variant b;
  Variant expected;
};

TEST(OperatorsTest, LogicWithNullIsThreeValued) {
  const LogicCase cases[] = {
      {"null and false", Op::And, Variant::Null(), false, false},
      {"null and true", Op::And, Variant::Null(), true, Variant::Null()},
      {"null or true", Op::Or, Variant::Null(), true, true},
      {"null or false", Op::Or, Variant::Null(), false, Variant::Null()},
      {"false imp null", Op::Imp, false, Variant::Null(), true},
      {"null imp true", Op::Imp, Variant::Null(), true, true},
      {"null xor", Op::Xor, Variant::Null(), true, Variant::Null()},
      {"bits", Op::And, int16_t{12}, int16_t{10}, int16_t{8}},
      {"long bits", Op::Or, int32_t{65536}, int16_t{1}, int32_t{65537}},
      {"eqv", Op::Eqv, true, true, true},
  };
  for (const LogicCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Logical(c.op, c.a, c.b, kLocale), c.expected);
  }
}

struct CompareCase {
  const char* name;
  Variant a;
  Variant b;
  bool a_literal;
  int expected;
};

TEST(OperatorsTest, ComparisonRules) {
  const CompareCase cases[] = {
      {"numbers", int16_t{1}, 2.5, false, -1},
      {"texts", "abc", "abd", false, -1},
      {"text case by code", "A", "a", false, -1},
      {"empty and zero", Variant(), int16_t{0}, false, 0},
      {"empty and text", Variant(), "", false, 0},
      {"number below text", int16_t{10}, "10", false, -1},
      {"number literal reads text", int16_t{10}, "10", true, 0},
      {"literal with non-number text", int16_t{10}, "x", true, -1},
      {"null", Variant::Null(), int16_t{1}, false, 2},
      {"bool as number", true, int16_t{-1}, false, 0},
      {"date and number", DateValue{2.0}, int16_t{2}, false, 0},
  };
  for (const CompareCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CompareValues(c.a, c.b, false, kLocale, c.a_literal, false), c.expected);
  }
  EXPECT_EQ(CompareValues("ABC", "abc", true, kLocale), 0);
}

}  // namespace
}  // namespace vks::vbscript
