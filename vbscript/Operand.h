#pragma once
// Values on their way through arithmetic: a plain number kept out of a Variant where possible, and
// a Variant made only when one is needed.
#include <new>

#include "platform/automation/Variant.h"

namespace vks::vbscript {

// A Variant made only when needed. Unlike std::optional, whose empty state the compiler clears
// whole, it is set up with one byte, which counts on every step of an arithmetic loop.
class Held {
 public:
  Held() {}
  ~Held() {
    if (engaged_ && !value_.OwnsNothing()) value_.~Variant();
  }
  Held(const Held&) = delete;
  Held& operator=(const Held&) = delete;

  Variant& emplace() {
    if (engaged_) value_.~Variant();
    new (&value_) Variant();
    engaged_ = true;
    return value_;
  }
  Variant& emplace(Variant v) {
    if (engaged_) value_.~Variant();
    engaged_ = false;
    new (&value_) Variant(std::move(v));
    engaged_ = true;
    return value_;
  }
  explicit operator bool() const { return engaged_; }
  Variant& operator*() { return value_; }

 private:
  union {
    Variant value_;
  };
  bool engaged_ = false;
};

// A value on its way through arithmetic: a plain number kept out of a Variant, or a Variant.
// Left unset on construction: whoever fills one sets v, and type with i or d when v is null.
struct Operand {
  VarType type;  // Integer, Long, Double or Boolean (i = -1 or 0) when v is null
  int32_t i;
  double d;
  const Variant* v;
  bool IsNumber() const { return v == nullptr; }
  double Real() const { return type == VarType::Double ? d : static_cast<double>(i); }
  Variant ToVariant() const {
    if (v) return *v;
    if (type == VarType::Double) return Variant(d);
    if (type == VarType::Long) return Variant(i);
    if (type == VarType::Boolean) return Variant(i != 0);
    return Variant(static_cast<int16_t>(i));
  }
  // Stores the number into `slot`; REQUIRES: IsNumber().
  void StoreIn(Variant& slot) const {
    if (type == VarType::Double)
      slot.SetDouble(d);
    else if (type == VarType::Long)
      slot.SetLong(i);
    else if (type == VarType::Boolean)
      slot.SetBoolean(i != 0);
    else
      slot.SetInteger(static_cast<int16_t>(i));
  }
};

// Sets `out` to the number `v` holds when it is an Integer, Long or Double, else points it at `v`.
inline void Classify(const Variant& v, Operand& out) {
  switch (v.Type()) {
    case VarType::Integer:
      out.type = VarType::Integer;
      out.i = v.AsInteger();
      out.v = nullptr;
      return;
    case VarType::Long:
      out.type = VarType::Long;
      out.i = v.AsLong();
      out.v = nullptr;
      return;
    case VarType::Double:
      out.type = VarType::Double;
      out.d = v.AsDouble();
      out.v = nullptr;
      return;
    default:
      out.v = &v;
  }
}

}  // namespace vks::vbscript
