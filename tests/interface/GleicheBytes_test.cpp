// One session played against the in-process server writes the store and RTT files that the
// repository keeps beside this test: the Linux and the Windows build both compare against them, so
// both write the same bytes under the same names. VKS_GLEICHE_BYTES_SCHREIBEN=1 writes them anew.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include "fakes/SpielHost.h"

namespace vks {
namespace {

namespace fs = std::filesystem;

std::string Utf8(const fs::path& path) {
  const std::u8string text = path.generic_u8string();
  return std::string(text.begin(), text.end());
}

// Every file below `folder`, by its path relative to it, with its bytes.
std::map<std::string, std::string> Files(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    files[Utf8(fs::relative(entry.path(), folder))] =
        std::string(std::istreambuf_iterator<char>(in), {});
  }
  return files;
}

TEST(GleicheBytesTest, ASessionWritesTheKeptStoreAndRttFiles) {
  testing::SpielHost s;
  clOrderZusatzInfos aktie;
  aktie.Margin = 100;
  std::string fehler;
  // A name with umlauts and blanks, which both systems allow.
  const char* name = "Müller & Söhne";
  ASSERT_TRUE(s.host->VKSNeuesKontoZufügen(name, "Übung €", 25000.5, DateValue{45000.5}, true,
                                           false, false, fehler));
  DateValue zeit{45000.6};
  s.host->VKSKontoNeuerOrderstatus(zeit, name, "A1", "DE1", "Eins AG", 1, 10, 10, 101.25f, true,
                                   &aktie);
  s.host->VKSKontoNeuerKurs(DateValue{45000.7}, name, "DE1", 105.5f, true);
  zeit = DateValue{45000.8};
  s.host->VKSKontoNeuerOrderstatus(zeit, name, "E1", "DE2", "Zwei AG", -1, 5, 2, 33.125f, true,
                                   &aktie);
  s.host->VKSKontoNeuerKurs(DateValue{45000.9}, name, "DE2", 30, true);
  (void)s.host->VKSClosePosition(name, "DE1", 110);
  s.plan.KursspeichernZeitgeberTick();
  s.plan.ZeitgeberTick();

  const auto written = Files(s.folder.path());
  ASSERT_GT(written.size(), 10u);
  const fs::path kept = VKS_GLEICHE_BYTES;
  if (const char* neu = std::getenv("VKS_GLEICHE_BYTES_SCHREIBEN"); neu && *neu == '1') {
    fs::remove_all(kept);
    for (const auto& [name, bytes] : written) {
      fs::create_directories((kept / testing::Utf8Path(name)).parent_path());
      std::ofstream(kept / testing::Utf8Path(name), std::ios::binary) << bytes;
    }
  }
  const auto expected = Files(kept);
  for (const auto& [name, bytes] : expected) {
    SCOPED_TRACE(name);
    ASSERT_EQ(written.count(name), 1u);
    EXPECT_TRUE(written.at(name) == bytes);
  }
  EXPECT_EQ(written.size(), expected.size());
}

}  // namespace
}  // namespace vks
