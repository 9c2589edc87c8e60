#include "tools/store/StoreJson.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include "fakes/ErrorOf.h"
#include "platform/automation/AutomationError.h"

namespace vks {
namespace {

// Through the JSON text, as dump and pack see it.
Variant RoundTrip(const Variant& value) {
  return JsonToVariant(StoreJson::parse(VariantToJson(value).dump()));
}

std::string ErrorOf(const std::string& json) {
  try {
    (void)JsonToVariant(StoreJson::parse(json));
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.Number(), 5);
    return e.Description();
  }
  return "(kein Fehler)";
}

TEST(StoreJsonTest, EachSubtypeHasItsTaggedFormAndComesBackBitForBit) {
  struct Case {
    const char* name;
    Variant value;
    const char* json;
  };
  const Case cases[] = {
      {"Empty", Variant(), R"({"type":"Empty"})"},
      {"Null", Variant::Null(), R"({"type":"Null"})"},
      {"Integer min", Variant(int16_t{-32768}), R"({"type":"Integer","value":-32768})"},
      {"Long min", Variant(int32_t{INT32_MIN}), R"({"type":"Long","value":-2147483648})"},
      {"Long max", Variant(int32_t{INT32_MAX}), R"({"type":"Long","value":2147483647})"},
      {"Byte", Variant(uint8_t{255}), R"({"type":"Byte","value":255})"},
      {"Boolean true", Variant(true), R"({"type":"Boolean","value":true})"},
      {"Boolean false", Variant(false), R"({"type":"Boolean","value":false})"},
      {"String", Variant("Müller-Depot €"), R"({"type":"String","value":"Müller-Depot €"})"},
      {"String empty", Variant(""), R"({"type":"String","value":""})"},
      {"Single short", Variant(0.1f), R"({"type":"Single","value":0.1})"},
      {"Single NoValue", Variant(-2.123456E+38f), R"({"type":"Single","value":-2.123456e+38})"},
      {"Single -0", Variant(-0.0f), R"({"type":"Single","value":-0.0})"},
      {"Single largest", Variant(-std::numeric_limits<float>::max()),
       R"({"type":"Single","value":-3.4028235e+38})"},
      {"Single NaN payload", Variant(std::bit_cast<float>(0x7FC00001u)),
       R"({"type":"Single","bits":"0x7FC00001"})"},
      {"Single signalling NaN", Variant(std::bit_cast<float>(0xFF800001u)),
       R"({"type":"Single","bits":"0xFF800001"})"},
      {"Single -inf", Variant(-std::numeric_limits<float>::infinity()),
       R"({"type":"Single","bits":"0xFF800000"})"},
      {"Double", Variant(9590.187666893005), R"({"type":"Double","value":9590.187666893005})"},
      {"Double -0", Variant(-0.0), R"({"type":"Double","value":-0.0})"},
      {"Double denormal", Variant(4.9406564584124654e-324), R"({"type":"Double","value":5e-324})"},
      {"Double NaN payload", Variant(std::bit_cast<double>(0x7FF8000000000001ull)),
       R"({"type":"Double","bits":"0x7FF8000000000001"})"},
      {"Double signalling NaN", Variant(std::bit_cast<double>(0x7FF0000000000001ull)),
       R"({"type":"Double","bits":"0x7FF0000000000001"})"},
      {"Double +inf", Variant(std::numeric_limits<double>::infinity()),
       R"({"type":"Double","bits":"0x7FF0000000000000"})"},
      {"Date", Variant(DateValue{45293.5}),
       R"({"type":"Date","value":45293.5,"text":"2024-01-02T12:00:00"})"},
      {"Date before 1899", Variant(DateValue{-1.25}),
       R"({"type":"Date","value":-1.25,"text":"1899-12-29T06:00:00"})"},
      {"Date out of range has no text", Variant(DateValue{1e7}),
       R"({"type":"Date","value":10000000.0})"},
      {"Date NaN", Variant(DateValue{std::bit_cast<double>(0xFFF8000000000000ull)}),
       R"({"type":"Date","bits":"0xFFF8000000000000"})"},
      {"Currency", Variant(CurrencyValue{-12345}),
       R"({"type":"Currency","scaled":-12345,"text":"-1.2345"})"},
      {"Currency min", Variant(CurrencyValue{INT64_MIN}),
       R"({"type":"Currency","scaled":-9223372036854775808,"text":"-922337203685477.5808"})"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(VariantToJson(c.value).dump(), c.json);
    EXPECT_EQ(JsonToVariant(StoreJson::parse(c.json)), c.value);  // bitwise for floats
  }
}

TEST(StoreJsonTest, RandomBitPatternsSurviveTheText) {
  std::mt19937_64 random(20250704);
  for (int i = 0; i < 20000; ++i) {
    uint64_t bits = random();
    const Variant values[] = {Variant(std::bit_cast<double>(bits)),
                              Variant(std::bit_cast<float>(static_cast<uint32_t>(bits >> 7))),
                              Variant(DateValue{std::bit_cast<double>(bits ^ 0x4000000000000000)})};
    for (const Variant& value : values) {
      Variant back = RoundTrip(value);
      ASSERT_EQ(back, value) << "bits " << std::hex << bits << " as "
                             << VariantToJson(value).dump();
    }
  }
}

TEST(StoreJsonTest, ArraysKeepDimensionsBoundsAndStorageOrder) {
  VariantArray grid({ArrayBound{-2, 3}, ArrayBound{5, 2}});
  for (int32_t j = 5; j <= 6; ++j) {
    for (int32_t i = -2; i <= 0; ++i) {
      const int32_t at[] = {i, j};
      grid.At(at) = Variant(int16_t(i * 10 + j));
    }
  }
  VariantArray outer = VariantArray::Vector(
      7, {Variant(grid), Variant(VariantArray({ArrayBound{0, 0}})), Variant(int32_t{1})});
  const Variant value{outer};

  StoreJson json = VariantToJson(value);
  EXPECT_EQ(json["bounds"].dump(), R"([{"lower":7,"count":3}])");
  const StoreJson& inner = json["elements"][0];
  EXPECT_EQ(inner["bounds"].dump(), R"([{"lower":-2,"count":3},{"lower":5,"count":2}])");
  // First index fastest: (-2,5), (-1,5), (0,5), (-2,6) …
  EXPECT_EQ(inner["elements"][1].dump(), R"({"type":"Integer","value":-5})");
  EXPECT_EQ(inner["elements"][3].dump(), R"({"type":"Integer","value":-14})");
  EXPECT_EQ(json["elements"][1].dump(),
            R"({"type":"Array","bounds":[{"lower":0,"count":0}],"elements":[]})");
  EXPECT_EQ(RoundTrip(value), value);
}

TEST(StoreJsonTest, LabelsAndMatchingTextsAreAccepted) {
  EXPECT_EQ(JsonToVariant(StoreJson::parse(
                R"({"field":"CashBetrag","record":"x","type":"Double","value":10000})")),
            Variant(10000.0));
  EXPECT_EQ(JsonToVariant(StoreJson::parse(R"({"type":"Date","value":45293.5})")),
            Variant(DateValue{45293.5}));
  EXPECT_EQ(JsonToVariant(StoreJson::parse(R"({"type":"Single","bits":"0x3f800000"})")),
            Variant(1.0f));
}

TEST(StoreJsonTest, FaultsNameTheirPlace) {
  struct Case {
    const char* json;
    std::string error;
  };
  const std::string deep = [] {
    std::string open, close;
    for (int i = 0; i < 33; ++i) {
      open += R"({"type":"Array","bounds":[{"lower":0,"count":1}],"elements":[)";
      close += "]}";
    }
    return open + R"({"type":"Empty"})" + close;
  }();
  std::string deep_path = "JSON ";
  for (int i = 0; i < 32; ++i) deep_path += "/elements/0";
  const std::string long_text = R"({"type":"String","value":")" + std::string(65536, 'x') + "\"}";
  const Case cases[] = {
      {R"([1])", R"(JSON /: erwartet ein Objekt mit "type")"},
      {R"({"value":1})", R"(JSON /: "type" fehlt)"},
      {R"({"type":"Long","valeu":1})", R"(JSON /: unbekannter Schlüssel "valeu")"},
      {R"({"type":"Decimal","value":1})", R"(JSON /type: unbekannter Typ "Decimal")"},
      {R"({"type":"Integer","value":32768})", "JSON /value: Wert außerhalb des Bereichs"},
      {R"({"type":"Long","value":1.5})", "JSON /value: erwartet eine ganze Zahl"},
      {R"({"type":"Long"})", R"(JSON /: "value" fehlt)"},
      {R"({"type":"Byte","value":-1})", "JSON /value: Wert außerhalb des Bereichs"},
      {R"({"type":"Boolean","value":1})", "JSON /value: erwartet true oder false"},
      {R"({"type":"Single","value":1e39})", "JSON /value: Wert außerhalb des Single-Bereichs"},
      {R"({"type":"Double","value":1,"bits":"0x3FF0000000000000"})",
       R"(JSON /: "value" und "bits" zugleich angegeben)"},
      {R"({"type":"Double","bits":"0x7FF8"})", R"(JSON /bits: erwartet "0x" und 16 Hexziffern)"},
      {R"({"type":"Single","bits":"0x7FC0000G"})", R"(JSON /bits: erwartet "0x" und 8 Hexziffern)"},
      {R"({"type":"Date","value":45293.5,"text":"2024-01-03T12:00:00"})",
       R"(JSON /text: passt nicht zum Wert (dieser ergibt "2024-01-02T12:00:00"); maßgeblich ist )"
       "der Wert, den Text bitte anpassen oder löschen"},
      {R"({"type":"Currency","scaled":10000,"text":"2.0000"})",
       R"(JSON /text: passt nicht zum Wert (dieser ergibt "1.0000"); maßgeblich ist )"
       "der Wert, den Text bitte anpassen oder löschen"},
      {R"({"type":"Currency","scaled":9223372036854775808})",
       "JSON /scaled: Wert außerhalb des Bereichs"},
      {R"({"type":"String","value":"Ω"})",
       "JSON /value: Das Zeichen U+03A9 an Byte 0 ist in Windows-1252 nicht darstellbar"},
      {long_text.c_str(), "JSON /value: Text ist länger als 65535 Bytes"},
      {R"({"type":"Array","bounds":[],"elements":[]})",
       "JSON /bounds: erwartet 1 bis 60 Dimensionen"},
      {R"({"type":"Array","bounds":[{"lower":0,"count":-1}],"elements":[]})",
       "JSON /bounds/0/count: Wert außerhalb des Bereichs"},
      {R"({"type":"Array","bounds":[{"lower":0}],"elements":[]})",
       R"(JSON /bounds/0: erwartet {"lower": …, "count": …})"},
      {R"({"type":"Array","bounds":[{"lower":2147483647,"count":2}],"elements":[]})",
       "JSON /bounds/0: Obergrenze außerhalb des Long-Bereichs"},
      {R"({"type":"Array","bounds":[{"lower":0,"count":65536},{"lower":0,"count":65536}],)"
       R"("elements":[]})",
       "JSON /bounds/1: zu viele Elemente"},
      {R"({"type":"Array","bounds":[{"lower":1,"count":2}],"elements":[{"type":"Empty"}]})",
       "JSON /elements: erwartet 2 Elemente, nicht 1"},
      {R"({"type":"Array","bounds":[{"lower":1,"count":2}],"elements":[{"type":"Empty"},)"
       R"({"type":"Array","bounds":[{"lower":0,"count":1}],"elements":[{"type":"Long","value":"7"}]}]})",
       "JSON /elements/1/elements/0/value: erwartet eine ganze Zahl"},
      {deep.c_str(), deep_path + ": Datenfelder tiefer als 32 Ebenen verschachtelt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.json).substr(0, 120));
    EXPECT_EQ(ErrorOf(c.json), c.error);
  }
}

// What no JSON text can spell: an infinite number, an object.
TEST(StoreJsonTest, NonFiniteNumbersMustBeGivenAsBitsAndObjectsCannotBeStored) {
  const StoreJson infinite = {{"type", "Double"},
                              {"value", std::numeric_limits<double>::infinity()}};
  EXPECT_EQ(testing::RaisedError([&] { (void)JsonToVariant(infinite); }).Description(),
            R"(JSON /value: Zahl zu groß; unendliche Werte und NaN gehören in "bits")");
  const AutomationError object =
      testing::RaisedError([] { (void)VariantToJson(Variant(ObjectRef())); });
  EXPECT_EQ(object.Number(), 13);
  EXPECT_EQ(object.Description(), "Werte vom Typ 9 können nicht gespeichert werden");
}

}  // namespace
}  // namespace vks
