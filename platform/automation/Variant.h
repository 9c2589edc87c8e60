#pragma once
// The automation Variant: the one value type that the store file, the host interface and the
// script engine speak. Subtypes and their codes are those of the platform's VARIANT, so that a
// value keeps its subtype through the store and across the bus.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace vks {

enum class VarType : uint16_t {
  Empty = 0,
  Null = 1,
  Integer = 2,
  Long = 3,
  Single = 4,
  Double = 5,
  Currency = 6,
  Date = 7,
  String = 8,
  Object = 9,
  Error = 10,
  Boolean = 11,
  Variant = 12,
  Byte = 17,
  Array = 0x2000,  // flag; arrays hold Variants, so an array's type is Array | Variant
};

// Currency: a fixed-point amount, the value times 10 000.
struct CurrencyValue {
  int64_t scaled = 0;
  friend bool operator==(CurrencyValue, CurrencyValue) = default;
};

// An automation date: days since 30 December 1899, the fraction being the time of day.
struct DateValue {
  double days = 0;
  friend bool operator==(DateValue, DateValue) = default;
};

// The Error subtype; scripts use it for arguments left out (kParamNotFound).
struct ErrorValue {
  int32_t scode = 0;
  static constexpr int32_t kParamNotFound = static_cast<int32_t>(0x80020004u);
  friend bool operator==(ErrorValue, ErrorValue) = default;
};

struct NullValue {
  friend bool operator==(NullValue, NullValue) = default;
};

class Dispatch;
class VariantArray;
using ObjectRef = std::shared_ptr<Dispatch>;  // null pointer = Nothing

class Variant {
 public:
  Variant() = default;
  Variant(NullValue v) : value_(v) {}
  Variant(int16_t v) : value_(v) {}
  Variant(int32_t v) : value_(v) {}
  Variant(float v) : value_(v) {}
  Variant(double v) : value_(v) {}
  Variant(CurrencyValue v) : value_(v) {}
  Variant(DateValue v) : value_(v) {}
  Variant(std::string v) : value_(std::move(v)) {}
  Variant(std::string_view v) : value_(std::string(v)) {}
  Variant(const char* v) : value_(std::string(v)) {}
  Variant(bool v) : value_(v) {}
  Variant(uint8_t v) : value_(v) {}
  Variant(ErrorValue v) : value_(v) {}
  Variant(ObjectRef v) : value_(std::move(v)) {}
  Variant(VariantArray array);

  static Variant Null() { return Variant(NullValue{}); }
  static Variant Nothing() { return Variant(ObjectRef{}); }

  VarType Type() const {
    // In the order of value_'s alternatives; inline because every operator asks it.
    static constexpr VarType kByIndex[] = {
        VarType::Empty,  VarType::Null,     VarType::Integer, VarType::Long,   VarType::Single,
        VarType::Double, VarType::Currency, VarType::Date,    VarType::String, VarType::Boolean,
        VarType::Byte,   VarType::Error,    VarType::Object,  VarType::Array,
    };
    return kByIndex[value_.index()];
  }
  // The VarType number a script's VarType() returns (Array | Variant for arrays).
  uint16_t VarTypeCode() const;
  bool IsEmpty() const { return value_.index() == 0; }
  bool IsNull() const { return std::holds_alternative<NullValue>(value_); }
  bool IsArray() const { return std::holds_alternative<ArrayBox>(value_); }
  bool IsObject() const { return std::holds_alternative<ObjectRef>(value_); }
  bool IsNumeric() const;  // Integer, Long, Single, Double, Currency, Byte (Date and Boolean not)
  // True when the value owns nothing (no string, object or array), so that dropping it without
  // running its destructor loses nothing.
  bool OwnsNothing() const {
    size_t i = value_.index();  // alternatives 8, 12 and 13: string, object, array
    return i != 8 && i < 12;
  }

  // Numbers stored in place: when the Variant already holds that subtype, a plain write instead of
  // the general assignment's destroy and construct.
  void SetInteger(int16_t v) { Set(v); }
  void SetLong(int32_t v) { Set(v); }
  void SetDouble(double v) { Set(v); }
  void SetBoolean(bool v) { Set(v); }

  // The number when the value is of that subtype, else null: a test of the alternative alone,
  // for arithmetic that looks for these three first.
  const int16_t* IfInteger() const { return std::get_if<int16_t>(&value_); }
  const int32_t* IfLong() const { return std::get_if<int32_t>(&value_); }
  const double* IfDouble() const { return std::get_if<double>(&value_); }

