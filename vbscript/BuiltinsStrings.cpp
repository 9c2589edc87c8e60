// String functions: Len, Left, Mid, InStr, Replace, Split, Join and the rest.
#include <algorithm>

#include "platform/automation/KeyedDictionary.h"
#include "platform/automation/VariantConversions.h"
#include "platform/automation/Windows1252.h"
#include "vbscript/Builtins.h"
#include "vbscript/Interpreter.h"
#include "vbscript/Utf8.h"

namespace vks::vbscript {
namespace {

std::string Str(Interpreter& in, const Variant& v) {
  if (v.Type() == VarType::String) return v.AsString();
  if (v.IsNull()) throw AutomationError(error::kInvalidUseOfNull);
  return ToString(in.DefaultValue(v), in.Locale());
}

int32_t Int(Interpreter& in, const Variant& v) {
  return LongArg(in, v);
}

// Characters [start, start + count) of s, both in characters.
std::string Sub(const std::string& s, size_t start, size_t count) {
  if (IsAscii(s)) return start >= s.size() ? std::string() : s.substr(start, count);
  size_t b = ByteOffset(s, start);
  size_t e = count == std::string::npos ? s.size() : ByteOffset(s, start + count);
  return s.substr(b, e - b);
}

size_t Chars(const std::string& s) {
  return IsAscii(s) ? s.size() : CharCount(s);
}

std::string Upper(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
      out.push_back(static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c));
      ++i;
      continue;
    }
    size_t len = (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 1;
    uint32_t cp = DecodeFirst(s.substr(i, len));
    if ((cp >= 0xE0 && cp <= 0xFE && cp != 0xF7))
      cp -= 0x20;
    else if (cp == 0xFF)
      cp = 0x178;
    else if (cp == 0x161 || cp == 0x153 || cp == 0x17E)
      cp -= 1;
    out += EncodeUtf8(cp);
    i += len;
  }
  return out;
}

// The compare argument: 0 binary, 1 text, anything else error 5.
bool TextCompare(Interpreter& in, BuiltinArgs a, size_t i) {
  if (IsMissing(a, i)) return false;
  int32_t mode = Int(in, a[i]);
  if (mode != 0 && mode != 1) throw AutomationError(error::kInvalidCall);
  return mode == 1;
}

// A count or length: negative is error 5.
int32_t Count(Interpreter& in, const Variant& v) {
  int32_t n = Int(in, v);
  if (n < 0) throw AutomationError(error::kInvalidCall);
  return n;
}

// Byte position of `what` in `s` from byte `from`, with or without regard to case.
size_t Find(const std::string& s, const std::string& what, size_t from, bool text) {
  if (!text) return s.find(what, from);
  std::string fs = FoldCase(s), fw = FoldCase(what);
  if (fs.size() != s.size()) return s.find(what, from);
  return fs.find(fw, from);
}

Variant Len(Interpreter& in, BuiltinArgs a) {
  if (a[0].IsNull()) return Variant::Null();
  return Variant(static_cast<int32_t>(Chars(Str(in, a[0]))));
}

// The numeric arguments are checked before a Null text makes the result Null.
Variant Left(Interpreter& in, BuiltinArgs a) {
  int32_t n = Count(in, a[1]);
  if (a[0].IsNull()) return Variant::Null();
  return Variant(Sub(Str(in, a[0]), 0, n));
}

Variant Right(Interpreter& in, BuiltinArgs a) {
  int32_t n = Count(in, a[1]);
  if (a[0].IsNull()) return Variant::Null();
  std::string s = Str(in, a[0]);
  size_t len = Chars(s);
  return Variant(static_cast<size_t>(n) >= len ? s : Sub(s, len - n, n));
}

Variant Mid(Interpreter& in, BuiltinArgs a) {
  int32_t start = Int(in, a[1]);
  if (start < 1) throw AutomationError(error::kInvalidCall);
  size_t count = IsMissing(a, 2) ? std::string::npos : Count(in, a[2]);
  if (a[0].IsNull()) return Variant::Null();
  return Variant(Sub(Str(in, a[0]), start - 1, count));
}

