#include "tools/vks-rtt/RttCommands.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "fakes/TempFolder.h"
#include "recording/RttAufzeichnung.h"
#include "recording/RttFileName.h"

namespace vks::rtt_tool {
namespace {

using vks::testing::TempFolder;

class RttCommandsTest : public ::testing::Test {
 protected:
  RttCommandsTest() {
    // 2024-03-05 14:30 and 15:00.
    Write(45356.604166666664, 1.5f, 1);
    Write(45356.625, -2.25f, 0);
  }
  void Write(double time, float value, float value2) {
    rtt_.SchreibeWert("Müller", "", "", dKapitalCash, DateValue{time}, value, value2);
  }
  std::string File() const { return RttFileLocation(storage_, "Müller", "", dKapitalCash).file; }
  // The file's name as the JSON outputs begin: {"file":"…",
  std::string JsonFile() const {
    std::string json = "{\"file\":\"";
    for (char c : File()) json += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return json + "\",";
  }
  int Run(std::vector<std::string> args) {
    out_.str("");
    err_.str("");
    return RunRttTool(*dateien_, args, out_, err_);
  }

  TempFolder folder_;
  RttStorage storage_{folder_.path()};
  std::unique_ptr<FileSystem> dateien_ = NewPlatformFileSystem();
  RttAufzeichnung rtt_{*dateien_, storage_};
  std::ostringstream out_, err_;
};

TEST_F(RttCommandsTest, DumpAsCsv) {
  EXPECT_EQ(Run({"dump", File()}), 0);
  EXPECT_EQ(out_.str(),
            "index,time,date,value,value2\n"
            "0,2024-03-05T14:30:00,45356.604166666664,1.5,1\n"
            "1,2024-03-05T15:00:00,45356.625,-2.25,0\n");
}

TEST_F(RttCommandsTest, DumpAsJson) {
  EXPECT_EQ(Run({"dump", "--json", File()}), 0);
  EXPECT_EQ(out_.str(),
            JsonFile() +
                "\"size\":888,\"well_formed\":true,\"header\":{\"signature\":\"VKS "
                "RealtimeTool-Datei Version 01.00\",\"display_name\":\"KapitalCash-Müller\","
                "\"base_name\":\"KapitalCash-Müller\",\"description\":\"Kontoserver "
                "Portfolio-Aufzeichnung\",\"category\":\"Portfolio\"},\"records\":[\n"
                "{\"time\":\"2024-03-05T14:30:00\",\"date\":45356.604166666664,\"value\":1.5,"
                "\"value2\":1},\n"
                "{\"time\":\"2024-03-05T15:00:00\",\"date\":45356.625,\"value\":-2.25,\"value2\":0}"
                "\n]}\n");
}

TEST_F(RttCommandsTest, InfoOfAWellFormedAndOfACutFile) {
  EXPECT_EQ(Run({"info", File()}), 0);
  EXPECT_EQ(out_.str(), "Datei: " + File() +
                            "\nGröße: 888 Bytes\nWohlgeformt: ja\n"
                            "Kennung: VKS RealtimeTool-Datei Version 01.00\n"
                            "Anzeigename: KapitalCash-Müller\nDateiname: KapitalCash-Müller\n"
                            "Beschreibung: Kontoserver Portfolio-Aufzeichnung\nArt: Portfolio\n"
                            "Datensätze: 2\n"
                            "Erster: 2024-03-05T14:30:00 (45356.604166666664)\n"
                            "Letzter: 2024-03-05T15:00:00 (45356.625)\n");
  std::ofstream(File(), std::ios::app | std::ios::binary) << "cut";
  EXPECT_EQ(Run({"info", File()}), 0);
  EXPECT_NE(out_.str().find("Wohlgeformt: nein (3 Bytes nach dem letzten ganzen Datensatz)\n"),
            std::string::npos);
  // The same for scripts: one JSON line per file.
  EXPECT_EQ(Run({"info", "--json", File(), File()}), 0);
  const std::string line =
      "\"size\":891,\"well_formed\":false,\"trailing_bytes\":3,"
      "\"signature\":\"VKS RealtimeTool-Datei Version 01.00\",\"signature_ok\":true,"
      "\"display_name\":\"KapitalCash-Müller\",\"base_name\":\"KapitalCash-Müller\","
      "\"description\":\"Kontoserver Portfolio-Aufzeichnung\",\"category\":\"Portfolio\","
      "\"records\":2,\"first\":\"2024-03-05T14:30:00\",\"last\":\"2024-03-05T15:00:00\"}\n";
  EXPECT_EQ(out_.str(), JsonFile() + line + JsonFile() + line);
}

TEST_F(RttCommandsTest, TailFollowsNewRecords) {
  std::ostringstream out, err;
  int polls = 0;
  int status = FollowRtt(
      *dateien_, File(), 1, out, err, [&] { return polls < 3; },
      [&] {
        ++polls;
        if (polls == 1) Write(45357, 7, 0);
        if (polls == 2) std::ofstream(File(), std::ios::app | std::ios::binary) << "half";
      });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(out.str(),
            "1,2024-03-05T15:00:00,45356.625,-2.25,0\n"
            "2,2024-03-06T00:00:00,45357,7,0\n");
}

TEST_F(RttCommandsTest, BadCallsAndFilesAreClearErrors) {
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string err_start;
  } cases[] = {
      {{}, 2, "vks-rtt: Befehl fehlt"},
      {{"frobnicate"}, 2, "vks-rtt: Befehl fehlt"},
      {{"dump"}, 2, "vks-rtt: DATEI fehlt\nMehr mit vks-rtt --help"},
      {{"dump", "x", "y"}, 2, "vks-rtt: DATEI erlaubt höchstens 1 Angaben, nicht 2"},
      {{"dump", "--csv", "x"}, 2, "vks-rtt: unerwartete Angabe: --csv"},
      {{"tail", "-n", "zehn", "x"}, 2, "vks-rtt: -n: keine ganze Zahl ab 0: zehn"},
      {{"tail", "-n", "-1", "x"}, 2, "vks-rtt: -n: keine ganze Zahl ab 0: -1"},
      {{"plot", "x"}, 2, "vks-rtt: -o fehlt"},
      {{"plot", "x", "-o", "a.png", "--von", "morgen"}, 2, "vks-rtt: --von: kein Datum: morgen"},
      {{"plot", "x", "-o", "a.png", "--bis", "14:30"}, 2, "vks-rtt: --bis: kein Datum: 14:30"},
      {{"plot", "x", "-o", "a.png", "--bis", "05.03.2024"}, 2, "vks-rtt: --bis: kein Datum: 05.0"},
      {{"plot", "x", "-o", "a.png", "--von", "2024-03-06", "--bis", "2024-03-05 23:00"},
       2,
       "vks-rtt: --von liegt nicht vor --bis"},
      {{"dump", folder_ / "none.RTT"}, 1, "vks-rtt: Datei nicht gefunden: '"},
      // A folder is refused on both platforms.
      {{"info", folder_.path()}, 1, "vks-rtt: Zugriff verweigert: '"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.empty() ? "" : c.args[0]);
    EXPECT_EQ(Run(c.args), c.status);
    EXPECT_EQ(err_.str().substr(0, c.err_start.size()), c.err_start);
  }
}

TEST_F(RttCommandsTest, PlotWritesAPngOrSaysWhyNot) {
  std::string png = folder_ / "chart.png";
  int status = Run({"plot", File(), File(), "-o", png});
  if (status != 0) {
    EXPECT_EQ(status, 1);
    EXPECT_NE(err_.str().find("Qt"), std::string::npos);
    return;
  }
  ASSERT_EQ(status, 0) << err_.str();
  EXPECT_EQ(dateien_->ReadFile(png).substr(0, 8), "\x89PNG\r\n\x1a\n");
  EXPECT_EQ(Run({"plot", File(), "-o", folder_ / "chart.svg"}), 0);
  const std::string text = dateien_->ReadFile(folder_ / "chart.svg");
  EXPECT_NE(text.find("<svg"), std::string::npos);
  EXPECT_NE(text.find("KapitalCash-M"), std::string::npos);

  // The time axis spans the range asked for, past the records' own half hour: 14:00 to 16:00 has
  // a tick at 14:00, in the form of the user's locale.
  const auto vierzehn = [](const std::string& svg) {
    return svg.find(">14:00") != std::string::npos || svg.find(">2:00 PM") != std::string::npos;
  };
  EXPECT_FALSE(vierzehn(text));
  ASSERT_EQ(Run({"plot", File(), "-o", folder_ / "range.svg", "--von", "2024-03-05 14:00", "--bis",
                 "2024-03-05T16:00"}),
            0);
  EXPECT_TRUE(vierzehn(dateien_->ReadFile(folder_ / "range.svg")));
}

}  // namespace
}  // namespace vks::rtt_tool
