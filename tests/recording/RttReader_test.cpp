#include "recording/RttReader.h"

#include <gtest/gtest.h>

#include <fstream>

#include "fakes/TempFolder.h"
#include "recording/RttAufzeichnung.h"
#include "recording/RttHeader.h"

namespace vks {
namespace {

using testing::TempFolder;

std::vector<uint8_t> HeaderAndRecords(std::initializer_list<RttRecord> records) {
  RttHeaderBytes header = ErzeugeRTTHeader("Müller", "", "", dKapitalCash);
  std::vector<uint8_t> bytes(header.begin(), header.end());
  for (const RttRecord& r : records) {
    RttRecordBytes b = EncodeRttRecord(r);
    bytes.insert(bytes.end(), b.begin(), b.end());
  }
  return bytes;
}

TEST(RttReaderTest, ReadsTheHeaderFieldsBackAsText) {
  std::vector<uint8_t> bytes = HeaderAndRecords({});
  Result<RttContents> contents = ParseRtt(bytes);
  ASSERT_TRUE(contents.ok());
  const RttHeaderFields& h = contents->header;
  EXPECT_TRUE(h.signature_ok);
  EXPECT_TRUE(h.zero_fields_ok);
  EXPECT_EQ(h.minus_one, -1);
  EXPECT_EQ(h.display_name, "KapitalCash-Müller");
  EXPECT_EQ(h.base_name, "KapitalCash-Müller");
  EXPECT_EQ(h.description, "Kontoserver Portfolio-Aufzeichnung");
  EXPECT_EQ(h.ja, "Ja");
  EXPECT_EQ(h.maker, "KontoServe");
  EXPECT_EQ(h.category, "Portfolio");
  EXPECT_TRUE(contents->well_formed);
  EXPECT_TRUE(contents->records.empty());
}

TEST(RttReaderTest, SizesDecideWellFormedness) {
  struct Case {
    size_t extra;
    size_t records;
    bool well_formed;
  } cases[] = {{0, 0, true}, {4, 0, false}, {16, 1, true}, {20, 1, false}, {48, 3, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.extra);
    std::vector<uint8_t> bytes = HeaderAndRecords({});
    bytes.resize(bytes.size() + c.extra, 0);
    Result<RttContents> contents = ParseRtt(bytes);
    ASSERT_TRUE(contents.ok());
    EXPECT_EQ(contents->records.size(), c.records);
    EXPECT_EQ(contents->well_formed, c.well_formed);
    EXPECT_EQ(contents->trailing_bytes, static_cast<int64_t>(c.extra % 16));
  }
}

TEST(RttReaderTest, ShortOrMissingFilesAreClearErrors) {
  std::vector<uint8_t> short_bytes(855, 0);
  Result<RttContents> parsed = ParseRtt(short_bytes);
  ASSERT_FALSE(parsed.ok());
  EXPECT_EQ(parsed.error().Number(), 321);
  EXPECT_EQ(parsed.error().Description(),
            "Ungültiges Dateiformat: 855 Bytes sind weniger als der RTT-Kopf von 856 Bytes");

  TempFolder folder;
  Result<RttContents> missing = ReadRttFile(folder / "none.RTT");
  ASSERT_FALSE(missing.ok());
  EXPECT_EQ(missing.error().Number(), 53);
  EXPECT_EQ(missing.error().Description(),
            "Datei nicht gefunden: '" + (folder / "none.RTT") +
                "' (Das System kann die angegebene Datei nicht finden.)");
}

TEST(RttReaderTest, RecordsFromAPlaceOnAreTheCompleteOnes) {
  TempFolder folder;
  const std::unique_ptr<FileSystem> dateien = NewPlatformFileSystem();
  RttAufzeichnung rtt(*dateien, RttStorage{folder.path()});
  for (int i = 0; i < 5; ++i)
    rtt.SchreibeWert("K", "", "", dKapitalCash, DateValue{double(i)}, float(i), 0);
  std::string file = folder / "K/Portfolio/KapitalCash-K.RTT";
  std::ofstream(file, std::ios::app | std::ios::binary) << "partial";
  struct Case {
    int64_t first;
    size_t count;
  } cases[] = {{0, 5}, {3, 2}, {5, 0}, {9, 0}, {-1, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.first);
    Result<std::vector<RttRecord>> records = ReadRttRecordsFrom(file, c.first);
    ASSERT_TRUE(records.ok());
    ASSERT_EQ(records->size(), c.count);
    if (c.count) {
      EXPECT_EQ((*records)[0].value, float(c.first));
    }
  }
}

}  // namespace
}  // namespace vks
