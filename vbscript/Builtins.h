#pragma once
// The library of built-in functions and constants, looked up by folded name. Each area keeps its
// functions in its own file and hands its table here.
#include <cstdint>
#include <span>
#include <string_view>

#include "platform/automation/Variant.h"

namespace vks::vbscript {

class Interpreter;

// Arguments arrive evaluated; a left-out one is ErrorValue{kParamNotFound} (see IsMissing).
using BuiltinArgs = std::span<Variant>;
using BuiltinFn = Variant (*)(Interpreter&, BuiltinArgs);

// Where a function may stand: conversions only in a value (as a statement: error 458), Randomize
// only as a statement (as a value: error 13).
enum class BuiltinUse : uint8_t { Anywhere, ValueOnly, StatementOnly };

struct BuiltinEntry {
  const char* name;  // folded
  BuiltinFn fn;
  int8_t min_args;
  int8_t max_args;
  BuiltinUse use = BuiltinUse::Anywhere;
};

const BuiltinEntry* FindBuiltin(std::string_view folded);
// Index into the constant table, or -1.
int FindConstant(std::string_view folded);
Variant ConstantValue(int index);

// The tables of each area.
std::span<const BuiltinEntry> StringBuiltins();
std::span<const BuiltinEntry> ConversionBuiltins();
std::span<const BuiltinEntry> DateBuiltins();
std::span<const BuiltinEntry> MathBuiltins();
std::span<const BuiltinEntry> ArrayBuiltins();
std::span<const BuiltinEntry> ObjectBuiltins();
std::span<const BuiltinEntry> FormatBuiltins();
std::span<const BuiltinEntry> DialogBuiltins();

// Helpers for the library functions.
// A numeric argument: Null is error 94, text that is no number (also "True") error 13, an object
// counts by its default property.
double NumberArg(Interpreter& in, const Variant& v);
int32_t LongArg(Interpreter& in, const Variant& v);
inline bool IsMissing(BuiltinArgs args, size_t i) {
  return i >= args.size() || (args[i].Type() == VarType::Error &&
                              args[i].AsError().scode == ErrorValue::kParamNotFound);
}

}  // namespace vks::vbscript
