#include <gtest/gtest.h>

#include "fakes/ErrorOf.h"
#include "fakes/InMemoryRegistryBackend.h"
#include "platform/settings/clRegistry.h"

namespace vks {
namespace {

class clRegistryDispatchTest : public ::testing::Test {
 protected:
  Variant Call(std::string_view name, InvokeKind kind, std::vector<Variant> args = {}) {
    return reg_.Invoke(name, kind, args);
  }
  int32_t ErrorOf(std::string_view name, InvokeKind kind, std::vector<Variant> args = {}) {
    return testing::ErrorOf([&] { reg_.Invoke(name, kind, args); });
  }

  InMemoryRegistryBackend backend_;
  clRegistry reg_{backend_, "vks"};
};

TEST_F(clRegistryDispatchTest, PropertiesAndValueThroughLateBinding) {
  Call("classkey", InvokeKind::PropertyLet, {Variant(int16_t{0})});
  Call("ClassKey", InvokeKind::PropertyLet, {Variant(static_cast<int32_t>(HKEY_CURRENT_USER))});
  Call("SECTIONKEY", InvokeKind::PropertyLet, {Variant("Software\\X")});
  Call("ValueKey", InvokeKind::PropertyLet, {Variant("n")});
  Call("ValueType", InvokeKind::PropertyLet, {Variant(int16_t{REG_DWORD})});
  Call("Value", InvokeKind::PropertyLet, {Variant(int16_t{258})});
  EXPECT_EQ(Call("Value", InvokeKind::PropertyGet), Variant(int32_t{258}));
  EXPECT_EQ(Call("KeyExists", InvokeKind::PropertyGet), Variant(true));
  EXPECT_EQ(Call("EnumerateValues", InvokeKind::Method),
            Variant(VariantArray::Vector(1, {Variant("n")})));
  Call("Machine", InvokeKind::PropertyLet, {Variant("pc")});
  EXPECT_EQ(Call("machine", InvokeKind::PropertyGet), Variant(""));
  Call("Default", InvokeKind::PropertyLet, {Variant(int16_t{1})});
  EXPECT_EQ(Call("Default", InvokeKind::PropertyGet), Variant(int16_t{1}));
  std::vector<Variant> ex = {Variant(static_cast<int32_t>(HKEY_CURRENT_USER)),
                             Variant("Software\\X"), Variant("n"), Variant(int32_t{REG_SZ}),
                             Variant()};
  EXPECT_EQ(reg_.Invoke("ValueEx", InvokeKind::PropertyGet, ex), Variant(int32_t{258}));
  EXPECT_EQ(Call("DeleteValue", InvokeKind::Method), Variant(true));
  EXPECT_EQ(Call("DeleteKey", InvokeKind::PropertyGet), Variant(true));
}

TEST_F(clRegistryDispatchTest, OptionalArgumentsLeftOutTakeTheirDefaults) {
  const Variant missing(ErrorValue{ErrorValue::kParamNotFound});
  Call("CreateEXEAssociation", InvokeKind::Method,
       {Variant("/x"), Variant("K"), Variant("D"), Variant("e"), missing, Variant(true)});
  auto print = backend_.GetValue(HKEY_CLASSES_ROOT, "K\\shell\\print", "");
  ASSERT_TRUE(print.ok() && print.value());
  EXPECT_EQ(*print.value(), StringValue("&Print"));
  EXPECT_FALSE(backend_.KeyExists(HKEY_CLASSES_ROOT, "K\\DefaultIcon").value());
}

TEST_F(clRegistryDispatchTest, WrongMembersAndArgumentsAreAutomationErrors) {
  EXPECT_EQ(ErrorOf("Nope", InvokeKind::Method), 438);
  EXPECT_EQ(ErrorOf("KeyExists", InvokeKind::PropertyLet, {Variant(true)}), 450);
  EXPECT_EQ(ErrorOf("CreateKey", InvokeKind::Method, {Variant(1)}), 450);
  EXPECT_EQ(ErrorOf("ValueEx", InvokeKind::PropertyGet, {Variant(1)}), 450);
  EXPECT_EQ(ErrorOf("CreateEXEAssociation", InvokeKind::Method, {Variant("a")}), 450);
  EXPECT_EQ(ErrorOf("ClassKey", InvokeKind::PropertyLet, {Variant("abc")}), 13);
  EXPECT_EQ(ErrorOf("CreateKey", InvokeKind::Method), 26001);  // class key still 0
}

}  // namespace
}  // namespace vks
