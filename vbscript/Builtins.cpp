#include "vbscript/Builtins.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/automation/VariantConversions.h"
#include "vbscript/Interpreter.h"
#include "vbscript/Operators.h"

namespace vks::vbscript {
namespace {

struct Constant {
  const char* name;  // folded
  enum Kind : uint8_t { Int, Lng, Str, Bool } kind;
  int32_t number;
  const char* text;
};

// Sorted by name.
constexpr Constant kConstants[] = {
    {"vbabort", Constant::Int, 3, nullptr},
    {"vbabortretryignore", Constant::Int, 2, nullptr},
    {"vbapplicationmodal", Constant::Int, 0, nullptr},
    {"vbarray", Constant::Int, 8192, nullptr},
    {"vbback", Constant::Str, 0, "\b"},
    {"vbbinarycompare", Constant::Int, 0, nullptr},
    {"vbblack", Constant::Lng, 0x000000, nullptr},
    {"vbblue", Constant::Lng, 0xFF0000, nullptr},
    {"vbboolean", Constant::Int, 11, nullptr},
    {"vbbyte", Constant::Int, 17, nullptr},
    {"vbcancel", Constant::Int, 2, nullptr},
    {"vbcr", Constant::Str, 0, "\r"},
    {"vbcritical", Constant::Int, 16, nullptr},
    {"vbcrlf", Constant::Str, 0, "\r\n"},
    {"vbcurrency", Constant::Int, 6, nullptr},
    {"vbcyan", Constant::Lng, 0xFFFF00, nullptr},
    {"vbdatabasecompare", Constant::Int, 2, nullptr},
    {"vbdataobject", Constant::Int, 13, nullptr},
    {"vbdate", Constant::Int, 7, nullptr},
    {"vbdecimal", Constant::Int, 14, nullptr},
    {"vbdefaultbutton1", Constant::Int, 0, nullptr},
    {"vbdefaultbutton2", Constant::Int, 256, nullptr},
    {"vbdefaultbutton3", Constant::Int, 512, nullptr},
    {"vbdefaultbutton4", Constant::Int, 768, nullptr},
    {"vbdouble", Constant::Int, 5, nullptr},
    {"vbempty", Constant::Int, 0, nullptr},
    {"vberror", Constant::Int, 10, nullptr},
    {"vbexclamation", Constant::Int, 48, nullptr},
    {"vbfalse", Constant::Int, 0, nullptr},
    {"vbfirstfourdays", Constant::Int, 2, nullptr},
    {"vbfirstfullweek", Constant::Int, 3, nullptr},
    {"vbfirstjan1", Constant::Int, 1, nullptr},
    {"vbformfeed", Constant::Str, 0, "\f"},
    {"vbfriday", Constant::Int, 6, nullptr},
    {"vbgeneraldate", Constant::Int, 0, nullptr},
    {"vbgreen", Constant::Lng, 0x00FF00, nullptr},
    {"vbignore", Constant::Int, 5, nullptr},
    {"vbinformation", Constant::Int, 64, nullptr},
    {"vbinteger", Constant::Int, 2, nullptr},
    {"vblf", Constant::Str, 0, "\n"},
    {"vblong", Constant::Int, 3, nullptr},
    {"vblongdate", Constant::Int, 1, nullptr},
    {"vblongtime", Constant::Int, 3, nullptr},
    {"vbmagenta", Constant::Lng, 0xFF00FF, nullptr},
    {"vbmonday", Constant::Int, 2, nullptr},
    {"vbmsgboxhelpbutton", Constant::Int, 16384, nullptr},
    {"vbmsgboxright", Constant::Lng, 524288, nullptr},
    {"vbmsgboxrtlreading", Constant::Lng, 1048576, nullptr},
    {"vbmsgboxsetforeground", Constant::Lng, 65536, nullptr},
    {"vbnewline", Constant::Str, 0, "\r\n"},
    {"vbno", Constant::Int, 7, nullptr},
    {"vbnull", Constant::Int, 1, nullptr},
    {"vbnullchar", Constant::Str, 0, ""},
    {"vbnullstring", Constant::Str, 0, ""},
    {"vbobject", Constant::Int, 9, nullptr},
    {"vbobjecterror", Constant::Lng, static_cast<int32_t>(0x80040000u), nullptr},
    {"vbok", Constant::Int, 1, nullptr},
    {"vbokcancel", Constant::Int, 1, nullptr},
    {"vbokonly", Constant::Int, 0, nullptr},
    {"vbquestion", Constant::Int, 32, nullptr},
    {"vbred", Constant::Lng, 0x0000FF, nullptr},
    {"vbretry", Constant::Int, 4, nullptr},
    {"vbretrycancel", Constant::Int, 5, nullptr},
    {"vbsaturday", Constant::Int, 7, nullptr},
    {"vbshortdate", Constant::Int, 2, nullptr},
    {"vbshorttime", Constant::Int, 4, nullptr},
    {"vbsingle", Constant::Int, 4, nullptr},
    {"vbstring", Constant::Int, 8, nullptr},
    {"vbsunday", Constant::Int, 1, nullptr},
    {"vbsystemmodal", Constant::Int, 4096, nullptr},
    {"vbtab", Constant::Str, 0, "\t"},
    {"vbtextcompare", Constant::Int, 1, nullptr},
    {"vbthursday", Constant::Int, 5, nullptr},
    {"vbtrue", Constant::Int, -1, nullptr},
    {"vbtuesday", Constant::Int, 3, nullptr},
    {"vbusedefault", Constant::Int, -2, nullptr},
    {"vbusesystem", Constant::Int, 0, nullptr},
    {"vbusesystemdayofweek", Constant::Int, 0, nullptr},
    {"vbvariant", Constant::Int, 12, nullptr},
    {"vbverticaltab", Constant::Str, 0, "\v"},
    {"vbwednesday", Constant::Int, 4, nullptr},
    {"vbwhite", Constant::Lng, 0xFFFFFF, nullptr},
    {"vbyellow", Constant::Lng, 0x00FFFF, nullptr},
    {"vbyes", Constant::Int, 6, nullptr},
    {"vbyesno", Constant::Int, 4, nullptr},
    {"vbyesnocancel", Constant::Int, 3, nullptr},
};

bool NameLess(const char* a, std::string_view b) {
  return std::string_view(a) < b;
}

// One sorted view of every area's table; built once, never changed.
const std::vector<BuiltinEntry>& AllBuiltins() {
  static const std::vector<BuiltinEntry> all = [] {
    std::vector<BuiltinEntry> v;
    for (auto table : {StringBuiltins(), ConversionBuiltins(), DateBuiltins(), MathBuiltins(),
                       ArrayBuiltins(), ObjectBuiltins(), FormatBuiltins(), DialogBuiltins()})
      v.insert(v.end(), table.begin(), table.end());
    std::sort(v.begin(), v.end(), [](const BuiltinEntry& a, const BuiltinEntry& b) {
      return std::strcmp(a.name, b.name) < 0;
    });
    return v;
  }();
  return all;
}

}  // namespace

namespace {
Variant NumericArg(Interpreter& in, const Variant& v) {
  if (v.IsNull()) throw AutomationError(error::kInvalidUseOfNull);
  Variant value = in.DefaultValue(v);
  CheckNumberText(value, in.Locale());
  return value;
}
}  // namespace

double NumberArg(Interpreter& in, const Variant& v) {
  if (const double* d = v.IfDouble()) return *d;
  return ToDouble(NumericArg(in, v), in.Locale());
}

int32_t LongArg(Interpreter& in, const Variant& v) {
  if (const int16_t* i = v.IfInteger()) return *i;
  if (const int32_t* l = v.IfLong()) return *l;
  return ToLong(NumericArg(in, v), in.Locale());
}

const BuiltinEntry* FindBuiltin(std::string_view folded) {
  const auto& all = AllBuiltins();
  auto it = std::lower_bound(
      all.begin(), all.end(), folded,
      [](const BuiltinEntry& e, std::string_view n) { return NameLess(e.name, n); });
  if (it == all.end() || folded != it->name) return nullptr;
  return &*it;
}

int FindConstant(std::string_view folded) {
  if (folded.size() < 3 || folded[0] != 'v' || folded[1] != 'b') return -1;
  auto begin = std::begin(kConstants), end = std::end(kConstants);
  auto it = std::lower_bound(begin, end, folded, [](const Constant& c, std::string_view n) {
    return NameLess(c.name, n);
  });
  if (it == end || folded != it->name) return -1;
  return static_cast<int>(it - begin);
}

Variant ConstantValue(int index) {
  const Constant& c = kConstants[index];
  switch (c.kind) {
    case Constant::Int:
      return Variant(static_cast<int16_t>(c.number));
    case Constant::Lng:
      return Variant(c.number);
    case Constant::Str:
      if (c.text[0] == '\0' && std::string_view(c.name) == "vbnullchar")
        return Variant(std::string(1, '\0'));
      return Variant(c.text);
    default:
      return Variant(c.number != 0);
  }
}

}  // namespace vks::vbscript
