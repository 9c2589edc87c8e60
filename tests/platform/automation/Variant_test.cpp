#include "platform/automation/Variant.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "fakes/ErrorOf.h"
#include "platform/automation/AutomationError.h"

namespace vks {
namespace {

using testing::ErrorOf;

TEST(VariantTest, EqualityIsBitwiseAndTyped) {
  EXPECT_NE(Variant(int16_t{1}), Variant(int32_t{1}));
  EXPECT_NE(Variant(0.0), Variant(-0.0));
  EXPECT_EQ(Variant(std::nan("1")), Variant(std::nan("1")));
  EXPECT_NE(Variant(1.0f), Variant(1.0));
  EXPECT_EQ(Variant("ab"), Variant(std::string("ab")));
}

// Setting a number replaces whatever was held, releasing strings, objects and arrays.
TEST(VariantTest, SettingANumberReplacesAnySubtype) {
  auto object = std::make_shared<int>(0);  // stands in for the object's owner count
  const Variant before[] = {
      Variant(),
      Variant::Null(),
      Variant(int16_t{1}),
      Variant(2),
      Variant(2.5),
      Variant(true),
      Variant("ab"),
      Variant(VariantArray::Vector(0, {Variant(1)})),
      Variant(ObjectRef(std::shared_ptr<Dispatch>(object, nullptr))),
  };
  for (const Variant& b : before) {
    SCOPED_TRACE(b.VarTypeCode());
    Variant v = b;
    v.SetInteger(-3);
    EXPECT_EQ(v, Variant(int16_t{-3}));
    v = b;
    v.SetLong(70000);
    EXPECT_EQ(v, Variant(70000));
    v = b;
    v.SetDouble(-0.0);
    EXPECT_EQ(v, Variant(-0.0));
    v = b;
    v.SetBoolean(false);
    EXPECT_EQ(v, Variant(false));
    EXPECT_EQ(v.OwnsNothing(), true);
    EXPECT_EQ(b.OwnsNothing(), !(b.Type() == VarType::String || b.IsObject() || b.IsArray()));
  }
  EXPECT_EQ(object.use_count(), 2);  // the one in `before` alone
}

// One array assigned over another is copied whole: changing the copy leaves the source alone.
TEST(VariantTest, AssigningAnArrayOverAnArrayCopiesIt) {
  const Variant source(VariantArray::Vector(0, {Variant(1)}));
  Variant copy(VariantArray::Vector(0, {Variant(2), Variant(3)}));
  copy = source;
  copy.AsArray().At(0) = Variant(9);
  EXPECT_EQ(source.AsArray().At(0), Variant(1));
  EXPECT_EQ(copy.AsArray().Elements().size(), 1u);
}

TEST(VariantArrayTest, MultipleDimensionsWithAnyLowerBound) {
  VariantArray grid({{-2, 3}, {5, 2}});  // (-2 To 0, 5 To 6)
  EXPECT_EQ(grid.Dimensions(), 2);
  EXPECT_EQ(grid.LBound(1), -2);
  EXPECT_EQ(grid.UBound(1), 0);
  EXPECT_EQ(grid.LBound(2), 5);
  EXPECT_EQ(grid.UBound(2), 6);
  EXPECT_EQ(grid.size(), 6u);
  const int32_t corner[] = {0, 6};
  grid.At(corner) = Variant(9);
  EXPECT_EQ(grid.Elements().back(), Variant(9));  // first index varies fastest
  const int32_t outside[] = {1, 5};
  EXPECT_EQ(ErrorOf([&] { grid.At(outside); }), 9);
  const int32_t too_few[] = {0};
  EXPECT_EQ(ErrorOf([&] { grid.At(too_few); }), 9);
  EXPECT_EQ(ErrorOf([&] { (void)grid.UBound(3); }), 9);
}

}  // namespace
}  // namespace vks
