#include "accounts/RecordArray.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/automation/AutomationError.h"

namespace vks {
namespace {

Variant Vector(int32_t lower, int32_t count) {
  return VariantArray::Vector(lower, std::vector<Variant>(static_cast<size_t>(count)));
}

Variant Matrix() {
  return VariantArray({ArrayBound{0, 3}, ArrayBound{0, 2}});
}

TEST(RecordElementsTest, AcceptsOneDimensionFromZeroWithEnoughElements) {
  const Variant record = Vector(0, 5);
  EXPECT_EQ(&RecordElements(record, "Testdatensatz", 5), &record.AsArray());
  EXPECT_EQ(&RecordElements(record, "Testdatensatz", 0), &record.AsArray());
}

TEST(RecordElementsTest, RefusesOtherShapesSayingWhatIsWrong) {
  struct Case {
    const char* name;
    Variant record;
    int32_t number;
    std::string description;
  };
  const Case cases[] = {
      {"Empty", Variant(), 13, "Testdatensatz ist kein eindimensionales Datenfeld"},
      {"Null", Variant::Null(), 13, "Testdatensatz ist kein eindimensionales Datenfeld"},
      {"Long", Variant(int32_t{5}), 13, "Testdatensatz ist kein eindimensionales Datenfeld"},
      {"two dimensions", Matrix(), 13, "Testdatensatz ist kein eindimensionales Datenfeld"},
      {"array without dimensions", VariantArray(), 13,
       "Testdatensatz ist kein eindimensionales Datenfeld"},
      {"from 1", Vector(1, 5), 9, "Testdatensatz beginnt bei Index 1 statt 0"},
      {"from -1", Vector(-1, 6), 9, "Testdatensatz beginnt bei Index -1 statt 0"},
      {"one short", Vector(0, 4), 9, "Testdatensatz hat 4 statt mindestens 5 Elemente"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      (void)RecordElements(c.record, "Testdatensatz", 5);
      ADD_FAILURE() << "no error";
    } catch (const AutomationError& e) {
      EXPECT_EQ(e.Number(), c.number);
      EXPECT_EQ(e.Description(), c.description);
      EXPECT_EQ(e.Source(), "");
    }
  }
}

TEST(ChildRecordsTest, ListsElementsFromOneOrNothing) {
  struct Case {
    const char* name;
    Variant list;
    size_t count;
  };
  const Case cases[] = {
      {"Empty", Variant(), 0},
      {"a number", Variant(2.0), 0},
      {"text", Variant("abc"), 0},
      {"empty from 1", Vector(1, 0), 0},
      {"empty from 0", Vector(0, 0), 0},
      {"three from 1", VariantArray::Vector(1, {int32_t{1}, int32_t{2}, int32_t{3}}), 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<const Variant*> records = ChildRecords(c.list, "Tests");
    ASSERT_EQ(records.size(), c.count);
    for (size_t i = 0; i < records.size(); ++i) {
      EXPECT_EQ(records[i], &c.list.AsArray().At(static_cast<int32_t>(i + 1)));
    }
  }
}

TEST(ChildRecordsTest, RefusesListsThatWouldLoseElements) {
  struct Case {
    const char* name;
    Variant list;
    std::string description;
  };
  const Case cases[] = {
      {"from 0", Vector(0, 2), "Liste der Tests beginnt bei Index 0 statt 1"},
      {"from 2", Vector(2, 2), "Liste der Tests beginnt bei Index 2 statt 1"},
      {"two dimensions", Matrix(), "Liste der Tests ist kein eindimensionales Datenfeld"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      (void)ChildRecords(c.list, "Tests");
      ADD_FAILURE() << "no error";
    } catch (const AutomationError& e) {
      EXPECT_EQ(e.Number(), 9);
      EXPECT_EQ(e.Description(), c.description);
    }
  }
}

TEST(ChildRecordListTest, IsEmptyWithoutChildrenElseFromOne) {
  EXPECT_TRUE(ChildRecordList({}).IsEmpty());
  const Variant list = ChildRecordList({Variant("a"), Variant("b")});
  ASSERT_TRUE(list.IsArray());
  EXPECT_EQ(list.AsArray().Bounds(), (std::vector<ArrayBound>{{1, 2}}));
  EXPECT_TRUE(list.AsArray().At(2) == Variant("b"));
}

}  // namespace
}  // namespace vks
