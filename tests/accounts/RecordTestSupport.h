#pragma once
// Shared checks of the record tests: the shape and typed elements of a written record, values
// that differ bit for bit, and the element-by-element read-back of a record.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <set>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "accounts/clOrderZusatzInfos.h"
#include "fakes/ErrorOf.h"
#include "platform/automation/AutomationError.h"
#include "platform/automation/NoValue.h"
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

// The array of `record` with element `index` replaced by `value`.
inline Variant WithElement(Variant record, int32_t index, Variant value) {
  record.AsArray().At(index) = std::move(value);
  return record;
}

// A record array from 0 with `count` Empty elements.
inline Variant EmptyRecord(int32_t count) {
  return VariantArray::Vector(0, std::vector<Variant>(static_cast<size_t>(count)));
}

// A stored field of `Record`: its member, its element's index and a sample value in the
// element's subtype, which the member takes over.
template <class Record>
struct Field {
  std::variant<std::string Record::*, double Record::*, float Record::*, int32_t Record::*,
               int16_t Record::*, bool Record::*, DateValue Record::*, Variant Record::*>
      member;
  int32_t index;
  Variant value;
};

template <class Record>
void SetFields(Record& r, const std::vector<Field<Record>>& fields) {
  for (const Field<Record>& f : fields) {
    std::visit(
        [&](auto member) {
          auto& target = r.*member;
          using T = std::remove_reference_t<decltype(target)>;
          if constexpr (std::is_same_v<T, std::string>) target = f.value.AsString();
          if constexpr (std::is_same_v<T, double>) target = f.value.AsDouble();
          if constexpr (std::is_same_v<T, float>) target = f.value.AsSingle();
          if constexpr (std::is_same_v<T, int32_t>) target = f.value.AsLong();
          if constexpr (std::is_same_v<T, int16_t>) target = f.value.AsInteger();
          if constexpr (std::is_same_v<T, bool>) target = f.value.AsBoolean();
          if constexpr (std::is_same_v<T, DateValue>) target = f.value.AsDate();
          if constexpr (std::is_same_v<T, Variant>) target = f.value;
        },
        f.member);
  }
}

