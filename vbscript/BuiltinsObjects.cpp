// CreateObject, Eval, Execute, ExecuteGlobal, Err, and the engine's identity functions.
#include "platform/automation/VariantConversions.h"
#include "vbscript/Builtins.h"
#include "vbscript/Interpreter.h"
#include "vbscript/Names.h"
#include "vbscript/RegExpObject.h"
#include "vbscript/ScriptingDictionary.h"

namespace vks::vbscript {
namespace {

std::string Text(Interpreter& in, const Variant& v) {
  if (v.IsNull()) throw AutomationError(error::kInvalidUseOfNull);
  return ToString(in.DefaultValue(v), in.Locale());
}

// Scripts reach no file, process or network: only the two in-memory classes exist.
Variant CreateObject(Interpreter& in, BuiltinArgs a) {
  std::string id = FoldName(Text(in, a[0]));
  if (id == "scripting.dictionary") {
    ObjectRef dictionary = std::make_shared<ScriptingDictionary>();
    in.Track(dictionary);
    return Variant(std::move(dictionary));
  }
  if (id == "vbscript.regexp") return Variant(MakeRegExp(in.GetLimits().memory_limit));
  throw AutomationError(error::kCannotCreateObject);
}

Variant GetObject(Interpreter&, BuiltinArgs) {
  throw AutomationError(error::kCannotCreateObject);
}

Variant Eval(Interpreter& in, BuiltinArgs a) {
  return in.EvalText(Text(in, a[0]));
}

Variant Execute(Interpreter& in, BuiltinArgs a) {
  in.ExecuteText(Text(in, a[0]), false);
  return {};
}

Variant ExecuteGlobal(Interpreter& in, BuiltinArgs a) {
  in.ExecuteText(Text(in, a[0]), true);
  return {};
}

// What GetRef returns: a script procedure called through the object's default member, so that
// `Set f = GetRef("Name") : f(1)` calls Name(1).
class ProcRef : public Dispatch {
 public:
  ProcRef(std::weak_ptr<Interpreter> interpreter, const ProcDecl& proc)
      : interpreter_(std::move(interpreter)), proc_(proc) {}
  std::string TypeName() const override { return "Object"; }
  Variant Invoke(std::string_view name, InvokeKind kind, std::span<Variant> args) override {
    auto in = interpreter_.lock();
    if (!in) throw AutomationError(error::kObjectRequired);
    if (!name.empty() || kind == InvokeKind::PropertyLet || kind == InvokeKind::PropertySet)
      throw AutomationError(error::kMemberNotFound);
    return in->CallProc(proc_, nullptr, nullptr, args);
  }

 private:
  std::weak_ptr<Interpreter> interpreter_;
  const ProcDecl& proc_;
};

Variant GetRef(Interpreter& in, BuiltinArgs a) {
  const ProcDecl* proc = in.FindProc(FoldName(Text(in, a[0])));
  if (!proc) throw AutomationError(error::kInvalidCall);
  return Variant(ObjectRef(std::make_shared<ProcRef>(in.weak_from_this(), *proc)));
}

Variant Err(Interpreter& in, BuiltinArgs) {
  return Variant(in.ErrRef());
}
Variant ScriptEngine(Interpreter&, BuiltinArgs) {
  return Variant("VBScript");
}
Variant MajorVersion(Interpreter&, BuiltinArgs) {
  return Variant(int32_t{5});
}
Variant MinorVersion(Interpreter&, BuiltinArgs) {
  return Variant(int32_t{8});
}
Variant BuildVersion(Interpreter&, BuiltinArgs) {
  return Variant(int32_t{16384});
}
Variant Stop(Interpreter&, BuiltinArgs) {
  return {};
}

constexpr BuiltinEntry kObjects[] = {
    {"createobject", CreateObject, 1, 2},
    {"err", Err, 0, 0},
    {"eval", Eval, 1, 1},
    {"execute", Execute, 1, 1},
    {"executeglobal", ExecuteGlobal, 1, 1},
    {"getobject", GetObject, 0, 2},
    {"getref", GetRef, 1, 1},
    {"scriptengine", ScriptEngine, 0, 0},
    {"scriptenginebuildversion", BuildVersion, 0, 0},
    {"scriptenginemajorversion", MajorVersion, 0, 0},
    {"scriptengineminorversion", MinorVersion, 0, 0},
    {"stop", Stop, 0, 0},
};

}  // namespace

std::span<const BuiltinEntry> ObjectBuiltins() {
  return kObjects;
}

}  // namespace vks::vbscript
