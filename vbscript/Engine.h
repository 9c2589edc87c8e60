#pragma once
// The script engine as a host uses it: publish named objects, add code, execute statements,
// evaluate expressions, all within a time limit; a failure leaves an error report with number,
// description, line, column and the line's text. One engine is one interpreter state, made and
// thrown away:
//
//   vbscript::Engine engine;
//   engine.AddObject("Tradomir", services, /*add_members_as_globals=*/true);
//   if (auto r = engine.AddCode("Const NoValue = -2.123456E+38"); !r) …
//   if (auto r = engine.ExecuteStatement(text); !r) report(engine.Error());
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <variant>

#include "platform/automation/AutomationLocale.h"
#include "platform/automation/Dispatch.h"
#include "platform/automation/Result.h"
#include "vbscript/Limits.h"

namespace vks {
class MessageReporter;
}

namespace vks::vbscript {

class Interpreter;

// The last failure: what the host's error event hands on.
struct ErrorReport {
  int32_t number = 0;
  std::string source;
  std::string description;
  int line = 0;      // in the text given to the failing call, from 1; 0 when unknown
  int column = 0;    // from 1; 0 when unknown
  std::string text;  // that line of the text
};

using Status = Result<std::monostate>;

class Engine {
 public:
  explicit Engine(Limits limits = {});
  ~Engine();
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  // Only "VBScript" is known; anything else is error 5.
  Status SetLanguage(std::string_view language);
  void SetTimeLimit(int64_t milliseconds);
  // How numbers and dates read and print (CStr, CDbl of text); the invariant locale by default.
  void SetLocale(AutomationLocale locale);
  // The clock of Now, Date, Time and Timer as an automation date; the computer clock by default.
  void SetClock(std::function<double()> now);
  // Where the script's MsgBox and InputBox go (ZeigeMeldung); without one every box is answered
  // with its default button and InputBox with its default text. REQUIRES: outlives the engine.
  void SetMessageReporter(MessageReporter* reporter);

  // Publishes `object` under `name`; with `add_members_as_globals` its members are names of their
  // own (`Ergebnis = 1` for `Tradomir.Ergebnis = 1`).
  void AddObject(const std::string& name, ObjectRef object, bool add_members_as_globals = false);
  // Adds procedures, classes and declarations and runs the code's script-level statements.
  Status AddCode(std::string_view code);
  // Runs statements at script level.
  Status ExecuteStatement(std::string_view statements);
  // The value of one expression.
  Result<Variant> Eval(std::string_view expression);
  // Calls a script procedure by name; arguments passed by reference come back changed.
  Result<Variant> Run(const std::string& procedure, std::span<Variant> args = {});
  // Discards all code, variables and objects.
  void Reset();

  const ErrorReport& Error() const { return error_; }

 private:
  template <class F>
  Result<Variant> Guarded(std::string_view text, F&& body);
  void MakeInterpreter();

  Limits limits_;
  AutomationLocale locale_;
  std::function<double()> clock_;
  MessageReporter* reporter_ = nullptr;
  std::shared_ptr<Interpreter> interpreter_;
  ErrorReport error_;
};

}  // namespace vks::vbscript
