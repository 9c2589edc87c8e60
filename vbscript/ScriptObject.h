#pragma once
// An instance of a script class (Class … End Class). Hosts and other objects reach it by late
// binding like any object; its Class_Terminate runs when the last reference goes.
#include <memory>
#include <vector>

#include "platform/automation/Dispatch.h"

namespace vks::vbscript {

class Interpreter;
struct ClassRuntime;

class ScriptObject : public Dispatch {
 public:
  ScriptObject(std::weak_ptr<Interpreter> interpreter, const ClassRuntime& cls);
  ~ScriptObject() override;

  std::string TypeName() const override;
  Variant Invoke(std::string_view name, InvokeKind kind, std::span<Variant> args) override;

  // REQUIRES: BelongsTo(the interpreter asking): the class lives as long as its interpreter.
  const ClassRuntime& Class() const { return *class_; }
  // Whether `interpreter` made this object and is still alive. An object kept beyond its
  // interpreter (in the global data) is reached through Invoke, which refuses it.
  bool BelongsTo(const Interpreter& interpreter) const {
    return owner_ == &interpreter && !interpreter_.expired();
  }
  std::vector<Variant>& Fields() { return fields_; }
  const std::vector<Variant>& Fields() const { return fields_; }
  void VisitValues(const std::function<void(const Variant&)>& visit) const override {
    for (const Variant& f : fields_) visit(f);
  }
  // Set once Class_Initialize ran, so that a failed construction does not run Class_Terminate.
  void MarkInitialized() { initialized_ = true; }

 private:
  std::weak_ptr<Interpreter> interpreter_;
  const Interpreter* owner_;  // compared only while interpreter_ has not expired
  const ClassRuntime* class_;
  std::string type_name_;
  std::vector<Variant> fields_;
  bool initialized_ = false;
};

// The Err object: the last run-time error that On Error Resume Next caught, or one raised.
class ErrObject : public Dispatch {
 public:
  std::string TypeName() const override { return "ErrObject"; }
  Variant Invoke(std::string_view name, InvokeKind kind, std::span<Variant> args) override;

  void Set(int32_t number, std::string source, std::string description);
  void Clear();
  int32_t Number() const { return number_; }
  const std::string& Source() const { return source_; }
  const std::string& Description() const { return description_; }

 private:
  int32_t number_ = 0;
  std::string source_;
  std::string description_;
  int32_t help_context_ = 0;
  std::string help_file_;
  // The help fields of the error Raise is throwing, until Set takes them.
  bool raised_ = false;
  std::string raised_help_file_;
  int32_t raised_help_context_ = 0;
};

}  // namespace vks::vbscript