Variant InStr(Interpreter& in, BuiltinArgs a) {
  // InStr([start,] s1, s2 [, compare])
  size_t i = 0;
  int32_t start = 1;
  if (a.size() >= 3) {
    start = Int(in, a[0]);
    i = 1;
    if (start < 1) throw AutomationError(error::kInvalidCall);
  }
  bool text = a.size() >= 4 && TextCompare(in, a, 3);
  if (a[i].IsNull() || a[i + 1].IsNull()) return Variant::Null();
  std::string s = Str(in, a[i]), what = Str(in, a[i + 1]);
  size_t from = ByteOffset(s, start - 1);
  if (static_cast<size_t>(start - 1) > Chars(s)) return Variant(int32_t{0});
  if (what.empty()) return Variant(start);
  size_t pos = Find(s, what, from, text);
  if (pos == std::string::npos) return Variant(int32_t{0});
  return Variant(static_cast<int32_t>(CharCount(std::string_view(s).substr(0, pos)) + 1));
}

Variant InStrRev(Interpreter& in, BuiltinArgs a) {
  int32_t start = IsMissing(a, 2) ? -1 : Int(in, a[2]);
  if (start == 0 || start < -1) throw AutomationError(error::kInvalidCall);
  bool text = TextCompare(in, a, 3);
  if (a[0].IsNull() || a[1].IsNull()) return Variant::Null();
  std::string s = Str(in, a[0]), what = Str(in, a[1]);
  size_t len = Chars(s);
  if (start == -1) start = static_cast<int32_t>(len);
  if (static_cast<size_t>(start) > len) return Variant(int32_t{0});
  if (what.empty()) return Variant(start);
  std::string head = Sub(s, 0, start);
  std::string hay = text ? FoldCase(head) : head;
  std::string needle = text ? FoldCase(what) : what;
  size_t pos = hay.rfind(needle);
  if (pos == std::string::npos) return Variant(int32_t{0});
  return Variant(static_cast<int32_t>(CharCount(std::string_view(hay).substr(0, pos)) + 1));
}

Variant LCase(Interpreter& in, BuiltinArgs a) {
  if (a[0].IsNull()) return Variant::Null();
  return Variant(FoldCase(Str(in, a[0])));
}

Variant UCase(Interpreter& in, BuiltinArgs a) {
  if (a[0].IsNull()) return Variant::Null();
  return Variant(Upper(Str(in, a[0])));
}

Variant Trimmed(Interpreter& in, BuiltinArgs a, bool left, bool right) {
  if (a[0].IsNull()) return Variant::Null();
  std::string s = Str(in, a[0]);
  size_t b = 0, e = s.size();
  if (left)
    while (b < e && s[b] == ' ') ++b;
  if (right)
    while (e > b && s[e - 1] == ' ') --e;
  return Variant(s.substr(b, e - b));
}
Variant LTrim(Interpreter& in, BuiltinArgs a) {
  return Trimmed(in, a, true, false);
}
Variant RTrim(Interpreter& in, BuiltinArgs a) {
  return Trimmed(in, a, false, true);
}
Variant Trim(Interpreter& in, BuiltinArgs a) {
  return Trimmed(in, a, true, true);
}

Variant Replace(Interpreter& in, BuiltinArgs a) {
  // Replace(expr, find, with [, start [, count [, compare]]])
  int32_t start = IsMissing(a, 3) ? 1 : Int(in, a[3]);
  if (start < 1) throw AutomationError(error::kInvalidCall);
  int32_t count = IsMissing(a, 4) ? -1 : Int(in, a[4]);
  if (count < -1) throw AutomationError(error::kInvalidCall);
  bool text = TextCompare(in, a, 5);
  if (a[0].IsNull()) return Variant::Null();
  std::string s = Str(in, a[0]), find = Str(in, a[1]), with = Str(in, a[2]);
  // The result starts at `start`, as the language defines it.
  s = Sub(s, start - 1, std::string::npos);
  if (find.empty() || count == 0) return Variant(s);
  std::string out;
  size_t pos = 0;
  int32_t done = 0;
  for (;;) {
    size_t hit = Find(s, find, pos, text);
    if (hit == std::string::npos || (count >= 0 && done >= count)) break;
    out.append(s, pos, hit - pos);
    out += with;
    in.CheckSize(out.size());
    pos = hit + find.size();
    ++done;
  }
  out.append(s, pos, std::string::npos);
  in.Charge(out.size());
  return Variant(std::move(out));
}

