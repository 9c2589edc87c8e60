#pragma once
// The `WScript` object the vbs runner gives a script: Echo, Quit, Arguments, StdOut, StdErr,
// ScriptName. Output goes to the streams it is given, so tests can read it.
#include <ostream>
#include <string>
#include <vector>

#include "platform/automation/Dispatch.h"

namespace vks::tools {

// Thrown by WScript.Quit; the runner ends with its code.
struct QuitRequest {
  int code;
};

class WScriptObject : public Dispatch {
 public:
  WScriptObject(std::string script_path, std::vector<std::string> arguments, std::ostream& out,
                std::ostream& err);
  std::string TypeName() const override { return "Object"; }
  Variant Invoke(std::string_view name, InvokeKind kind, std::span<Variant> args) override;

 private:
  std::string script_path_;
  std::vector<std::string> arguments_;
  std::ostream& out_;
  std::ostream& err_;
  ObjectRef stdout_;
  ObjectRef stderr_;
  ObjectRef arguments_object_;
};

}  // namespace vks::tools