// A Record with `fields` set (and whatever `more` sets: what is not stored, or stored in a shape
// of its own, whose elements `more_elements` lists) stores each field at its index with its
// subtype; each Boolean set alone is True in its own element and False in the other Booleans'.
// Each record reads back into one that writes it again unchanged: as every field holds a value of
// its own, each element lands in a field of its own.
template <class Record>
void ExpectStoredFields(const std::vector<Field<Record>>& fields, int32_t count,
                        void (*more)(Record&) = nullptr, std::vector<Element> elements = {}) {
  const auto expect_read_back = [](const Variant& written) {
    Record copy;
    copy.ReadAllProperties(written);
    EXPECT_TRUE(copy.WriteAllProperties() == written);
  };
  Record r;
  SetFields(r, fields);
  if (more) more(r);
  for (const Field<Record>& f : fields) elements.push_back({f.index, f.value});
  ExpectRecordLayout(r.WriteAllProperties(), count, elements);
  expect_read_back(r.WriteAllProperties());
  using Boolean = bool Record::*;
  for (const Field<Record>& f : fields) {
    if (!std::holds_alternative<Boolean>(f.member)) continue;
    SCOPED_TRACE("Boolean alone in element " + std::to_string(f.index));
    Record alone;
    alone.*std::get<Boolean>(f.member) = true;
    const Variant written = alone.WriteAllProperties();
    for (const Field<Record>& other : fields) {
      if (!std::holds_alternative<Boolean>(other.member)) continue;
      EXPECT_TRUE(written.AsArray().At(other.index) == Variant(other.index == f.index));
    }
    expect_read_back(written);
  }
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

// Reading refuses, in each field's element, what the field cannot take: text in a field that is no
// text (13), Null (94), a number beyond the field's type (6). A record one element short of
// `min_count` is refused by `name`; one of `min_count` Empty elements reads.
template <class Record>
void ExpectRefusals(const std::vector<Field<Record>>& fields, int32_t count,
                    const std::string& name, int32_t min_count) {
  for (const Field<Record>& f : fields) {
    SCOPED_TRACE("element " + std::to_string(f.index));
    const auto refused = [&](Variant value, int32_t number) {
      SCOPED_TRACE(value.VarTypeCode());
      ExpectReadError<Record>(WithElement(EmptyRecord(count), f.index, std::move(value)), number);
    };
    std::visit(
        [&](auto member) {
          using T = std::remove_reference_t<decltype(std::declval<Record&>().*member)>;
          if constexpr (std::is_same_v<T, Variant>) return;
          refused(Variant::Null(), 94);
          if constexpr (!std::is_same_v<T, std::string>) refused("abc", 13);
          if constexpr (std::is_same_v<T, int16_t>) refused(int32_t{40000}, 6);
          if constexpr (std::is_same_v<T, int16_t>) refused(32768.0, 6);
          if constexpr (std::is_same_v<T, int32_t>) refused(3e9, 6);
          if constexpr (std::is_same_v<T, float>) refused(1e39, 6);
        },
        f.member);
  }
  ExpectReadError<Record>(EmptyRecord(min_count - 1), 9,
                          name + " hat " + std::to_string(min_count - 1) + " statt mindestens " +
                              std::to_string(min_count) + " Elemente");
  Record r;
  r.ReadAllProperties(EmptyRecord(min_count));
}

// SchreibeZusatzInfos takes the order's terms over into a record that `fill` made: a stock's margin
// percent becomes a fraction, a missing factor keeps the earlier one, and every stored element but
// `term_elements` stays as it was. Each case runs with two sets of terms that differ in every
// field.
template <class Record>
void ExpectTermsTakenOver(void (*fill)(Record&), const std::set<int32_t>& term_elements) {
  struct Case {
    const char* name;
    float point_value, margin, factor, expected_margin, expected_factor;  // NaN: the earlier one
  } cases[] = {
      {"stock percent becomes a fraction", 0, 25, 1.2f, 0.25f, 1.2f},
      {"stock 33 percent", 0, 33, 1.2f, 0.33f, 1.2f},
      {"negative zero point value is a stock", -0.0f, 50, 1.2f, 0.5f, 1.2f},
      {"contract margin per contract", 10, 2500, 1.2f, 2500, 1.2f},
      {"no factor keeps the earlier one", 10, 2500, NoValue, 2500, NAN},
      {"stock without factor", 0, 25, NoValue, 0.25f, NAN},
      {"factor 0 is a factor", 0, 10, 0, 0.1f, 0},
  };
  for (const Case& c : cases) {
    for (bool second : {false, true}) {
      SCOPED_TRACE(std::string(c.name) + (second ? ", second terms" : ""));
      Record r;
      fill(r);
      const float earlier = r.AktUmrechnungsWert;
      clOrderZusatzInfos z;
      z.PointValue = c.point_value;
      z.Margin = c.margin;
      z.AktUmrechnungsWert = c.factor;
      z.MinTickSize = second ? Variant(int16_t{5}) : Variant("0,05");
      z.Commissions = second ? 0.3f : 0.2f;
      z.CommissionsArePoints = !second;
      z.MindestCommissions = second ? 6 : 5;
      z.MaximalCommissions = second ? 0 : 60;
      z.ZusatzCommissions = second ? 2 : 1;
      z.UmrechnungAuchGebuehren = !second;
      const Variant before = r.WriteAllProperties();
      r.SchreibeZusatzInfos(z);
      EXPECT_EQ(std::bit_cast<uint32_t>(r.PointValue), std::bit_cast<uint32_t>(z.PointValue));
      EXPECT_TRUE(r.MinTickSize == z.MinTickSize);
      EXPECT_EQ(r.Margin, c.expected_margin);
      EXPECT_EQ(r.Commissions, z.Commissions);
      EXPECT_EQ(r.CommissionsArePoints, z.CommissionsArePoints);
      EXPECT_EQ(r.MindestCommissions, z.MindestCommissions);
      EXPECT_EQ(r.MaximalCommissions, z.MaximalCommissions);
      EXPECT_EQ(r.ZusatzCommissions, z.ZusatzCommissions);
      EXPECT_EQ(r.AktUmrechnungsWert, std::isnan(c.expected_factor) ? earlier : c.expected_factor);
      EXPECT_EQ(r.UmrechnungAuchGebuehren, z.UmrechnungAuchGebuehren);
      const Variant after = r.WriteAllProperties();
      for (int32_t i = 0; i <= before.AsArray().UBound(); ++i) {
        if (!term_elements.contains(i)) {
          EXPECT_TRUE(after.AsArray().At(i) == before.AsArray().At(i)) << "element " << i;
        }
      }
    }
  }
}

}  // namespace vks::test