Variant Space(Interpreter& in, BuiltinArgs a) {
  int32_t n = Int(in, a[0]);
  if (n < 0) throw AutomationError(error::kInvalidCall);
  in.Charge(static_cast<size_t>(n));
  return Variant(std::string(n, ' '));
}

Variant StringFn(Interpreter& in, BuiltinArgs a) {
  if (a[1].IsNull()) return Variant::Null();
  int32_t n = Int(in, a[0]);
  if (n < 0) throw AutomationError(error::kInvalidCall);
  std::string ch;
  Variant c = in.DefaultValue(a[1]);
  if (c.Type() == VarType::String) {
    if (c.AsString().empty()) throw AutomationError(error::kInvalidCall);
    ch = Sub(c.AsString(), 0, 1);
  } else {
    int32_t code = ToLong(c, in.Locale()) % 256;
    if (code < 0) code += 256;
    ch = Windows1252ToUtf8(std::string(1, static_cast<char>(code)));
  }
  in.Charge(static_cast<size_t>(n) * ch.size());
  std::string out;
  out.reserve(static_cast<size_t>(n) * ch.size());
  for (int32_t i = 0; i < n; ++i) out += ch;
  return Variant(std::move(out));
}

Variant StrComp(Interpreter& in, BuiltinArgs a) {
  if (a[0].IsNull() || a[1].IsNull()) return Variant::Null();
  std::string x = Str(in, a[0]), y = Str(in, a[1]);
  if (TextCompare(in, a, 2)) {
    x = FoldCase(x);
    y = FoldCase(y);
  }
  int c = x.compare(y);
  return Variant(static_cast<int16_t>(c < 0 ? -1 : c > 0 ? 1 : 0));
}

Variant StrReverse(Interpreter& in, BuiltinArgs a) {
  if (a[0].IsNull()) throw AutomationError(error::kInvalidUseOfNull);
  std::string s = Str(in, a[0]);
  if (IsAscii(s)) return Variant(std::string(s.rbegin(), s.rend()));
  std::string out;
  size_t n = CharCount(s);
  for (size_t i = n; i-- > 0;) out += Sub(s, i, 1);
  return Variant(std::move(out));
}

Variant Asc(Interpreter& in, BuiltinArgs a) {
  std::string s = Str(in, a[0]);
  if (s.empty()) throw AutomationError(error::kInvalidCall);
  uint32_t cp = DecodeFirst(s);
  if (cp < 0x80) return Variant(static_cast<int16_t>(cp));
  auto bytes = Utf8ToWindows1252(EncodeUtf8(cp));
  if (!bytes.ok() || bytes.value().empty()) return Variant(int16_t{63});  // '?'
  return Variant(static_cast<int16_t>(static_cast<unsigned char>(bytes.value()[0])));
}

Variant AscW(Interpreter& in, BuiltinArgs a) {
  std::string s = Str(in, a[0]);
  if (s.empty()) throw AutomationError(error::kInvalidCall);
  uint32_t cp = DecodeFirst(s);
  return Variant(static_cast<int16_t>(static_cast<uint16_t>(cp > 0xFFFF ? 0xFFFD : cp)));
}

Variant Chr(Interpreter& in, BuiltinArgs a) {
  int32_t n = Int(in, a[0]);
  if (n < 0 || n > 255) throw AutomationError(error::kInvalidCall);
  return Variant(Windows1252ToUtf8(std::string(1, static_cast<char>(n))));
}

Variant ChrW(Interpreter& in, BuiltinArgs a) {
  int32_t n = Int(in, a[0]);
  if (n < -32768 || n > 65535) throw AutomationError(error::kInvalidCall);
  if (n < 0) n += 65536;
  return Variant(EncodeUtf8(static_cast<uint32_t>(n)));
}

