#include "recording/RttReader.h"

#include <gtest/gtest.h>

#include <fstream>

#include "fakes/FaultInjectionFileSystem.h"
#include "fakes/MemoryFileSystem.h"
#include "fakes/TempFolder.h"
#include "recording/RttHeader.h"

namespace vks {
namespace {

using testing::TempFolder;

constexpr int64_t kPiece = RttFile::kRecordsPerRead;

std::string HeaderAndRecords(int64_t count, size_t extra = 0) {
  RttHeaderBytes header = ErzeugeRTTHeader("Müller", "", "", dKapitalCash);
  std::string bytes(header.begin(), header.end());
  for (int64_t i = 0; i < count; ++i) {
    RttRecordBytes b = EncodeRttRecord({DateValue{double(i)}, float(i), 0});
    bytes.append(b.begin(), b.end());
  }
  return bytes + std::string(extra, '\0');
}

// The header's fields come back as text; pieces of kPiece records: the walk must neither lose nor
// repeat one at their borders.
TEST(RttReaderTest, ReadsTheHeaderAndEveryRecordOnceAndSizesDecideWellFormedness) {
  struct Case {
    int64_t records;
    size_t extra;
  } cases[] = {{0, 0}, {0, 4}, {1, 0}, {1, 4}, {3, 0}, {kPiece, 15}, {2 * kPiece + 1, 0}};
  fuzzing::MemoryFileSystem files;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.records);
    files.files["a.RTT"] = HeaderAndRecords(c.records, c.extra);
    Result<RttContents> contents = ReadRttFile(files, "a.RTT");
    ASSERT_TRUE(contents.ok());
    const RttHeaderFields& h = contents->header;
    EXPECT_TRUE(h.signature_ok && h.zero_fields_ok);
    EXPECT_EQ(h.minus_one, -1);
    EXPECT_EQ(h.display_name + "|" + h.base_name + "|" + h.description + "|" + h.ja + "|" +
                  h.maker + "|" + h.category,
              "KapitalCash-Müller|KapitalCash-Müller|Kontoserver Portfolio-Aufzeichnung|Ja|"
              "KontoServe|Portfolio");
    ASSERT_EQ(contents->record_count, c.records);
    ASSERT_EQ(static_cast<int64_t>(contents->records.size()), c.records);
    for (int64_t i = 0; i < c.records; ++i) ASSERT_EQ(contents->records[i].value, float(i));
    EXPECT_EQ(contents->well_formed, c.extra == 0);
    EXPECT_EQ(contents->trailing_bytes, static_cast<int64_t>(c.extra));
  }
}

TEST(RttReaderTest, ShortMissingOrUnreadableFilesAreClearErrors) {
  TempFolder folder;
  testing::FaultInjectionFileSystem files;
  const std::string cut = folder / "cut.RTT";
  const std::string good = folder / "good.RTT";
  const std::string bytes = HeaderAndRecords(kPiece + 1);
  std::ofstream(cut, std::ios::binary) << bytes.substr(0, 855);
  std::ofstream(good, std::ios::binary) << bytes;
  struct Case {
    std::string path;
    int fail_read;  // -1: none
    int number;
    std::string description;
  } cases[] = {
      {cut, -1, 321,
       "Ungültiges Dateiformat: 855 Bytes sind weniger als der RTT-Kopf von 856 Bytes"},
      {folder / "none.RTT", -1, 53, "Datei nicht gefunden: '" + (folder / "none.RTT") + "'"},
      {folder.path(), -1, 70, "Zugriff verweigert: '" + folder.path() + "'"},
      // The opening, the header, the first piece of records, the second.
      {good, 0, 57, "Geräte-E/A-Fehler: '" + good + "'"},
      {good, 1, 57, "Geräte-E/A-Fehler: '" + good + "'"},
      {good, 3, 57, "Geräte-E/A-Fehler: '" + good + "'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.description);
    files.FailReadAt(c.fail_read);
    Result<RttContents> contents = ReadRttFile(files, c.path);
    ASSERT_FALSE(contents.ok());
    EXPECT_EQ(contents.error().Number(), c.number);
    EXPECT_EQ(contents.error().Description(), c.description);
  }
}

TEST(RttReaderTest, RecordsFromAPlaceOnAreTheCompleteOnes) {
  fuzzing::MemoryFileSystem files;
  files.files["a.RTT"] = HeaderAndRecords(5) + "partial";
  struct Case {
    int64_t first;
    size_t count;
  } cases[] = {{0, 5}, {3, 2}, {5, 0}, {9, 0}, {-1, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.first);
    Result<std::vector<RttRecord>> records = ReadRttRecordsFrom(files, "a.RTT", c.first);
    ASSERT_TRUE(records.ok());
    ASSERT_EQ(records->size(), c.count);
    if (c.count) {
      EXPECT_EQ((*records)[0].value, float(c.first));
    }
  }
}

}  // namespace
}  // namespace vks
