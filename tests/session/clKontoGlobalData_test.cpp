#include "session/clKontoGlobalData.h"

#include <gtest/gtest.h>

#include "fakes/ErrorOf.h"

namespace vks {
namespace {

using testing::ErrorOf;

// Keys, categories and their order are served over the bus and checked there
// (tests/adapters/dbus); here what that test does not ask: reading creates nothing, a plain value's
// key takes no category, and the late-bound calls a rule makes.
TEST(clKontoGlobalDataTest, ReadingCreatesNothingAndAPlainKeyTakesNoCategory) {
  clKontoGlobalData store;
  store.Add("plain", Variant(1.5));
  EXPECT_TRUE(store.Item("y").IsEmpty());
  EXPECT_FALSE(store.KeyExists("y"));
  EXPECT_FALSE(store.AddCategory("PLAIN"));
  EXPECT_EQ(store.Item("plain"), Variant(1.5));
}

TEST(clKontoGlobalDataTest, LateBindingUsesItemAsDefaultMember) {
  auto store = std::make_shared<clKontoGlobalData>();
  std::vector<Variant> let = {Variant("Zaehler"), Variant(int32_t{7})};
  store->Invoke("", InvokeKind::PropertyLet, let);
  std::vector<Variant> get = {Variant("zaehler")};
  EXPECT_EQ(store->Invoke("", InvokeKind::PropertyGet, get), Variant(int32_t{7}));
  std::vector<Variant> category = {Variant("K")};
  EXPECT_EQ(store->Invoke("AddCategory", InvokeKind::Method, category), Variant(true));
  std::vector<Variant> set = {Variant("Ref"), Variant(ObjectRef(store))};
  store->Invoke("Item", InvokeKind::PropertySet, set);
  EXPECT_EQ(store->Item("ref").AsObject(), ObjectRef(store));
  store->RemoveAll();  // breaks the reference cycle made above
  std::vector<Variant> none;
  EXPECT_EQ(ErrorOf([&] { store->Invoke("Nope", InvokeKind::Method, none); }), 438);
  EXPECT_EQ(ErrorOf([&] { store->Invoke("Add", InvokeKind::Method, none); }), 450);
  EXPECT_EQ(store->TypeName(), "clKontoGlobalData");
}

}  // namespace
}  // namespace vks
