#pragma once
// Arithmetic and comparisons on two numbers held outside a Variant, giving what the general
// operators give; inline, as the evaluator's loops run them on every step.
#include <cmath>
#include <cstdint>

#include "vbscript/Ast.h"
#include "vbscript/Operand.h"

namespace vks::vbscript {

// An integer result in Integer when both operands were, else Long; false when it fits neither.
inline bool FitInteger(int64_t x, const Operand& a, const Operand& b, Operand& r) {
  if (a.type == VarType::Integer && b.type == VarType::Integer && x >= INT16_MIN && x <= INT16_MAX)
    r.type = VarType::Integer;
  else if (x >= INT32_MIN && x <= INT32_MAX)
    r.type = VarType::Long;
  else
    return false;
  r.i = static_cast<int32_t>(x);
  return true;
}

// `op` on two numbers held outside a Variant (Integer, Long, Double or Boolean), with the general
// operators' result types; false leaves the case to them (Boolean operands, overflow, division by
// zero, ^, and \ or Mod of a Double, which round first). `r` may be `a`: both operands are read
// before r is written, and r is left alone when the answer is false.
inline bool Compute(Op op, const Operand& a, const Operand& b, Operand& r) {
  if (a.type == VarType::Boolean || b.type == VarType::Boolean) return false;
  bool ints = a.type != VarType::Double && b.type != VarType::Double;
  switch (op) {
    case Op::Add:
    case Op::Sub:
    case Op::Mul: {
      if (ints) {
        int64_t p = a.i, q = b.i;
        int64_t x = op == Op::Add ? p + q : op == Op::Sub ? p - q : p * q;
        if (FitInteger(x, a, b, r)) return true;
        r.type = VarType::Double;
        r.d = static_cast<double>(x);
        return true;
      }
      double p = a.Real(), q = b.Real();
      double x = op == Op::Add ? p + q : op == Op::Sub ? p - q : p * q;
      if (!std::isfinite(x)) return false;
      r.type = VarType::Double;
      r.d = x;
      return true;
    }
    case Op::Div: {
      double q = b.Real();
      if (q == 0) return false;
      double x = a.Real() / q;
      if (!std::isfinite(x)) return false;
      r.type = VarType::Double;
      r.d = x;
      return true;
    }
    case Op::IntDiv:
    case Op::Mod: {
      if (!ints || b.i == 0) return false;
      if (b.i == -1) {  // the one divisor whose quotient can leave 32 bits
        int64_t p = a.i;
        return FitInteger(op == Op::Mod ? 0 : -p, a, b, r);
      }
      // 32-bit division: on many processors the 64-bit one takes several times as long.
      return FitInteger(op == Op::Mod ? a.i % b.i : a.i / b.i, a, b, r);
    }
    case Op::Eq:
    case Op::Ne:
    case Op::Lt:
    case Op::Gt:
    case Op::Le:
    case Op::Ge: {
      int c;
      if (ints) {
        c = a.i < b.i ? -1 : a.i > b.i ? 1 : 0;
      } else {
        double p = a.Real(), q = b.Real();
        if (std::isnan(p) || std::isnan(q)) return false;
        c = p < q ? -1 : p > q ? 1 : 0;
      }
      bool t = op == Op::Eq   ? c == 0
               : op == Op::Ne ? c != 0
               : op == Op::Lt ? c < 0
               : op == Op::Gt ? c > 0
               : op == Op::Le ? c <= 0
                              : c >= 0;
      r.type = VarType::Boolean;
      r.i = t ? -1 : 0;
      return true;
    }
    default:
      return false;
  }
}

}  // namespace vks::vbscript
