// Array, LBound, UBound.
#include "platform/automation/VariantConversions.h"
#include "vbscript/Builtins.h"
#include "vbscript/Interpreter.h"

namespace vks::vbscript {
namespace {

Variant ArrayFn(Interpreter&, BuiltinArgs a) {
  return Variant(VariantArray::Vector(0, std::vector<Variant>(a.begin(), a.end())));
}

int Dimension(Interpreter& in, BuiltinArgs a) {
  if (IsMissing(a, 1)) return 1;
  return LongArg(in, a[1]);
}

Variant LBound(Interpreter& in, BuiltinArgs a) {
  if (!a[0].IsArray()) throw AutomationError(error::kTypeMismatch);
  return Variant(a[0].AsArray().LBound(Dimension(in, a)));
}

Variant UBound(Interpreter& in, BuiltinArgs a) {
  if (!a[0].IsArray()) throw AutomationError(error::kTypeMismatch);
  return Variant(a[0].AsArray().UBound(Dimension(in, a)));
}

constexpr BuiltinEntry kArrays[] = {
    {"array", ArrayFn, 0, 127},
    {"lbound", LBound, 1, 2},
    {"ubound", UBound, 1, 2},
};

}  // namespace

std::span<const BuiltinEntry> ArrayBuiltins() {
  return kArrays;
}

}  // namespace vks::vbscript
