#include "vbscript/ScriptObject.h"

#include "platform/automation/VariantConversions.h"
#include "vbscript/Interpreter.h"
#include "vbscript/Names.h"

namespace vks::vbscript {

ScriptObject::ScriptObject(std::weak_ptr<Interpreter> interpreter, const ClassRuntime& cls)
    : interpreter_(std::move(interpreter)),
      owner_(interpreter_.lock().get()),
      class_(&cls),
      type_name_(cls.decl->name),
      fields_(cls.decl->fields.size()) {}

ScriptObject::~ScriptObject() {
  // The class belongs to the interpreter: once that is gone, so is Class_Terminate.
  auto interp = interpreter_.lock();
  if (!interp || !initialized_ || !class_->terminate) return;
  try {
    interp->RunTerminate(*this);
  } catch (...) {
    // Errors of Class_Terminate have nowhere to go.
  }
}

std::string ScriptObject::TypeName() const {
  return type_name_;
}

Variant ScriptObject::Invoke(std::string_view name, InvokeKind kind, std::span<Variant> args) {
  auto interp = interpreter_.lock();
  if (!interp) throw AutomationError(error::kObjectNotSet);
  return interp->InvokeScriptMember(*this, name, kind, args, false);
}

void ErrObject::Set(int32_t number, std::string source, std::string description) {
  number_ = number;
  source_ = std::move(source);
  description_ = std::move(description);
  // Only the error Raise made carries help fields; any other error comes without.
  help_file_ = raised_ ? std::move(raised_help_file_) : std::string();
  help_context_ = raised_ ? raised_help_context_ : 0;
  raised_ = false;
}

void ErrObject::Clear() {
  number_ = 0;
  source_.clear();
  description_.clear();
  help_context_ = 0;
  help_file_.clear();
}

Variant ErrObject::Invoke(std::string_view name, InvokeKind kind, std::span<Variant> args) {
  std::string n = FoldName(name);
  bool put = kind == InvokeKind::PropertyLet;
  auto arg = [&](size_t i) -> const Variant* {
    if (i >= args.size() || args[i].Type() == VarType::Error) return nullptr;
    return &args[i];
  };
  if (n.empty() || n == "number") {
    if (put) {
      number_ = ToLong(args.back());
      return {};
    }
    return Variant(number_);
  }
  if (n == "description") {
    if (put) description_ = ToString(args.back());
    return put ? Variant() : Variant(description_);
  }
  if (n == "source") {
    if (put) source_ = ToString(args.back());
    return put ? Variant() : Variant(source_);
  }
  if (n == "helpcontext") {
    if (put) help_context_ = ToLong(args.back());
    return put ? Variant() : Variant(help_context_);
  }
  if (n == "helpfile") {
    if (put) help_file_ = ToString(args.back());
    return put ? Variant() : Variant(help_file_);
  }
  if (n == "clear") {
    Clear();
    return {};
  }
  if (n == "raise") {
    // Raise number [, source [, description [, helpfile [, helpcontext]]]]: a field left out
    // keeps what Err holds, or when that is empty the engine's source and the table's text.
    const Variant* number = arg(0);
    if (!number) throw AutomationError(error::kWrongArgumentCount);
    int32_t num = ToLong(*number);
    if (num == 0 || num > 65535) throw AutomationError(error::kInvalidCall);
    std::string source = arg(1)             ? ToString(*arg(1))
                         : !source_.empty() ? source_
                                            : std::string(kRuntimeSource);
    std::string description = arg(2) ? ToString(*arg(2))
                              : !description_.empty()
                                  ? description_
                                  : std::string(AutomationError(num).Description());
    raised_help_file_ = arg(3) ? ToString(*arg(3)) : help_file_;
    raised_help_context_ = arg(4) ? ToLong(*arg(4)) : help_context_;
    raised_ = true;
    throw AutomationError(num, source, description);
  }
  throw AutomationError(error::kMemberNotFound);
}

}  // namespace vks::vbscript
