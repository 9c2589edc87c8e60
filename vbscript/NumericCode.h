#pragma once
// An arithmetic expression flattened into steps over a small stack of numbers, made once its names
// are bound. A loop then runs a statement's arithmetic as one pass over an array instead of a walk
// down the tree, and reads constants and variables from where the steps say they are.
#include <cstdint>
#include <memory>
#include <vector>

#include "vbscript/Ast.h"
#include "vbscript/Operand.h"

namespace vks::vbscript {

// The deepest stack a flattened expression may need; deeper ones keep to the tree.
constexpr size_t kNumericDepth = 8;

// Where a value comes from.
struct NumericSource {
  enum Kind : uint8_t { Stack, Constant, Local, Global } kind = Stack;
  Operand constant{};         // Constant: a number, or v pointing at the literal's Variant
  int index = -1;             // Local: slot of the running frame
  Variant* global = nullptr;  // Global: the variable itself
};

struct NumericStep {
  enum Kind : uint8_t {
    Push,    // pushes `source`
    Value,   // pushes the value of `expr`, evaluated as a whole
    Call,    // pushes the result of the script Function `proc` called with `args`
    Binary,  // replaces the top of the stack by top `op` source (Stack: the value above it)
  } kind = Push;
  Op op = Op::Add;
  NumericSource source;
  const Expr* expr = nullptr;      // Value: the expression; Binary: the BinaryExpr
  const ProcDecl* proc = nullptr;  // Call
  const Args* args = nullptr;      // Call
};

struct NumericCode {
  std::vector<NumericStep> steps;
};

// Flattens arithmetic or comparison `b` into b.code (Ready); leaves it as it is while a name in it
// is still unbound, and TreeOnly when it needs a deeper stack than kNumericDepth.
void CompileNumeric(const BinaryExpr& b);

}  // namespace vks::vbscript
