// clRegistry as a late-binding host reaches it: names in any case, dispatch identifiers, optional
// arguments, by-reference arguments and coercion from the type library, errors with their number,
// source and description.
#include "adapters/com/RegistryComObjekt.h"
#include "fakes/InMemoryRegistryBackend.h"

#include <oleauto.h>

#include <gtest/gtest.h>

#include "adapters/com/VariantConversion.h"
#include "adapters/com/WideText.h"
#include "tests/adapters/com/DispatchCall.h"

namespace vks::com {
namespace {

class RegistryComObjektTest : public ::testing::Test {
 protected:
  void SetUp() override {
    object_ = new RegistryComObjekt(std::make_unique<clRegistry>(backend_, "vks-test"));
  }
  void TearDown() override {
    if (object_) object_->Release();
  }
  InMemoryRegistryBackend backend_;
  RegistryComObjekt* object_ = nullptr;
};

TEST_F(RegistryComObjektTest, HostCallsReachTheClassThroughTheTypeLibrary) {
  const Variant hkcu(static_cast<int32_t>(0x80000001u)), exe("C:\\p.exe");
  const Variant missing(ErrorValue{ErrorValue::kParamNotFound}), datei("Datei"), vks("vks");
  const std::vector<Variant> value_ex = {hkcu, Variant("Software\\Test"), Variant("Name"),
                                         Variant(int32_t{1}), Variant("fehlt")};
  const WORD put = DISPATCH_PROPERTYPUT, call = DISPATCH_METHOD;
  struct Step {
    const wchar_t* name;
    WORD flags;  // 0: a property read or method call
    std::vector<Variant> args;
    HRESULT hr;
    Variant result;
    UINT bad_argument = 0;  // its position in rgvarg (the last argument is 0)
  } steps[] = {
      {L"ClassKey", put, {hkcu}, S_OK, {}},
      {L"sectionkey", put, {Variant("Software\\Test")}, S_OK, {}},
      {L"VALUEKEY", put, {Variant("Name")}, S_OK, {}},
      {L"Value", put, {Variant("Grüße")}, S_OK, {}},
      {L"value", 0, {}, S_OK, Variant("Grüße")},
      {L"ValueType", 0, {}, S_OK, Variant(int32_t{1})},
      {L"KeyExists", 0, {}, S_OK, Variant(true)},
      // An Integer where the type library says Long, a String where it says Variant: coerced.
      {L"ClassKey", put, {Variant(int16_t{0})}, S_OK, {}},
      {L"ClassKey", 0, {}, S_OK, Variant(int32_t{0})},
      {L"ValueEx", 0, value_ex, S_OK, Variant("Grüße")},
      {L"Machine", put, {Variant("ab")}, S_OK, {}},
      {L"Machine", 0, {}, S_OK, Variant("")},
      // Four arguments given, the eight optional ones take their defaults.
      {L"CreateEXEAssociation", call, {exe, Variant("VKS.Datei"), datei, vks}, S_OK, {}},
      {L"CreateKey", call, {Variant(int32_t{1})}, DISP_E_BADPARAMCOUNT, {}},
      {L"CreateEXEAssociation", call, {exe}, DISP_E_BADPARAMCOUNT, {}},
      // A required argument left out in the middle, as a script host marks it.
      {L"CreateEXEAssociation", call, {exe, missing, datei, vks}, DISP_E_PARAMNOTOPTIONAL, {}, 2},
      {L"ClassKey", put, {Variant("kein Schlüssel")}, DISP_E_TYPEMISMATCH, {}},
      {L"GibtEsNicht", 0, {}, DISP_E_UNKNOWNNAME, {}},
      {L"ValueEx", 0, {hkcu, datei, vks, Variant("kein Typ"), {}}, DISP_E_TYPEMISMATCH, {}, 1},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(Narrow(step.name));
    WORD flags = step.flags ? step.flags : WORD(DISPATCH_PROPERTYGET | DISPATCH_METHOD);
    Outcome out = CallWith(object_, step.name, flags, step.args);
    EXPECT_EQ(out.hr, step.hr);
    if (step.hr == S_OK) {
      EXPECT_TRUE(out.result == step.result);
    }
    if (step.hr == DISP_E_TYPEMISMATCH || step.hr == DISP_E_PARAMNOTOPTIONAL) {
      EXPECT_EQ(out.arg_error, step.bad_argument);
    }
  }
  // The defaults that the type library supplied reached the class.
  auto open = backend_.GetValue(static_cast<ERegistryClassConstants>(0x80000000u),
                                "VKS.Datei\\shell\\open", "");
  ASSERT_TRUE(open.ok() && open.value());
  const std::vector<uint8_t>& data = open.value()->data;
  EXPECT_EQ(std::string(data.begin(), data.end()), std::string("&Open", 6));
}

// An error of the class reaches the host as DISP_E_EXCEPTION with the number in the form hosts
// read back (0x800A0000 + n, or the number itself where it is an HRESULT), source and description.
TEST_F(RegistryComObjektTest, ErrorsArriveWithNumberSourceAndDescription) {
  ASSERT_EQ(CallWith(object_, L"SectionKey", DISPATCH_PROPERTYPUT, {Variant("Fehlt\\Hier")}).hr,
            S_OK);
  Outcome deleted = Call(object_, L"DeleteKey", DISPATCH_METHOD, {});
  EXPECT_EQ(deleted.hr, DISP_E_EXCEPTION);
  EXPECT_EQ(deleted.scode, 0x800A6591u);  // 26001
  EXPECT_EQ(deleted.source, "vks-test.cRegistry");
  EXPECT_EQ(deleted.description, "Failed to delete registry Key: '0',Section: 'Fehlt\\Hier");

  Outcome bad_list = CallWith(
      object_, L"CreateAdditionalEXEAssociations", DISPATCH_METHOD,
      {Variant("VKS.Datei"), Variant(VariantArray::Vector(0, {Variant("a"), Variant("b")}))});
  EXPECT_EQ(bad_list.hr, DISP_E_EXCEPTION);
  EXPECT_EQ(bad_list.scode, 0x800469ACu);
  EXPECT_EQ(bad_list.description,
            "Invalid parameter list passed to CreateAdditionalEXEAssociations - expected "
            "Name/Text/Command");
  ISupportErrorInfo* support = nullptr;
  ASSERT_EQ(object_->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support)),
            S_OK);
  EXPECT_EQ(support->InterfaceSupportsErrorInfo(VKSKontoServerV7::IID__clRegistry), S_OK);
  support->Release();
}

}  // namespace
}  // namespace vks::com
