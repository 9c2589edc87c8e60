// MsgBox and InputBox: routed to the host's message reporting, never to a window of their own.
#include "platform/automation/VariantConversions.h"
#include "platform/system/MessageReporter.h"
#include "vbscript/Builtins.h"
#include "vbscript/Interpreter.h"

namespace vks::vbscript {
namespace {

std::string Text(Interpreter& in, std::span<Variant> a, size_t i) {
  if (IsMissing(a, i)) return {};
  if (a[i].IsNull()) throw AutomationError(error::kInvalidUseOfNull);
  return ToString(in.DefaultValue(a[i]), in.Locale());
}

// MsgBox(prompt[, buttons][, title][, helpfile, context]) -> the button pressed.
Variant MsgBox(Interpreter& in, BuiltinArgs a) {
  std::string prompt = Text(in, a, 0);
  int32_t style = IsMissing(a, 1) ? 0 : LongArg(in, a[1]);
  std::string title = Text(in, a, 2);
  int32_t answer =
      in.Reporter() ? in.Reporter()->ZeigeMeldung(prompt, style, title) : DefaultAnswer(style);
  return Variant(static_cast<int16_t>(answer));
}

// InputBox(prompt[, title][, default][, x, y][, helpfile, context]) -> the text entered. The
// reporter can only confirm or cancel, so a confirmed box yields the default text.
Variant InputBox(Interpreter& in, BuiltinArgs a) {
  std::string prompt = Text(in, a, 0);
  std::string title = Text(in, a, 1);
  std::string answer = Text(in, a, 2);
  if (in.Reporter() &&
      in.Reporter()->ZeigeMeldung(prompt, msgbox::kOkCancel, title) == msgbox::kCancel)
    answer.clear();
  return Variant(std::move(answer));
}

constexpr BuiltinEntry kDialogs[] = {
    {"inputbox", InputBox, 1, 7},
    {"msgbox", MsgBox, 1, 5},
};

}  // namespace

std::span<const BuiltinEntry> DialogBuiltins() {
  return kDialogs;
}

}  // namespace vks::vbscript
