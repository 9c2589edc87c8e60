// The record arrays that the stored records are made of: their readers refuse the shapes that
// would lose elements, and their writers make what the readers take.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "accounts/RecordArray.h"
#include "fakes/ErrorOf.h"
#include "platform/automation/AutomationError.h"
#include "platform/automation/KeyedDictionary.h"

namespace vks {
namespace {

Variant Vector(int32_t lower, int32_t count) {
  return VariantArray::Vector(lower, std::vector<Variant>(static_cast<size_t>(count)));
}

Variant Matrix() {
  return VariantArray({ArrayBound{0, 3}, ArrayBound{0, 2}});
}

// The store bytes of `values`, one after the other.
std::string Bytes(const std::vector<Variant>& values) {
  std::string bytes;
  for (const Variant& v : values) AppendStoreVariant(bytes, v);
  return bytes;
}

TEST(RecordReaderTest, ReadsPastTheElementsNoFieldTakes) {
  const struct {
    const char* name;
    Variant record;
    int32_t min_elements;
  } cases[] = {
      {"exactly", VariantArray::Vector(0, {int32_t{7}, int32_t{8}}), 2},
      {"a tail of text and arrays",
       VariantArray::Vector(0, {int32_t{7}, int32_t{8}, "Rest", Vector(1, 2), Variant()}), 2},
      {"nothing taken", Vector(0, 4), 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string bytes = Bytes({c.record, Variant("danach")});
    StoreReader in(bytes);
    RecordReader record(in, "Testdatensatz", c.min_elements);
    for (int32_t i = 0; i < c.min_elements; ++i) EXPECT_EQ(in.Long(), 7 + i);
    record.Finish();
    EXPECT_EQ(in.String(), "danach");
    EXPECT_EQ(in.Offset(), bytes.size());
  }
}

TEST(RecordReaderTest, RefusesOtherShapesSayingWhatIsWrong) {
  const struct {
    const char* name;
    Variant record;
    int32_t number;
    std::string description;
  } cases[] = {
      {"Empty", Variant(), 13, "Testdatensatz ist kein eindimensionales Datenfeld"},
      {"Null", Variant::Null(), 13, "Testdatensatz ist kein eindimensionales Datenfeld"},
      {"Long", Variant(int32_t{5}), 13, "Testdatensatz ist kein eindimensionales Datenfeld"},
      {"two dimensions", Matrix(), 13, "Testdatensatz ist kein eindimensionales Datenfeld"},
      {"from 1", Vector(1, 5), 9, "Testdatensatz beginnt bei Index 1 statt 0"},
      {"from -1", Vector(-1, 6), 9, "Testdatensatz beginnt bei Index -1 statt 0"},
      {"one short", Vector(0, 4), 9, "Testdatensatz hat 4 statt mindestens 5 Elemente"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string bytes = Bytes({c.record});
    StoreReader in(bytes);
    const AutomationError e =
        testing::RaisedError([&] { RecordReader record(in, "Testdatensatz", 5); });
    EXPECT_EQ(e.Number(), c.number);
    EXPECT_EQ(e.Description(), c.description);
    EXPECT_EQ(e.Source(), "");
  }
}

TEST(ChildListReaderTest, CountsElementsFromOneOrNone) {
  const struct {
    const char* name;
    Variant list;
    int32_t count;
  } cases[] = {
      {"Empty", Variant(), 0},
      {"a number", Variant(2.0), 0},
      {"text", Variant("abc"), 0},
      {"empty from 1", Vector(1, 0), 0},
      {"empty from 0", Vector(0, 0), 0},
      {"three from 1", VariantArray::Vector(1, {int32_t{1}, int32_t{2}, int32_t{3}}), 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string bytes = Bytes({c.list, Variant(int16_t{99})});
    StoreReader in(bytes);
    ChildListReader list(in, "Tests");
    ASSERT_EQ(list.Count(), c.count);
    for (int32_t i = 1; i <= list.Count(); ++i) EXPECT_EQ(in.Long(), i);
    list.Finish();
    EXPECT_EQ(in.Integer(), 99);  // the element after the list
  }
}

TEST(ChildListReaderTest, RefusesListsThatWouldLoseElements) {
  const struct {
    const char* name;
    Variant list;
    std::string description;
  } cases[] = {
      {"from 0", Vector(0, 2), "Liste der Tests beginnt bei Index 0 statt 1"},
      {"from 2", Vector(2, 2), "Liste der Tests beginnt bei Index 2 statt 1"},
      {"two dimensions", Matrix(), "Liste der Tests ist kein eindimensionales Datenfeld"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string bytes = Bytes({c.list});
    StoreReader in(bytes);
    const AutomationError e = testing::RaisedError([&] { ChildListReader list(in, "Tests"); });
    EXPECT_EQ(e.Number(), 9);
    EXPECT_EQ(e.Description(), c.description);
  }
}

// A record of one Long, enough to nest.
struct Child {
  int32_t value = 0;
  void WriteAllProperties(StoreWriter& out) const {
    out.ArrayHeader(0, 1);
    out.Long(value);
  }
  void ReadAllProperties(StoreReader& in) {
    RecordReader record(in, "Kind", 1);
    value = in.Long();
    record.Finish();
  }
};

TEST(WriteChildListTest, IsEmptyWithoutChildrenElseFromOneInOrder) {
  KeyedDictionary<std::shared_ptr<Child>> children(CompareMode::Text);
  std::string bytes;
  StoreWriter out(bytes);
  WriteChildList(out, children);
  EXPECT_EQ(bytes, Bytes({Variant()}));

  children.Add("b", std::make_shared<Child>(Child{2}));
  children.Add("a", std::make_shared<Child>(Child{1}));
  bytes.clear();
  WriteChildList(out, children);
  EXPECT_EQ(bytes, Bytes({VariantArray::Vector(1, {VariantArray::Vector(0, {int32_t{2}}),
                                                   VariantArray::Vector(0, {int32_t{1}})})}));
}

TEST(RecordVariantTest, IsWhatTheBytesReadBackAndReadsThroughThem) {
  const Variant record = RecordVariant(Child{42});
  EXPECT_TRUE(record == Variant(VariantArray::Vector(0, {int32_t{42}})));

  Child child;
  ReadRecordVariant(child, VariantArray::Vector(0, {"17", Variant()}));
  EXPECT_EQ(child.value, 17);  // coerced as a field, the tail passed over
  EXPECT_EQ(testing::ErrorOf(
                [&] { ReadRecordVariant(child, VariantArray::Vector(0, {Variant::Nothing()})); }),
            13);
}

}  // namespace
}  // namespace vks
