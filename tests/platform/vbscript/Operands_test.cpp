// The numeric fast path must give what the general operators give: the same value, the same
// subtype, the same error, for every pair of Integer, Long and Double operands near the edges.
#include <gtest/gtest.h>

#include "platform/automation/AutomationLocale.h"
#include "platform/vbscript/Engine.h"
#include "platform/vbscript/Operators.h"

namespace vks::vbscript {
namespace {

struct TypedOperand {
  const char* script;  // how the script makes it
  Variant value;
};

struct OpCase {
  const char* text;
  Op op;
};

// The general operator's answer: a value, or the error number.
Result<Variant> General(Op op, const Variant& a, const Variant& b) {
  try {
    AutomationLocale locale;
    if (IsComparison(op)) return Compare(op, a, b, locale);
    return Arithmetic(op, a, b, locale);
  } catch (const AutomationError& e) {
    return e;
  }
}

TEST(OperandsTest, FastPathMatchesTheGeneralOperators) {
  const TypedOperand operands[] = {
      {"CInt(0)", Variant(int16_t{0})},
      {"CInt(7)", Variant(int16_t{7})},
      {"CInt(-3)", Variant(int16_t{-3})},
      {"CInt(32767)", Variant(int16_t{32767})},
      {"CInt(-32768)", Variant(int16_t{-32768})},
      {"CInt(-1)", Variant(int16_t{-1})},
      {"CLng(70000)", Variant(int32_t{70000})},
      {"CLng(2147483647)", Variant(int32_t{2147483647})},
      {"CLng(-2147483648)", Variant(int32_t{-2147483647 - 1})},
      {"CLng(-1)", Variant(int32_t{-1})},
      {"CDbl(2.5)", Variant(2.5)},
      {"CDbl(-0.5)", Variant(-0.5)},
      {"CDbl(0)", Variant(0.0)},
      {"CDbl(1E+308)", Variant(1e308)},
  };
  const OpCase ops[] = {
      {"+", Op::Add},   {"-", Op::Sub}, {"*", Op::Mul}, {"/", Op::Div}, {"\\", Op::IntDiv},
      {"Mod", Op::Mod}, {"^", Op::Pow}, {"=", Op::Eq},  {"<>", Op::Ne}, {"<", Op::Lt},
      {">", Op::Gt},    {"<=", Op::Le}, {">=", Op::Ge},
  };
  for (const TypedOperand& a : operands) {
    for (const TypedOperand& b : operands) {
      Engine engine;
      ASSERT_TRUE(engine.AddCode(std::string("a = ") + a.script + " : b = " + b.script).ok());
      for (const OpCase& op : ops) {
        std::string expression = std::string("a ") + op.text + " b";
        SCOPED_TRACE(std::string(a.script) + " " + op.text + " " + b.script);
        Result<Variant> expected = General(op.op, a.value, b.value);
        Result<Variant> got = engine.Eval(expression);
        ASSERT_EQ(got.ok(), expected.ok());
        if (expected.ok()) {
          EXPECT_EQ(got.value(), expected.value());
        } else {
          EXPECT_EQ(got.error().Number(), expected.error().Number());
        }
        // The same through a condition.
        if (IsComparison(op.op) && expected.ok()) {
          ASSERT_TRUE(engine.ExecuteStatement("If " + expression + " Then r = 1 Else r = 0").ok());
          int16_t branch = expected.value() == Variant(true) ? 1 : 0;
          EXPECT_EQ(engine.Eval("r").value(), Variant(branch));
        }
      }
    }
  }
}

TEST(OperandsTest, MixedOperandsFallBackWithoutEvaluatingTwice) {
  const std::pair<const char*, Variant> cases[] = {
      {"n = 0 : r = F() + 1", Variant(int16_t{2})},
      {"n = 0 : r = F() & \"x\"", Variant("1x")},
      {"n = 0 : r = (F() + \"2\") * 2", Variant(6.0)},
      {"n = 0 : r = Null + F()", Variant::Null()},
      {"n = 0 : r = F() < \"a\"", Variant(true)},
      {"n = 0 : r = (F() = 1) + 1", Variant(int16_t{0})},
      {"n = 0 : If F() = 1 Then r = n", Variant(int16_t{1})},
  };
  for (const auto& [script, result] : cases) {
    SCOPED_TRACE(script);
    Engine engine;
    ASSERT_TRUE(engine.AddCode("Function F() : n = n + 1 : F = n : End Function").ok());
    ASSERT_TRUE(engine.ExecuteStatement(script).ok()) << engine.Error().description;
    EXPECT_EQ(engine.Eval("r").value(), result);
    EXPECT_EQ(engine.Eval("n").value(), Variant(int16_t{1}));
  }
}

}  // namespace
}  // namespace vks::vbscript
