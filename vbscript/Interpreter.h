#pragma once
// The state of one engine and the tree-walking evaluator over it: script-level variables,
// procedures and classes, the running frame, the Err object, the limits. Made by Engine and thrown
// away with it; nothing lives outside it.
#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <new>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/automation/AutomationLocale.h"
#include "platform/automation/Dispatch.h"
#include "vbscript/Ast.h"
#include "vbscript/Limits.h"
#include "vbscript/NumericCode.h"
#include "vbscript/Operand.h"
#include "vbscript/ScriptError.h"

namespace vks::vbscript {

class ScriptObject;
class ErrObject;
}  // namespace vks::vbscript

namespace vks {
class MessageReporter;
}

namespace vks::vbscript {

// Members of a script class, by folded name.
struct ClassMember {
  int field = -1;
  bool field_public = true;
  const ProcDecl* get = nullptr;  // Property Get, Function or Sub
  const ProcDecl* let = nullptr;
  const ProcDecl* set = nullptr;
};

struct ClassRuntime {
  const ClassDecl* decl = nullptr;
  std::unordered_map<std::string, ClassMember> members;
  const ProcDecl* default_get = nullptr;
  const ProcDecl* default_let = nullptr;
  const ProcDecl* initialize = nullptr;
  const ProcDecl* terminate = nullptr;
};

// A script-level name.
struct GlobalEntry {
  enum Kind : uint8_t { Variable, Proc, Class } kind = Variable;
  int slot = -1;
  const ProcDecl* proc = nullptr;
  const ClassRuntime* cls = nullptr;
};

// The timeout leaves every On Error Resume Next behind.
struct ScriptAbort {
  int32_t number;
  int line;
  int column;
};

enum class Flow : uint8_t { Normal, ExitFor, ExitDo, ExitProc };

struct Frame {
  const ProcDecl* proc = nullptr;  // null for script-level code
  Frame* caller = nullptr;
  Variant** slots = nullptr;
  ScriptObject* me = nullptr;
  bool resume_next = false;
  bool option_explicit = false;
};

class Interpreter : public std::enable_shared_from_this<Interpreter> {
 public:
  explicit Interpreter(const Limits& limits);
  ~Interpreter();
  Interpreter(const Interpreter&) = delete;
  Interpreter& operator=(const Interpreter&) = delete;

  // Host side (Engine).
  void AddNamedObject(const std::string& name, ObjectRef object, bool members_global);
  // Declares the program's names and runs its script-level code in a fresh frame.
  void Run(std::unique_ptr<Program> program);
  Variant EvalText(std::string_view text);
  void ExecuteText(std::string_view text, bool global);
  Variant CallByName(const std::string& name, std::span<Variant> args);
  // Releases every script value while the interpreter still works (Class_Terminate runs).
  void Shutdown();
  void StartClock();
  void StopClock() { has_deadline_ = false; }

  // Evaluation (Evaluator.cpp).
  Variant Eval(const Expr& e);
  // A reference to the variable itself when `e` names one, else `tmp` holding the value.
  const Variant& EvalRef(const Expr& e, std::optional<Variant>& tmp);
  // The value with objects replaced by their default member's value.
  Variant EvalValue(const Expr& e);
  Variant DefaultValue(const Variant& v);
  bool EvalCondition(const Expr& e);

  // Statements (Executor.cpp).
  // Inline, as it runs once per loop step and per call.
  Flow ExecBlock(const Block& block) {
    for (const auto& s : block) {
      Flow f = ExecStatement(*s);
      if (f != Flow::Normal) return f;
    }
    return Flow::Normal;
  }
  Flow ExecStatement(const Stmt& s);

  // Calls (Calls.cpp).
  Variant CallProc(const ProcDecl& proc, ScriptObject* me, const Args* exprs,
                   std::span<Variant> values);
  // A script-level Function called inside arithmetic: its result is made in `hold` and read from
  // there, not moved out through return values.
  void CallProcOperand(const ProcDecl& proc, const Args& exprs, Operand& out, Held& hold);
  Variant InvokeObject(const ObjectRef& object, const std::string& name, const std::string& folded,
                       InvokeKind kind, const Args& args, bool internal);
  Variant InvokeScriptMember(ScriptObject& object, std::string_view name, InvokeKind kind,
                             std::span<Variant> args, bool internal);
  ObjectRef NewObject(const std::string& class_name);
  void RunTerminate(ScriptObject& object);
  const ClassRuntime* FindClass(const std::string& folded) const;
  // The object as a script object of this interpreter, whose members are called directly; null
  // for any other object, which is called through Invoke.
  ScriptObject* OwnScriptObject(Dispatch* object) const;
  // The script procedure a folded name declares at script level; null for anything else.
  const ProcDecl* FindProc(const std::string& folded) const;

