#pragma once
// The automation coercions between Variant subtypes, as CInt, CLng, CDbl … perform them: Empty is
// 0,
// "" or False; True is -1; floating point rounds half to even when it becomes an integer; a value
// out of range is error 6 (overflow), a value that cannot be converted error 13 (type mismatch),
// Null error 94. Objects are converted through their default member. Text is read and written with
// the given locale.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/automation/AutomationLocale.h"
#include "platform/automation/Variant.h"

namespace vks {

int16_t ToInteger(const Variant& v, const AutomationLocale& locale = AutomationLocale::Invariant());
int32_t ToLong(const Variant& v, const AutomationLocale& locale = AutomationLocale::Invariant());
uint8_t ToByte(const Variant& v, const AutomationLocale& locale = AutomationLocale::Invariant());
float ToSingle(const Variant& v, const AutomationLocale& locale = AutomationLocale::Invariant());
double ToDouble(const Variant& v, const AutomationLocale& locale = AutomationLocale::Invariant());
CurrencyValue ToCurrency(const Variant& v,
                         const AutomationLocale& locale = AutomationLocale::Invariant());
DateValue ToDate(const Variant& v, const AutomationLocale& locale = AutomationLocale::Invariant());
bool ToBoolean(const Variant& v, const AutomationLocale& locale = AutomationLocale::Invariant());
std::string ToString(const Variant& v,
                     const AutomationLocale& locale = AutomationLocale::Invariant());

// Converts to the given subtype (Empty, Null and Object are returned unchanged for those targets).
Variant ChangeType(const Variant& v, VarType type,
                   const AutomationLocale& locale = AutomationLocale::Invariant());

// Rounds half to even, as every float-to-integer coercion does.
double RoundHalfEven(double value);

// Reads a number written in text: blanks around it, a sign, group separators, the decimal
// separator, an exponent, or &H / &O literals. Returns false when the text is no number.
bool ParseNumber(std::string_view text, const AutomationLocale& locale, double& out);

// Reads a number in the locale-free form of script literals ("12", "1.5", ".5", "2E-3"; no sign,
// no blanks), whatever the process locale says. Beyond Double's range it is kOverflow; below its
// smallest value it becomes 0.
enum class DecimalRead { kOk, kOverflow, kInvalid };
DecimalRead ReadDecimal(std::string_view text, double& out);

// Number as text the way CStr writes it: up to 15 significant digits for Double, 7 for Single,
// exponent form "1E+20" outside the plain range.
std::string FormatDouble(double value, const AutomationLocale& locale);
std::string FormatSingle(float value, const AutomationLocale& locale);

}  // namespace vks
