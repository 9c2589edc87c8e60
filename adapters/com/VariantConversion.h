#pragma once
// Our automation Variant to and from the platform's VARIANT, losslessly for every subtype both
// know: Empty, Null, Integer, Long, Single, Double, Currency, Date, String, Boolean, Byte, Error,
// objects and arrays of Variants with any bounds and dimensions; by-reference VARIANTs are read
// through and written back.
#include <windows.h>

#include <oaidl.h>

#include "platform/automation/Variant.h"

namespace vks::com {

// Object references cross here: the server's object table gives our objects an IDispatch and
// finds ours behind one that a host passes in. Without a bridge only Nothing crosses.
class ObjectBridge {
 public:
  virtual ~ObjectBridge() = default;
  // A new reference to an IDispatch that stands for `object` (not null).
  virtual IDispatch* ToDispatch(const ObjectRef& object) = 0;
  // The object for `dispatch` (not null); throws AutomationError 13 when there is none.
  virtual ObjectRef FromDispatch(IDispatch* dispatch) = 0;
};

// A VARIANT that clears itself.
struct OwnedVariant : VARIANT {
  OwnedVariant() { VariantInit(this); }
  OwnedVariant(const OwnedVariant&) = delete;
  OwnedVariant& operator=(const OwnedVariant&) = delete;
  ~OwnedVariant() { VariantClear(this); }
};

// Arrays within arrays: the same depth as the bus carries, so that what crosses one transport
// crosses the other.
inline constexpr int kMaxArrayNesting = 12;

// Fills `out`, which holds nothing (VariantInit); after an exception it still holds nothing.
// Arrays become SAFEARRAYs of VARIANT (a dynamic array without dimensions a null array).
// Throws AutomationError 13 for an object without a bridge, 5 for text that is not UTF-8, 7 when
// the platform cannot allocate, 28 for arrays nested deeper than kMaxArrayNesting.
void ToVariant(const Variant& value, VARIANT& out, ObjectBridge* objects = nullptr);

// Reads `in`, through VT_BYREF. Arrays of any element type that Variant knows become arrays of
// Variants. Throws AutomationError 13 for a type without a counterpart (VT_I8, VT_DECIMAL, a
// record) or an object without a bridge, 5 for text with a lone surrogate, 7 for an array of more
// than VariantArray::kMaxElements elements (checked before anything is allocated), 28 for arrays
// nested deeper than kMaxArrayNesting.
Variant FromVariant(const VARIANT& in, ObjectBridge* objects = nullptr);

// Stores `value` where the by-reference argument `ref` (VT_BYREF | type) points: a VARIANT slot
// takes it as it is; a typed slot takes it converted to its type by the platform's coercion, or
// refuses with AutomationError 13 and keeps its old value. REQUIRES: ref.vt has VT_BYREF.
void StoreByRef(const Variant& value, const VARIANT& ref, ObjectBridge* objects = nullptr);

}  // namespace vks::com
