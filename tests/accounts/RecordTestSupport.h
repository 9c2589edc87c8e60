#pragma once
// Shared checks of the record tests: the shape and typed elements of a written record, values
// that differ bit for bit, and the element-by-element read-back of a record.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "accounts/clOrderZusatzInfos.h"
#include "fakes/ErrorOf.h"
#include "platform/automation/AutomationError.h"
#include "platform/automation/Variant.h"

namespace vks::test {

inline float FloatBits(uint32_t bits) {
  return std::bit_cast<float>(bits);
}
inline double DoubleBits(uint64_t bits) {
  return std::bit_cast<double>(bits);
}

// Quiet NaNs with a payload and negative zeros: the values a careless conversion loses.
inline const float kNaNSingle = FloatBits(0x7FC0'1234u);
inline const double kNaNDouble = DoubleBits(0x7FF8'0000'DEAD'BEEFull);

// One element of a written record: its index and its value in the subtype it must have.
struct Element {
  int32_t index;
  Variant value;
};

// `record` is one dimension from 0 with `count` elements; each listed element has the listed
// subtype and value bit for bit; every other element is Empty.
inline void ExpectRecordLayout(const Variant& record, int32_t count,
                               const std::vector<Element>& elements) {
  ASSERT_TRUE(record.IsArray());
  const VariantArray& array = record.AsArray();
  ASSERT_EQ(array.Dimensions(), 1);
  EXPECT_EQ(array.LBound(), 0);
  ASSERT_EQ(array.UBound(), count - 1);
  std::vector<bool> listed(static_cast<size_t>(count), false);
  for (const Element& expected : elements) {
    SCOPED_TRACE("element " + std::to_string(expected.index));
    ASSERT_LT(expected.index, count);
    listed[static_cast<size_t>(expected.index)] = true;
    const Variant& actual = array.At(expected.index);
    EXPECT_EQ(actual.Type(), expected.value.Type());
    EXPECT_TRUE(actual == expected.value);
  }
  for (int32_t i = 0; i < count; ++i) {
    if (!listed[static_cast<size_t>(i)]) {
      EXPECT_TRUE(array.At(i).IsEmpty()) << "element " << i;
    }
  }
}

// A value of the same subtype that differs from `v`.
inline Variant Altered(const Variant& v) {
  switch (v.Type()) {
    case VarType::Integer:
      return static_cast<int16_t>(v.AsInteger() ^ 0x0101);
    case VarType::Long:
      return static_cast<int32_t>(v.AsLong() ^ 0x0101'0101);
    case VarType::Single:
      return FloatBits(std::bit_cast<uint32_t>(v.AsSingle()) ^ 0x0101u);
    case VarType::Double:
      return DoubleBits(std::bit_cast<uint64_t>(v.AsDouble()) ^ 0x0101u);
    case VarType::Date:
      return DateValue{v.AsDate().days + 1.5};
    case VarType::String:
      return v.AsString() + "x";
    case VarType::Boolean:
      return !v.AsBoolean();
    default:
      break;
  }
  if (v.IsArray()) {
    std::vector<Variant> elements;
    for (const Variant& e : v.AsArray().Elements()) elements.push_back(Altered(e));
    return VariantArray::Vector(v.AsArray().LBound(), std::move(elements));
  }
  ADD_FAILURE() << "no altered value for subtype " << v.VarTypeCode();
  return v;
}

// For each listed element that is not Empty: a record that differs from `written` only in that
// element is read into a new Record and written out again unchanged. So every element lands in
// a field of its own and nothing else is touched.
template <class Record>
void ExpectEachElementReadBack(const Variant& written, const std::vector<Element>& elements) {
  for (const Element& element : elements) {
    if (element.value.IsEmpty()) continue;
    SCOPED_TRACE("element " + std::to_string(element.index));
    Variant changed = written;
    changed.AsArray().At(element.index) = Altered(element.value);
    Record record;
    record.ReadAllProperties(changed);
    EXPECT_TRUE(record.WriteAllProperties() == changed);
  }
}

// Both of the above on the record `written`.
template <class Record>
void ExpectStoredLayout(const Variant& written, int32_t count,
                        const std::vector<Element>& elements) {
  ExpectRecordLayout(written, count, elements);
  ExpectEachElementReadBack<Record>(written, elements);
}

// Reading `record` into a new Record raises `number` (and `description` unless empty).
template <class Record>
void ExpectReadError(const Variant& record, int32_t number, const std::string& description = {}) {
  Record r;
  const AutomationError e = testing::RaisedError([&] { r.ReadAllProperties(record); });
  EXPECT_EQ(e.Number(), number);
  if (!description.empty()) {
    EXPECT_EQ(e.Description(), description);
  }
}

// Each listed Boolean set alone is True in its own element and False in the others' elements.
template <class Record>
void ExpectEachBooleanAlone(const std::vector<std::pair<bool Record::*, int32_t>>& booleans) {
  for (const auto& [field, index] : booleans) {
    SCOPED_TRACE("element " + std::to_string(index));
    Record r;
    r.*field = true;
    const Variant written = r.WriteAllProperties();
    for (const auto& [other_field, other_index] : booleans) {
      EXPECT_TRUE(written.AsArray().At(other_index) == Variant(other_index == index));
    }
  }
}

// SchreibeZusatzInfos takes over the order's terms `z` into `r` (with the margin and factor that
// come out of them) and leaves every stored element but `term_elements` as it was.
template <class Record>
void ExpectTermsTakenOver(Record& r, const clOrderZusatzInfos& z,
                          const std::set<int32_t>& term_elements, float margin, float factor) {
  const Variant before = r.WriteAllProperties();
  r.SchreibeZusatzInfos(z);
  EXPECT_EQ(std::bit_cast<uint32_t>(r.PointValue), std::bit_cast<uint32_t>(z.PointValue));
  EXPECT_TRUE(r.MinTickSize == z.MinTickSize);
  EXPECT_EQ(r.Margin, margin);
  EXPECT_EQ(r.Commissions, z.Commissions);
  EXPECT_EQ(r.CommissionsArePoints, z.CommissionsArePoints);
  EXPECT_EQ(r.MindestCommissions, z.MindestCommissions);
  EXPECT_EQ(r.MaximalCommissions, z.MaximalCommissions);
  EXPECT_EQ(r.ZusatzCommissions, z.ZusatzCommissions);
  EXPECT_EQ(r.AktUmrechnungsWert, factor);
  EXPECT_EQ(r.UmrechnungAuchGebuehren, z.UmrechnungAuchGebuehren);
  const Variant after = r.WriteAllProperties();
  for (int32_t i = 0; i <= before.AsArray().UBound(); ++i) {
    if (!term_elements.contains(i)) {
      EXPECT_TRUE(after.AsArray().At(i) == before.AsArray().At(i)) << "element " << i;
    }
  }
}

// The array of `record` with element `index` replaced by `value`.
inline Variant WithElement(Variant record, int32_t index, Variant value) {
  record.AsArray().At(index) = std::move(value);
  return record;
}

// A record array from 0 with `count` Empty elements.
inline Variant EmptyRecord(int32_t count) {
  return VariantArray::Vector(0, std::vector<Variant>(static_cast<size_t>(count)));
}

}  // namespace vks::test
