// The numeric fast path must give what the general operators give: the same value, the same
// subtype, the same error, for every pair of Integer, Long and Double operands near the edges;
// on a statement's first runs (the tree) and on later ones (its flattened steps), with the operands
// in procedure slots, in script-level variables and as literals.
#include <gtest/gtest.h>

#include "platform/automation/AutomationLocale.h"
#include "vbscript/Engine.h"
#include "vbscript/Operators.h"

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

void ExpectSame(const Result<Variant>& got, const Result<Variant>& expected) {
  ASSERT_EQ(got.ok(), expected.ok());
  if (expected.ok())
    EXPECT_EQ(got.value(), expected.value());
  else
    EXPECT_EQ(got.error().Number(), expected.error().Number());
}

// Runs `statement` (a procedure call) and reads `r`, or gives the error it raised.
Result<Variant> RunAndRead(Engine& engine, const std::string& statement) {
  if (!engine.ExecuteStatement(statement).ok())
    return AutomationError(engine.Error().number, engine.Error().source,
                           engine.Error().description);
  return engine.Eval("r");
}

const TypedOperand kOperands[] = {
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
const OpCase kOps[] = {
    {"+", Op::Add},   {"-", Op::Sub}, {"*", Op::Mul}, {"/", Op::Div}, {"\\", Op::IntDiv},
    {"Mod", Op::Mod}, {"^", Op::Pow}, {"=", Op::Eq},  {"<>", Op::Ne}, {"<", Op::Lt},
    {">", Op::Gt},    {"<=", Op::Le}, {">=", Op::Ge},
};

TEST(OperandsTest, LaterRunsMatchTheGeneralOperators) {
  for (const auto& [text, op] : kOps) {
    SCOPED_TRACE(text);
    std::string o = std::string(" ") + text + " ";
    Engine engine;
    // Slots of a Function, script-level variables read and written by a Sub, literals on either
    // side, and a comparison as an If condition.
    ASSERT_TRUE(engine
                    .AddCode("Dim a, b, r\n"
                             "Function F(x, y) : F = x" +
                             o + "y : End Function\nSub Vars : r = a" + o +
                             "b : End Sub\nSub LeftLiteral : r = 70000" + o +
                             "b : End Sub\nSub RightLiteral : r = a" + o +
                             "2.5 : End Sub\nSub Condition : If a" + o +
                             "b Then r = 1 Else r = 0\nEnd Sub\n")
                    .ok())
        << engine.Error().description;
    // The first two runs take the tree; the second flattens each statement.
    for (int run = 0; run < 2; ++run)
      ASSERT_TRUE(
          engine
              .ExecuteStatement(
                  "a = 1 : b = 2 : r = F(a, b) : Vars : LeftLiteral : RightLiteral : Condition")
              .ok());
    for (const auto& [a_text, a] : kOperands) {
      for (const auto& [b_text, b] : kOperands) {
        SCOPED_TRACE(std::string(a_text) + o + b_text);
        ASSERT_TRUE(
            engine.ExecuteStatement(std::string("a = ") + a_text + " : b = " + b_text).ok());
        Result<Variant> expected = General(op, a, b);
        // A new expression or statement takes the tree.
        ExpectSame(engine.Eval(std::string("a") + o + "b"), expected);
        if (IsComparison(op) && expected.ok()) {
          ASSERT_TRUE(engine.ExecuteStatement("If a" + o + "b Then r = 1 Else r = 0").ok());
          EXPECT_EQ(engine.Eval("r").value(), Variant(int16_t{expected.value() == Variant(true)}));
        }
        Variant args[] = {a, b};
        ExpectSame(engine.Run("F", args), expected);
        ExpectSame(RunAndRead(engine, "Vars"), expected);
        ExpectSame(RunAndRead(engine, "LeftLiteral"), General(op, Variant(int32_t{70000}), b));
        ExpectSame(RunAndRead(engine, "RightLiteral"), General(op, a, Variant(2.5)));
        if (IsComparison(op) && expected.ok()) {
          int16_t branch = expected.value() == Variant(true) ? 1 : 0;
          ExpectSame(RunAndRead(engine, "Condition"), Variant(branch));
        }
      }
    }
  }
}

TEST(OperandsTest, MixedOperandsFallBackWithoutEvaluatingTwice) {
  const std::pair<const char*, Variant> cases[] = {
      {"r = F() + 1", Variant(int16_t{2})},
      {"r = F() & \"x\"", Variant("1x")},
      {"r = (F() + \"2\") * 2", Variant(6.0)},
      {"r = Null + F()", Variant::Null()},
      {"r = F() < \"a\"", Variant(true)},
      {"r = (F() = 1) + 1", Variant(int16_t{0})},
      {"r = 1 + (2 + F() * t)", Variant(5.0)},
      {"r = t + F()", Variant(3.0)},
      {"If F() = 1 Then r = n", Variant(int16_t{1})},
  };
  for (const auto& [statement, result] : cases) {
    SCOPED_TRACE(statement);
    Engine engine;
    ASSERT_TRUE(engine
                    .AddCode(std::string("Dim n, r, t\n"
                                         "Function F() : n = n + 1 : F = n : End Function\n"
                                         "Sub Go\n") +
                             statement + "\nEnd Sub")
                    .ok())
        << engine.Error().description;
    // The first two runs take the tree, the third the steps, which meet the string.
    for (const char* t : {"\"2\"", "2", "\"2\""}) {
      ASSERT_TRUE(engine.ExecuteStatement(std::string("n = 0 : t = ") + t + " : Go").ok())
          << engine.Error().description;
      EXPECT_EQ(engine.Eval("n").value(), Variant(int16_t{1}));
      if (t[0] == '"') {
        EXPECT_EQ(engine.Eval("r").value(), result);
      }
    }
  }
}

TEST(OperandsTest, AnErrorOnALaterRunHasTheStatementsPosition) {
  Engine first;
  ASSERT_FALSE(first.AddCode("Dim d, k\nFor k = 0 To 2\n  d = 10 \\ k\nNext").ok());
  Engine later;
  ASSERT_FALSE(later.AddCode("Dim d, k\nFor k = 2 To 0 Step -1\n  d = 10 \\ k\nNext").ok());
  EXPECT_EQ(later.Error().number, 11);
  EXPECT_EQ(later.Error().line, 3);
  EXPECT_EQ(later.Error().column, first.Error().column);
  EXPECT_EQ(later.Eval("d").value(), Variant(int16_t{10}));
}

}  // namespace
}  // namespace vks::vbscript
