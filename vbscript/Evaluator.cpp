// Expressions: literals, names, members, operators.
#include <cmath>

#include "platform/automation/VariantConversions.h"
#include "vbscript/Interpreter.h"
#include "vbscript/Operators.h"
#include "vbscript/ScriptObject.h"

namespace vks::vbscript {
namespace {

bool IsNumberLiteral(const Expr& e) {
  if (e.kind == ExprKind::Literal) return static_cast<const LiteralExpr&>(e).from_number_text;
  if (e.kind == ExprKind::Unary && static_cast<const UnaryExpr&>(e).op == Op::Neg)
    return IsNumberLiteral(*static_cast<const UnaryExpr&>(e).operand);
  return false;
}

}  // namespace

Variant Interpreter::Eval(const Expr& e) {
  switch (e.kind) {
    case ExprKind::Literal:
      return static_cast<const LiteralExpr&>(e).value;
    case ExprKind::Name:
      return EvalName(static_cast<const NameExpr&>(e));
    case ExprKind::Member:
      return EvalMember(static_cast<const MemberExpr&>(e));
    case ExprKind::Apply: {
      const auto& a = static_cast<const ApplyExpr&>(e);
      Variant target = Eval(*a.target);
      return Apply(target, a.args, e);
    }
    case ExprKind::Paren:
      return Eval(*static_cast<const ParenExpr&>(e).inner);
    case ExprKind::Unary: {
      const auto& u = static_cast<const UnaryExpr&>(e);
      std::optional<Variant> tmp;
      const Variant& v = EvalRef(*u.operand, tmp);
      if (v.IsObject()) {
        Variant d = DefaultValue(v);
        return u.op == Op::Neg ? Negate(d, locale_) : LogicalNot(d, locale_);
      }
      return u.op == Op::Neg ? Negate(v, locale_) : LogicalNot(v, locale_);
    }
    case ExprKind::Binary:
      return EvalBinary(static_cast<const BinaryExpr&>(e));
    case ExprKind::New:
      return Variant(NewObject(static_cast<const NewExpr&>(e).class_name));
    case ExprKind::Me:
      if (!frame_->me) throw AutomationError(error::kObjectRequired);
      return Variant(std::static_pointer_cast<Dispatch>(frame_->me->shared_from_this()));
  }
  return {};
}

const Variant& Interpreter::EvalRef(const Expr& e, std::optional<Variant>& tmp) {
  if (e.kind == ExprKind::Name) {
    const auto& n = static_cast<const NameExpr&>(e);
    if (n.args.empty() && !n.has_parens) {
      if (n.bind == Bind::Local) return *frame_->slots[n.index];
      if (n.bind == Bind::Global) return *n.global;
    }
  } else if (e.kind == ExprKind::Literal) {
    return static_cast<const LiteralExpr&>(e).value;
  }
  tmp.emplace(Eval(e));
  return *tmp;
}

Variant Interpreter::EvalValue(const Expr& e) {
  Variant v = Eval(e);
  if (v.IsObject()) return DefaultValue(v);
  return v;
}

Variant Interpreter::DefaultValue(const Variant& v) {
  if (!v.IsObject()) return v;
  const ObjectRef& obj = v.AsObject();
  if (!obj) throw AutomationError(error::kObjectNotSet);
  Variant r = obj->Invoke("", InvokeKind::PropertyGet, {});
  if (r.IsObject()) throw AutomationError(error::kTypeMismatch);
  return r;
}

bool Interpreter::EvalCondition(const Expr& e) {
  std::optional<Variant> tmp;
  Held held;
  const Variant* value;
  if (e.kind == ExprKind::Binary && IsComparison(static_cast<const BinaryExpr&>(e).op)) {
    Operand r;
    EvalArithmetic(static_cast<const BinaryExpr&>(e), r, held);
    if (r.IsNumber()) return r.i != 0;
    value = r.v;
  } else {
    value = &EvalRef(e, tmp);
  }
  const Variant& v = *value;
  switch (v.Type()) {
    case VarType::Boolean:
      return v.AsBoolean();
    case VarType::Null:
      return false;
    case VarType::Object:
      return ToBoolean(DefaultValue(v), locale_);
    default:
      return ToBoolean(v, locale_);
  }
}

Variant Interpreter::EvalBinary(const BinaryExpr& b) {
  if (IsArithmetic(b.op) || IsComparison(b.op)) {
    Operand r;
    Held hold;
    EvalArithmetic(b, r, hold);
    if (r.IsNumber()) return r.ToVariant();
    return hold ? std::move(*hold) : *r.v;
  }
  std::optional<Variant> ta, tb;
  if (b.op == Op::Is) {
    const Variant& x = EvalRef(*b.left, ta);
    const Variant& y = EvalRef(*b.right, tb);
    if (!x.IsObject() || !y.IsObject()) throw AutomationError(error::kObjectRequired);
    return Variant(x.AsObject() == y.AsObject());
  }
  return ApplyBinary(b, EvalRef(*b.left, ta), EvalRef(*b.right, tb));
}

Variant Interpreter::ApplyBinary(const BinaryExpr& b, const Variant& left, const Variant& right) {
  const Variant* x = &left;
  const Variant* y = &right;
  std::optional<Variant> da, db;
  if (x->IsObject()) x = &da.emplace(DefaultValue(*x));
  if (y->IsObject()) y = &db.emplace(DefaultValue(*y));
  switch (b.op) {
    case Op::Add:
    case Op::Sub:
    case Op::Mul: {
      // Integer fast path; the general routine handles promotion.
      VarType tx = x->Type(), ty = y->Type();
      if ((tx == VarType::Long || tx == VarType::Integer) &&
          (ty == VarType::Long || ty == VarType::Integer)) {
        int64_t p = tx == VarType::Long ? x->AsLong() : x->AsInteger();
        int64_t q = ty == VarType::Long ? y->AsLong() : y->AsInteger();
        int64_t r = b.op == Op::Add ? p + q : b.op == Op::Sub ? p - q : p * q;
        if (tx == VarType::Integer && ty == VarType::Integer && r >= -32768 && r <= 32767)
          return Variant(static_cast<int16_t>(r));
        if (r >= INT32_MIN && r <= INT32_MAX) return Variant(static_cast<int32_t>(r));
        return Variant(static_cast<double>(r));
      }
      if (tx == VarType::Double && ty == VarType::Double) {
        double r = b.op == Op::Add   ? x->AsDouble() + y->AsDouble()
                   : b.op == Op::Sub ? x->AsDouble() - y->AsDouble()
                                     : x->AsDouble() * y->AsDouble();
        if (std::isfinite(r)) return Variant(r);
      }
      if (tx == VarType::String && ty == VarType::String)
        Charge(x->AsString().size() + y->AsString().size());
      return Arithmetic(b.op, *x, *y, locale_);
    }
    case Op::Div: {
      VarType tx = x->Type(), ty = y->Type();
      auto num = [](const Variant& v, VarType t) {
        return t == VarType::Double ? v.AsDouble()
               : t == VarType::Long ? v.AsLong()
                                    : v.AsInteger();
      };
      auto plain = [](VarType t) {
        return t == VarType::Double || t == VarType::Long || t == VarType::Integer;
      };
      if (plain(tx) && plain(ty)) {
        double q = num(*y, ty);
        if (q != 0) {
          double r = num(*x, tx) / q;
          if (std::isfinite(r)) return Variant(r);
        }
      }
      return Arithmetic(b.op, *x, *y, locale_);
    }
    case Op::IntDiv:
    case Op::Mod: {
      VarType tx = x->Type(), ty = y->Type();
      if ((tx == VarType::Long || tx == VarType::Integer) &&
          (ty == VarType::Long || ty == VarType::Integer)) {
        int64_t p = tx == VarType::Long ? x->AsLong() : x->AsInteger();
        int64_t q = ty == VarType::Long ? y->AsLong() : y->AsInteger();
        if (q != 0) {
          int64_t r = b.op == Op::Mod ? p % q : p / q;
          if (tx == VarType::Integer && ty == VarType::Integer && r >= -32768 && r <= 32767)
            return Variant(static_cast<int16_t>(r));
          if (r >= INT32_MIN && r <= INT32_MAX) return Variant(static_cast<int32_t>(r));
        }
      }
      return Arithmetic(b.op, *x, *y, locale_);
    }
    case Op::Pow:
      return Arithmetic(b.op, *x, *y, locale_);
    case Op::Concat: {
      if (x->Type() == VarType::String && y->Type() == VarType::String) {
        Charge(x->AsString().size() + y->AsString().size());
        std::string s;
        s.reserve(x->AsString().size() + y->AsString().size());
        s += x->AsString();
        s += y->AsString();
        return Variant(std::move(s));
      }
      Variant r = Concat(*x, *y, locale_);
      if (r.Type() == VarType::String) Charge(r.AsString().size());
      return r;
    }
    case Op::Eq:
    case Op::Ne:
    case Op::Lt:
    case Op::Gt:
    case Op::Le:
    case Op::Ge:
      return Compare(b.op, *x, *y, locale_, IsNumberLiteral(*b.left), IsNumberLiteral(*b.right));
    default:
      return Logical(b.op, *x, *y, locale_);
  }
}

const Variant& Interpreter::MemberObject(const MemberExpr& m, std::optional<Variant>& tmp) {
  if (m.object) return EvalRef(*m.object, tmp);
  if (m.outside_with) throw AutomationError(error::kInvalidReference);
  if (with_stack_.empty()) throw AutomationError(error::kObjectRequired);
  return with_stack_.back();
}

Variant Interpreter::EvalMember(const MemberExpr& m) {
  std::optional<Variant> tmp;
  const Variant& object = MemberObject(m, tmp);
  if (!object.IsObject()) throw AutomationError(error::kObjectRequired);
  ObjectRef ref = object.AsObject();  // keeps the object alive through the call
  return InvokeObject(ref, m.name, m.folded,
                      m.has_parens ? InvokeKind::Method : InvokeKind::PropertyGet, m.args, false);
}

// Arguments applied to a value: an array element, or the default member of an object.
Variant Interpreter::Apply(const Variant& target, const Args& args, const Expr& at) {
  (void)at;
  if (target.IsArray()) {
    Variant copy = target;
    return Element(copy, args);
  }
  if (target.IsObject()) {
    ObjectRef ref = target.AsObject();
    if (!ref) throw AutomationError(error::kObjectNotSet);
    return InvokeObject(ref, "", "", InvokeKind::Method, args, false);
  }
  throw AutomationError(error::kTypeMismatch);
}

std::vector<int32_t> Interpreter::Indices(const Args& args) {
  std::vector<int32_t> idx;
  idx.reserve(args.size());
  for (const auto& a : args) {
    if (!a) throw AutomationError(error::kSubscriptOutOfRange);
    std::optional<Variant> tmp;
    const Variant& v = EvalRef(*a, tmp);
    if (v.Type() == VarType::Integer)
      idx.push_back(v.AsInteger());
    else if (v.Type() == VarType::Long)
      idx.push_back(v.AsLong());
    else
      idx.push_back(ToLong(DefaultValue(v), locale_));
  }
  return idx;
}

Variant& Interpreter::Element(Variant& array, const Args& args) {
  if (!array.IsArray()) throw AutomationError(error::kTypeMismatch);
  VariantArray& a = array.AsArray();
  if (args.size() == 1 && args[0]) {
    std::optional<Variant> tmp;
    const Variant& v = EvalRef(*args[0], tmp);
    int32_t i = v.Type() == VarType::Integer ? v.AsInteger()
                : v.Type() == VarType::Long  ? v.AsLong()
                                             : ToLong(DefaultValue(v), locale_);
    if (a.Dimensions() != 1) throw AutomationError(error::kSubscriptOutOfRange);
    return a.At(i);
  }
  std::vector<int32_t> idx = Indices(args);
  if (static_cast<int>(idx.size()) != a.Dimensions())
    throw AutomationError(error::kSubscriptOutOfRange);
  return a.At(idx);
}

std::vector<Variant> Interpreter::EvalArgs(const Args& args) {
  std::vector<Variant> values;
  values.reserve(args.size());
  for (const auto& a : args) {
    if (a)
      values.push_back(Eval(*a));
    else
      values.emplace_back(ErrorValue{ErrorValue::kParamNotFound});
  }
  return values;
}

// Arguments that name a variable take back what a host method left in them (ByRef).
void Interpreter::WriteBack(const Args& args, std::span<Variant> values) {
  for (size_t i = 0; i < args.size() && i < values.size(); ++i) {
    if (!args[i] || args[i]->kind != ExprKind::Name) continue;
    const auto& n = static_cast<const NameExpr&>(*args[i]);
    if (n.has_parens) continue;
    if (Variant* slot = VariableSlot(n)) {
      if (!(*slot == values[i])) *slot = std::move(values[i]);
    }
  }
}

}  // namespace vks::vbscript