Variant Split(Interpreter& in, BuiltinArgs a) {
  // Split(expr [, delimiter [, count [, compare]]])
  int32_t count = IsMissing(a, 2) ? -1 : Int(in, a[2]);
  if (count < -1) throw AutomationError(error::kInvalidCall);
  bool text = TextCompare(in, a, 3);
  std::string s = Str(in, a[0]);
  std::string delim = IsMissing(a, 1) ? std::string(" ") : Str(in, a[1]);
  std::vector<Variant> parts;
  if (s.empty()) return Variant(VariantArray::Vector(0, {}));
  if (delim.empty()) {
    parts.emplace_back(s);
  } else {
    // Text mode searches the folded text once rather than folding at every search.
    std::string folded_s, folded_delim;
    const std::string* hay = &s;
    const std::string* needle = &delim;
    if (text) {
      folded_s = FoldCase(s);
      folded_delim = FoldCase(delim);
      if (folded_s.size() == s.size() && folded_delim.size() == delim.size()) {
        hay = &folded_s;
        needle = &folded_delim;
      }
    }
    // One allocation for the parts: growing a large vector touches fresh memory at every step.
    size_t n = 1;
    for (size_t at = hay->find(*needle); at != std::string::npos;
         at = hay->find(*needle, at + needle->size()))
      ++n;
    if (count >= 0) n = std::min(n, static_cast<size_t>(count) + 1);
    in.CheckSize(n * sizeof(Variant));
    parts.reserve(n);
    size_t pos = 0;
    for (;;) {
      if (count >= 0 && static_cast<int32_t>(parts.size()) == count - 1) break;
      size_t hit = hay->find(*needle, pos);
      if (hit == std::string::npos) break;
      parts.emplace_back(s.substr(pos, hit - pos));
      pos = hit + delim.size();
    }
    parts.emplace_back(s.substr(pos));
  }
  if (count == 0) parts.clear();
  in.Charge(parts.size() * sizeof(Variant) + s.size());
  return Variant(VariantArray::Vector(0, std::move(parts)));
}

Variant Join(Interpreter& in, BuiltinArgs a) {
  if (!a[0].IsArray()) throw AutomationError(error::kTypeMismatch);
  const VariantArray& arr = a[0].AsArray();
  if (arr.Dimensions() > 1) throw AutomationError(error::kSubscriptOutOfRange);
  std::string delim = IsMissing(a, 1) ? std::string(" ") : Str(in, a[1]);
  std::string out;
  size_t total = 0;
  for (const Variant& v : arr.Elements())
    total += delim.size() + (v.Type() == VarType::String ? v.AsString().size() : 0);
  in.CheckSize(total);
  out.reserve(total);
  bool first = true;
  for (const Variant& v : arr.Elements()) {
    if (!first) out += delim;
    first = false;
    if (!v.IsNull()) out += v.Type() == VarType::String ? v.AsString() : Str(in, v);
    in.CheckSize(out.size());
  }
  in.Charge(out.size());
  return Variant(std::move(out));
}

Variant Filter(Interpreter& in, BuiltinArgs a) {
  // Filter(strings, value [, include [, compare]])
  if (!a[0].IsArray()) throw AutomationError(error::kTypeMismatch);
  std::string what = Str(in, a[1]);
  bool include = IsMissing(a, 2) ? true : ToBoolean(in.DefaultValue(a[2]), in.Locale());
  bool text = TextCompare(in, a, 3);
  std::vector<Variant> out;
  for (const Variant& v : a[0].AsArray().Elements()) {
    std::string s = Str(in, v);
    bool hit = Find(s, what, 0, text) != std::string::npos;
    if (hit == include) out.emplace_back(std::move(s));
  }
  return Variant(VariantArray::Vector(0, std::move(out)));
}

constexpr BuiltinEntry kStrings[] = {
    {"asc", Asc, 1, 1},
    {"ascb", Asc, 1, 1},
    {"ascw", AscW, 1, 1},
    {"chr", Chr, 1, 1},
    {"chrb", Chr, 1, 1},
    {"chrw", ChrW, 1, 1},
    {"filter", Filter, 2, 4},
    {"instr", InStr, 2, 4},
    {"instrrev", InStrRev, 2, 4},
    {"join", Join, 1, 2},
    {"lcase", LCase, 1, 1},
    {"left", Left, 2, 2},
    {"len", Len, 1, 1},
    {"ltrim", LTrim, 1, 1},
    {"mid", Mid, 2, 3},
    {"replace", Replace, 3, 6},
    {"right", Right, 2, 2},
    {"rtrim", RTrim, 1, 1},
    {"space", Space, 1, 1},
    {"split", Split, 1, 4},
    {"strcomp", StrComp, 2, 3},
    {"string", StringFn, 2, 2},
    {"strreverse", StrReverse, 1, 1},
    {"trim", Trim, 1, 1},
    {"ucase", UCase, 1, 1},
};

}  // namespace

std::span<const BuiltinEntry> StringBuiltins() {
  return kStrings;
}

}  // namespace vks::vbscript
