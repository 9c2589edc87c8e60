// Compile errors: number, line and column of the first fault, for every statement form. The forms
// the grammar must accept are the conformance scripts' (parse_forms.vbs and the others).
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
