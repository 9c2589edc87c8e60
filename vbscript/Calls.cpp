// Calling script procedures and members of objects; script class instances.
#include "platform/automation/VariantConversions.h"
#include "vbscript/Interpreter.h"
#include "vbscript/Names.h"
#include "vbscript/RegExpObject.h"
#include "vbscript/ScriptObject.h"

namespace vks::vbscript {
namespace {

// Restores the caller's frame and With objects however the callee ends.
class FrameGuard {
 public:
  FrameGuard(Frame*& current, Frame* next, std::vector<Variant>& with_stack, int& depth)
      : current_(current),
        saved_(current),
        with_stack_(with_stack),
        with_size_(with_stack.size()),
        depth_(depth) {
    next->caller = current;
    current_ = next;
    ++depth_;
  }
  ~FrameGuard() {
    current_ = saved_;
    if (with_stack_.size() > with_size_) with_stack_.resize(with_size_);
    --depth_;
  }

 private:
  Frame*& current_;
  Frame* saved_;
  std::vector<Variant>& with_stack_;
  size_t with_size_;
  int& depth_;
};

constexpr size_t kInlineSlots = 8;

// A call's variables: on the machine stack for small procedures, constructed only as many as used.
class SlotStore {
 public:
  explicit SlotStore(size_t n) : n_(n) {
    if (n > kInlineSlots) {
      heap_ = std::make_unique<Variant[]>(n);
      heap_ptrs_ = std::make_unique<Variant*[]>(n);
      store = heap_.get();
      ptrs = heap_ptrs_.get();
      for (size_t i = 0; i < n; ++i) ptrs[i] = &store[i];
    } else {
      store = reinterpret_cast<Variant*>(inline_);
      ptrs = inline_ptrs_;
      for (size_t i = 0; i < n; ++i) ptrs[i] = new (&store[i]) Variant();
    }
  }
  ~SlotStore() {
    // A number needs no destructor; skipping it saves the general one's dispatch on every call.
    if (!heap_)
      for (size_t i = 0; i < n_; ++i)
        if (!store[i].OwnsNothing()) store[i].~Variant();
  }
  SlotStore(const SlotStore&) = delete;
  SlotStore& operator=(const SlotStore&) = delete;

  Variant* store;
  Variant** ptrs;