  // Names (Names.cpp).
  void Resolve(NameExpr& n);
  Variant* VariableSlot(const NameExpr& n) {
    if (n.bind == Bind::Unbound) Resolve(const_cast<NameExpr&>(n));
    if (n.has_parens) return nullptr;
    return BoundSlot(n);
  }
  // The variable a bound local, global or field name stands for; null for any other binding.
  Variant* BoundSlot(const NameExpr& n) {
    if (n.bind == Bind::Local) return frame_->slots[n.index];
    if (n.bind == Bind::Global) return n.global;
    return FieldSlot(n);
  }
  Variant* FieldSlot(const NameExpr& n);
  Variant EvalName(const NameExpr& n);
  void AssignName(const NameExpr& n, Variant value, bool is_set);
  int DeclareGlobal(const std::string& name);

  // Arrays and indexing.
  Variant& Element(Variant& array, const Args& args);
  std::vector<int32_t> Indices(const Args& args);
  int32_t IndexValue(const Variant& v);

  // Errors and limits.
  void CheckTime();
  // Inline, as every call runs it.
  void CheckStack() {
    char here;
    auto now = reinterpret_cast<uintptr_t>(&here);
    if (!stack_base_) stack_base_ = now;
    size_t used = stack_base_ > now ? stack_base_ - now : now - stack_base_;
    if (used > limits_.stack_limit || call_depth_ > 100000) OutOfStack();
  }
  [[noreturn]] static void OutOfStack();
  // A value of `bytes` is being built: error 7 when one value alone passes the memory bound.
  void CheckSize(size_t bytes) const;
  // A value of `bytes` was made: error 7 when with it the script's values pass the memory bound.
  void Charge(size_t bytes);
  // Bytes the script's values hold: variables of every running frame, With objects, and what
  // they reach (array elements, strings, fields of script objects, dictionary entries).
  size_t Footprint() const;
  // Script-made objects (class instances, dictionaries), so that those that still hold each other
  // when the engine ends can be freed.
  void Track(const ObjectRef& object);
  // Empties every tracked object that is still alive and not reachable from `kept`.
  void ReleaseCycles(const std::vector<ObjectRef>& kept);
  void SetErr(const AutomationError& e);
  ErrObject& Err() { return *err_; }
  const ObjectRef& ErrRef() const { return err_ref_; }

  // The statement running last, for the position of a time-out.
  const Stmt* CurrentStatement() const { return current_stmt_; }
  const AutomationLocale& Locale() const { return locale_; }
  void SetLocale(AutomationLocale locale) { locale_ = std::move(locale); }
  const Limits& GetLimits() const { return limits_; }
  void SetTimeLimit(int64_t ms) { limits_.time_limit_ms = ms; }
  std::function<double()>& Clock() { return clock_; }
  // Where MsgBox and InputBox go; null answers every box with its default button.
  void SetReporter(MessageReporter* reporter) { reporter_ = reporter; }
  MessageReporter* Reporter() const { return reporter_; }

  // Random numbers (Rnd, Randomize) keep their state per engine.
  uint32_t rnd_seed = 0x50000;
  float last_rnd = 0;
  bool rnd_drawn = false;

