#include "platform/automation/VariantConversions.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>

#include "platform/automation/AutomationDate.h"
#include "platform/automation/AutomationError.h"
#include "platform/automation/DateText.h"
#include "platform/automation/Dispatch.h"

namespace vks {
namespace {

[[noreturn]] void Fail(int32_t number) {
  throw AutomationError(number);
}

// The value of an object is its default member.
Variant DefaultValue(const Variant& v) {
  const ObjectRef& object = v.AsObject();
  if (!object) Fail(error::kObjectNotSet);
  Variant result = object->Invoke("", InvokeKind::PropertyGet, {});
  if (result.IsObject()) Fail(error::kTypeMismatch);
  return result;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

std::string_view Trim(std::string_view text) {
  size_t begin = text.find_first_not_of(" \t\r\n");
  if (begin == std::string_view::npos) return {};
  size_t end = text.find_last_not_of(" \t\r\n");
  return text.substr(begin, end - begin + 1);
}

// Reads &H / &O literals: up to 16 bits they are Integers, up to 32 bits Longs (so &HFFFF is -1).
bool ParseRadixLiteral(std::string_view text, double& out) {
  if (text.size() < 3 || text[0] != '&') return false;
  int base = 0;
  if (text[1] == 'h' || text[1] == 'H') base = 16;
  if (text[1] == 'o' || text[1] == 'O') base = 8;
  if (base == 0) return false;
  std::string_view digits = text.substr(2);
  if (!digits.empty() && digits.back() == '&') digits.remove_suffix(1);  // Long suffix
  uint64_t value = 0;
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
  if (ec != std::errc() || end != digits.data() + digits.size() || digits.empty()) return false;
  if (value > 0xFFFFFFFFull) return false;
  if (value <= 0xFFFF && (base == 16 ? digits.size() <= 4 : value <= 0177777))
    out = static_cast<int16_t>(static_cast<uint16_t>(value));
  else
    out = static_cast<int32_t>(static_cast<uint32_t>(value));
  return true;
}

// Converts to double where that is exact enough for the integer targets.
double NumericValue(const Variant& v, const AutomationLocale& locale) {
  switch (v.Type()) {
    case VarType::Empty:
      return 0;
    case VarType::Null:
      Fail(error::kInvalidUseOfNull);
    case VarType::Integer:
      return v.AsInteger();
    case VarType::Long:
      return v.AsLong();
    case VarType::Single:
      return v.AsSingle();
    case VarType::Double:
      return v.AsDouble();
    case VarType::Currency:
      return static_cast<double>(v.AsCurrency().scaled) / 10000.0;
    case VarType::Date:
      return v.AsDate().days;
    case VarType::Boolean:
      return v.AsBoolean() ? -1 : 0;
    case VarType::Byte:
      return v.AsByte();
    case VarType::String: {
      double value = 0;
      if (ParseNumber(v.AsString(), locale, value)) return value;
      if (EqualsIgnoringAsciiCase(Trim(v.AsString()), locale.true_name)) return -1;
      if (EqualsIgnoringAsciiCase(Trim(v.AsString()), locale.false_name)) return 0;
      Fail(error::kTypeMismatch);
    }
    case VarType::Object:
      return NumericValue(DefaultValue(v), locale);
    default:
      Fail(error::kTypeMismatch);
  }
}

template <class Int>
Int ToIntegral(const Variant& v, const AutomationLocale& locale, double min, double max) {
  switch (v.Type()) {
    case VarType::Currency: {
      // Exact integer arithmetic: a double cannot hold every 64-bit scaled amount.
      int64_t scaled = v.AsCurrency().scaled;
      int64_t whole = scaled / 10000, rest = scaled % 10000;
      if (rest > 5000 || (rest == 5000 && (whole & 1))) ++whole;
      if (rest < -5000 || (rest == -5000 && (whole & 1))) --whole;
      if (whole < min || whole > max) Fail(error::kOverflow);
      return static_cast<Int>(whole);
    }
    default: {
      double value = NumericValue(v, locale);
      if (!std::isfinite(value)) Fail(error::kOverflow);
      value = RoundHalfEven(value);
      if (value < min || value > max) Fail(error::kOverflow);
      return static_cast<Int>(value);
    }
  }
}

std::string FormatWithPrecision(double value, int precision, const AutomationLocale& locale) {
  if (value == 0) return "0";
  std::string text;
  if (std::isnan(value)) {
    text = "-1.#IND";
  } else if (std::isinf(value)) {
    text = value > 0 ? "1.#INF" : "-1.#INF";
  } else {
    // to_chars, as printf's "%G" would write it in the C locale, whatever the process locale is.
    char buffer[64];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, precision);
    text.assign(buffer, ec == std::errc() ? end : buffer);
    if (size_t e = text.find('e'); e != std::string::npos) text[e] = 'E';
  }
  if (size_t dot = text.find('.'); dot != std::string::npos)
    text.replace(dot, 1, locale.decimal_separator);
  return text;
}

std::string FormatCurrency(CurrencyValue c, const AutomationLocale& locale) {
  bool negative = c.scaled < 0;
  // Magnitude as unsigned: the most negative amount has no positive counterpart.
  uint64_t magnitude =
      negative ? ~static_cast<uint64_t>(c.scaled) + 1 : static_cast<uint64_t>(c.scaled);
  std::string text = (negative ? "-" : "") + std::to_string(magnitude / 10000);
  uint64_t fraction = magnitude % 10000;
  if (fraction != 0) {
    std::string digits = std::to_string(fraction + 10000).substr(1);
    while (digits.back() == '0') digits.pop_back();
    text += locale.decimal_separator + digits;
  }
  return text;
}

}  // namespace

double RoundHalfEven(double value) {
  return std::nearbyint(value);
}

bool ParseNumber(std::string_view text, const AutomationLocale& locale, double& out) {
  text = Trim(text);
  if (text.empty()) return false;
  if (text[0] == '&') return ParseRadixLiteral(text, out);
  std::string normal;
  normal.reserve(text.size());
  size_t i = 0;
  if (text[i] == '+' || text[i] == '-') normal += text[i++];
  bool digits = false, decimal = false;
  while (i < text.size()) {
    std::string_view rest = text.substr(i);
    char c = text[i];
    if (c >= '0' && c <= '9') {
      normal += c;
      digits = true;
      ++i;
    } else if (!decimal && rest.starts_with(locale.decimal_separator)) {
      normal += '.';
      decimal = true;
      i += locale.decimal_separator.size();
    } else if (!decimal && digits && !locale.group_separator.empty() &&
               rest.starts_with(locale.group_separator)) {
      i += locale.group_separator.size();
    } else {
      break;
    }
  }
  if (!digits) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    normal += 'e';
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) normal += text[i++];
    size_t exponent_start = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') normal += text[i++];
    if (i == exponent_start) return false;
  }
  if (i != text.size()) return false;
  std::string_view unsigned_text = normal;
  const bool negative = unsigned_text[0] == '-';
  if (unsigned_text[0] == '+' || negative) unsigned_text.remove_prefix(1);
  double value = 0;
  switch (ReadDecimal(unsigned_text, value)) {
    case DecimalRead::kOk:
      out = negative ? -value : value;
      return true;
    case DecimalRead::kOverflow:
      // Too large is an overflow, not a type mismatch.
      Fail(error::kOverflow);
    case DecimalRead::kInvalid:
      break;
  }
  return false;
}

