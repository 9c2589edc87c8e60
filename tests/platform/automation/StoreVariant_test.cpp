// The store's byte encoding of single Variants, both ways, and what the reader refuses.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "fakes/ErrorOf.h"
#include "platform/automation/AutomationError.h"
#include "platform/automation/StoreReader.h"
#include "platform/automation/StoreWriter.h"

namespace vks {
namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out += static_cast<char>(v);
  return out;
}

std::string Write(const Variant& v) {
  std::string out;
  AppendStoreVariant(out, v);
  return out;
}

TEST(StoreVariantTest, EncodesEverySubtypeLittleEndian) {
  struct Case {
    const char* name;
    Variant value;
    std::string bytes;
  };
  const Case cases[] = {
      {"Empty", Variant(), Bytes({0, 0})},
      {"Null", Variant::Null(), Bytes({1, 0})},
      {"Integer", Variant(int16_t{-2}), Bytes({2, 0, 0xFE, 0xFF})},
      {"Long", Variant(int32_t{0x01020304}), Bytes({3, 0, 4, 3, 2, 1})},
      {"Single", Variant(1.0f), Bytes({4, 0, 0, 0, 0x80, 0x3F})},
      {"NoValue", Variant(-2.123456E+38f), Bytes({4, 0, 0x46, 0xC0, 0x1F, 0xFF})},
      {"Double", Variant(10000.0), Bytes({5, 0, 0, 0, 0, 0, 0, 0x88, 0xC3, 0x40})},
      {"Currency", Variant(CurrencyValue{-1}),
       Bytes({6, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})},
      {"Date", Variant(DateValue{0.5}), Bytes({7, 0, 0, 0, 0, 0, 0, 0, 0xE0, 0x3F})},
      {"String", Variant("Müller €"),
       Bytes({8, 0, 8, 0, 'M', 0xFC, 'l', 'l', 'e', 'r', ' ', 0x80})},
      {"EmptyString", Variant(""), Bytes({8, 0, 0, 0})},
      {"True", Variant(true), Bytes({11, 0, 0xFF, 0xFF})},
      {"False", Variant(false), Bytes({11, 0, 0, 0})},
      {"Byte", Variant(uint8_t{200}), Bytes({17, 0, 200})},
      {"Array", Variant(VariantArray::Vector(1, {Variant(int16_t{7}), Variant()})),
       Bytes({0x0C, 0x20, 1, 0, 2, 0, 0, 0, 1, 0, 0, 0, 2, 0, 7, 0, 0, 0})},
      {"Matrix", Variant(VariantArray({{0, 1}, {-1, 1}})),
       Bytes({0x0C, 0x20, 2, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Write(c.value), c.bytes);
    size_t offset = 0;
    EXPECT_EQ(ReadStoreVariant(c.bytes, offset), c.value);
    EXPECT_EQ(offset, c.bytes.size());
  }
  for (double d : {-0.0, std::nan("0x5"), double{INFINITY}, 4.9e-324}) {  // bit for bit
    size_t offset = 0;
    EXPECT_EQ(ReadStoreVariant(Write(Variant(d)), offset), Variant(d)) << d;
  }
}

TEST(StoreVariantTest, RefusesWhatTheFileCannotHold) {
  struct Case {
    const char* name;
    Variant value;
    int error;
  };
  const Case cases[] = {
      {"Object", Variant::Nothing(), 13},
      {"ErrorValue", Variant(ErrorValue{5}), 13},
      {"Chinese", Variant("中"), 5},
      {"TooLong", Variant(std::string(65536, 'x')), 5},
      {"NestedChinese", Variant(VariantArray::Vector(0, {Variant("ok"), Variant("中")})), 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(testing::ErrorOf([&] { Write(c.value); }), c.error);
  }
  EXPECT_EQ(Write(Variant(std::string(65535, 'x'))).size(), 65539u);
}

TEST(StoreVariantTest, DamagedBytesNameTheFaultAndItsOffset) {
  struct Case {
    const char* name;
    std::string bytes;
    int error;
    const char* description;
  };
  const Case cases[] = {
      {"NoType", Bytes({}), 62, "Variant-Typ an Byte 0 fehlt"},
      {"HalfType", Bytes({2}), 62, "Variant-Typ an Byte 0 fehlt"},
      {"ShortLong", Bytes({3, 0, 1, 2}), 62, "Long-Wert an Byte 2 fehlt"},
      {"UnknownType", Bytes({0x42, 0}), 5, "unbekannter Variant-Typ 0x0042 an Byte 0"},
      {"ObjectType", Bytes({9, 0}), 5, "unbekannter Variant-Typ 0x0009 an Byte 0"},
      {"StringPastEnd", Bytes({8, 0, 10, 0, 'a', 'b'}), 62, "Text mit 10 Bytes an Byte 2"},
      {"BadBoolean", Bytes({11, 0, 1, 0}), 5, "ungültiger Boolean-Wert 1 an Byte 2"},
      {"NoDimensions", Bytes({0x0C, 0x20, 0, 0}), 5, "ungültige Anzahl Dimensionen 0 an Byte 2"},
      {"HugeCount", Bytes({0x0C, 0x20, 1, 0, 0xFF, 0xFF, 0xFF, 0x7F, 0, 0, 0, 0, 0, 0}), 5,
       "2147483647 Elemente angegeben, aber nur 2 Bytes übrig an Byte 0"},
      {"NegativeCount", Bytes({0x0C, 0x20, 1, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}), 5,
       "negative Elementanzahl -1 an Byte 4"},
      {"UpperBoundOverflow",
       Bytes({0x0C, 0x20, 1, 0, 2, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F, 0, 0, 0, 0}), 5,
       "Obergrenze außerhalb des Long-Bereichs an Byte 4"},
      {"ProductOverflow",
       Bytes({0x0C, 0x20, 3, 0, 0xFF, 0xFF, 0xFF, 0x7F, 0,    0,    0, 0, 0xFF, 0xFF,
              0xFF, 0x7F, 0, 0, 0,    0,    0xFF, 0xFF, 0xFF, 0x7F, 0, 0, 0,    0}),
       5, "Elemente angegeben"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    size_t offset = 0;
    const AutomationError e =
        testing::RaisedError([&] { (void)ReadStoreVariant(c.bytes, offset); });
    EXPECT_EQ(e.Number(), c.error);
    EXPECT_NE(e.Description().find(c.description), std::string::npos) << e.Description();
  }
}

TEST(StoreVariantTest, DeepNestingIsRefusedNotRecursed) {
  std::string bytes;
  for (int i = 0; i < 100000; ++i) bytes += Bytes({0x0C, 0x20, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0});
  bytes += Bytes({0, 0});
  size_t offset = 0;
  const AutomationError e = testing::RaisedError([&] { (void)ReadStoreVariant(bytes, offset); });
  EXPECT_NE(e.Description().find("verschachtelt an Byte 384"), std::string::npos)
      << e.Description();
}

}  // namespace
}  // namespace vks
