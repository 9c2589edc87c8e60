#pragma once
// Builds the syntax tree of a VBScript text. The first fault ends the parse with a ScriptError that
// names its line and column; a block left open names the line where it began.
#include <memory>
#include <string_view>

#include "vbscript/Ast.h"

namespace vks::vbscript {

struct ParseLimits {
  // Nesting of expressions and blocks; deeper input is error 28 rather than a blown stack.
  int max_depth = 200;
};

// A whole script or a piece of code for Execute/ExecuteGlobal/AddCode.
std::unique_ptr<Program> ParseProgram(std::string_view text, const ParseLimits& limits = {});
// One expression (Eval); the whole text must be the expression.
ExprPtr ParseExpression(std::string_view text, const ParseLimits& limits = {});

}  // namespace vks::vbscript