DecimalRead ReadDecimal(std::string_view text, double& out) {
  if (text.empty() || text[0] == '+' || text[0] == '-') return DecimalRead::kInvalid;
  double value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (end != text.data() + text.size()) return DecimalRead::kInvalid;
  if (ec == std::errc()) {
    out = value;
    return DecimalRead::kOk;
  }
  if (ec != std::errc::result_out_of_range) return DecimalRead::kInvalid;
  // from_chars leaves the value alone when out of range: whether it was too large or too small
  // follows from the decimal exponent of the first significant digit.
  const size_t e = text.find_first_of("eE");
  const std::string_view mantisse = text.substr(0, e);
  const size_t punkt = std::min(mantisse.find('.'), mantisse.size());
  const size_t erste = mantisse.find_first_not_of("0.");
  if (erste == std::string_view::npos) {
    out = 0;
    return DecimalRead::kOk;
  }
  int64_t exponent = erste < punkt ? static_cast<int64_t>(punkt - erste) - 1
                                   : -static_cast<int64_t>(erste - punkt);
  if (e != std::string_view::npos) {
    std::string_view hoch = text.substr(e + 1);
    const bool minus = !hoch.empty() && hoch[0] == '-';
    if (!hoch.empty() && (hoch[0] == '+' || minus)) hoch.remove_prefix(1);
    int64_t n = 0;
    const auto [ende, fehler] = std::from_chars(hoch.data(), hoch.data() + hoch.size(), n);
    // An exponent too long for 64 bits is out of range on its own.
    if (fehler == std::errc::result_out_of_range) n = INT32_MAX;
    exponent += minus ? -n : n;
  }
  if (exponent > 0) return DecimalRead::kOverflow;
  out = 0;
  return DecimalRead::kOk;
}