 private:
  friend class ScriptObject;
  void Declare(Program& program);
  // Binds the arguments and runs the body with `result` as the procedure's own name.
  void RunProc(const ProcDecl& proc, ScriptObject* me, const Args* exprs, std::span<Variant> values,
               Variant& result);
  Variant Apply(const Variant& target, const Args& args, const Expr& at);
  void AssignMember(const MemberExpr& m, Variant value, bool is_set);
  void AssignApply(const ApplyExpr& a, Variant value, bool is_set);
  Variant* ElementSlot(const Expr& e);
  // An array element passed to a ByRef parameter: the callee works on a copy in `slot`, which goes
  // back into the element, found again by its indices, when the call ends. The element itself is
  // not lent out: the callee may ReDim or replace the array it lives in.
  struct ElementArg {
    size_t slot = 0;
    const NameExpr* name = nullptr;  // the variable holding the array, or
    ObjectRef object;                // the script object whose field holds it
    int field = -1;
    std::vector<int32_t> indices;  // the indices of every level, in order
    std::vector<uint8_t> counts;   // how many indices each level takes
  };
  // The element `e` stands for when it is an element of an array held in a variable or in a field
  // of a script object, with its place in `at`; otherwise null, with `value` set when `e` had to be
  // evaluated on the way.
  Variant* FindElement(const Expr& e, ElementArg& at, std::optional<Variant>& value);
  void StoreElement(const ElementArg& at, Variant value);
  // The field `folded` of `object` when this frame may use it, else -1.
  int FieldIndex(const ScriptObject& object, const std::string& folded) const;
  Variant EvalMember(const MemberExpr& m);
  Variant EvalBinary(const BinaryExpr& b);
  // The operator of `b` on operands already evaluated.
  Variant ApplyBinary(const BinaryExpr& b, const Variant& left, const Variant& right);
  // Arithmetic or a comparison as a whole expression: the tree on its first two runs, which bind
  // its names and flatten it, then its flattened steps.
  void EvalArithmetic(const BinaryExpr& b, Operand& out, Held& hold) {
    if (b.numeric == BinaryExpr::Numeric::Ready) return RunNumeric(*b.code, nullptr, &out, &hold);
    EvalOperand(b, out, hold);
    if (b.numeric == BinaryExpr::Numeric::Untried)
      b.numeric = BinaryExpr::Numeric::RanOnce;
    else if (b.numeric == BinaryExpr::Numeric::RanOnce)
      CompileNumeric(b);
  }
  // Flattened steps (NumericRun.cpp): plain numbers while they last, then Variants from step `pc`
  // on, with the numbers already on the stack and the value a step made (`pending`). The result
  // is assigned to `into`, or with `into` null given in `out` and `hold`.
  void RunNumeric(const NumericCode& code, Variant* into, Operand* out, Held* hold);
  void RunMixed(const NumericCode& code, size_t pc, const Operand* numbers, size_t sp,
                Held* pending, Variant* into, Operand* out, Held* hold);
  bool StepNumber(const NumericStep& s, Operand& out, Held& value);
  // Arithmetic and comparisons on Integer, Long and Double without making Variants (Operands.cpp).
  void EvalOperand(const Expr& e, Operand& out, Held& hold);
  void MixedOperands(const BinaryExpr& b, const Operand& x, const Operand& y, Operand& out,
                     Held& hold);
  // A literal or a bound variable, read without a call; false for anything else.
  bool LeafOperand(const Expr& e, Operand& out) {
    if (e.kind == ExprKind::Literal) {
      const auto& l = static_cast<const LiteralExpr&>(e);
      if (l.number_type == VarType::Empty) {
        out.v = &l.value;
      } else {
        out.type = l.number_type;
        out.i = l.int_value;
        out.d = l.double_value;
        out.v = nullptr;
      }
      return true;
    }
    if (e.kind != ExprKind::Name) return false;
    const auto& n = static_cast<const NameExpr&>(e);
    if (!n.args.empty() || n.has_parens) return false;
    if (n.bind == Bind::Local) {
      Classify(*frame_->slots[n.index], out);
      return true;
    }
    if (n.bind == Bind::Global) {
      Classify(*n.global, out);
      return true;
    }
    return false;
  }
  std::vector<Variant> EvalArgs(const Args& args);
  void WriteBack(const Args& args, std::span<Variant> values);
  Flow ExecKind(const Stmt& s);
  void ResumeOrThrow(const Stmt& s);
  bool HeaderCondition(const Expr& e, const Stmt& s, bool if_failed);
  Flow RunOnce(const Block& body, Flow exit);
  // Arithmetic into a variable, storing the number without passing it through temporaries; false
  // when `a` is not of that form.
  bool AssignNumber(const AssignStmt& a);
  // The variable that `a` assigns flattened arithmetic to; null when it is not of that form (yet).
  Variant* NumericTarget(const AssignStmt& a) {
    if (!a.arithmetic || a.arithmetic->numeric != BinaryExpr::Numeric::Ready) return nullptr;
    const auto& n = static_cast<const NameExpr&>(*a.target);
    if (n.bind == Bind::Local) return frame_->slots[n.index];
    if (n.bind == Bind::Global) return n.global;
    return nullptr;
  }
  Flow ExecFor(const ForStmt& s);
  Flow ExecForEach(const ForEachStmt& s);
  Flow ExecDo(const DoStmt& s);
  Flow ExecSelect(const SelectStmt& s);
  void ExecDim(const DimStmt& s);
  bool CaseMatches(const Variant& subject, const CaseTest& t);
  // The object a member access reads from: its own, or the enclosing With's.
  const Variant& MemberObject(const MemberExpr& m, std::optional<Variant>& tmp);

  Limits limits_;
  AutomationLocale locale_;
  std::function<double()> clock_;
  MessageReporter* reporter_ = nullptr;
  std::chrono::steady_clock::time_point deadline_;
  bool has_deadline_ = false;
  int ticks_ = 1000;
  const Stmt* current_stmt_ = nullptr;
  const Expr* statement_call_ = nullptr;  // the name a call statement calls, as it runs
  uintptr_t stack_base_ = 0;
  // Bytes charged since the footprint was last measured, and how many may come before the next.
  size_t charged_ = 0;
  size_t charge_budget_ = 0;  // address near the bottom of the script's machine stack

  std::deque<Variant> globals_;  // a deque, so that names can keep pointers to their variables
  std::unordered_map<std::string, GlobalEntry> names_;
  std::vector<std::unique_ptr<Program>> programs_;
  std::deque<ClassRuntime> classes_;
  std::vector<ObjectRef> global_member_objects_;
  std::vector<ObjectRef> named_objects_;
  std::vector<std::weak_ptr<Dispatch>> made_;
  size_t made_limit_ = 64;
  std::vector<Variant> with_stack_;
  Frame* frame_ = nullptr;
  Frame top_frame_;
  int call_depth_ = 0;
  std::shared_ptr<ErrObject> err_;
  ObjectRef err_ref_;
  bool alive_ = true;
};

}  // namespace vks::vbscript
