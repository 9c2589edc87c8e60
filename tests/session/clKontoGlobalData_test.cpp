#include "session/clKontoGlobalData.h"

#include <gtest/gtest.h>

#include "fakes/ErrorOf.h"

namespace vks {
namespace {

using testing::ErrorOf;

// Keys differ only beyond case and keep the order added: Add refuses a key already there, Item
// reads without creating and writes create or replace, Remove ignores a missing key.
TEST(clKontoGlobalDataTest, KeysIgnoreCaseAndKeepTheirOrder) {
  clKontoGlobalData store;
  store.Add("b", Variant(int16_t{1}));
  EXPECT_EQ(ErrorOf([&] { store.Add("B", Variant(int16_t{2})); }), 457);
  EXPECT_EQ(store.Item("B"), Variant(int16_t{1}));
  EXPECT_TRUE(store.Item("y").IsEmpty());
  EXPECT_FALSE(store.KeyExists("y"));
  store.Item("a", Variant("alt"));
  store.Item("A", Variant("neu"));
  store.Item("c", Variant("c"));
  EXPECT_EQ(store.Item("a"), Variant("neu"));
  store.Remove("nirgends");
  EXPECT_EQ(store.GetAllKeys(),
            Variant(VariantArray::Vector(0, {Variant("b"), Variant("a"), Variant("c")})));
  store.Remove("A");
  EXPECT_EQ(store.GetAllKeys(), Variant(VariantArray::Vector(0, {Variant("b"), Variant("c")})));
}

TEST(clKontoGlobalDataTest, CategoriesAreStoresOfTheirOwnHeldByReference) {
  clKontoGlobalData store;
  store.Add("plain", Variant(1.5));
  EXPECT_TRUE(store.AddCategory("Trades"));
  EXPECT_FALSE(store.AddCategory("TRADES"));
  EXPECT_FALSE(store.AddCategory("plain"));
  Variant trades = store.Item("trades");
  ASSERT_TRUE(trades.IsObject());
  auto* category = dynamic_cast<clKontoGlobalData*>(trades.AsObject().get());
  ASSERT_NE(category, nullptr);
  category->Item("n", Variant(int32_t{3}));
  EXPECT_EQ(dynamic_cast<clKontoGlobalData&>(*store.Item("Trades").AsObject()).Item("N"),
            Variant(int32_t{3}));
  EXPECT_FALSE(store.KeyExists("n"));
  // Emptying the store leaves a category that is referenced elsewhere intact.
  store.RemoveAll();
  EXPECT_EQ(category->Item("n"), Variant(int32_t{3}));
  EXPECT_EQ(store.GetAllKeys(), Variant(VariantArray::Vector(0, {})));
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
