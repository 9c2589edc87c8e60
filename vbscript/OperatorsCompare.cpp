// Comparison: numbers with numbers, text with text, Empty as 0 or "", a number against text
// always less (unless the number is written in the source, then the text is read as a number).
#include <cmath>

#include "platform/automation/AutomationError.h"
#include "platform/automation/VariantConversions.h"
#include "vbscript/Names.h"
#include "vbscript/Operators.h"

namespace vks::vbscript {
namespace {

bool IsNumberish(VarType t) {
  switch (t) {
    case VarType::Integer:
    case VarType::Long:
    case VarType::Single:
    case VarType::Double:
    case VarType::Currency:
    case VarType::Date:
    case VarType::Boolean:
    case VarType::Byte:
      return true;
    default:
      return false;
  }
}

int Sign(double d) {
  return d < 0 ? -1 : d > 0 ? 1 : 0;
}

int CompareText(const std::string& a, const std::string& b, bool text_mode) {
  int c = text_mode ? FoldCase(a).compare(FoldCase(b)) : a.compare(b);
  return c < 0 ? -1 : c > 0 ? 1 : 0;
}

int CompareNumbers(const Variant& a, const Variant& b, const AutomationLocale& locale) {
  if (IsIntegerLike(a.Type()) && IsIntegerLike(b.Type())) {
    int64_t x = ToLong(a, locale), y = ToLong(b, locale);
    return x < y ? -1 : x > y ? 1 : 0;
  }
  // A Single against a Double compares in single precision: CSng(0.1) = 0.1.
  if ((a.Type() == VarType::Single && b.Type() == VarType::Double) ||
      (a.Type() == VarType::Double && b.Type() == VarType::Single)) {
    float x = static_cast<float>(ToDouble(a, locale)), y = static_cast<float>(ToDouble(b, locale));
    return x < y ? -1 : x > y ? 1 : 0;
  }
  return Sign(ToDouble(a, locale) - ToDouble(b, locale));
}

}  // namespace

int CompareValues(const Variant& a, const Variant& b, bool text_mode,
                  const AutomationLocale& locale, bool a_literal, bool b_literal) {
  VarType ta = a.Type(), tb = b.Type();
  if (ta == VarType::Null || tb == VarType::Null) return 2;
  if (ta == VarType::String && tb == VarType::String)
    return CompareText(a.AsString(), b.AsString(), text_mode);
  if (ta == VarType::Empty && tb == VarType::Empty) return 0;
  if (ta == VarType::String && tb == VarType::Empty) return a.AsString().empty() ? 0 : 1;
  if (tb == VarType::String && ta == VarType::Empty) return b.AsString().empty() ? 0 : -1;
  bool na = IsNumberish(ta) || ta == VarType::Empty, nb = IsNumberish(tb) || tb == VarType::Empty;
  if (na && nb) return CompareNumbers(a, b, locale);
  if (na && tb == VarType::String) {
    double d;
    if (a_literal && ParseNumber(b.AsString(), locale, d))
      return CompareNumbers(a, Variant(d), locale);
    return -1;
  }
  if (nb && ta == VarType::String) {
    double d;
    if (b_literal && ParseNumber(a.AsString(), locale, d))
      return CompareNumbers(Variant(d), b, locale);
    return 1;
  }
  throw AutomationError(error::kTypeMismatch);
}

Variant Compare(Op op, const Variant& a, const Variant& b, const AutomationLocale& locale,
                bool a_literal, bool b_literal) {
  int c = CompareValues(a, b, false, locale, a_literal, b_literal);
  if (c == 2) return Variant::Null();
  switch (op) {
    case Op::Eq:
      return Variant(c == 0);
    case Op::Ne:
      return Variant(c != 0);
    case Op::Lt:
      return Variant(c < 0);
    case Op::Gt:
      return Variant(c > 0);
    case Op::Le:
      return Variant(c <= 0);
    default:
      return Variant(c >= 0);
  }
}

}  // namespace vks::vbscript