 private:
  size_t n_;
  alignas(Variant) unsigned char inline_[kInlineSlots * sizeof(Variant)];
  Variant* inline_ptrs_[kInlineSlots];
  std::unique_ptr<Variant[]> heap_;
  std::unique_ptr<Variant*[]> heap_ptrs_;
};

}  // namespace

Variant Interpreter::CallProc(const ProcDecl& proc, ScriptObject* me, const Args* exprs,
                              std::span<Variant> values) {
  Variant result;
  RunProc(proc, me, exprs, values, result);
  return result;
}

void Interpreter::CallProcOperand(const ProcDecl& proc, const Args& exprs, Operand& out,
                                  Held& hold) {
  Variant& result = hold.emplace();
  RunProc(proc, nullptr, &exprs, {}, result);
  Classify(result, out);
}

void Interpreter::RunProc(const ProcDecl& proc, ScriptObject* me, const Args* exprs,
                          std::span<Variant> values, Variant& result) {
  CheckStack();
  size_t given = exprs ? exprs->size() : values.size();
  if (given != proc.params.size()) throw AutomationError(error::kWrongArgumentCount);
  size_t n = static_cast<size_t>(proc.slot_count);
  SlotStore slots(n);
  Variant* store = slots.store;
  Variant** ptrs = slots.ptrs;
  ptrs[0] = &result;
  std::vector<ElementArg> elements;
  for (size_t i = 0; i < given; ++i) {
    const Param& param = proc.params[i];
    size_t slot = i + 1;
    if (exprs) {
      const Expr* e = (*exprs)[i].get();
      if (!e) throw AutomationError(error::kWrongArgumentCount);
      // A variable passed ByRef is the callee's parameter, an array element goes back when the
      // call ends; anything else is a copy.
      if (!param.by_val) {
        if (e->kind == ExprKind::Name) {
          if (Variant* v = VariableSlot(static_cast<const NameExpr&>(*e))) {
            ptrs[slot] = v;
            continue;
          }
        }
        if (e->kind != ExprKind::Paren) {
          ElementArg at;
          std::optional<Variant> value;
          if (Variant* element = FindElement(*e, at, value)) {
            store[slot] = *element;
            at.slot = slot;
            elements.push_back(std::move(at));
            continue;
          }
          if (value) {
            store[slot] = std::move(*value);
            continue;
          }
        }
      }
      store[slot] = Eval(*e);
    } else if (param.by_val) {
      store[slot] = values[i];
    } else {
      ptrs[slot] = &values[i];
    }
  }
  Frame frame;
  frame.proc = &proc;
  frame.slots = ptrs;
  frame.me = me;
  frame.option_explicit = proc.option_explicit;
  auto store_elements = [&] {
    for (const ElementArg& at : elements) StoreElement(at, std::move(*ptrs[at.slot]));
  };
  try {
    FrameGuard guard(frame_, &frame, with_stack_, call_depth_);
    for (const ConstStmt* c : proc.consts) ExecStatement(*c);
    ExecBlock(proc.body);
  } catch (...) {
    store_elements();
    throw;
  }
  store_elements();
}

int Interpreter::FieldIndex(const ScriptObject& object, const std::string& folded) const {
  const ClassRuntime& cls = object.Class();
  auto it = cls.members.find(folded);
  if (it == cls.members.end() || it->second.field < 0) return -1;
  bool inside = frame_ && frame_->me && &frame_->me->Class() == &cls;
  return it->second.field_public || inside ? it->second.field : -1;
}

Variant* Interpreter::FindElement(const Expr& e, ElementArg& at, std::optional<Variant>& value) {
  Variant* base = nullptr;
  const Args* args = nullptr;
  if (e.kind == ExprKind::Name) {
    const auto& n = static_cast<const NameExpr&>(e);
    if (n.args.empty()) return nullptr;
    if (n.bind == Bind::Unbound) Resolve(const_cast<NameExpr&>(n));
    base = BoundSlot(n);
    if (!base || !base->IsArray()) return nullptr;
    at.name = &n;
    args = &n.args;
  } else if (e.kind == ExprKind::Member) {
    const auto& m = static_cast<const MemberExpr&>(e);
    if (m.args.empty()) return nullptr;
    std::optional<Variant> tmp;
    const Variant& object = MemberObject(m, tmp);
    if (!object.IsObject()) throw AutomationError(error::kObjectRequired);
    ObjectRef ref = object.AsObject();
    ScriptObject* so = OwnScriptObject(ref.get());
    int field = so ? FieldIndex(*so, m.folded) : -1;
    if (field < 0 || !so->Fields()[field].IsArray()) {
      value =
          InvokeObject(ref, m.name, m.folded,
                       m.has_parens ? InvokeKind::Method : InvokeKind::PropertyGet, m.args, false);
      return nullptr;
    }
    base = &so->Fields()[field];
    at.object = std::move(ref);
    at.field = field;
    args = &m.args;
  } else if (e.kind == ExprKind::Apply) {
    const auto& a = static_cast<const ApplyExpr&>(e);
    base = FindElement(*a.target, at, value);
    if (!base) {
      if (value) value = Apply(*value, a.args, e);
      return nullptr;
    }
    if (!base->IsArray()) {
      value = Apply(*base, a.args, e);
      return nullptr;
    }
    args = &a.args;
  } else {
    return nullptr;
  }
  std::vector<int32_t> idx = Indices(*args);
  VariantArray& array = base->AsArray();
  if (static_cast<int>(idx.size()) != array.Dimensions())
    throw AutomationError(error::kSubscriptOutOfRange);
  Variant& element = array.At(idx);
  at.indices.insert(at.indices.end(), idx.begin(), idx.end());
  at.counts.push_back(static_cast<uint8_t>(idx.size()));
  return &element;
}

void Interpreter::StoreElement(const ElementArg& at, Variant value) {
  Variant* v =
      at.name ? BoundSlot(*at.name) : &static_cast<ScriptObject&>(*at.object).Fields()[at.field];
  const int32_t* index = at.indices.data();
  for (uint8_t count : at.counts) {
    // The callee may have changed the array: an element no longer there takes nothing back.
    if (!v || !v->IsArray()) return;
    VariantArray& array = v->AsArray();
    if (array.Dimensions() != count) return;
    for (int d = 0; d < count; ++d) {
      const ArrayBound& b = array.Bounds()[d];
      if (index[d] < b.lower || index[d] > b.Upper()) return;
    }
    v = &array.At(std::span<const int32_t>(index, count));
    index += count;
  }
  *v = std::move(value);
}

Variant Interpreter::InvokeObject(const ObjectRef& object, const std::string& name,
                                  const std::string& folded, InvokeKind kind, const Args& args,
                                  bool internal) {
  if (!object) throw AutomationError(error::kObjectNotSet);
  if (ScriptObject* so = OwnScriptObject(object.get())) {
    const ClassRuntime& cls = so->Class();
    bool inside = internal || (frame_ && frame_->me && &frame_->me->Class() == &cls);
    const ClassMember* m = nullptr;
    if (folded.empty()) {
      if (cls.default_get) return CallProc(*cls.default_get, so, &args, {});
      throw AutomationError(error::kMemberNotFound);
    }
    auto it = cls.members.find(folded);
    if (it != cls.members.end()) m = &it->second;
    if (m && m->field >= 0 && (m->field_public || inside)) {
      Variant& field = so->Fields()[m->field];
      if (args.empty()) return field;
      if (field.IsArray()) return Element(field, args);
      return Apply(field, args, *args.front());
    }
    if (m && m->get && (m->get->is_public || inside)) return CallProc(*m->get, so, &args, {});
    throw AutomationError(error::kMemberNotFound);
  }
  std::vector<Variant> values = EvalArgs(args);
  Variant result = object->Invoke(name, kind, values);
  WriteBack(args, values);
  return result;
}

ScriptObject* Interpreter::OwnScriptObject(Dispatch* object) const {
  auto* so = dynamic_cast<ScriptObject*>(object);
  return so && so->BelongsTo(*this) ? so : nullptr;
}

Variant Interpreter::InvokeScriptMember(ScriptObject& object, std::string_view name,
                                        InvokeKind kind, std::span<Variant> args, bool internal) {
  const ClassRuntime& cls = object.Class();
  const ClassMember* m = nullptr;
  ClassMember def;
  if (name.empty()) {
    def.get = cls.default_get;
    def.let = cls.default_let;
    m = &def;
  } else {
    auto it = cls.members.find(FoldName(name));
    if (it != cls.members.end()) m = &it->second;
  }
  if (!m) throw AutomationError(error::kMemberNotFound);
  bool put = kind == InvokeKind::PropertyLet || kind == InvokeKind::PropertySet;
  if (m->field >= 0) {
    if (!m->field_public && !internal) throw AutomationError(error::kMemberNotFound);
    Variant& field = object.Fields()[m->field];
    if (!put) {
      if (args.empty()) return field;
      if (!field.IsArray()) throw AutomationError(error::kTypeMismatch);
      std::vector<int32_t> idx;
      for (const Variant& a : args) idx.push_back(ToLong(a, locale_));
      return field.AsArray().At(idx);
    }
    if (args.empty()) throw AutomationError(error::kWrongArgumentCount);
    if (args.size() == 1) {
      field = args[0];
      return {};
    }
    if (!field.IsArray()) throw AutomationError(error::kTypeMismatch);
    std::vector<int32_t> idx;
    for (size_t i = 0; i + 1 < args.size(); ++i) idx.push_back(ToLong(args[i], locale_));
    field.AsArray().At(idx) = args.back();
    return {};
  }
  const ProcDecl* p = !put                              ? m->get
                      : kind == InvokeKind::PropertySet ? (m->set ? m->set : m->let)
                                                        : (m->let ? m->let : m->set);
  if (!p || (!p->is_public && !internal)) throw AutomationError(error::kMemberNotFound);
  return CallProc(*p, &object, nullptr, args);
}

const ClassRuntime* Interpreter::FindClass(const std::string& folded) const {
  auto it = names_.find(folded);
  if (it == names_.end() || it->second.kind != GlobalEntry::Class) return nullptr;
  return it->second.cls;
}

const ProcDecl* Interpreter::FindProc(const std::string& folded) const {
  auto it = names_.find(folded);
  if (it == names_.end() || it->second.kind != GlobalEntry::Proc) return nullptr;
  return it->second.proc;
}

ObjectRef Interpreter::NewObject(const std::string& class_name) {
  const ClassRuntime* cls = FindClass(FoldName(class_name));
  if (!cls && FoldName(class_name) == "regexp") return MakeRegExp(limits_.memory_limit);
  if (!cls) {
    AutomationError base(error::kClassNotDefined, kRuntimeSource);
    throw AutomationError(base.Number(), kRuntimeSource,
                          base.Description() + ": '" + class_name + "'");
  }
  auto object = std::make_shared<ScriptObject>(weak_from_this(), *cls);
  Track(object);
  const auto& fields = cls->decl->fields;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (!fields[i].is_array) continue;
    std::vector<ArrayBound> bounds;
    for (const auto& b : fields[i].bounds)
      bounds.push_back(ArrayBound{0, ToLong(EvalValue(*b), locale_) + 1});
    VariantArray array(bounds);
    array.SetFixed(!bounds.empty());
    object->Fields()[i] = Variant(std::move(array));
  }
  if (cls->initialize) CallProc(*cls->initialize, object.get(), nullptr, {});
  object->MarkInitialized();
  return object;
}

void Interpreter::RunTerminate(ScriptObject& object) {
  if (!alive_) return;
  // Class_Terminate may run while another statement is executing; it has its own frame.
  Frame* saved = frame_;
  Frame outside;
  if (!frame_) frame_ = &outside;
  try {
    CallProc(*object.Class().terminate, &object, nullptr, {});
  } catch (...) {
    frame_ = saved;
    throw;
  }
  frame_ = saved;
}

}  // namespace vks::vbscript
