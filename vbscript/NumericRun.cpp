// Running NumericCode: on plain numbers while every value is one, and from the first value that is
// not, on Variants through the general operators, continuing where the numbers stopped so that
// nothing is evaluated twice.
#include "vbscript/Interpreter.h"
#include "vbscript/NumericCode.h"
#include "vbscript/OperandArithmetic.h"

namespace vks::vbscript {
namespace {

// Both inlined into the loop below, whose every step reads a leaf.
[[gnu::always_inline]] inline bool NumberIn(const Variant& v, Operand& out) {
  if (const int32_t* l = v.IfLong()) {
    out.type = VarType::Long;
    out.i = *l;
  } else if (const double* d = v.IfDouble()) {
    out.type = VarType::Double;
    out.d = *d;
  } else if (const int16_t* i = v.IfInteger()) {
    out.type = VarType::Integer;
    out.i = *i;
  } else {
    return false;
  }
  return true;
}

// The number a leaf holds; false when it holds anything else.
[[gnu::always_inline]] inline bool ReadNumber(const NumericSource& s, Variant* const* slots,
                                              Operand& out) {
  switch (s.kind) {
    case NumericSource::Constant:
      out = s.constant;
      return out.IsNumber();
    case NumericSource::Local:
      return NumberIn(*slots[s.index], out);
    case NumericSource::Global:
      return NumberIn(*s.global, out);
    default:
      return false;
  }
}

// A leaf as a number or, for anything else, a pointer to the Variant itself.
void ReadOperand(const NumericSource& s, Variant* const* slots, Operand& out) {
  if (s.kind == NumericSource::Constant)
    out = s.constant;
  else
    Classify(s.kind == NumericSource::Local ? *slots[s.index] : *s.global, out);
}

}  // namespace

void Interpreter::RunNumeric(const NumericCode& code, Variant* into, Operand* out, Held* hold) {
  Operand stack[kNumericDepth];
  size_t sp = 0;
  Variant* const* slots = frame_->slots;
  const NumericStep* first = code.steps.data();
  const NumericStep* end = first + code.steps.size();
  for (const NumericStep* s = first; s != end; ++s) {
    switch (s->kind) {
      case NumericStep::Push:
        if (!ReadNumber(s->source, slots, stack[sp]))
          return RunMixed(code, s - first, stack, sp, nullptr, into, out, hold);
        ++sp;
        continue;
      case NumericStep::Binary: {
        // The result goes over the left operand; Compute reads both before it writes, and leaves
        // them as they were when it fails, for RunMixed to take over.
        if (s->source.kind == NumericSource::Stack) {
          if (Compute(s->op, stack[sp - 2], stack[sp - 1], stack[sp - 2])) {
            --sp;
            continue;
          }
        } else {
          // Zeroed for the compiler: a Long leaves d unset, which Compute then ignores.
          Operand y{};
          if (ReadNumber(s->source, slots, y) && Compute(s->op, stack[sp - 1], y, stack[sp - 1]))
            continue;
        }
        return RunMixed(code, s - first, stack, sp, nullptr, into, out, hold);
      }
      default: {
        Held value;
        if (StepNumber(*s, stack[sp], value)) {
          ++sp;
          continue;
        }
        return RunMixed(code, s - first + 1, stack, sp, &value, into, out, hold);
      }
    }
  }
  if (into) {
    stack[0].StoreIn(*into);
    return;
  }
  // Field by field: the result was written in parts, and a wider read of it would wait for them.
  out->type = stack[0].type;
  out->i = stack[0].i;
  out->d = stack[0].d;
  out->v = nullptr;
}

bool Interpreter::StepNumber(const NumericStep& s, Operand& out, Held& value) {
  if (s.kind == NumericStep::Call)
    RunProc(*s.proc, nullptr, s.args, {}, value.emplace());
  else
    value.emplace(Eval(*s.expr));
  Classify(*value, out);
  return out.IsNumber();
}

void Interpreter::RunMixed(const NumericCode& code, size_t pc, const Operand* numbers, size_t sp,
                           Held* pending, Variant* into, Operand* out, Held* hold) {
  Operand stack[kNumericDepth];
  Held held[kNumericDepth];
  for (size_t i = 0; i < sp; ++i) {
    stack[i] = numbers[i];
    stack[i].v = nullptr;
  }
  if (pending) {
    Classify(held[sp].emplace(std::move(**pending)), stack[sp]);
    ++sp;
  }
  Variant* const* slots = frame_->slots;
  for (size_t n = code.steps.size(); pc < n; ++pc) {
    const NumericStep& s = code.steps[pc];
    switch (s.kind) {
      case NumericStep::Push:
        ReadOperand(s.source, slots, stack[sp++]);
        break;
      case NumericStep::Value:
        Classify(held[sp].emplace(Eval(*s.expr)), stack[sp]);
        ++sp;
        break;
      case NumericStep::Call:
        CallProcOperand(*s.proc, *s.args, stack[sp], held[sp]);
        ++sp;
        break;
      case NumericStep::Binary: {
        Operand y;
        if (s.source.kind == NumericSource::Stack)
          y = stack[--sp];
        else
          ReadOperand(s.source, slots, y);
        Operand& x = stack[sp - 1];
        Operand r;
        if (x.IsNumber() && y.IsNumber() && Compute(s.op, x, y, r))
          r.v = nullptr;
        else
          MixedOperands(static_cast<const BinaryExpr&>(*s.expr), x, y, r, held[sp - 1]);
        x = r;
        break;
      }
    }
  }
  const Operand& result = stack[0];
  bool made = !result.IsNumber() && held[0] && result.v == &*held[0];
  if (!into) {
    if (made)
      Classify(hold->emplace(std::move(*held[0])), *out);
    else
      *out = result;
  } else if (result.IsNumber()) {
    result.StoreIn(*into);
  } else {
    Variant v = made ? std::move(*held[0]) : *result.v;
    *into = v.IsObject() ? DefaultValue(v) : std::move(v);
  }
}

}  // namespace vks::vbscript
