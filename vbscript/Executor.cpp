// Statements: assignment, calls, declarations, branches, loops, error handling.
#include <cmath>

#include "platform/automation/VariantConversions.h"
#include "vbscript/Builtins.h"
#include "vbscript/Interpreter.h"
#include "vbscript/Operators.h"
#include "vbscript/ScriptObject.h"

namespace vks::vbscript {
namespace {

// An error an object reports as an HRESULT, as the language's own number: the control facility
// (0x800Annnn) carries it in its low word, a few system codes have their counterpart, and any other
// HRESULT keeps its number with a generic text when the object gave none.
AutomationError LanguageError(const AutomationError& e) {
  uint32_t hr = static_cast<uint32_t>(e.Number());
  if (hr < 0x80000000u) return e;
  int32_t number = 0;
  if ((hr & 0xFFFF0000u) == 0x800A0000u) {
    number = static_cast<int32_t>(hr & 0xFFFFu);
  } else {
    static constexpr std::pair<uint32_t, int32_t> kSystem[] = {
        {0x8007000Eu, 7},   {0x80070005u, 70},  {0x80070057u, 5},   {0x80004001u, 445},
        {0x80004002u, 430}, {0x80020005u, 13},  {0x80020006u, 438}, {0x8002000Au, 6},
        {0x8002000Eu, 450}, {0x80040154u, 429},
    };
    for (const auto& [code, n] : kSystem)
      if (code == hr) number = n;
  }
  if (number == 0) {
    if (!e.Description().empty()) return e;
    return AutomationError(e.Number(), e.Source(), "Unbekannter Laufzeitfehler");
  }
  if (e.Description().empty()) return AutomationError(number, e.Source());
  return AutomationError(number, e.Source(), e.Description());
}

bool SameVariable(const NameExpr& a, const Expr& b) {
  if (b.kind != ExprKind::Name) return false;
  const auto& n = static_cast<const NameExpr&>(b);
  return n.bind == a.bind && n.index == a.index && !n.has_parens;
}

}  // namespace

bool Interpreter::AssignNumber(const AssignStmt& a) {
  if (!a.arithmetic) return false;
  const auto& n = static_cast<const NameExpr&>(*a.target);
  if (n.bind != Bind::Local && n.bind != Bind::Global) return false;
  Operand r;
  Held hold;
  EvalArithmetic(*a.arithmetic, r, hold);
  Variant* slot = BoundSlot(n);
  if (r.IsNumber()) {
    r.StoreIn(*slot);
  } else {
    Variant v = hold ? std::move(*hold) : *r.v;
    *slot = v.IsObject() ? DefaultValue(v) : std::move(v);
  }
  return true;
}

Flow Interpreter::ExecStatement(const Stmt& s) {
  current_stmt_ = &s;
  if (--ticks_ <= 0) CheckTime();
  try {
    if (s.kind == StmtKind::Assign) {
      const auto& a = static_cast<const AssignStmt&>(s);
      if (Variant* into = NumericTarget(a)) {
        RunNumeric(*a.arithmetic->code, into, nullptr, nullptr);
        return Flow::Normal;
      }
      if (AssignNumber(a)) return Flow::Normal;
    }
    return ExecKind(s);
  } catch (...) {
    ResumeOrThrow(s);
  }
  return Flow::Normal;
}

// Called inside a catch: an error of the statement `s` goes to Err under On Error Resume Next, else
// on with the statement's position; anything else (the time-out) passes unchanged.
void Interpreter::ResumeOrThrow(const Stmt& s) {
  try {
    throw;
  } catch (const ScriptError& e) {
    if (!frame_->resume_next) throw;
    SetErr(e);
  } catch (const AutomationError& raised) {
    AutomationError e = LanguageError(raised);
    if (!frame_->resume_next) throw ScriptError(e, s.line, s.column);
    SetErr(e);
  } catch (const std::bad_alloc&) {
    AutomationError e(error::kOutOfMemory, kRuntimeSource);
    if (!frame_->resume_next) throw ScriptError(e, s.line, s.column);
    SetErr(e);
  } catch (const std::length_error&) {
    AutomationError e(error::kOutOfMemory, kRuntimeSource);
    if (!frame_->resume_next) throw ScriptError(e, s.line, s.column);
    SetErr(e);
  }
}

// A block header's condition. Under On Error Resume Next a failing condition goes to Err and
// counts as `if_failed`, so that the statement after the header runs: the branch or loop body it
// opens, or (for a test after the body) the statement after the loop.
bool Interpreter::HeaderCondition(const Expr& e, const Stmt& s, bool if_failed) {
  try {
    return EvalCondition(e);
  } catch (...) {
    ResumeOrThrow(s);
    return if_failed;
  }
}

// The body of a loop whose header failed under On Error Resume Next: it runs once, its variable
// untouched.
Flow Interpreter::RunOnce(const Block& body, Flow exit) {
  Flow f = ExecBlock(body);
  return f == exit ? Flow::Normal : f;
}

Flow Interpreter::ExecKind(const Stmt& s) {
  switch (s.kind) {
    case StmtKind::Assign: {
      const auto& a = static_cast<const AssignStmt&>(s);
      if (!a.is_set && a.target->kind == ExprKind::Name && a.value->kind == ExprKind::Binary) {
        // `s = s & x` appends in place instead of copying s twice.
        const auto& n = static_cast<const NameExpr&>(*a.target);
        const auto& b = static_cast<const BinaryExpr&>(*a.value);
        if (b.op == Op::Concat && !n.has_parens &&
            (n.bind == Bind::Local || n.bind == Bind::Global) && SameVariable(n, *b.left)) {
          std::optional<Variant> tmp;
          const Variant& r = EvalRef(*b.right, tmp);
          Variant* slot = VariableSlot(n);
          if (slot && slot->Type() == VarType::String && !r.IsObject() && !r.IsArray()) {
            auto& text = const_cast<std::string&>(slot->AsString());
            if (r.Type() == VarType::String) {
              CheckSize(text.size() + r.AsString().size());
              Charge(r.AsString().size());
              text += r.AsString();
            } else if (!r.IsNull()) {
              std::string add = ScriptString(r, locale_);
              CheckSize(text.size() + add.size());
              Charge(add.size());
              text += add;
            }
            return Flow::Normal;
          }
          Variant left = slot ? *slot : Eval(*b.left);
          if (left.IsObject()) left = DefaultValue(left);
          Variant right = r.IsObject() ? DefaultValue(r) : r;
          Variant v = Concat(left, right, locale_);
          if (v.Type() == VarType::String) Charge(v.AsString().size());
          AssignName(n, std::move(v), false);
          return Flow::Normal;
        }
      }
      Variant v = Eval(*a.value);
      if (a.is_set) {
        if (!v.IsObject()) throw AutomationError(error::kObjectRequired);
      } else if (v.IsObject()) {
        v = DefaultValue(v);
      }
      switch (a.target->kind) {
        case ExprKind::Name:
          AssignName(static_cast<const NameExpr&>(*a.target), std::move(v), a.is_set);
          break;
        case ExprKind::Member:
          AssignMember(static_cast<const MemberExpr&>(*a.target), std::move(v), a.is_set);
          break;
        case ExprKind::Apply:
          AssignApply(static_cast<const ApplyExpr&>(*a.target), std::move(v), a.is_set);
          break;
        default:
          throw AutomationError(error::kIllegalAssignment);
      }
      return Flow::Normal;
    }
    case StmtKind::Call: {
      const Expr& c = *static_cast<const CallStmt&>(s).call;
      if (c.kind == ExprKind::Member) {
        const auto& m = static_cast<const MemberExpr&>(c);
        std::optional<Variant> tmp;
        const Variant& object = MemberObject(m, tmp);
        if (!object.IsObject()) throw AutomationError(error::kObjectRequired);
        ObjectRef ref = object.AsObject();
        InvokeObject(ref, m.name, m.folded, InvokeKind::Method, m.args, false);
      } else {
        if (c.kind == ExprKind::Name) {
          const auto& n = static_cast<const NameExpr&>(c);
          if (n.bind == Bind::Unbound) Resolve(const_cast<NameExpr&>(n));
          if (n.bind == Bind::Builtin &&
              static_cast<const BuiltinEntry*>(n.target)->use == BuiltinUse::ValueOnly)
            throw AutomationError(error::kUnsupportedType);
          statement_call_ = &n;
        }
        Eval(c);
      }
      return Flow::Normal;
    }
    case StmtKind::Dim:
    case StmtKind::ReDim:
      ExecDim(static_cast<const DimStmt&>(s));
      return Flow::Normal;
    case StmtKind::Const:
      for (const auto& [name, value] : static_cast<const ConstStmt&>(s).items) {
        Variant v = EvalValue(*value);
        Variant* slot = VariableSlot(*name);
        if (!slot) throw AutomationError(error::kIllegalAssignment);
        *slot = std::move(v);
      }
      return Flow::Normal;
    case StmtKind::If: {
      const auto& i = static_cast<const IfStmt&>(s);
      for (const auto& [cond, block] : i.branches)
        if (HeaderCondition(*cond, s, true)) return ExecBlock(block);
      return ExecBlock(i.else_block);
    }
    case StmtKind::Select:
      return ExecSelect(static_cast<const SelectStmt&>(s));
    case StmtKind::For:
      return ExecFor(static_cast<const ForStmt&>(s));
    case StmtKind::ForEach:
      return ExecForEach(static_cast<const ForEachStmt&>(s));
    case StmtKind::Do:
      return ExecDo(static_cast<const DoStmt&>(s));
    case StmtKind::While: {
      const auto& w = static_cast<const WhileStmt&>(s);
      while (HeaderCondition(*w.cond, s, true)) {
        if (--ticks_ <= 0) CheckTime();
        Flow f = ExecBlock(w.body);
        if (f != Flow::Normal) return f;
      }
      return Flow::Normal;
    }
    case StmtKind::Exit:
      switch (static_cast<const ExitStmt&>(s).what) {
        case ExitKind::For:
          return Flow::ExitFor;
        case ExitKind::Do:
          return Flow::ExitDo;
        default:
          return Flow::ExitProc;
      }
    case StmtKind::OnError:
      frame_->resume_next = static_cast<const OnErrorStmt&>(s).resume_next;
      err_->Clear();
      return Flow::Normal;
    case StmtKind::With: {
      const auto& w = static_cast<const WithStmt&>(s);
      // A failing object leaves an empty one: the block runs and each member access in it fails.
      Variant object;
      try {
        object = Eval(*w.object);
      } catch (...) {
        ResumeOrThrow(s);
      }
      with_stack_.push_back(std::move(object));
      size_t depth = with_stack_.size();
      Flow f;
      try {
        f = ExecBlock(w.body);
      } catch (...) {
        with_stack_.resize(depth - 1);
        throw;
      }
      with_stack_.resize(depth - 1);
      return f;
    }
    case StmtKind::Erase:
      for (const auto& t : static_cast<const EraseStmt&>(s).targets) {
        Variant* slot = VariableSlot(static_cast<const NameExpr&>(*t));
        if (!slot || !slot->IsArray()) throw AutomationError(error::kTypeMismatch);
        slot->AsArray().Erase();
      }
      return Flow::Normal;
  }
  return Flow::Normal;
}

void Interpreter::AssignMember(const MemberExpr& m, Variant value, bool is_set) {
  std::optional<Variant> tmp;
  const Variant& object = MemberObject(m, tmp);
  if (!object.IsObject()) throw AutomationError(error::kObjectRequired);
  ObjectRef ref = object.AsObject();
  if (!ref) throw AutomationError(error::kObjectNotSet);
  std::vector<Variant> values = EvalArgs(m.args);
  values.push_back(std::move(value));
  if (ScriptObject* so = OwnScriptObject(ref.get())) {
    bool inside = frame_->me && &frame_->me->Class() == &so->Class();
    InvokeScriptMember(*so, m.name, is_set ? InvokeKind::PropertySet : InvokeKind::PropertyLet,
                       values, inside);
    return;
  }
  ref->Invoke(m.name, is_set ? InvokeKind::PropertySet : InvokeKind::PropertyLet, values);
}

// The storage an array element expression stands for (`a(1)`, `a(1)(2)`), or null when the
// expression is not an element of an array held in a variable.
Variant* Interpreter::ElementSlot(const Expr& e) {
  if (e.kind == ExprKind::Name) {
    const auto& n = static_cast<const NameExpr&>(e);
    if (n.bind == Bind::Unbound) Resolve(const_cast<NameExpr&>(n));
    Variant* slot = BoundSlot(n);
    if (!slot || n.args.empty()) return slot;
    return slot->IsArray() ? &Element(*slot, n.args) : nullptr;
  }
  if (e.kind == ExprKind::Apply) {
    const auto& a = static_cast<const ApplyExpr&>(e);
    Variant* base = ElementSlot(*a.target);
    return base && base->IsArray() ? &Element(*base, a.args) : nullptr;
  }
  return nullptr;
}

void Interpreter::AssignApply(const ApplyExpr& a, Variant value, bool is_set) {
  if (Variant* base = ElementSlot(*a.target); base && base->IsArray()) {
    Element(*base, a.args) = std::move(value);
    return;
  }
  Variant target = Eval(*a.target);
  if (!target.IsObject() || !target.AsObject()) throw AutomationError(error::kTypeMismatch);
  std::vector<Variant> values = EvalArgs(a.args);
  values.push_back(std::move(value));
  target.AsObject()->Invoke("", is_set ? InvokeKind::PropertySet : InvokeKind::PropertyLet, values);
}

void Interpreter::ExecDim(const DimStmt& s) {
  for (const DimItem& item : s.items) {
    if (!item.is_array) continue;
    Variant* slot = VariableSlot(*item.name);
    if (!slot) throw AutomationError(error::kIllegalAssignment);
    if (item.bounds.empty()) {
      if (!slot->IsArray()) *slot = Variant(VariantArray());
      continue;
    }
    if (s.kind == StmtKind::ReDim && slot->IsArray() && slot->AsArray().IsFixed())
      throw AutomationError(error::kArrayFixedOrLocked);
    std::vector<ArrayBound> bounds;
    int64_t total = 1;
    for (const auto& b : item.bounds) {
      int32_t upper = ToLong(EvalValue(*b), locale_);
      if (upper < -1) throw AutomationError(error::kSubscriptOutOfRange);
      bounds.push_back(ArrayBound{0, upper + 1});
      total *= int64_t{upper} + 1;
      if (total > limits_.memory_limit / static_cast<int64_t>(sizeof(Variant)))
        throw AutomationError(error::kOutOfMemory);
    }
    Charge(static_cast<size_t>(total) * sizeof(Variant));
    slot = VariableSlot(*item.name);  // the bounds may have run code
    if (s.kind == StmtKind::ReDim && slot->IsArray()) {
      slot->AsArray().ReDim(std::move(bounds), s.preserve);
    } else {
      VariantArray array(std::move(bounds));
      array.SetFixed(s.kind == StmtKind::Dim);
      *slot = Variant(std::move(array));
    }
  }
}

bool Interpreter::CaseMatches(const Variant& subject, const CaseTest& t) {
  Variant a = EvalValue(*t.a);
  if (t.kind == CaseTest::Value) return CompareValues(subject, a, false, locale_) == 0;
  if (t.kind == CaseTest::Compare) {
    Variant r = Compare(t.op, subject, a, locale_);
    return r.Type() == VarType::Boolean && r.AsBoolean();
  }
  Variant b = EvalValue(*t.b);
  int lo = CompareValues(subject, a, false, locale_);
  int hi = CompareValues(subject, b, false, locale_);
  return lo != 2 && hi != 2 && lo >= 0 && hi <= 0;
}

// Under On Error Resume Next a failing subject runs no branch at all, and a failing Case test
// runs its own branch.
Flow Interpreter::ExecSelect(const SelectStmt& s) {
  Variant subject;
  try {
    subject = EvalValue(*s.subject);
  } catch (...) {
    ResumeOrThrow(s);
    return Flow::Normal;
  }
  for (const auto& [tests, block] : s.cases)
    for (const CaseTest& t : tests) {
      bool matches;
      try {
        matches = CaseMatches(subject, t);
      } catch (...) {
        ResumeOrThrow(s);
        matches = true;
      }
      if (matches) return ExecBlock(block);
    }
  return ExecBlock(s.else_block);
}

Flow Interpreter::ExecDo(const DoStmt& s) {
  for (;;) {
    if (--ticks_ <= 0) CheckTime();
    if (s.cond && !s.test_after) {
      bool c = HeaderCondition(*s.cond, s, !s.until);
      if (s.until ? c : !c) return Flow::Normal;
    }
    Flow f = ExecBlock(s.body);
    if (f == Flow::ExitDo) return Flow::Normal;
    if (f != Flow::Normal) return f;
    if (s.cond && s.test_after) {
      bool c = HeaderCondition(*s.cond, s, s.until);
      if (s.until ? c : !c) return Flow::Normal;
    }
  }
}

Flow Interpreter::ExecForEach(const ForEachStmt& s) {
  std::vector<Variant> items;
  try {
    Variant collection = Eval(*s.collection);
    if (collection.IsArray()) {
      items = collection.AsArray().Elements();
    } else if (collection.IsObject() && collection.AsObject()) {
      items = collection.AsObject()->Enumerate();
    } else {
      throw AutomationError(error::kNotACollection);
    }
  } catch (...) {
    ResumeOrThrow(s);
    return RunOnce(s.body, Flow::ExitFor);
  }
  for (Variant& item : items) {
    if (--ticks_ <= 0) CheckTime();
    Variant* slot = VariableSlot(*s.var);
    if (!slot) throw AutomationError(error::kIllegalAssignment);
    *slot = std::move(item);
    Flow f = ExecBlock(s.body);
    if (f == Flow::ExitFor) return Flow::Normal;
    if (f != Flow::Normal) return f;
  }
  return Flow::Normal;
}

Flow Interpreter::ExecFor(const ForStmt& s) {
  Variant from, to, step;
  try {
    from = EvalValue(*s.from);
    to = EvalValue(*s.to);
    step = s.step ? EvalValue(*s.step) : Variant(int16_t{1});
    if (from.IsNull() || to.IsNull() || step.IsNull())
      throw AutomationError(error::kInvalidUseOfNull);
  } catch (...) {
    ResumeOrThrow(s);
    return RunOnce(s.body, Flow::ExitFor);
  }
  Variant* slot = VariableSlot(*s.var);
  if (!slot) throw AutomationError(error::kIllegalAssignment);
  if (IsIntegerLike(from.Type()) && IsIntegerLike(to.Type()) && IsIntegerLike(step.Type())) {
    bool is_long =
        from.Type() == VarType::Long || to.Type() == VarType::Long || step.Type() == VarType::Long;
    int64_t i = ToLong(from, locale_), end = ToLong(to, locale_), st = ToLong(step, locale_);
    auto store = [&](int64_t v) {
      if (!is_long && v >= -32768 && v <= 32767)
        slot->SetInteger(static_cast<int16_t>(v));
      else if (v >= INT32_MIN && v <= INT32_MAX)
        slot->SetLong(static_cast<int32_t>(v));
      else
        throw AutomationError(error::kOverflow);
    };
    for (;;) {
      if (st >= 0 ? i > end : i < end) break;
      store(i);
      if (--ticks_ <= 0) CheckTime();
      Flow f = ExecBlock(s.body);
      if (f == Flow::ExitFor) return Flow::Normal;
      if (f != Flow::Normal) return f;
      slot = VariableSlot(*s.var);
      VarType t = slot->Type();
      i = t == VarType::Integer ? slot->AsInteger()
          : t == VarType::Long  ? slot->AsLong()
                                : ToLong(*slot, locale_);
      i += st;
    }
    store(i);
    return Flow::Normal;
  }
  double i = ToDouble(from, locale_), end = ToDouble(to, locale_), st = ToDouble(step, locale_);
  for (;;) {
    if (st >= 0 ? i > end : i < end) break;
    slot->SetDouble(i);
    if (--ticks_ <= 0) CheckTime();
    Flow f = ExecBlock(s.body);
    if (f == Flow::ExitFor) return Flow::Normal;
    if (f != Flow::Normal) return f;
    slot = VariableSlot(*s.var);
    i = ToDouble(*slot, locale_) + st;
  }
  *slot = Variant(i);
  return Flow::Normal;
}

}  // namespace vks::vbscript
