// Finding what a name means, once per name node, and reading and assigning through the binding.
#include "platform/automation/VariantConversions.h"
#include "vbscript/Builtins.h"
#include "vbscript/Interpreter.h"
#include "vbscript/Names.h"
#include "vbscript/ScriptObject.h"

namespace vks::vbscript {
namespace {

AutomationError Named(int32_t number, const std::string& name) {
  AutomationError base(number, kRuntimeSource);
  return AutomationError(number, kRuntimeSource, base.Description() + ": '" + name + "'");
}

}  // namespace

int Interpreter::DeclareGlobal(const std::string& name) {
  std::string folded = FoldName(name);
  auto it = names_.find(folded);
  if (it != names_.end() && it->second.kind == GlobalEntry::Variable) return it->second.slot;
  GlobalEntry entry;
  entry.slot = static_cast<int>(globals_.size());
  globals_.emplace_back();
  names_[folded] = entry;
  return entry.slot;
}

// Order: the procedure's locals, the class's members, script-level names, the library, members
// of host objects published as globals, and last an undeclared variable.
void Interpreter::Resolve(NameExpr& n) {
  if (frame_->proc && n.fallback < 0) {
    const auto& names = frame_->proc->slot_names;
    for (size_t i = 0; i < names.size(); ++i) {
      if (names[i] == n.folded && !(i == 0 && n.has_parens)) {
        n.bind = Bind::Local;
        n.index = static_cast<int>(i);
        return;
      }
    }
  }
  if (frame_->me) {
    const ClassRuntime& cls = frame_->me->Class();
    auto it = cls.members.find(n.folded);
    if (it != cls.members.end()) {
      if (it->second.field >= 0) {
        n.bind = Bind::Field;
        n.index = it->second.field;
      } else {
        n.bind = Bind::Method;
        n.target = &it->second;
      }
      return;
    }
  }
  auto it = names_.find(n.folded);
  if (it != names_.end()) {
    const GlobalEntry& g = it->second;
    if (g.kind == GlobalEntry::Variable) {
      n.bind = Bind::Global;
      n.index = g.slot;
      n.global = &globals_[g.slot];
    } else if (g.kind == GlobalEntry::Proc) {
      n.bind = Bind::Proc;
      n.target = g.proc;
    } else {
      throw Named(error::kTypeMismatch, n.name);
    }
    return;
  }
  if (const BuiltinEntry* b = FindBuiltin(n.folded)) {
    n.bind = Bind::Builtin;
    n.target = b;
    return;
  }
  int c = FindConstant(n.folded);
  if (c >= 0) {
    n.bind = Bind::Constant;
    n.index = c;
    return;
  }
  if (!global_member_objects_.empty() && n.index != -2) {
    n.bind = Bind::HostMember;
    n.index = -1;
    return;
  }
  bool is_explicit = frame_->proc ? frame_->proc->option_explicit : frame_->option_explicit;
  if (is_explicit) throw Named(error::kVariableUndefined, n.name);
  if (n.has_parens && !n.args.empty()) throw Named(error::kTypeMismatch, n.name);
  if (frame_->proc && n.fallback >= 0) {
    n.bind = Bind::Local;
    n.index = n.fallback;
  } else {
    n.bind = Bind::Global;
    n.index = DeclareGlobal(n.name);
    n.global = &globals_[n.index];
  }
}

Variant* Interpreter::FieldSlot(const NameExpr& n) {
  return n.bind == Bind::Field ? &frame_->me->Fields()[n.index] : nullptr;
}

Variant Interpreter::EvalName(const NameExpr& n) {
  Variant* slot = nullptr;
  switch (n.bind) {
    case Bind::Local:
    case Bind::Global:
    case Bind::Field:
      slot = BoundSlot(n);
      break;
    case Bind::Proc:
      return CallProc(*static_cast<const ProcDecl*>(n.target), nullptr, &n.args, {});
    case Bind::Method: {
      const auto* m = static_cast<const ClassMember*>(n.target);
      if (!m->get) throw AutomationError(error::kMemberNotFound);
      return CallProc(*m->get, frame_->me, &n.args, {});
    }
    case Bind::Builtin: {
      const auto* b = static_cast<const BuiltinEntry*>(n.target);
      if (b->use == BuiltinUse::StatementOnly && &n != statement_call_)
        throw AutomationError(error::kTypeMismatch);
      if (static_cast<int>(n.args.size()) < b->min_args ||
          static_cast<int>(n.args.size()) > b->max_args)
        throw AutomationError(error::kWrongArgumentCount);
      Variant small[4];
      std::vector<Variant> big;
      std::span<Variant> args;
      // Arrays held in variables are lent to the library function rather than copied; it only
      // reads them, and Eval/Execute (which could see the variable) take no arrays.
      Variant* lent[4] = {};
      struct Lender {
        Variant** slots;
        Variant* values;
        ~Lender() {
          for (size_t i = 0; i < 4; ++i)
            if (slots[i]) *slots[i] = std::move(values[i]);
        }
      } lender{lent, small};
      if (n.args.size() <= 4) {
        for (size_t i = 0; i < n.args.size(); ++i) {
          const Expr* e = n.args[i].get();
          if (e && e->kind == ExprKind::Name) {
            const auto& arg = static_cast<const NameExpr&>(*e);
            Variant* slot = arg.args.empty() ? VariableSlot(arg) : nullptr;
            if (slot && slot->IsArray()) {
              small[i] = std::move(*slot);
              lent[i] = slot;
              continue;
            }
          }
          small[i] = e ? Eval(*e) : Variant(ErrorValue{ErrorValue::kParamNotFound});
        }
        args = std::span<Variant>(small, n.args.size());
      } else {
        big = EvalArgs(n.args);
        args = big;
      }
      return b->fn(*this, args);
    }
    case Bind::Constant:
      return ConstantValue(n.index);
    case Bind::HostMember: {
      std::vector<Variant> values = EvalArgs(n.args);
      InvokeKind kind = n.has_parens ? InvokeKind::Method : InvokeKind::PropertyGet;
      size_t first = n.index >= 0 ? static_cast<size_t>(n.index) : 0;
      for (size_t i = first; i < global_member_objects_.size(); ++i) {
        try {
          ObjectRef obj = global_member_objects_[i];
          Variant r = obj->Invoke(n.name, kind, values);
          n.index = static_cast<int>(i);
          WriteBack(n.args, values);
          return r;
        } catch (const AutomationError& e) {
          if (e.Number() != error::kMemberNotFound || n.index >= 0) throw;
        }
      }
      // No host object knows the name: it is a variable after all.
      n.bind = Bind::Unbound;
      n.index = -2;
      Resolve(const_cast<NameExpr&>(n));
      n.index = n.index == -2 ? -1 : n.index;
      return EvalName(n);
    }
    case Bind::Unbound:
      Resolve(const_cast<NameExpr&>(n));
      return EvalName(n);
  }
  if (n.args.empty()) {
    if (n.has_parens && slot->IsObject() && slot->AsObject()) return Apply(*slot, n.args, n);
    return *slot;
  }
  if (slot->IsArray()) return Element(*slot, n.args);
  if (slot->IsObject()) return Apply(*slot, n.args, n);
  throw Named(error::kTypeMismatch, n.name);
}

void Interpreter::AssignName(const NameExpr& n, Variant value, bool is_set) {
  InvokeKind kind = is_set ? InvokeKind::PropertySet : InvokeKind::PropertyLet;
  Variant* slot = nullptr;
  switch (n.bind) {
    case Bind::Local:
    case Bind::Global:
    case Bind::Field:
      slot = BoundSlot(n);
      break;
    case Bind::Method: {
      const auto* m = static_cast<const ClassMember*>(n.target);
      const ProcDecl* p = is_set && m->set ? m->set : m->let ? m->let : m->set;
      if (!p) throw AutomationError(error::kIllegalAssignment);
      std::vector<Variant> values = EvalArgs(n.args);
      values.push_back(std::move(value));
      CallProc(*p, frame_->me, nullptr, values);
      return;
    }
    case Bind::HostMember: {
      std::vector<Variant> values = EvalArgs(n.args);
      values.push_back(std::move(value));
      size_t first = n.index >= 0 ? static_cast<size_t>(n.index) : 0;
      for (size_t i = first; i < global_member_objects_.size(); ++i) {
        try {
          ObjectRef obj = global_member_objects_[i];
          obj->Invoke(n.name, kind, values);
          n.index = static_cast<int>(i);
          return;
        } catch (const AutomationError& e) {
          if (e.Number() != error::kMemberNotFound || n.index >= 0) throw;
        }
      }
      n.bind = Bind::Unbound;
      n.index = -2;
      Resolve(const_cast<NameExpr&>(n));
      if (n.index == -2) n.index = -1;
      value = std::move(values.back());
      return AssignName(n, std::move(value), is_set);
    }
    case Bind::Unbound:
      Resolve(const_cast<NameExpr&>(n));
      return AssignName(n, std::move(value), is_set);
    default:
      throw Named(error::kIllegalAssignment, n.name);
  }
  if (n.args.empty()) {
    if (n.has_parens && slot->IsObject()) {
      std::vector<Variant> values{std::move(value)};
      slot->AsObject()->Invoke("", kind, values);
      return;
    }
    *slot = std::move(value);
    return;
  }
  if (slot->IsArray()) {
    Element(*slot, n.args) = std::move(value);
    return;
  }
  if (slot->IsObject() && slot->AsObject()) {
    ObjectRef obj = slot->AsObject();
    std::vector<Variant> values = EvalArgs(n.args);
    values.push_back(std::move(value));
    obj->Invoke("", kind, values);
    return;
  }
  throw Named(error::kTypeMismatch, n.name);
}

}  // namespace vks::vbscript
