// Conversions (CInt, CStr …), Hex/Oct, Fix/Int/Round and the type tests (IsNumeric, TypeName …).
#include <cmath>

#include "platform/automation/DateText.h"
#include "platform/automation/VariantConversions.h"
#include "vbscript/Builtins.h"
#include "vbscript/Interpreter.h"
#include "vbscript/Names.h"
#include "vbscript/Operators.h"

namespace vks::vbscript {
namespace {

Variant Value(Interpreter& in, const Variant& v) {
  if (v.IsNull()) throw AutomationError(error::kInvalidUseOfNull);
  return in.DefaultValue(v);
}

// The argument of a numeric conversion: text must be a number.
Variant Number(Interpreter& in, const Variant& v) {
  Variant value = Value(in, v);
  CheckNumberText(value, in.Locale());
  return value;
}

Variant CBool(Interpreter& in, BuiltinArgs a) {
  Variant v = Value(in, a[0]);
  if (v.Type() == VarType::String) {
    // "#TRUE#" and "#FALSE#" are the Boolean values written as text.
    std::string folded = FoldName(v.AsString());
    if (folded == "#true#") return Variant(true);
    if (folded == "#false#") return Variant(false);
  }
  return Variant(ToBoolean(v, in.Locale()));
}
Variant CByte(Interpreter& in, BuiltinArgs a) {
  Variant v = Number(in, a[0]);
  if (v.Type() == VarType::Boolean)
    return Variant(uint8_t{v.AsBoolean() ? uint8_t{255} : uint8_t{0}});
  return Variant(ToByte(v, in.Locale()));
}
Variant CCur(Interpreter& in, BuiltinArgs a) {
  return Variant(ToCurrency(Number(in, a[0]), in.Locale()));
}
Variant CDate(Interpreter& in, BuiltinArgs a) {
  return Variant(ToDate(Value(in, a[0]), in.Locale()));
}
Variant CDbl(Interpreter& in, BuiltinArgs a) {
  return Variant(ToDouble(Number(in, a[0]), in.Locale()));
}
Variant CInt(Interpreter& in, BuiltinArgs a) {
  return Variant(ToInteger(Number(in, a[0]), in.Locale()));
}
Variant CLng(Interpreter& in, BuiltinArgs a) {
  return Variant(ToLong(Number(in, a[0]), in.Locale()));
}
Variant CSng(Interpreter& in, BuiltinArgs a) {
  return Variant(ToSingle(Number(in, a[0]), in.Locale()));
}
Variant CStr(Interpreter& in, BuiltinArgs a) {
  return Variant(ScriptString(Value(in, a[0]), in.Locale()));
}

Variant Radix(Interpreter& in, const Variant& arg, int bits_per_digit) {
  if (arg.IsNull()) return arg;
  Variant v = in.DefaultValue(arg);
  CheckNumberText(v, in.Locale());
  uint32_t n;
  int width;
  if (v.Type() == VarType::Integer || v.Type() == VarType::Byte || v.Type() == VarType::Boolean ||
      v.Type() == VarType::Empty) {
    n = static_cast<uint16_t>(ToInteger(v, in.Locale()));
    width = 16;
  } else {
    n = static_cast<uint32_t>(ToLong(v, in.Locale()));
    width = 32;
  }
  (void)width;
  if (n == 0) return Variant("0");
  std::string out;
  const char* digits = "0123456789ABCDEF";
  uint32_t mask = (1u << bits_per_digit) - 1;
  while (n) {
    out.insert(out.begin(), digits[n & mask]);
    n >>= bits_per_digit;
  }
  return Variant(out);
}
Variant Hex(Interpreter& in, BuiltinArgs a) {
  return Radix(in, a[0], 4);
}
Variant Oct(Interpreter& in, BuiltinArgs a) {
  return Radix(in, a[0], 3);
}

// Fix and Int keep the subtype; text becomes Double.
Variant Truncate(Interpreter& in, const Variant& arg, bool floor) {
  if (arg.IsNull()) return arg;
  Variant v = in.DefaultValue(arg);
  CheckNumberText(v, in.Locale());
  auto cut = [&](double d) { return floor ? std::floor(d) : std::trunc(d); };
  switch (v.Type()) {
    case VarType::Empty:
      return Variant(int16_t{0});
    case VarType::Boolean:
      return Variant(static_cast<int16_t>(v.AsBoolean() ? -1 : 0));
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
      return v;
    case VarType::Single:
      return Variant(static_cast<float>(cut(v.AsSingle())));
    case VarType::Currency: {
      double d = cut(static_cast<double>(v.AsCurrency().scaled) / 10000.0);
      return Variant(CurrencyValue{static_cast<int64_t>(d) * 10000});
    }
    case VarType::Date:
      return Variant(DateValue{cut(v.AsDate().days)});
    default:
      return Variant(cut(ToDouble(v, in.Locale())));
  }
}
Variant Fix(Interpreter& in, BuiltinArgs a) {
  return Truncate(in, a[0], false);
}
Variant IntFn(Interpreter& in, BuiltinArgs a) {
  return Truncate(in, a[0], true);
}

Variant Round(Interpreter& in, BuiltinArgs a) {
  if (a[0].IsNull()) return a[0];
  Variant v = in.DefaultValue(a[0]);
  CheckNumberText(v, in.Locale());
  int32_t places = IsMissing(a, 1) ? 0 : LongArg(in, a[1]);
  if (places < 0) throw AutomationError(error::kInvalidCall);
  if (v.Type() == VarType::Integer || v.Type() == VarType::Long || v.Type() == VarType::Byte)
    return v;
  if (v.Type() == VarType::Empty) return Variant(int16_t{0});
  if (v.Type() == VarType::Boolean) return v;
  double d = ToDouble(v, in.Locale());
  double r;
  if (places == 0) {
    r = RoundHalfEven(d);
  } else {
    double scale = std::pow(10.0, places > 22 ? 22 : places);
    double scaled = d * scale;
    // Decide the tie on the decimal text, so 2.675 stays what it shows.
    double rounded = RoundHalfEven(std::nearbyint(scaled * 1e6) / 1e6);
    r = std::fabs(scaled) < 1e15 ? rounded / scale : d;
  }
  switch (v.Type()) {
    case VarType::Single:
      return Variant(static_cast<float>(r));
    case VarType::Currency:
      return Variant(ToCurrency(Variant(r)));
    case VarType::Date:
      return Variant(DateValue{r});
    default:
      return Variant(r);
  }
}

Variant IsArray(Interpreter&, BuiltinArgs a) {
  return Variant(a[0].IsArray());
}
Variant IsEmpty(Interpreter&, BuiltinArgs a) {
  return Variant(a[0].IsEmpty());
}
Variant IsNull(Interpreter&, BuiltinArgs a) {
  return Variant(a[0].IsNull());
}
Variant IsObject(Interpreter&, BuiltinArgs a) {
  return Variant(a[0].IsObject());
}

Variant IsNumeric(Interpreter& in, BuiltinArgs a) {
  // An object counts by its default property; one without a default is no number.
  Variant held;
  if (a[0].IsObject()) {
    try {
      held = in.DefaultValue(a[0]);
    } catch (const AutomationError&) {
      return Variant(false);
    }
  }
  const Variant& v = a[0].IsObject() ? held : a[0];
  switch (v.Type()) {
    case VarType::Empty:
    case VarType::Boolean:
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
    case VarType::Single:
    case VarType::Double:
    case VarType::Currency:
      return Variant(true);
    case VarType::String: {
      double d;
      return Variant(ParseNumber(v.AsString(), in.Locale(), d));
    }
    default:
      return Variant(false);
  }
}

Variant IsDate(Interpreter& in, BuiltinArgs a) {
  if (a[0].Type() == VarType::Date) return Variant(true);
  if (a[0].Type() != VarType::String) return Variant(false);
  return Variant(ParseDateText(a[0].AsString(), in.Locale()).has_value());
}

Variant TypeNameFn(Interpreter&, BuiltinArgs a) {
  const Variant& v = a[0];
  switch (v.Type()) {
    case VarType::Empty:
      return Variant("Empty");
    case VarType::Null:
      return Variant("Null");
    case VarType::Integer:
      return Variant("Integer");
    case VarType::Long:
      return Variant("Long");
    case VarType::Single:
      return Variant("Single");
    case VarType::Double:
      return Variant("Double");
    case VarType::Currency:
      return Variant("Currency");
    case VarType::Date:
      return Variant("Date");
    case VarType::String:
      return Variant("String");
    case VarType::Object:
      return v.AsObject() ? Variant(v.AsObject()->TypeName()) : Variant("Nothing");
    case VarType::Error:
      return Variant("Error");
    case VarType::Boolean:
      return Variant("Boolean");
    case VarType::Byte:
      return Variant("Byte");
    default:
      return Variant("Variant()");
  }
}

Variant VarTypeFn(Interpreter&, BuiltinArgs a) {
  return Variant(static_cast<int16_t>(a[0].VarTypeCode()));
}

constexpr BuiltinEntry kConversions[] = {
    {"cbool", CBool, 1, 1, BuiltinUse::ValueOnly},
    {"cbyte", CByte, 1, 1, BuiltinUse::ValueOnly},
    {"ccur", CCur, 1, 1, BuiltinUse::ValueOnly},
    {"cdate", CDate, 1, 1, BuiltinUse::ValueOnly},
    {"cdbl", CDbl, 1, 1, BuiltinUse::ValueOnly},
    {"cint", CInt, 1, 1, BuiltinUse::ValueOnly},
    {"clng", CLng, 1, 1, BuiltinUse::ValueOnly},
    {"csng", CSng, 1, 1, BuiltinUse::ValueOnly},
    {"cstr", CStr, 1, 1, BuiltinUse::ValueOnly},
    {"fix", Fix, 1, 1},
    {"hex", Hex, 1, 1},
    {"int", IntFn, 1, 1},
    {"isarray", IsArray, 1, 1},
    {"isdate", IsDate, 1, 1},
    {"isempty", IsEmpty, 1, 1},
    {"isnull", IsNull, 1, 1},
    {"isnumeric", IsNumeric, 1, 1},
    {"isobject", IsObject, 1, 1},
    {"oct", Oct, 1, 1},
    {"round", Round, 1, 2},
    {"typename", TypeNameFn, 1, 1},
    {"vartype", VarTypeFn, 1, 1},
};

}  // namespace

std::span<const BuiltinEntry> ConversionBuiltins() {
  return kConversions;
}

}  // namespace vks::vbscript
