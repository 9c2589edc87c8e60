// Compile errors: number, line and column of the first fault, for every statement form; and
// texts the grammar must accept.
#include "vbscript/Parser.h"

#include <gtest/gtest.h>

#include "vbscript/ScriptError.h"

namespace vks::vbscript {
namespace {

struct BadCase {
  const char* text;
  int32_t number;
  int line;
  int column;
};

TEST(ParserTest, FirstFaultHasNumberLineAndColumn) {
  const BadCase cases[] = {
      {"x = ", 1023, 1, 5},
      {"x = 1 +", 1023, 1, 8},
      {"x = (1", 1006, 1, 7},
      {"If x Then\nx = 1\n", 1014, 3, 1},
      {"For i = 1 To\n", 1023, 1, 13},
      {"For i = 1\nNext", 1013, 1, 10},
      {"Do\nx = 1\n", 1019, 3, 1},
      {"While x\n", 1018, 2, 1},
      {"Loop", 1038, 1, 1},
      {"Next", 1055, 1, 1},
      {"Exit For", 1039, 1, 6},
      {"Sub S\nExit Function\nEnd Sub", 1039, 2, 6},
      {"x = \"abc", 1033, 1, 5},
      {"x = 1 $", 1032, 1, 7},
      {"x = 1 2", 1025, 1, 7},
      {"Dim", 1010, 1, 4},
      {"Sub S(a, a)\nEnd Sub", 1041, 1, 10},
      {"Dim r\nSub R\nEnd Sub", 1041, 2, 1},
      {"Function F\nEnd Function\nConst f = 1", 1041, 1, 1},
      {"Class C\nPublic Default x\nEnd Class", 1056, 2, 16},
      {"Select Case x\nCase 1\n", 1014, 3, 1},
      {"x = &HZZ", 1031, 1, 5},
      {"Foo(1, 2)", 1044, 1, 1},
      {"On Error Goto 1", 1002, 1, 15},
      {"Function F\nEnd Sub", 1015, 2, 5},
      {"x = #13/45/2024#", 1002, 1, 5},
      {"With x\n.a = 1\n", 1014, 3, 1},
  };
  for (const BadCase& c : cases) {
    SCOPED_TRACE(c.text);
    try {
      ParseProgram(c.text);
      ADD_FAILURE() << "parsed";
    } catch (const ScriptError& e) {
      EXPECT_EQ(e.Number(), c.number) << e.Description();
      EXPECT_EQ(e.Line(), c.line);
      EXPECT_EQ(e.Column(), c.column);
      EXPECT_EQ(e.Source(), kCompileSource);
    }
  }
}

TEST(ParserTest, AcceptsTheWholeLanguage) {
  const char* good[] = {
      "Option Explicit\nDim a, b(3), c()\nReDim Preserve c(5)\nConst K = 1, L = \"x\"",
      "If a Then b = 1 Else b = 2",
      "If a Then b = 1 : c = 2 Else d = 3",
      "If a Then\nElseIf b Then\nElse\nEnd If",
      "Select Case x\nCase 1, 2 To 3, Is > 4\nCase Else\nEnd Select",
      "For Each v In coll : Next",
      "For i = 1 To 10 Step 2\nNext i",
      "Do Until x\nLoop\nDo\nLoop While y",
      "Public Function F(ByVal a, ByRef b(), c)\nF = a\nEnd Function",
      "Class C\nPrivate m\nPublic Property Get P() : P = m : End Property\n"
      "Public Property Let P(v) : m = v : End Property\n"
      "Public Property Set O(v) : Set m = v : End Property\n"
      "Public Default Sub Go() : End Sub\nEnd Class",
      "Set x = New C : Set x = Nothing : b = x Is Nothing",
      "With obj : .a = 1 : .b.c(2) = .d : End With",
      "On Error Resume Next\nOn Error GoTo 0",
      "Call F(1, 2) : F 1, , 3 : F (1), 2",
      "x = a.b(1).c.d(2)(3)",
      "x = -2 ^ -2 * 3 \\ 2 Mod 5 & \"s\" = 1 Imp Not a Eqv b Xor c Or d And e",
      "x = #1/31/2024# + #10:30 PM# + &HFF& + &O17 + 1.5E-3 + .5",
      "Rem comment\nx = 1 ' comment\ny = 1 + _\n 2",
      "x = [my var] : Erase a, b",
      "Randomize : x = Rnd",
      "x = obj.End + obj.Next",
  };
  for (const char* text : good) {
    SCOPED_TRACE(text);
    try {
      auto program = ParseProgram(text);
      EXPECT_NE(program, nullptr);
    } catch (const ScriptError& e) {
      ADD_FAILURE() << e.Number() << " " << e.Description() << " at " << e.Line() << ":"
                    << e.Column();
    }
  }
}

TEST(ParserTest, NestingDeeperThanTheLimitIsOutOfStack) {
  std::string deep;
  for (int i = 0; i < 300; ++i) deep += "If x Then\n";
  try {
    ParseProgram(deep);
    ADD_FAILURE() << "parsed";
  } catch (const ScriptError& e) {
    EXPECT_EQ(e.Number(), 28);
  }
}

}  // namespace
}  // namespace vks::vbscript
