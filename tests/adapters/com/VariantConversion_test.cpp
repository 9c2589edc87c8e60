// Values across the platform's VARIANT: every subtype there and back unchanged, directly and by
// reference, and clear errors for what cannot cross.
#include "adapters/com/VariantConversion.h"

#include <oleauto.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "fakes/ErrorOf.h"
#include "platform/automation/AutomationError.h"
#include "platform/automation/Dispatch.h"
#include "platform/automation/NoValue.h"
#include "tests/adapters/com/DispatchCall.h"
#include "tools/vks-host-demo/EreignisSenke.h"

namespace vks::com {
namespace {

Variant Array2D() {  // bounds (-1 to 0, 5 to 7), each element naming its place
  VariantArray a({{-1, 2}, {5, 3}});
  for (int32_t j = 5; j <= 7; ++j)
    for (int32_t i = -1; i <= 0; ++i) {
      int32_t at[] = {i, j};
      a.At(at) = Variant(std::to_string(i) + "," + std::to_string(j));
    }
  return Variant(std::move(a));
}

class SomeObject : public Dispatch {
 public:
  std::string TypeName() const override { return "SomeObject"; }
  Variant Invoke(std::string_view, InvokeKind, std::span<Variant>) override { return {}; }
};

using testing::ErrorOf;

struct RoundTrip {
  const char* name;
  Variant value;
  VARTYPE vt;
};

std::vector<RoundTrip> RoundTrips() {
  return {
      {"Empty", Variant(), VT_EMPTY},
      {"Null", Variant::Null(), VT_NULL},
      {"Integer", Variant(int16_t{-32768}), VT_I2},
      {"Long", Variant(std::numeric_limits<int32_t>::min()), VT_I4},
      {"Single NoValue", Variant(NoValue), VT_R4},
      {"Single -0", Variant(-0.0f), VT_R4},
      {"Double", Variant(1.7976931348623157e308), VT_R8},
      {"Double NaN", Variant(std::nan("")), VT_R8},
      {"Currency", Variant(CurrencyValue{std::numeric_limits<int64_t>::min()}), VT_CY},
      {"Date 1 Jan 100", Variant(DateValue{-657434.0}), VT_DATE},
      {"Date with time", Variant(DateValue{45000.999988}), VT_DATE},
      {"String empty", Variant(""), VT_BSTR},
      {"String Windows-1252", Variant("Grüße, 5 € – „Konto“"), VT_BSTR},
      {"String beyond 1252", Variant("数据 😀"), VT_BSTR},
      {"String with NUL", Variant(std::string("a\0b", 3)), VT_BSTR},
      {"Boolean True", Variant(true), VT_BOOL},
      {"Boolean False", Variant(false), VT_BOOL},
      {"Byte", Variant(uint8_t{255}), VT_UI1},
      {"Error (argument left out)", Variant(ErrorValue{ErrorValue::kParamNotFound}), VT_ERROR},
      {"Nothing", Variant::Nothing(), VT_DISPATCH},
      {"Vector", Variant(VariantArray::Vector(1, {Variant(1), Variant("a"), Variant()})),
       VT_ARRAY | VT_VARIANT},
      {"2-D, negative bounds", Array2D(), VT_ARRAY | VT_VARIANT},
      {"no elements", Variant(VariantArray({{0, 0}})), VT_ARRAY | VT_VARIANT},
      {"no dimensions", Variant(VariantArray()), VT_ARRAY | VT_VARIANT},
      {"nested 12 deep", Nested(12), VT_ARRAY | VT_VARIANT},
  };
}

TEST(VariantConversion, EverySubtypeCrossesUnchangedDirectlyAndByReference) {
  for (const auto& row : RoundTrips()) {
    SCOPED_TRACE(row.name);
    OwnedVariant v;
    ToVariant(row.value, v);
    EXPECT_EQ(v.vt, row.vt);
    EXPECT_TRUE(FromVariant(v) == row.value);
    // The same value as a host passes it by reference: to a VARIANT, and to the typed slot.
    VARIANT to_variant;
    to_variant.vt = VT_BYREF | VT_VARIANT;
    to_variant.pvarVal = &v;
    EXPECT_TRUE(FromVariant(to_variant) == row.value);
    if (row.vt != VT_EMPTY && row.vt != VT_NULL) {
      VARIANT to_slot;
      to_slot.vt = VT_BYREF | row.vt;
      to_slot.byref = &v.lVal;
      EXPECT_TRUE(FromVariant(to_slot) == row.value);
    }
  }
}

// What the platform sees of our values: True is -1, arrays keep their bounds per dimension and
// the first index varies fastest, as automation hosts index them.
TEST(VariantConversion, PlatformSeesBoundsAndLayoutAsHostsDo) {
  OwnedVariant t;
  ToVariant(Variant(true), t);
  EXPECT_EQ(t.boolVal, VARIANT_TRUE);
  OwnedVariant a;
  ToVariant(Array2D(), a);
  ASSERT_EQ(SafeArrayGetDim(a.parray), 2u);
  LONG bounds[4];
  SafeArrayGetLBound(a.parray, 1, &bounds[0]);
  SafeArrayGetUBound(a.parray, 1, &bounds[1]);
  SafeArrayGetLBound(a.parray, 2, &bounds[2]);
  SafeArrayGetUBound(a.parray, 2, &bounds[3]);
  EXPECT_EQ(std::vector<LONG>(bounds, bounds + 4), (std::vector<LONG>{-1, 0, 5, 7}));
  VARIANT* data = nullptr;
  ASSERT_EQ(SafeArrayAccessData(a.parray, reinterpret_cast<void**>(&data)), S_OK);
  EXPECT_STREQ(data[1].bstrVal, L"0,5");  // (0, 5): the second element
  EXPECT_STREQ(data[2].bstrVal, L"-1,6");
  SafeArrayUnaccessData(a.parray);
}

// Types that Variant lacks arrive as the nearest one that holds them exactly, or not at all.
TEST(VariantConversion, ForeignTypesArriveExactlyOrAreRefused) {
  struct Row {
    const char* name;
    VARTYPE vt;
    int64_t bits;
    Variant expected;
    int32_t error;
  } rows[] = {
      {"I1", VT_I1, -5, Variant(int16_t{-5}), 0},
      {"UI2", VT_UI2, 65535, Variant(int32_t{65535}), 0},
      {"UI4 beyond Long", VT_UI4, 4000000000, Variant(4000000000.0), 0},
      {"I8 small", VT_I8, -5, Variant(int32_t{-5}), 0},
      {"I8 exact as Double", VT_I8, int64_t{1} << 60, Variant(0x1p60), 0},
      {"I8 not exact", VT_I8, (int64_t{1} << 53) + 1, Variant(), error::kOverflow},
      {"BOOL other than -1", VT_BOOL, 1, Variant(true), 0},
      {"BSTR null", VT_BSTR, 0, Variant(""), 0},
      {"DECIMAL", VT_DECIMAL, 0, Variant(), error::kTypeMismatch},
      {"RECORD", VT_RECORD, 0, Variant(), error::kTypeMismatch},
      {"object without bridge", VT_DISPATCH, 1, Variant(), error::kTypeMismatch},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    VARIANT v;
    VariantInit(&v);
    v.vt = row.vt;
    if (row.vt != VT_DECIMAL) v.llVal = row.bits;
    if (row.vt == VT_DISPATCH) v.pdispVal = reinterpret_cast<IDispatch*>(&v);  // never called
    Variant got;
    EXPECT_EQ(ErrorOf([&] { got = FromVariant(v); }), row.error);
    if (!row.error) {
      EXPECT_TRUE(got == row.expected);
    }
  }
}

TEST(VariantConversion, TypedArraysOfHostsArriveAsArraysOfVariants) {
  SAFEARRAY* strings = SafeArrayCreateVector(VT_BSTR, 1, 2);
  LONG i = 1;
  SafeArrayPutElement(strings, &i, SysAllocString(L"A"));
  i = 2;
  BSTR b = SysAllocString(L"B");
  SafeArrayPutElement(strings, &i, b);
  SysFreeString(b);
  OwnedVariant v;
  v.vt = VT_ARRAY | VT_BSTR;
  v.parray = strings;
  EXPECT_TRUE(FromVariant(v) == Variant(VariantArray::Vector(1, {Variant("A"), Variant("B")})));
}

// Sizes are checked before anything is allocated; nesting is limited both ways; text that is no
// Unicode is refused, never replaced.
TEST(VariantConversion, RefusesWhatCannotCross) {
  SAFEARRAY* huge = nullptr;  // two dimensions of 100 000: ten thousand million elements
  ASSERT_EQ(SafeArrayAllocDescriptorEx(VT_VARIANT, 2, &huge), S_OK);
  huge->rgsabound[0] = {100000, 0};
  huge->rgsabound[1] = {100000, 0};
  VARIANT big;
  big.vt = VT_ARRAY | VT_VARIANT;
  big.parray = huge;
  EXPECT_EQ(ErrorOf([&] { FromVariant(big); }), error::kOutOfMemory);
  SafeArrayDestroyDescriptor(huge);

  OwnedVariant deeper;
  NestedTooDeep(deeper);
  EXPECT_EQ(ErrorOf([&] { FromVariant(deeper); }), 28);
  OwnedVariant out;
  EXPECT_EQ(ErrorOf([&] { ToVariant(Nested(13), out); }), 28);
  EXPECT_EQ(out.vt, VT_EMPTY);

  OwnedVariant lone;
  lone.vt = VT_BSTR;
  lone.bstrVal = SysAllocString(L"a\xD800z");
  EXPECT_EQ(ErrorOf([&] { FromVariant(lone); }), error::kInvalidCall);
  // Invalid UTF-8 deep in an array: nothing is left half made.
  EXPECT_EQ(ErrorOf([&] {
              ToVariant(Variant(VariantArray::Vector(0, {Variant("ok"), Variant("\xFF")})), out);
            }),
            error::kInvalidCall);
  EXPECT_EQ(out.vt, VT_EMPTY);
  EXPECT_EQ(ErrorOf([&] { ToVariant(Variant(ObjectRef(std::make_shared<SomeObject>())), out); }),
            error::kTypeMismatch);
}

// By-reference arguments come back in the caller's own type: a VARIANT slot takes any value, a
// typed slot the value converted, or it refuses and keeps what it held.
TEST(VariantConversion, StoresByReferenceInTheCallersType) {
  struct Row {
    const char* name;
    VARTYPE slot;
    Variant before, stored, after;
    int32_t error;
  } rows[] = {
      {"Variant takes an array", VT_VARIANT, Variant("alt"), Array2D(), Array2D(), 0},
      {"String takes a string", VT_BSTR, Variant("alt"), Variant("neu"), Variant("neu"), 0},
      {"String takes a number", VT_BSTR, Variant("alt"), Variant(int16_t{5}), Variant("5"), 0},
      {"Single takes a Double", VT_R4, Variant(0.0f), Variant(1.5), Variant(1.5f), 0},
      {"Date takes a Date", VT_DATE, Variant(DateValue{1}), Variant(DateValue{2.5}),
       Variant(DateValue{2.5}), 0},
      {"Array slot takes an array", VT_ARRAY | VT_VARIANT, Nested(1), Array2D(), Array2D(), 0},
      {"Integer refuses 40000", VT_I2, Variant(int16_t{3}), Variant(40000), Variant(int16_t{3}),
       error::kOverflow},
      {"Integer refuses text", VT_I2, Variant(int16_t{3}), Variant("abc"), Variant(int16_t{3}),
       error::kTypeMismatch},
      {"Boolean refuses an array", VT_BOOL, Variant(true), Array2D(), Variant(true),
       error::kTypeMismatch},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    OwnedVariant held;  // what the caller's variable holds
    ToVariant(row.before, held);
    VARIANT ref;
    ref.vt = VT_BYREF | row.slot;
    ref.byref = row.slot == VT_VARIANT ? static_cast<void*>(&held) : &held.lVal;
    EXPECT_EQ(ErrorOf([&] { StoreByRef(row.stored, ref); }), row.error);
    EXPECT_TRUE(FromVariant(ref) == row.after);
  }
  // A script passes its variable as a reference to a VARIANT that refers on to a typed slot.
  LONG variable = 1;
  VARIANT inner;
  inner.vt = VT_BYREF | VT_I4;
  inner.plVal = &variable;
  VARIANT outer;
  outer.vt = VT_BYREF | VT_VARIANT;
  outer.pvarVal = &inner;
  StoreByRef(Variant(int16_t{42}), outer);
  EXPECT_EQ(variable, 42);
}

// The seam for object references: our object leaves as the bridge's IDispatch and comes back as
// the same object. Any IDispatch serves as the bridge's: a host's event sink, counting its
// references here.
class TestDispatch : public demo::EreignisSenke {
 public:
  TestDispatch() : EreignisSenke(nullptr) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    const HRESULT hr = EreignisSenke::QueryInterface(iid, out);
    if (SUCCEEDED(hr)) AddRef();
    return hr;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }
  ULONG references = 1;
};

class OneObjectBridge : public ObjectBridge {
 public:
  IDispatch* ToDispatch(const ObjectRef& o) override {
    object = o;
    dispatch.AddRef();
    return &dispatch;
  }
  ObjectRef FromDispatch(IDispatch* d) override {
    if (d != &dispatch) throw AutomationError(error::kTypeMismatch);
    return object;
  }
  TestDispatch dispatch;
  ObjectRef object;
};

TEST(VariantConversion, ObjectsCrossThroughTheBridge) {
  OneObjectBridge bridge;
  Variant ours(ObjectRef(std::make_shared<SomeObject>()));
  {
    OwnedVariant v;
    ToVariant(ours, v, &bridge);
    EXPECT_EQ(v.vt, VT_DISPATCH);
    EXPECT_EQ(bridge.dispatch.references, 2u);
    EXPECT_TRUE(FromVariant(v, &bridge) == ours);
  }
  EXPECT_EQ(bridge.dispatch.references, 1u);  // every reference taken was given back
}

}  // namespace
}  // namespace vks::com
