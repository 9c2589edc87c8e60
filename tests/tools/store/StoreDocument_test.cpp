#include "tools/store/StoreDocument.h"

#include <gtest/gtest.h>

#include <bit>
#include <functional>
#include <string>

#include "fakes/ErrorOf.h"
#include "platform/automation/StoreWriter.h"
#include "platform/automation/Windows1252.h"
#include "platform/files/FileSystem.h"

namespace vks {
namespace {

std::string Serialized(const Variant& value) {
  std::string bytes;
  AppendStoreVariant(bytes, value);
  return bytes;
}

Variant EverySubtype() {
  std::string all_bytes;
  for (int b = 0; b < 256; ++b) all_bytes += static_cast<char>(b);
  VariantArray cube({ArrayBound{-1, 2}, ArrayBound{0, 3}, ArrayBound{2, 2}});
  for (size_t i = 0; i < cube.size(); ++i) cube.Elements()[i] = Variant(int32_t(i * 1000));
  cube.Elements()[5] = Variant(std::bit_cast<double>(0x7FF4000000000123ull));
  return Variant(VariantArray::Vector(
      1, {Variant(),
          Variant::Null(),
          Variant(int16_t{-32768}),
          Variant(int32_t{INT32_MAX}),
          Variant(std::bit_cast<float>(0x7FA00001u)),
          Variant(-0.0f),
          Variant(-0.0),
          Variant(std::bit_cast<double>(0xFFF8000000000001ull)),
          Variant(1.0 / 3.0),
          Variant(CurrencyValue{INT64_MAX}),
          Variant(DateValue{45658.999988425923}),
          Variant(DateValue{std::bit_cast<double>(0x7FF0000000000000ull)}),
          Variant(Windows1252ToUtf8(all_bytes)),
          Variant(std::string(65535, 'z')),
          Variant(""),
          Variant(true),
          Variant(false),
          Variant(uint8_t{0}),
          Variant(cube),
          Variant(VariantArray({ArrayBound{-5, 0}})),
          Variant(VariantArray::Vector(
              0, {Variant(VariantArray::Vector(2147483646, {Variant(1.5f), Variant(2.5f)}))}))}));
}

TEST(StoreDocumentTest, EveryKindOfValueComesBackByteIdentical) {
  const Variant values[] = {EverySubtype(), Variant("kein Datenfeld"), Variant(), Variant(7.25)};
  for (const Variant& value : values) {
    const std::string bytes = Serialized(value);
    SCOPED_TRACE(bytes.size());
    const std::string json = DumpStore(bytes);
    EXPECT_TRUE(PackStore(json) == bytes) << json.substr(0, 2000);
  }
  // An empty file is null.
  EXPECT_EQ(DumpStore(""), "null\n");
  EXPECT_EQ(PackStore(" null\n"), "");
}

TEST(StoreDocumentTest, PrintsOneValuePerLine) {
  const Variant store{
      VariantArray::Vector(1, {Variant(int32_t{7}), Variant(VariantArray({ArrayBound{0, 0}})),
                               Variant(VariantArray::Vector(60, {Variant("a")}))})};
  EXPECT_EQ(DumpStore(Serialized(store)),
            "{\"record\": \"Konten\", \"type\": \"Array\", \"bounds\": [{\"lower\": 1, \"count\": "
            "3}], \"elements\": [\n"
            "  {\"type\": \"Long\", \"value\": 7},\n"
            "  {\"record\": \"clKonto\", \"type\": \"Array\", \"bounds\": [{\"lower\": 0, "
            "\"count\": 0}], \"elements\": []},\n"
            "  {\"record\": \"clKonto\", \"type\": \"Array\", \"bounds\": [{\"lower\": 60, "
            "\"count\": 1}], \"elements\": [\n"
            "    {\"type\": \"String\", \"value\": \"a\"}\n"
            "  ]}\n"
            "]}\n");
}

TEST(StoreDocumentTest, BundledSampleDumpsToTheBundledJsonAndPacksBackWhateverItsLabels) {
  const std::unique_ptr<FileSystem> files = NewPlatformFileSystem();
  const std::string bytes = files->ReadFile(VKS_DATA_DIR "/Daten/VKSVirtKonten.dat");
  std::string json = files->ReadFile(VKS_DATA_DIR "/sample-store.json");
  ASSERT_FALSE(bytes.empty() || json.empty());
  EXPECT_EQ(DumpStore(bytes), json);
  EXPECT_TRUE(PackStore(json) == bytes);
  for (const std::string label : {"\"field\": \"KontoName\", ", "\"record\": \"clKonto\", "}) {
    for (size_t at; (at = json.find(label)) != std::string::npos;) json.erase(at, label.size());
  }
  for (size_t at; (at = json.find("\"field\": \"Position\"")) != std::string::npos;)
    json.replace(at, 19, "\"field\": \"Unsinn\"");
  EXPECT_TRUE(PackStore(json) == bytes);
}

TEST(StoreDocumentTest, RefusesWhatCannotComeBackTheSame) {
  const std::string bytes = Serialized(Variant(VariantArray::Vector(1, {Variant(int16_t{3})})));
  struct Case {
    const char* name;
    std::function<void()> call;
    std::string error;
  };
  const Case cases[] = {
      {"bytes after the value", [&] { (void)DumpStore(bytes + "ab"); },
       "Kontendatei beschädigt: 2 überzählige Bytes ab Byte 16"},
      {"truncated", [&] { (void)DumpStore(bytes.substr(0, 15)); },
       "Kontendatei endet vorzeitig: Integer-Wert an Byte 14 fehlt (Dateilänge 15)"},
      {"JSON syntax", [] { (void)PackStore("{\"type\": \"Long\", \"value\": }"); },
       "JSON-Syntaxfehler an Byte 27: [json.exception.parse_error.101] parse error at line 1, "
       "column 27: syntax error while parsing value - unexpected '}'; expected '[', '{', or a "
       "literal"},
      {"text outside Windows-1252", [] { (void)PackStore(R"({"type": "String", "value": "→"})"); },
       "JSON /value: Das Zeichen U+2192 an Byte 0 ist in Windows-1252 nicht darstellbar"},
      {"number beyond Double", [] { (void)PackStore(R"({"type": "Double", "value": 1e400})"); },
       "JSON fehlerhaft: [json.exception.out_of_range.406] number overflow parsing '1e400'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(testing::RaisedError(c.call).Description(), c.error);
  }
}

}  // namespace
}  // namespace vks
