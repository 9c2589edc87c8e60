#include "vbscript/Interpreter.h"

#include "platform/automation/AutomationDate.h"
#include "platform/system/Clock.h"
#include "vbscript/Names.h"
#include "vbscript/Parser.h"
#include "vbscript/ScriptObject.h"

namespace vks::vbscript {
namespace {

// The computer clock as an automation date in local time, as the platform gives it.
double LocalNow() {
  return SystemClock().Now().days;
}

}  // namespace

Interpreter::Interpreter(const Limits& limits)
    : limits_(limits), clock_(LocalNow), err_(std::make_shared<ErrObject>()), err_ref_(err_) {
  frame_ = &top_frame_;
}

Interpreter::~Interpreter() {
  alive_ = false;
}

void Interpreter::Shutdown() {
  // Values that reference script objects go while the interpreter still runs their terminators.
  frame_ = &top_frame_;
  for (int round = 0; round < 4; ++round) {
    for (auto& slot : globals_) {
      Variant doomed = std::move(slot);
      slot = Variant();
    }
  }
  with_stack_.clear();
  global_member_objects_.clear();
  alive_ = false;
  // The engine lives for one evaluation: objects in a reference cycle would outlive it unseen.
  ReleaseCycles(named_objects_);
  named_objects_.clear();
}

void Interpreter::AddNamedObject(const std::string& name, ObjectRef object, bool members_global) {
  int slot = DeclareGlobal(name);
  globals_[slot] = Variant(object);
  named_objects_.push_back(object);
  if (members_global) global_member_objects_.push_back(std::move(object));
}

void Interpreter::Declare(Program& program) {
  for (auto& cls : program.classes) {
    ClassRuntime& rt = classes_.emplace_back();
    rt.decl = cls.get();
    for (size_t i = 0; i < cls->fields.size(); ++i) {
      ClassMember& m = rt.members[cls->fields[i].folded];
      m.field = static_cast<int>(i);
      m.field_public = cls->fields[i].is_public;
    }
    for (auto& proc : cls->procs) {
      ClassMember& m = rt.members[proc->folded];
      switch (proc->kind) {
        case ProcKind::PropertyLet:
          m.let = proc.get();
          break;
        case ProcKind::PropertySet:
          m.set = proc.get();
          break;
        default:
          m.get = proc.get();
          break;
      }
      if (proc->is_default) {
        if (proc->kind == ProcKind::PropertyLet)
          rt.default_let = proc.get();
        else if (proc->kind != ProcKind::PropertySet)
          rt.default_get = proc.get();
      }
      if (proc->folded == "class_initialize") rt.initialize = proc.get();
      if (proc->folded == "class_terminate") rt.terminate = proc.get();
    }
    // A default Property Get brings its Let along.
    if (rt.default_get && !rt.default_let) rt.default_let = rt.members[rt.default_get->folded].let;
    GlobalEntry entry;
    entry.kind = GlobalEntry::Class;
    entry.cls = &rt;
    names_[cls->folded] = entry;
  }
  for (auto& proc : program.procs) {
    GlobalEntry entry;
    entry.kind = GlobalEntry::Proc;
    entry.proc = proc.get();
    names_[proc->folded] = entry;
  }
  for (const std::string& name : program.global_names) DeclareGlobal(name);
}

void Interpreter::Run(std::unique_ptr<Program> program) {
  Declare(*program);
  Program& p = *program;
  if (!p.procs.empty() || !p.classes.empty()) programs_.push_back(std::move(program));
  Frame frame;
  frame.option_explicit = p.option_explicit;
  frame.caller = frame_;
  Frame* saved = frame_;
  frame_ = &frame;
  try {
    for (const ConstStmt* c : p.consts) ExecStatement(*c);
    ExecBlock(p.body);
  } catch (...) {
    frame_ = saved;
    throw;
  }
  frame_ = saved;
}

Variant Interpreter::EvalText(std::string_view text) {
  ExprPtr e = ParseExpression(text);
  Variant v = Eval(*e);
  return v;
}

void Interpreter::ExecuteText(std::string_view text, bool global) {
  std::unique_ptr<Program> program = ParseProgram(text);
  if (global || frame_->proc == nullptr) {
    Run(std::move(program));
    return;
  }
  // Execute inside a procedure: the code sees the procedure's locals by name.
  Declare(*program);
  Program& p = *program;
  if (!p.procs.empty() || !p.classes.empty()) programs_.push_back(std::move(program));
  bool saved_resume = frame_->resume_next;
  frame_->resume_next = false;
  try {
    ExecBlock(p.body);
  } catch (...) {
    frame_->resume_next = saved_resume;
    throw;
  }
  frame_->resume_next = saved_resume;
}

Variant Interpreter::CallByName(const std::string& name, std::span<Variant> args) {
  auto it = names_.find(FoldName(name));
  if (it == names_.end() || it->second.kind != GlobalEntry::Proc)
    throw AutomationError(error::kMemberNotFound, kRuntimeSource);
  return CallProc(*it->second.proc, nullptr, nullptr, args);
}

void Interpreter::StartClock() {
  has_deadline_ = limits_.time_limit_ms > 0;
  if (has_deadline_)
    deadline_ = std::chrono::steady_clock::now() + std::chrono::milliseconds(limits_.time_limit_ms);
  ticks_ = 1000;
  char here;
  stack_base_ = reinterpret_cast<uintptr_t>(&here);
}

void Interpreter::CheckTime() {
  ticks_ = 1000;
  if (has_deadline_ && std::chrono::steady_clock::now() >= deadline_) {
    has_deadline_ = false;
    throw ScriptAbort{error::kUserInterrupt, current_stmt_ ? current_stmt_->line : 0,
                      current_stmt_ ? current_stmt_->column : 0};
  }
}

void Interpreter::OutOfStack() {
  throw AutomationError(error::kOutOfStack, kRuntimeSource);
}

void Interpreter::CheckSize(size_t bytes) const {
  if (static_cast<int64_t>(bytes) > limits_.memory_limit)
    throw AutomationError(error::kOutOfMemory, kRuntimeSource);
}

void Interpreter::Charge(size_t bytes) {
  CheckSize(bytes);
  charged_ += bytes;
  if (charged_ <= charge_budget_) return;
  // Measuring walks every value, so it happens only after half the room left has been made:
  // the values can then not pass the bound by more than the smallest step unnoticed.
  constexpr size_t kMinStep = size_t{1} << 20;
  size_t limit = static_cast<size_t>(limits_.memory_limit);
  size_t used = Footprint() + bytes;
  charged_ = 0;
  if (used > limit) {
    charge_budget_ = 0;
    throw AutomationError(error::kOutOfMemory, kRuntimeSource);
  }
  charge_budget_ = std::max(kMinStep, (limit - used) / 2);
}

void Interpreter::SetErr(const AutomationError& e) {
  err_->Set(e.Number(), e.Source().empty() ? std::string(kRuntimeSource) : e.Source(),
            e.Description());
}

}  // namespace vks::vbscript
