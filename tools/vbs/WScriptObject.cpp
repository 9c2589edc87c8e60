#include "tools/vbs/WScriptObject.h"

#include "platform/automation/VariantConversions.h"
#include "vbscript/Names.h"

namespace vks::tools {
namespace {

std::string Text(const Variant& v) {
  if (v.IsNull()) return "Null";
  if (v.IsObject() && v.AsObject())
    return ToString(v.AsObject()->Invoke("", InvokeKind::PropertyGet, {}));
  return ToString(v);
}

// StdOut and StdErr: Write and WriteLine.
class TextStream : public Dispatch {
 public:
  explicit TextStream(std::ostream& out) : out_(out) {}
  std::string TypeName() const override { return "TextStream"; }
  Variant Invoke(std::string_view name, InvokeKind, std::span<Variant> args) override {
    std::string n = vbscript::FoldName(name);
    if (n == "write" || n == "writeline") {
      if (!args.empty()) out_ << Text(args[0]);
      if (n == "writeline") out_ << '\n';
      out_.flush();
      return {};
    }
    if (n == "writeblanklines") {
      int32_t count = args.empty() ? 1 : ToLong(args[0]);
      for (int32_t i = 0; i < count; ++i) out_ << '\n';
      return {};
    }
    throw AutomationError(error::kMemberNotFound);
  }

 private:
  std::ostream& out_;
};

// WScript.Arguments: Count, Length, Item(i) (default), For Each.
class ArgumentList : public Dispatch {
 public:
  explicit ArgumentList(const std::vector<std::string>& args) {
    for (const auto& a : args) items_.emplace_back(a);
  }
  std::string TypeName() const override { return "Object"; }
  std::vector<Variant> Enumerate() override { return items_; }
  Variant Invoke(std::string_view name, InvokeKind, std::span<Variant> args) override {
    std::string n = vbscript::FoldName(name);
    if (n == "count" || n == "length") return Variant(static_cast<int32_t>(items_.size()));
    if (n.empty() || n == "item") {
      if (args.size() != 1) throw AutomationError(error::kWrongArgumentCount);
      int32_t i = ToLong(args[0]);
      if (i < 0 || static_cast<size_t>(i) >= items_.size())
        throw AutomationError(error::kSubscriptOutOfRange);
      return items_[i];
    }
    throw AutomationError(error::kMemberNotFound);
  }

 private:
  std::vector<Variant> items_;
};

}  // namespace

WScriptObject::WScriptObject(std::string script_path, std::vector<std::string> arguments,
                             std::ostream& out, std::ostream& err)
    : script_path_(std::move(script_path)),
      arguments_(std::move(arguments)),
      out_(out),
      err_(err),
      stdout_(std::make_shared<TextStream>(out)),
      stderr_(std::make_shared<TextStream>(err)),
      arguments_object_(std::make_shared<ArgumentList>(arguments_)) {}

Variant WScriptObject::Invoke(std::string_view name, InvokeKind, std::span<Variant> args) {
  std::string n = vbscript::FoldName(name);
  if (n == "echo") {
    for (size_t i = 0; i < args.size(); ++i) {
      if (i) out_ << ' ';
      out_ << Text(args[i]);
    }
    out_ << '\n';
    out_.flush();
    return {};
  }
  if (n == "quit") throw QuitRequest{args.empty() ? 0 : ToLong(args[0])};
  if (n == "arguments") {
    if (!args.empty()) return arguments_object_->Invoke("", InvokeKind::PropertyGet, args);
    return Variant(arguments_object_);
  }
  if (n == "stdout") return Variant(stdout_);
  if (n == "stderr") return Variant(stderr_);
  if (n == "scriptname") {
    size_t slash = script_path_.find_last_of("/\\");
    return Variant(slash == std::string::npos ? script_path_ : script_path_.substr(slash + 1));
  }
  if (n == "scriptfullname") return Variant(script_path_);
  if (n == "name") return Variant("vbs");
  if (n == "sleep") return {};
  if (n == "interactive") return Variant(false);
  throw AutomationError(error::kMemberNotFound);
}

}  // namespace vks::tools