  // Direct access; REQUIRES: Type() is the matching subtype.
  int16_t AsInteger() const { return std::get<int16_t>(value_); }
  int32_t AsLong() const { return std::get<int32_t>(value_); }
  float AsSingle() const { return std::get<float>(value_); }
  double AsDouble() const { return std::get<double>(value_); }
  CurrencyValue AsCurrency() const { return std::get<CurrencyValue>(value_); }
  DateValue AsDate() const { return std::get<DateValue>(value_); }
  const std::string& AsString() const { return std::get<std::string>(value_); }
  bool AsBoolean() const { return std::get<bool>(value_); }
  uint8_t AsByte() const { return std::get<uint8_t>(value_); }
  ErrorValue AsError() const { return std::get<ErrorValue>(value_); }
  const ObjectRef& AsObject() const { return std::get<ObjectRef>(value_); }
  const VariantArray& AsArray() const { return *std::get<ArrayBox>(value_).array; }
  VariantArray& AsArray() { return *std::get<ArrayBox>(value_).array; }

  // Same subtype and same value, bit for bit for floating point (NaN equals itself, -0 not +0);
  // arrays element by element, objects by identity. This is identity of stored values, not the
  // script language's "=".
  friend bool operator==(const Variant& a, const Variant& b);

 private:
  template <class T>
  void Set(T v) {
    if (T* p = std::get_if<T>(&value_))
      *p = v;
    else if (OwnsNothing())  // a number or Empty: nothing to destroy
      std::construct_at(&value_, std::in_place_type<T>, v);
    else
      Replace(Variant(v));
  }
  void Replace(Variant v);  // out of line, so that the common cases above stay small

  // Arrays have value semantics: copying a Variant copies its array, as assignment does in scripts.
  struct ArrayBox {
    std::unique_ptr<VariantArray> array;
    ArrayBox() = default;
    explicit ArrayBox(std::unique_ptr<VariantArray> a) : array(std::move(a)) {}
    ArrayBox(const ArrayBox& other);
    ArrayBox& operator=(const ArrayBox& other);
    ArrayBox(ArrayBox&&) noexcept = default;
    ArrayBox& operator=(ArrayBox&&) noexcept = default;
    ~ArrayBox();
  };
  std::variant<std::monostate, NullValue, int16_t, int32_t, float, double, CurrencyValue, DateValue,
               std::string, bool, uint8_t, ErrorValue, ObjectRef, ArrayBox>
      value_;
};

// Bounds of one dimension: `count` elements starting at index `lower`.
struct ArrayBound {
  int32_t lower = 0;
  int32_t count = 0;
  int32_t Upper() const { return static_cast<int32_t>(int64_t{lower} + count - 1); }
  friend bool operator==(ArrayBound, ArrayBound) = default;
};

// A (safe) array of Variants with any number of dimensions and any lower bounds. Elements are kept
// with the first index varying fastest, so that ReDim Preserve of the last dimension keeps every
// element in place.
class VariantArray {
 public:
  // The largest number of elements one array may hold; beyond it ReDim fails with error 7.
  static constexpr int64_t kMaxElements = int64_t{1} << 26;

  VariantArray() = default;  // no dimensions yet (a dynamic array before its first ReDim)
  // Throws AutomationError 7 when too large, 9 for a negative count.
  explicit VariantArray(std::vector<ArrayBound> bounds);
  // One dimension from `lower`, holding `elements`.
  static VariantArray Vector(int32_t lower, std::vector<Variant> elements);

  int Dimensions() const { return static_cast<int>(bounds_.size()); }
  const std::vector<ArrayBound>& Bounds() const { return bounds_; }
  // dimension counts from 1; throws AutomationError 9 when out of range.
  int32_t LBound(int dimension = 1) const;
  int32_t UBound(int dimension = 1) const;
  size_t size() const { return elements_.size(); }

  // Element at the given indices (one per dimension); throws AutomationError 9 when out of range.
  Variant& At(std::span<const int32_t> indices);
  const Variant& At(std::span<const int32_t> indices) const;
  // One-dimensional shorthand.
  Variant& At(int32_t index) { return At(std::span<const int32_t>(&index, 1)); }
  const Variant& At(int32_t index) const { return At(std::span<const int32_t>(&index, 1)); }

  // All elements in storage order (first index fastest).
  std::vector<Variant>& Elements() { return elements_; }
  const std::vector<Variant>& Elements() const { return elements_; }

  // ReDim: new bounds, all elements Empty. ReDim Preserve: only the last dimension may change
  // (else error 9), elements within the new bounds are kept. A fixed array refuses with error 10.
  void ReDim(std::vector<ArrayBound> bounds, bool preserve);
  // Erase: a fixed array's elements become Empty; a dynamic array loses its dimensions.
  void Erase();
  // Fixed arrays (declared with bounds) cannot be redimensioned.
  void SetFixed(bool fixed) { fixed_ = fixed; }
  bool IsFixed() const { return fixed_; }

  friend bool operator==(const VariantArray& a, const VariantArray& b) {
    return a.bounds_ == b.bounds_ && a.elements_ == b.elements_;
  }

 private:
  static size_t CountElements(const std::vector<ArrayBound>& bounds);
  size_t FlatIndex(std::span<const int32_t> indices) const;

  std::vector<ArrayBound> bounds_;
  std::vector<Variant> elements_;
  bool fixed_ = false;
};

}  // namespace vks
