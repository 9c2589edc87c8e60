#include "recording/clDateiIO.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "fakes/ErrorOf.h"
#include "fakes/FaultInjectionFileSystem.h"
#include "fakes/TempFolder.h"
#include "platform/automation/AutomationError.h"
#include "platform/files/RawFile.h"
#include "platform/files/WindowsError.h"
#include "recording/RttFormat.h"

namespace vks {
namespace {

using testing::TempFolder;

FileSystem& Dateien() {
  static const std::unique_ptr<FileSystem> files = NewPlatformFileSystem();
  return *files;
}

CurrencyValue Bytes(int64_t n) {
  return CurrencyValue{n * 10000};
}

void WriteContents(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::span<const uint8_t> AsBytes(std::string_view s) {
  return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

using testing::RaisedError;

// Opening makes a missing file, also for reading; closing resets the object for the next file,
// and destroying an open one closes its handle.
TEST(clDateiIOTest, OpenCloseAndDestroy) {
  TempFolder folder;
  rawfile::FileHandle handle;
  {
    clDateiIO file(Dateien());
    for (bool only_read : {false, true}) {
      SCOPED_TRACE(only_read);
      const std::string path = folder / (only_read ? "r.bin" : "rw.bin");
      file.OpenFile(path, only_read);
      EXPECT_TRUE(file.IsOpen());
      EXPECT_EQ(file.FileName(), path);
      EXPECT_EQ(file.FileSize(), Bytes(0));
      EXPECT_TRUE(std::filesystem::exists(path));
      EXPECT_GE(file.FileHandle(), 0);
      EXPECT_FALSE(file.AutoFlush());
      file.SetAutoFlush(true);
      file.CloseFile();
      EXPECT_FALSE(file.IsOpen());
    }
    file.OpenFile(folder / "a.bin");
    handle = file.FileHandle();
  }
  uint32_t error = 0;
  EXPECT_EQ(rawfile::FileSize(handle, error), -1);
  EXPECT_NE(error, 0u);
}

// Refused calls raise their error and change nothing: opens that fail leave the object closed,
// every member but three needs an open file, and a second open, a seek before the start and a read
// count outside an array's range keep the open file, its position and its bytes.
TEST(clDateiIOTest, RefusedCallsRaiseTheirErrorAndKeepTheFile) {
  TempFolder folder;
  std::filesystem::create_directory(folder / "dir");
  clDateiIO closed(Dateien()), file(Dateien());
  file.OpenFile(folder / "first.bin");
  file.WriteBytes(AsBytes("0123456789"));
  file.SeekRelative(-4);
  EXPECT_EQ(file.GetFilePointer(), Bytes(6));
  const std::string kNotFound =
      "'.\r\nError 3\r\nDas System kann den angegebenen Pfad nicht finden.";
  const std::string nul = folder / std::string("a\0b", 3);
  std::vector<uint8_t> data{1, 2};
  struct Case {
    const char* what;
    std::function<void()> call;
    int32_t number = 45603;
    std::string description = "There is no open file.";  // empty: not checked
  } cases[] = {
      {"missing folder", [&] { closed.OpenFile(folder / "none/a.RTT"); }, 45602,
       "Error opening '" + (folder / "none/a.RTT") + kNotFound},
      {"a directory", [&] { closed.OpenFile(folder / "dir"); }, 45602,
       "Error opening '" + (folder / "dir") + "'.\r\nError 5\r\nZugriff verweigert"},
      {"NUL in the name", [&] { closed.OpenFile(nul); }, 45602,
       "Error opening '" + nul +
           "'.\r\nError 123\r\nDie Syntax für den Dateinamen, Verzeichnisnamen oder die "
           "Datenträgerbezeichnung ist falsch."},
      {"empty name", [&] { closed.OpenFile(""); }, 45602, "Error opening '" + kNotFound},
      {"CloseFile", [&] { closed.CloseFile(); }},
      {"FileHandle", [&] { (void)closed.FileHandle(); }},
      {"FileName", [&] { (void)closed.FileName(); }},
      {"AutoFlush", [&] { (void)closed.AutoFlush(); }},
      {"SetAutoFlush", [&] { closed.SetAutoFlush(true); }},
      {"FileSize", [&] { (void)closed.FileSize(); }},
      {"GetFilePointer", [&] { (void)closed.GetFilePointer(); }},
      {"SeekAbsolute", [&] { closed.SeekAbsolute(Bytes(1)); }},
      {"SeekRelative", [&] { closed.SeekRelative(1); }},
      {"ReadBytes", [&] { (void)closed.ReadBytes(1); }},
      {"ReadHeader", [&] { (void)closed.ReadHeader(1); }},
      {"WriteBytes", [&] { closed.WriteBytes(data); }},
      {"WriteNewHeader", [&] { closed.WriteNewHeader("K", "", "", dKapitalCash); }},
      {"Flush", [&] { closed.Flush(); }},
      {"SetzeDateiEnde", [&] { closed.SetzeDateiEnde(); }},
      {"second open", [&] { file.OpenFile(folder / "second.bin"); }, 45601,
       "The file '" + (folder / "first.bin") + "' is already open."},
      {"seek before the start", [&] { file.SeekRelative(-7); }, 45604,
       "Seek Error.\r\nError 131.\r\n131"},
      {"read 0", [&] { (void)file.ReadBytes(0); }, 9, ""},
      {"read -1", [&] { (void)file.ReadBytes(-1); }, 9, ""},
      {"read INT32_MIN", [&] { (void)file.ReadBytes(INT32_MIN); }, 9, ""},
      {"read INT32_MAX", [&] { (void)file.ReadBytes(INT32_MAX); }, 7, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const AutomationError e = RaisedError(c.call);
    EXPECT_EQ(e.Number(), c.number);
    EXPECT_FALSE(closed.IsOpen());
    if (c.description.empty()) continue;
    EXPECT_EQ(e.Source(), "Win32File Object");
    EXPECT_EQ(e.Description(), c.description);
  }
  EXPECT_FALSE(std::filesystem::exists(folder / "a"));
  EXPECT_EQ(file.FileName(), folder / "first.bin");
  EXPECT_EQ(file.GetFilePointer(), Bytes(6));
  file.WriteBytes(AsBytes("abc"));
  file.CloseFile();
  EXPECT_EQ(Dateien().ReadFile(folder / "first.bin"), "012345abc9");
  EXPECT_FALSE(std::filesystem::exists(folder / "second.bin"));
}

// A failed read leaves zeros and the position, and the next message names the platform's code.
TEST(clDateiIOTest, AFailedReadIsZerosAndTheCodeOfItsFailure) {
  TempFolder folder;
  WriteContents(folder / "f.bin", "ABC");
  testing::FaultInjectionFileSystem files;
  clDateiIO file(files);
  file.OpenFile(folder / "f.bin", true);
  files.FailReadAt(0);  // counted from here
  EXPECT_EQ(file.ReadBytes(2), (std::vector<uint8_t>{0, 0}));
  EXPECT_EQ(file.GetFilePointer(), Bytes(0));
  EXPECT_EQ(file.ReadBytes(2), (std::vector<uint8_t>{'A', 'B'}));
  files.FailReadAt(0);
  (void)file.ReadBytes(1);
  EXPECT_EQ(RaisedError([&] { file.OpenFile(folder / "g.bin"); }).Description(),
            "The file '" + (folder / "f.bin") + "' is already open.\r\nError 1117\r\n" +
                SystemErrorMessage(1117));
}

TEST(clDateiIOTest, ReadWriteAndTruncateAtThePosition) {
  TempFolder folder;
  std::string path = folder / "f.bin";
  clDateiIO file(Dateien());
  file.OpenFile(path);
  file.SetAutoFlush(true);
  file.WriteBytes(AsBytes("0123456789"));
  file.SeekAbsolute(Bytes(4));
  file.WriteBytes(AsBytes("ab"));
  EXPECT_EQ(file.GetFilePointer(), Bytes(6));
  file.SetzeDateiEnde();
  EXPECT_EQ(Dateien().ReadFile(path), "0123ab");
  file.SeekAbsolute(Bytes(8));  // past the end: SetzeDateiEnde extends with zeros
  file.SetzeDateiEnde();
  file.Flush();
  EXPECT_EQ(Dateien().ReadFile(path), std::string("0123ab\0\0", 8));
  EXPECT_EQ(file.FileSize(), Bytes(8));
  // A read past the end fills with zeros.
  file.SeekAbsolute(Bytes(2));
  EXPECT_EQ(file.ReadBytes(10), (std::vector<uint8_t>{'2', '3', 'a', 'b', 0, 0, 0, 0, 0, 0}));
  file.SeekAbsolute(Bytes(0));
  EXPECT_EQ(file.ReadHeader(3), (std::vector<uint8_t>{'0', '1', '2'}));
  // The header goes where the position is, without seeking.
  file.SeekAbsolute(Bytes(3));
  file.WriteNewHeader("Depot1", "", "", dKapitalCash);
  EXPECT_EQ(file.FileSize(), Bytes(3 + rtt::kHeaderSize));
  EXPECT_EQ(Dateien().ReadFile(path).substr(3, 36), "VKS RealtimeTool-Datei Version 01.00");
}

TEST(clDateiIOTest, PositionsBeyondFourGigabytesAreExact) {
  TempFolder folder;
  std::string path = folder / "big.bin";
  constexpr int64_t kSize = (int64_t{1} << 32) + 5;
  WriteContents(path, "");
  std::filesystem::resize_file(path, kSize);
  clDateiIO file(Dateien());
  file.OpenFile(path);
  EXPECT_EQ(file.FileSize(), Bytes(kSize));
  file.SeekAbsolute(Bytes(3000000000));
  EXPECT_EQ(file.GetFilePointer(), Bytes(3000000000));
  file.WriteBytes(AsBytes("x"));
  file.SeekAbsolute(Bytes(kSize - 1));
  file.SeekRelative(-1);
  EXPECT_EQ(file.GetFilePointer(), Bytes(kSize - 2));
  file.SeekAbsolute(Bytes(3000000000));
  EXPECT_EQ(file.ReadBytes(1), std::vector<uint8_t>{'x'});
}

// Needs no open file.
TEST(clDateiIOTest, Convert64to32DividesByTenThousand) {
  clDateiIO file(Dateien());
  struct Case {
    int64_t scaled_in, scaled_out;
  } cases[] = {
      {int64_t{1} << 31, 214748},  // 214 748.3648 -> .3648 rounds down
      {(int64_t{1} << 32) * 10000, int64_t{1} << 32},
      {(int64_t{1} << 31) * 10000, int64_t{1} << 31},
      {-(int64_t{1} << 32) * 10000, -(int64_t{1} << 32)},
      {15000, 2},  // half to even
      {25000, 2},
      {-15000, -2},
      {-4999, 0},
      {INT64_MAX, 922337203685478},
      {int64_t{10000} * 10000, 10000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.scaled_in);
    EXPECT_EQ(file.convert64to32(CurrencyValue{c.scaled_in}).scaled, c.scaled_out);
  }
}

}  // namespace
}  // namespace vks