std::string FormatDouble(double value, const AutomationLocale& locale) {
  return FormatWithPrecision(value, 15, locale);
}

std::string FormatSingle(float value, const AutomationLocale& locale) {
  return FormatWithPrecision(value, 7, locale);
}

int16_t ToInteger(const Variant& v, const AutomationLocale& locale) {
  return ToIntegral<int16_t>(v, locale, INT16_MIN, INT16_MAX);
}

int32_t ToLong(const Variant& v, const AutomationLocale& locale) {
  return ToIntegral<int32_t>(v, locale, INT32_MIN, INT32_MAX);
}

uint8_t ToByte(const Variant& v, const AutomationLocale& locale) {
  return ToIntegral<uint8_t>(v, locale, 0, 255);
}

double ToDouble(const Variant& v, const AutomationLocale& locale) {
  return NumericValue(v, locale);
}

float ToSingle(const Variant& v, const AutomationLocale& locale) {
  if (v.Type() == VarType::Single) return v.AsSingle();
  double value = NumericValue(v, locale);
  if (std::isfinite(value) && std::fabs(value) > FLT_MAX) {
    // Values that round to FLT_MAX still fit.
    if (static_cast<float>(value) == INFINITY || static_cast<float>(value) == -INFINITY)
      Fail(error::kOverflow);
  }
  return static_cast<float>(value);
}

CurrencyValue ToCurrency(const Variant& v, const AutomationLocale& locale) {
  if (v.Type() == VarType::Currency) return v.AsCurrency();
  double value = NumericValue(v, locale);
  double scaled = RoundHalfEven(value * 10000.0);
  // 2^63 is exactly representable; anything at or beyond it overflows.
  if (!std::isfinite(scaled) || scaled >= 9223372036854775808.0 || scaled < -9223372036854775808.0)
    Fail(error::kOverflow);
  return CurrencyValue{static_cast<int64_t>(scaled)};
}

DateValue ToDate(const Variant& v, const AutomationLocale& locale) {
  switch (v.Type()) {
    case VarType::Date:
      return v.AsDate();
    case VarType::String: {
      if (auto date = ParseDateText(v.AsString(), locale)) return *date;
      double value = 0;
      if (!ParseNumber(v.AsString(), locale, value)) Fail(error::kTypeMismatch);
      return ToDate(Variant(value), locale);
    }
    case VarType::Object:
      return ToDate(DefaultValue(v), locale);
    default: {
      double value = NumericValue(v, locale);
      if (!(value >= kMinAutomationDate && value < 2958466.0)) Fail(error::kOverflow);
      return DateValue{value};
    }
  }
}

bool ToBoolean(const Variant& v, const AutomationLocale& locale) {
  if (v.Type() == VarType::Boolean) return v.AsBoolean();
  return NumericValue(v, locale) != 0;
}

std::string ToString(const Variant& v, const AutomationLocale& locale) {
  switch (v.Type()) {
    case VarType::Empty:
      return {};
    case VarType::Null:
      Fail(error::kInvalidUseOfNull);
    case VarType::Integer:
      return std::to_string(v.AsInteger());
    case VarType::Long:
      return std::to_string(v.AsLong());
    case VarType::Byte:
      return std::to_string(v.AsByte());
    case VarType::Single:
      return FormatSingle(v.AsSingle(), locale);
    case VarType::Double:
      return FormatDouble(v.AsDouble(), locale);
    case VarType::Currency:
      return FormatCurrency(v.AsCurrency(), locale);
    case VarType::Date:
      return FormatDateText(v.AsDate(), locale);
    case VarType::Boolean:
      return v.AsBoolean() ? locale.true_name : locale.false_name;
    case VarType::String:
      return v.AsString();
    case VarType::Object:
      return ToString(DefaultValue(v), locale);
    default:
      Fail(error::kTypeMismatch);
  }
}

Variant ChangeType(const Variant& v, VarType type, const AutomationLocale& locale) {
  switch (type) {
    case VarType::Empty:
    case VarType::Null:
    case VarType::Object:
    case VarType::Variant:
      return v;
    case VarType::Integer:
      return ToInteger(v, locale);
    case VarType::Long:
      return ToLong(v, locale);
    case VarType::Single:
      return ToSingle(v, locale);
    case VarType::Double:
      return ToDouble(v, locale);
    case VarType::Currency:
      return ToCurrency(v, locale);
    case VarType::Date:
      return ToDate(v, locale);
    case VarType::String:
      return ToString(v, locale);
    case VarType::Boolean:
      return ToBoolean(v, locale);
    case VarType::Byte:
      return ToByte(v, locale);
    default:
      Fail(error::kTypeMismatch);
  }
}

}  // namespace vks
