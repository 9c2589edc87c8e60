// Math functions and the random number generator (Rnd, Randomize) with the language's sequence.
#include <algorithm>
#include <bit>
#include <cmath>

#include "platform/automation/VariantConversions.h"
#include "vbscript/Builtins.h"
#include "vbscript/Interpreter.h"
#include "vbscript/Operators.h"

namespace vks::vbscript {
namespace {

double Num(Interpreter& in, const Variant& v) {
  return NumberArg(in, v);
}

Variant Checked(double r) {
  if (!std::isfinite(r)) throw AutomationError(error::kOverflow);
  return Variant(r);
}

Variant Abs(Interpreter& in, BuiltinArgs a) {
  Variant v = in.DefaultValue(a[0]);
  CheckNumberText(v, in.Locale());
  switch (v.Type()) {
    case VarType::Null:
      return v;
    case VarType::Empty:
      return Variant(int16_t{0});
    case VarType::Byte:
      return v;
    case VarType::Boolean:
      return Variant(static_cast<int16_t>(v.AsBoolean() ? 1 : 0));
    case VarType::Integer:
      if (v.AsInteger() == INT16_MIN) return Variant(int32_t{32768});
      return Variant(static_cast<int16_t>(std::abs(v.AsInteger())));
    case VarType::Long:
      if (v.AsLong() == INT32_MIN) return Variant(2147483648.0);
      return Variant(static_cast<int32_t>(std::abs(v.AsLong())));
    case VarType::Single:
      return Variant(std::fabs(v.AsSingle()));
    case VarType::Currency:
      return Variant(CurrencyValue{std::abs(v.AsCurrency().scaled)});
    case VarType::Date:
      return Variant(DateValue{std::fabs(v.AsDate().days)});
    default:
      return Variant(std::fabs(ToDouble(v, in.Locale())));
  }
}

Variant Sgn(Interpreter& in, BuiltinArgs a) {
  double d = Num(in, a[0]);
  return Variant(static_cast<int16_t>(d > 0 ? 1 : d < 0 ? -1 : 0));
}

// RGB(red, green, blue): each part above 255 counts as 255, below 0 is error 5.
Variant Rgb(Interpreter& in, BuiltinArgs a) {
  int32_t color = 0;
  for (int i = 0; i < 3; ++i) {
    int32_t part = LongArg(in, a[i]);
    if (part < 0) throw AutomationError(error::kInvalidCall);
    color |= std::min(part, 255) << (8 * i);
  }
  return Variant(color);
}

Variant Atn(Interpreter& in, BuiltinArgs a) {
  return Checked(std::atan(Num(in, a[0])));
}
Variant Cos(Interpreter& in, BuiltinArgs a) {
  return Checked(std::cos(Num(in, a[0])));
}
Variant Sin(Interpreter& in, BuiltinArgs a) {
  return Checked(std::sin(Num(in, a[0])));
}
Variant Tan(Interpreter& in, BuiltinArgs a) {
  return Checked(std::tan(Num(in, a[0])));
}
Variant Exp(Interpreter& in, BuiltinArgs a) {
  return Checked(std::exp(Num(in, a[0])));
}

Variant Log(Interpreter& in, BuiltinArgs a) {
  double d = Num(in, a[0]);
  if (d <= 0) throw AutomationError(error::kInvalidCall);
  return Checked(std::log(d));
}

Variant Sqr(Interpreter& in, BuiltinArgs a) {
  double d = Num(in, a[0]);
  if (d < 0) throw AutomationError(error::kInvalidCall);
  return Checked(std::sqrt(d));
}

// The 24-bit linear congruential generator of the language: seed' = seed * 0x43FD43FD + 0xC39EC3.
float NextRnd(uint32_t& seed) {
  seed = (seed * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFFu;
  return static_cast<float>(seed) / 16777216.0f;
}

Variant Rnd(Interpreter& in, BuiltinArgs a) {
  if (!IsMissing(a, 0)) {
    float n = static_cast<float>(Num(in, a[0]));
    if (n == 0) {
      if (in.rnd_drawn) return Variant(in.last_rnd);
      uint32_t seed = in.rnd_seed;  // nothing drawn yet: the number the sequence starts with
      return Variant(NextRnd(seed));
    }
    if (n < 0) {
      // A negative argument restarts the sequence from its bits, so equal arguments repeat.
      uint32_t bits = std::bit_cast<uint32_t>(n);
      in.rnd_seed = (bits + (bits >> 24)) & 0xFFFFFFu;
    }
  }
  in.last_rnd = NextRnd(in.rnd_seed);
  in.rnd_drawn = true;
  return Variant(in.last_rnd);
}

Variant Randomize(Interpreter& in, BuiltinArgs a) {
  double n;
  if (IsMissing(a, 0)) {
    double now = in.Clock()();
    n = (now - std::floor(now)) * 86400.0;
  } else {
    n = Num(in, a[0]);
  }
  uint64_t bits = std::bit_cast<uint64_t>(n);
  uint32_t mixed = static_cast<uint32_t>(bits >> 32) ^ static_cast<uint32_t>(bits);
  mixed = ((mixed & 0xFFFF) ^ (mixed >> 16)) << 8;
  in.rnd_seed = (in.rnd_seed & 0xFF) | (mixed & 0xFFFF00u);
  return {};
}

constexpr BuiltinEntry kMath[] = {
    {"abs", Abs, 1, 1}, {"atn", Atn, 1, 1},
    {"cos", Cos, 1, 1}, {"exp", Exp, 1, 1},
    {"log", Log, 1, 1}, {"randomize", Randomize, 0, 1, BuiltinUse::StatementOnly},
    {"rgb", Rgb, 3, 3}, {"rnd", Rnd, 0, 1},
    {"sgn", Sgn, 1, 1}, {"sin", Sin, 1, 1},
    {"sqr", Sqr, 1, 1}, {"tan", Tan, 1, 1},
};

}  // namespace

std::span<const BuiltinEntry> MathBuiltins() {
  return kMath;
}

}  // namespace vks::vbscript
