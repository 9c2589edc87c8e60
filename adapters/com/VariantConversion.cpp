#include "adapters/com/VariantConversion.h"

#include <oleauto.h>

#include <cmath>
#include <cstring>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "adapters/com/ComValues.h"
#include "platform/automation/AutomationError.h"

namespace vks::com {

namespace {

[[noreturn]] void TypeMismatch() {
  throw AutomationError(error::kTypeMismatch);
}

// Error 28 (out of stack space) or 7 (out of memory), saying which limit the array passed.
[[noreturn]] void ArrayBeyondLimit(int32_t number, const std::string& limit) {
  throw AutomationError(number, "", std::string(ErrorDescription(number)) + ": " + limit);
}
[[noreturn]] void NestedTooDeep() {
  ArrayBeyondLimit(28, "Datenfelder sind tiefer als " + std::to_string(kMaxArrayNesting) +
                           " Ebenen ineinander geschachtelt");
}

// Frees a SAFEARRAY that has not been handed over, with the VARIANTs already filled in it.
struct ArrayGuard {
  SAFEARRAY* array = nullptr;
  bool accessed = false;
  ~ArrayGuard() {
    if (accessed) SafeArrayUnaccessData(array);
    if (array) SafeArrayDestroy(array);
  }
};

void ToVariantAt(const Variant& value, VARIANT& out, ObjectBridge* objects, int depth) {
  switch (value.Type()) {
    case VarType::Empty:
      out.vt = VT_EMPTY;
      return;
    case VarType::Null:
      out.vt = VT_NULL;
      return;
    case VarType::Integer:
      out.iVal = value.AsInteger(), out.vt = VT_I2;
      return;
    case VarType::Long:
      out.lVal = value.AsLong(), out.vt = VT_I4;
      return;
    case VarType::Single:
      out.fltVal = value.AsSingle(), out.vt = VT_R4;
      return;
    case VarType::Double:
      out.dblVal = value.AsDouble(), out.vt = VT_R8;
      return;
    case VarType::Currency:
      out.cyVal.int64 = value.AsCurrency().scaled, out.vt = VT_CY;
      return;
    case VarType::Date:
      out.date = value.AsDate().days, out.vt = VT_DATE;
      return;
    case VarType::Boolean:
      out.boolVal = value.AsBoolean() ? VARIANT_TRUE : VARIANT_FALSE, out.vt = VT_BOOL;
      return;
    case VarType::Byte:
      out.bVal = value.AsByte(), out.vt = VT_UI1;
      return;
    case VarType::Error:
      out.scode = value.AsError().scode, out.vt = VT_ERROR;
      return;
    case VarType::String:
      out.bstrVal = ToBstr(value.AsString()), out.vt = VT_BSTR;
      return;
    case VarType::Object: {
      const ObjectRef& object = value.AsObject();
      if (object && !objects) TypeMismatch();
      out.pdispVal = object ? objects->ToDispatch(object) : nullptr;
      out.vt = VT_DISPATCH;
      return;
    }
    default:
      break;
  }
  // An array: a SAFEARRAY of VARIANTs with the same bounds, the first index varying fastest in
  // both.
  if (depth >= kMaxArrayNesting) NestedTooDeep();
  const VariantArray& array = value.AsArray();
  if (array.Dimensions() == 0) {
    out.parray = nullptr, out.vt = VT_ARRAY | VT_VARIANT;
    return;
  }
  std::vector<SAFEARRAYBOUND> bounds;
  for (const ArrayBound& b : array.Bounds())
    bounds.push_back({static_cast<ULONG>(b.count), static_cast<LONG>(b.lower)});
  ArrayGuard guard;
  guard.array = SafeArrayCreate(VT_VARIANT, static_cast<UINT>(bounds.size()), bounds.data());
  if (!guard.array) throw AutomationError(error::kOutOfMemory);
  VARIANT* elements = nullptr;
  if (FAILED(SafeArrayAccessData(guard.array, reinterpret_cast<void**>(&elements))))
    throw AutomationError(error::kOutOfMemory);
  guard.accessed = true;
  for (size_t i = 0; i < array.size(); ++i)
    ToVariantAt(array.Elements()[i], elements[i], objects, depth + 1);
  SafeArrayUnaccessData(guard.array);
  guard.accessed = false;
  out.parray = std::exchange(guard.array, nullptr), out.vt = VT_ARRAY | VT_VARIANT;
}

Variant FromVariantAt(const VARIANT& in, ObjectBridge* objects, int depth);

// A whole number from a type that Variant lacks: a Long where it fits, else a Double where that
// holds it exactly.
template <class T>
Variant WholeNumber(T n) {
  if (std::in_range<int32_t>(n)) return Variant(static_cast<int32_t>(n));
  double d = static_cast<double>(n);
  constexpr double kLimit = std::is_signed_v<T> ? 0x1p63 : 0x1p64;
  if (d >= kLimit || static_cast<T>(d) != n) throw AutomationError(error::kOverflow);
  return Variant(d);
}

size_t ElementSize(VARTYPE vt) {
  switch (vt) {
    case VT_I1:
    case VT_UI1:
      return 1;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL:
      return 2;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_R4:
    case VT_ERROR:
      return 4;
    case VT_I8:
    case VT_UI8:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
      return 8;
    case VT_BSTR:
    case VT_DISPATCH:
    case VT_UNKNOWN:
      return sizeof(void*);
    case VT_VARIANT:
      return sizeof(VARIANT);
    default:
      return 0;
  }
}

Variant FromArray(VARTYPE element_type, const SAFEARRAY* array, ObjectBridge* objects, int depth) {
  if (depth >= kMaxArrayNesting) NestedTooDeep();
  if (!array) return Variant(VariantArray());
  SAFEARRAY* psa = const_cast<SAFEARRAY*>(array);
  UINT dimensions = SafeArrayGetDim(psa);
  size_t element_size = ElementSize(element_type);
  if (dimensions == 0 || element_size == 0 || SafeArrayGetElemsize(psa) != element_size)
    TypeMismatch();
  // The size is checked before anything is allocated for it.
  std::vector<ArrayBound> bounds;
  int64_t total = 1;
  for (UINT d = 1; d <= dimensions; ++d) {
    LONG lower = 0, upper = 0;
    if (FAILED(SafeArrayGetLBound(psa, d, &lower)) || FAILED(SafeArrayGetUBound(psa, d, &upper)))
      TypeMismatch();
    int64_t count = int64_t{upper} - lower + 1;
    if (count < 0) TypeMismatch();
    total *= count;
    if (total > VariantArray::kMaxElements)
      ArrayBeyondLimit(
          error::kOutOfMemory,
          "ein Datenfeld hat mehr als " + std::to_string(VariantArray::kMaxElements) + " Elemente");
    bounds.push_back({static_cast<int32_t>(lower), static_cast<int32_t>(count)});
  }
  VariantArray result(std::move(bounds));
  char* data = nullptr;
  if (FAILED(SafeArrayAccessData(psa, reinterpret_cast<void**>(&data)))) TypeMismatch();
  try {
    for (size_t i = 0; i < result.size(); ++i) {
      // Each element read as a by-reference VARIANT that points into the array.
      VARIANT element;
      element.vt = VT_BYREF | element_type;
      element.byref = data + i * element_size;
      result.Elements()[i] = FromVariantAt(element, objects, depth + 1);
    }
  } catch (...) {
    SafeArrayUnaccessData(psa);
    throw;
  }
  SafeArrayUnaccessData(psa);
  return Variant(std::move(result));
}

// The value stored at `p`, which need not be aligned for T.
template <class T>
T Load(const void* p) {
  T v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

// The value of type `vt` stored at `p` (the VARIANT's own union or the target of a reference).
Variant FromValue(VARTYPE vt, const void* p, ObjectBridge* objects, int depth) {
  if (vt & VT_ARRAY) return FromArray(vt & VT_TYPEMASK, Load<SAFEARRAY*>(p), objects, depth);
  switch (vt) {
    case VT_EMPTY:
      return Variant();
    case VT_NULL:
      return Variant::Null();
    case VT_I2:
      return Variant(static_cast<int16_t>(Load<SHORT>(p)));
    case VT_I4:
      return Variant(static_cast<int32_t>(Load<LONG>(p)));
    case VT_R4:
      return Variant(Load<FLOAT>(p));
    case VT_R8:
      return Variant(Load<DOUBLE>(p));
    case VT_CY:
      return Variant(CurrencyValue{Load<CY>(p).int64});
    case VT_DATE:
      return Variant(DateValue{Load<DATE>(p)});
    case VT_BOOL:
      return Variant(Load<VARIANT_BOOL>(p) != VARIANT_FALSE);
    case VT_UI1:
      return Variant(static_cast<uint8_t>(Load<BYTE>(p)));
    case VT_ERROR:
      return Variant(ErrorValue{static_cast<int32_t>(Load<SCODE>(p))});
    case VT_I1:
      return Variant(static_cast<int16_t>(Load<CHAR>(p)));
    case VT_UI2:
      return Variant(static_cast<int32_t>(Load<USHORT>(p)));
    case VT_INT:
      return Variant(static_cast<int32_t>(Load<INT>(p)));
    case VT_UI4:
      return WholeNumber(Load<ULONG>(p));
    case VT_UINT:
      return WholeNumber(Load<UINT>(p));
    case VT_I8:
      return WholeNumber(Load<LONGLONG>(p));
    case VT_UI8:
      return WholeNumber(Load<ULONGLONG>(p));
    case VT_BSTR: {
      BSTR b = Load<BSTR>(p);
      return Variant(FromBstr(b));
    }
    case VT_DISPATCH:
    case VT_UNKNOWN: {
      IUnknown* unknown = Load<IUnknown*>(p);
      if (!unknown) return Variant::Nothing();
      IDispatch* dispatch = nullptr;
      if (!objects || FAILED(unknown->QueryInterface(IID_IDispatch, (void**)&dispatch)))
        TypeMismatch();
      ObjectRef object;
      try {
        object = objects->FromDispatch(dispatch);
      } catch (...) {
        dispatch->Release();
        throw;
      }
      dispatch->Release();
      return Variant(std::move(object));
    }
    default:
      TypeMismatch();
  }
}

Variant FromVariantAt(const VARIANT& in, ObjectBridge* objects, int depth) {
  if (!(in.vt & VT_BYREF)) return FromValue(in.vt, &in.lVal, objects, depth);
  if (!in.byref) TypeMismatch();
  VARTYPE target = in.vt & ~VT_BYREF;
  if (target == VT_VARIANT) {
    const VARIANT& inner = *static_cast<const VARIANT*>(in.byref);
    if (inner.vt & VT_BYREF) TypeMismatch();  // a reference to a reference is not automation
    return FromValue(inner.vt, &inner.lVal, objects, depth);
  }
  return FromValue(target, in.byref, objects, depth);
}

}  // namespace

void ToVariant(const Variant& value, VARIANT& out, ObjectBridge* objects) {
  ToVariantAt(value, out, objects, 0);
}

Variant FromVariant(const VARIANT& in, ObjectBridge* objects) {
  return FromVariantAt(in, objects, 0);
}

void StoreByRef(const Variant& value, const VARIANT& ref, ObjectBridge* objects) {
  VARTYPE target = ref.vt & ~VT_BYREF;
  if (!ref.byref) TypeMismatch();
  if (target == VT_VARIANT) {
    VARIANT* slot = ref.pvarVal;
    if (slot->vt & VT_BYREF) return StoreByRef(value, *slot, objects);
    OwnedVariant fresh;
    ToVariant(value, fresh, objects);
    VariantClear(slot);
    *slot = fresh;
    fresh.vt = VT_EMPTY;  // handed over to the slot
    return;
  }
  OwnedVariant fresh;
  ToVariant(value, fresh, objects);
  if (fresh.vt != target) {
    // Arrays only of VARIANTs, as they come from us.
    if ((target & VT_ARRAY) || (fresh.vt & VT_ARRAY)) TypeMismatch();
    HRESULT hr = VariantChangeType(&fresh, &fresh, 0, target);
    if (hr == DISP_E_OVERFLOW) throw AutomationError(error::kOverflow);
    if (FAILED(hr)) TypeMismatch();
  }
  switch (target) {
    case VT_BSTR:
      SysFreeString(*ref.pbstrVal);
      break;
    case VT_DISPATCH:
      if (*ref.ppdispVal) (*ref.ppdispVal)->Release();
      break;
    case VT_ARRAY | VT_VARIANT:
      if (*ref.pparray) SafeArrayDestroy(*ref.pparray);
      break;
    default:
      if (ElementSize(target) == 0) TypeMismatch();
  }
  size_t size = (target & VT_ARRAY) ? sizeof(SAFEARRAY*) : ElementSize(target);
  std::memcpy(ref.byref, &fresh.lVal, size);
  fresh.vt = VT_EMPTY;  // what it owned is the slot's now
}

}  // namespace vks::com
