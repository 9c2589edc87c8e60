// The numeric fast path: arithmetic and comparisons whose operands are Integer, Long or Double run
// on plain numbers, so that a loop body makes no Variant until it stores a result. Anything else
// goes to the general operators with the operands already evaluated, so nothing runs twice.
#include "vbscript/Interpreter.h"
#include "vbscript/OperandArithmetic.h"
#include "vbscript/Operators.h"

namespace vks::vbscript {

// Leaves come here only when LeafOperand could not read them (unbound names, calls).
void Interpreter::EvalOperand(const Expr& e, Operand& out, Held& hold) {
  switch (e.kind) {
    case ExprKind::Paren: {
      const Expr& inner = *static_cast<const ParenExpr&>(e).inner;
      if (LeafOperand(inner, out)) return;
      return EvalOperand(inner, out, hold);
    }
    case ExprKind::Name: {
      const auto& n = static_cast<const NameExpr&>(e);
      if (n.bind != Bind::Proc) break;
      return CallProcOperand(*static_cast<const ProcDecl*>(n.target), n.args, out, hold);
    }
    case ExprKind::Binary: {
      const auto& b = static_cast<const BinaryExpr&>(e);
      if (!IsArithmetic(b.op) && !IsComparison(b.op)) break;
      Operand x, y;
      Held hx, hy;
      if (!LeafOperand(*b.left, x)) EvalOperand(*b.left, x, hx);
      if (!LeafOperand(*b.right, y)) EvalOperand(*b.right, y, hy);
      if (x.IsNumber() && y.IsNumber() && Compute(b.op, x, y, out)) {
        out.v = nullptr;
        return;
      }
      return MixedOperands(b, x, y, out, hold);
    }
    default:
      break;
  }
  Classify(hold.emplace(Eval(e)), out);
}

// Kept out of line so that the numeric path above needs no room for these temporaries.
void Interpreter::MixedOperands(const BinaryExpr& b, const Operand& x, const Operand& y,
                                Operand& out, Held& hold) {
  Held vx, vy;
  const Variant& left = x.IsNumber() ? vx.emplace(x.ToVariant()) : *x.v;
  const Variant& right = y.IsNumber() ? vy.emplace(y.ToVariant()) : *y.v;
  Classify(hold.emplace(ApplyBinary(b, left, right)), out);
}

}  // namespace vks::vbscript
