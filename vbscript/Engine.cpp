#include "vbscript/Engine.h"

#include "vbscript/Interpreter.h"
#include "vbscript/Names.h"
#include "vbscript/Parser.h"

namespace vks::vbscript {
namespace {

std::string LineOf(std::string_view text, int line) {
  if (line < 1) return {};
  int current = 1;
  size_t start = 0;
  for (size_t i = 0; i < text.size() && current < line; ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) {
      ++current;
      start = i + 1;
    }
  }
  if (current < line) return {};
  size_t end = text.find_first_of("\r\n", start);
  return std::string(text.substr(start, end == std::string_view::npos ? end : end - start));
}

}  // namespace

Engine::Engine(Limits limits) : limits_(limits) {
  MakeInterpreter();
}

Engine::~Engine() {
  interpreter_->Shutdown();
}

void Engine::MakeInterpreter() {
  if (interpreter_) interpreter_->Shutdown();
  interpreter_ = std::make_shared<Interpreter>(limits_);
  interpreter_->SetLocale(locale_);
  if (clock_) interpreter_->Clock() = clock_;
  interpreter_->SetReporter(reporter_);
}

Status Engine::SetLanguage(std::string_view language) {
  if (FoldName(language) != "vbscript") return AutomationError(error::kInvalidCall);
  return std::monostate{};
}

void Engine::SetTimeLimit(int64_t milliseconds) {
  limits_.time_limit_ms = milliseconds;
  interpreter_->SetTimeLimit(milliseconds);
}

void Engine::SetLocale(AutomationLocale locale) {
  locale_ = locale;
  interpreter_->SetLocale(std::move(locale));
}

void Engine::SetClock(std::function<double()> now) {
  clock_ = now;
  interpreter_->Clock() = std::move(now);
}

void Engine::SetMessageReporter(MessageReporter* reporter) {
  reporter_ = reporter;
  interpreter_->SetReporter(reporter);
}

void Engine::AddObject(const std::string& name, ObjectRef object, bool add_members_as_globals) {
  interpreter_->AddNamedObject(name, std::move(object), add_members_as_globals);
}

void Engine::Reset() {
  MakeInterpreter();
  error_ = ErrorReport{};
}

template <class F>
Result<Variant> Engine::Guarded(std::string_view text, F&& body) {
  // The interpreter must outlive the call even if the script resets nothing.
  std::shared_ptr<Interpreter> keep = interpreter_;
  keep->StartClock();
  auto fail = [&](const AutomationError& e, int line, int column) -> Result<Variant> {
    keep->StopClock();
    error_.number = e.Number();
    error_.source = e.Source().empty() ? std::string(kRuntimeSource) : e.Source();
    error_.description = e.Description();
    error_.line = line;
    error_.column = column;
    error_.text = LineOf(text, line);
    return AutomationError(e.Number(), error_.source, error_.description);
  };
  try {
    Variant v = body();
    keep->StopClock();
    return v;
  } catch (const ScriptError& e) {
    return fail(e, e.Line(), e.Column());
  } catch (const ScriptAbort& a) {
    return fail(AutomationError(a.number, kRuntimeSource), a.line, a.column);
  } catch (const AutomationError& e) {
    return fail(e, 0, 0);
  } catch (const std::bad_alloc&) {
    return fail(AutomationError(error::kOutOfMemory, kRuntimeSource), 0, 0);
  } catch (const std::length_error&) {
    return fail(AutomationError(error::kOutOfMemory, kRuntimeSource), 0, 0);
  }
}

Status Engine::AddCode(std::string_view code) {
  auto r = Guarded(code, [&] {
    interpreter_->Run(ParseProgram(code));
    return Variant();
  });
  if (!r) return r.error();
  return std::monostate{};
}

Status Engine::ExecuteStatement(std::string_view statements) {
  return AddCode(statements);
}

Result<Variant> Engine::Eval(std::string_view expression) {
  return Guarded(expression, [&] { return interpreter_->EvalText(expression); });
}

Result<Variant> Engine::Run(const std::string& procedure, std::span<Variant> args) {
  return Guarded(procedure, [&] { return interpreter_->CallByName(procedure, args); });
}

}  // namespace vks::vbscript
