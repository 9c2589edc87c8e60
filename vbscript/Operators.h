#pragma once
// VBScript's operators on Variants: arithmetic with its promotions (Byte → Integer → Long →
// Double on overflow), Null propagation, comparison rules between numbers, strings and Empty, and
// the logical operators with their three-valued Null logic. Operands are values, never objects
// (the evaluator takes their default members first).
#include "platform/automation/AutomationLocale.h"
#include "platform/automation/Variant.h"
#include "vbscript/Ast.h"

namespace vks::vbscript {

Variant Arithmetic(Op op, const Variant& a, const Variant& b, const AutomationLocale& locale);
Variant Negate(const Variant& a, const AutomationLocale& locale);
Variant LogicalNot(const Variant& a, const AutomationLocale& locale);
Variant Logical(Op op, const Variant& a, const Variant& b, const AutomationLocale& locale);
// `a_literal`/`b_literal`: the operand is a number written in the source, which compares with a
// string as a number.
Variant Compare(Op op, const Variant& a, const Variant& b, const AutomationLocale& locale,
                bool a_literal = false, bool b_literal = false);
// -1, 0, 1, or 2 for Null; text compared by code or (text_mode) without regard to case.
int CompareValues(const Variant& a, const Variant& b, bool text_mode,
                  const AutomationLocale& locale, bool a_literal = false, bool b_literal = false);
Variant Concat(const Variant& a, const Variant& b, const AutomationLocale& locale);
// Text that is no number is error 13 where a number is needed: "True" and "False" are no numbers.
void CheckNumberText(const Variant& v, const AutomationLocale& locale);
// A value as text; the date 0 shows as its time of day.
std::string ScriptString(const Variant& v, const AutomationLocale& locale);

// Ranges of Op, in the order Ast.h declares them.
inline bool IsArithmetic(Op op) {
  return op >= Op::Pow && op <= Op::Sub;
}
inline bool IsComparison(Op op) {
  return op >= Op::Eq && op <= Op::Ge;
}

// True when the value is one of the integer subtypes (Empty and Boolean count as Integer).
bool IsIntegerLike(VarType t);

}  // namespace vks::vbscript
