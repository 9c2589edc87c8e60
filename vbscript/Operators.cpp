#include "vbscript/Operators.h"

#include <cmath>
#include <limits>

#include "platform/automation/AutomationError.h"
#include "platform/automation/DateText.h"
#include "platform/automation/VariantConversions.h"

namespace vks::vbscript {
namespace {

// Rank of a numeric subtype in the promotion order.
enum Rank { kByte, kInteger, kLong, kSingle, kDouble, kCurrency, kDate };

Rank RankOf(const Variant& v) {
  switch (v.Type()) {
    case VarType::Byte:
      return kByte;
    case VarType::Empty:
    case VarType::Boolean:
    case VarType::Integer:
      return kInteger;
    case VarType::Long:
      return kLong;
    case VarType::Single:
      return kSingle;
    case VarType::Currency:
      return kCurrency;
    case VarType::Date:
      return kDate;
    case VarType::Double:
    case VarType::String:
      return kDouble;
    default:
      throw AutomationError(error::kTypeMismatch);
  }
}

int64_t IntOf(const Variant& v) {
  switch (v.Type()) {
    case VarType::Byte:
      return v.AsByte();
    case VarType::Integer:
      return v.AsInteger();
    case VarType::Long:
      return v.AsLong();
    case VarType::Boolean:
      return v.AsBoolean() ? -1 : 0;
    default:
      return 0;
  }
}

// An integer result in the smallest type at least `rank` that holds it, else Double.
Variant FitInteger(int64_t r, Rank rank) {
  if (rank == kByte && r >= 0 && r <= 255) return Variant(static_cast<uint8_t>(r));
  if (rank <= kInteger && r >= -32768 && r <= 32767) return Variant(static_cast<int16_t>(r));
  if (r >= std::numeric_limits<int32_t>::min() && r <= std::numeric_limits<int32_t>::max())
    return Variant(static_cast<int32_t>(r));
  return Variant(static_cast<double>(r));
}

Variant FloatResult(double r, Rank rank) {
  if (!std::isfinite(r)) throw AutomationError(error::kOverflow);
  switch (rank) {
    case kSingle:
      if (std::fabs(r) > std::numeric_limits<float>::max()) return Variant(r);
      return Variant(static_cast<float>(r));
    case kCurrency:
      return Variant(ToCurrency(Variant(r)));
    case kDate:
      if (r < -657434.0 || r >= 2958466.0) throw AutomationError(error::kOverflow);
      return Variant(DateValue{r});
    default:
      return Variant(r);
  }
}

// Integer division and Mod work on Long (or Integer, or Byte) after rounding.
Rank IntegerOpRank(const Variant& a, const Variant& b) {
  Rank ra = RankOf(a), rb = RankOf(b);
  if (ra == kByte && rb == kByte) return kByte;
  if (ra <= kInteger && rb <= kInteger) return kInteger;
  return kLong;
}

}  // namespace

bool IsIntegerLike(VarType t) {
  return t == VarType::Integer || t == VarType::Long || t == VarType::Byte ||
         t == VarType::Boolean || t == VarType::Empty;
}

void CheckNumberText(const Variant& v, const AutomationLocale& locale) {
  double ignored;
  if (v.Type() == VarType::String && !ParseNumber(v.AsString(), locale, ignored))
    throw AutomationError(error::kTypeMismatch);
}

std::string ScriptString(const Variant& v, const AutomationLocale& locale) {
  if (v.Type() == VarType::Date && v.AsDate().days == 0) return FormatLongTime(v.AsDate(), locale);
  return ToString(v, locale);
}

Variant Arithmetic(Op op, const Variant& a, const Variant& b, const AutomationLocale& locale) {
  if (a.IsNull() || b.IsNull()) return Variant::Null();
  VarType ta = a.Type(), tb = b.Type();
  if (op == Op::Add && ta == VarType::String && (tb == VarType::String || tb == VarType::Empty))
    return Variant(a.AsString() + (tb == VarType::String ? b.AsString() : std::string()));
  if (op == Op::Add && tb == VarType::String && ta == VarType::Empty) return b;
  CheckNumberText(a, locale);
  CheckNumberText(b, locale);
  if (op == Op::Pow) {
    double x = ToDouble(a, locale), y = ToDouble(b, locale);
    if (x < 0 && y != std::floor(y)) throw AutomationError(error::kInvalidCall);
    if (x == 0 && y < 0) throw AutomationError(error::kInvalidCall);
    double r = std::pow(x, y);
    if (!std::isfinite(r)) throw AutomationError(error::kOverflow);
    return Variant(r);
  }
  if (op == Op::IntDiv || op == Op::Mod) {
    Rank rank = IntegerOpRank(a, b);
    int64_t x = ToLong(a, locale), y = ToLong(b, locale);
    if (y == 0) throw AutomationError(error::kDivisionByZero);
    int64_t r = op == Op::IntDiv ? x / y : x % y;
    Variant v = FitInteger(r, rank == kByte ? kByte : rank);
    if (v.Type() == VarType::Double) throw AutomationError(error::kOverflow);
    return v;
  }
  Rank ra = RankOf(a), rb = RankOf(b);
  if (ta == VarType::String) ra = kDouble;
  if (tb == VarType::String) rb = kDouble;
  Rank rank = ra > rb ? ra : rb;
  // Single with Long widens to Double.
  if (rank == kSingle && (ra == kLong || rb == kLong)) rank = kDouble;
  if (op == Op::Div) {
    double x = ToDouble(a, locale), y = ToDouble(b, locale);
    if (y == 0) throw AutomationError(x == 0 ? error::kOverflow : error::kDivisionByZero);
    Rank out = (ra == kSingle && rb <= kSingle) || (rb == kSingle && ra <= kSingle) ? kSingle
               : rank == kCurrency                                                  ? kCurrency
                                                                                    : kDouble;
    return FloatResult(x / y, out);
  }
  if (rank <= kLong) {
    int64_t x = IntOf(a), y = IntOf(b);
    int64_t r = op == Op::Add ? x + y : op == Op::Sub ? x - y : x * y;
    // Boolean with Boolean gives an Integer, Byte with Byte a Byte.
    return FitInteger(r, rank);
  }
  double x = ToDouble(a, locale), y = ToDouble(b, locale);
  double r = op == Op::Add ? x + y : op == Op::Sub ? x - y : x * y;
  if (rank == kDate) {
    // Date minus date is a number of days; date and number stay a date.
    if (op == Op::Sub && ra == kDate && rb == kDate) return FloatResult(r, kDouble);
    if (op == Op::Mul) rank = kDouble;
  }
  return FloatResult(r, rank);
}

Variant Negate(const Variant& a, const AutomationLocale& locale) {
  switch (a.Type()) {
    case VarType::Null:
      return a;
    case VarType::Empty:
      return Variant(int16_t{0});
    case VarType::Byte:
    case VarType::Boolean:
    case VarType::Integer:
      return FitInteger(-IntOf(a), kInteger);
    case VarType::Long:  // stays Long: -32768 written as a literal is a Long
      return FitInteger(-IntOf(a), kLong);
    case VarType::Single:
      return Variant(-a.AsSingle());
    case VarType::Double:
      return Variant(-a.AsDouble());
    case VarType::Currency:
      return Variant(CurrencyValue{-a.AsCurrency().scaled});
    case VarType::Date:
      return FloatResult(-a.AsDate().days, kDate);
    case VarType::String:
      CheckNumberText(a, locale);
      return Variant(-ToDouble(a, locale));
    default:
      throw AutomationError(error::kTypeMismatch);
  }
}

Variant LogicalNot(const Variant& a, const AutomationLocale& locale) {
  switch (a.Type()) {
    case VarType::Null:
      return a;
    case VarType::Boolean:
      return Variant(!a.AsBoolean());
    case VarType::Empty:
      return Variant(int16_t{-1});
    case VarType::Byte:
      return Variant(static_cast<uint8_t>(~a.AsByte()));
    case VarType::Integer:
      return Variant(static_cast<int16_t>(~a.AsInteger()));
    default:
      return Variant(static_cast<int32_t>(~ToLong(a, locale)));
  }
}

Variant Logical(Op op, const Variant& a, const Variant& b, const AutomationLocale& locale) {
  bool an = a.IsNull(), bn = b.IsNull();
  if (an || bn) {
    // Null is "unknown": the result is known only where the other operand decides it.
    const Variant& other = an ? b : a;
    if (an && bn) return Variant::Null();
    int64_t o =
        other.Type() == VarType::Boolean ? (other.AsBoolean() ? -1 : 0) : ToLong(other, locale);
    switch (op) {
      case Op::And:
        if (o == 0)
          return other.Type() == VarType::Boolean ? Variant(false) : FitInteger(0, kInteger);
        return Variant::Null();
      case Op::Or:
        if (o == -1) return other;
        return Variant::Null();
      case Op::Imp:
        if (an && o == -1) return other;         // Null Imp True
        if (bn && o == 0) return Variant(true);  // False Imp Null
        return Variant::Null();
      default:
        return Variant::Null();
    }
  }
  VarType ta = a.Type(), tb = b.Type();
  if (ta == VarType::Boolean && tb == VarType::Boolean) {
    bool x = a.AsBoolean(), y = b.AsBoolean();
    switch (op) {
      case Op::And:
        return Variant(x && y);
      case Op::Or:
        return Variant(x || y);
      case Op::Xor:
        return Variant(x != y);
      case Op::Eqv:
        return Variant(x == y);
      default:
        return Variant(!x || y);
    }
  }
  Rank rank = kLong;
  auto small = [](VarType t) {
    return t == VarType::Boolean || t == VarType::Empty || t == VarType::Integer ||
           t == VarType::Byte;
  };
  if (ta == VarType::Byte && tb == VarType::Byte)
    rank = kByte;
  else if (small(ta) && small(tb))
    rank = kInteger;
  int64_t x = ta == VarType::Boolean ? (a.AsBoolean() ? -1 : 0) : ToLong(a, locale);
  int64_t y = tb == VarType::Boolean ? (b.AsBoolean() ? -1 : 0) : ToLong(b, locale);
  int64_t r;
  switch (op) {
    case Op::And:
      r = x & y;
      break;
    case Op::Or:
      r = x | y;
      break;
    case Op::Xor:
      r = x ^ y;
      break;
    case Op::Eqv:
      r = ~(x ^ y);
      break;
    default:
      r = ~x | y;
      break;
  }
  if (rank == kByte) return Variant(static_cast<uint8_t>(r));
  if (rank == kInteger) return Variant(static_cast<int16_t>(r));
  return Variant(static_cast<int32_t>(r));
}

Variant Concat(const Variant& a, const Variant& b, const AutomationLocale& locale) {
  if (a.IsNull() && b.IsNull()) return Variant::Null();
  std::string s;
  if (a.Type() == VarType::String)
    s = a.AsString();
  else if (!a.IsNull())
    s = ScriptString(a, locale);
  if (b.Type() == VarType::String)
    s += b.AsString();
  else if (!b.IsNull())
    s += ScriptString(b, locale);
  return Variant(std::move(s));
}

}  // namespace vks::vbscript
