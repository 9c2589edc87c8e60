// Revaluing a big account at random prices, and writing an account's initial series, each
// against a floor measured in the same run; the last lines give the ratios of the medians.
#include <benchmark/benchmark.h>

#include <fstream>
#include <random>
#include <string>
#include <unordered_map>

#include "accounts/KontoUmgebung.h"
#include "accounts/clKonto.h"
#include "bench/Floor.h"
#include "bench/Konten.h"
#include "bench/Verhaeltnisse.h"
#include "fakes/FakeClock.h"
#include "platform/files/FileSystem.h"
#include "recording/RttAufzeichnung.h"

namespace vks {
namespace {

constexpr int kPositions = 1000;

struct Draw {
  std::string wkn;
  float price;
};

std::vector<Draw> Draws() {
  std::mt19937 random(42);
  std::uniform_int_distribution<int> pick(0, kPositions - 1);
  std::uniform_real_distribution<float> price(90, 160);
  std::vector<Draw> draws(4096);
  for (Draw& d : draws) d = {bench::KursWkn(pick(random)), price(random)};
  return draws;
}

void BM_NeuerKurs(benchmark::State& state) {
  clKonto konto;
  bench::FuelleKurspositionen(konto, kPositions);
  testing::FakeClock clock;
  auto draws = Draws();
  size_t n = 0;
  for (auto _ : state) {
    const Draw& d = draws[n++ & 4095];
    bool sofort = false;
    konto.NeuerKurs(d.wkn, DateValue{45658.5}, d.price, sofort, clock);
  }
  benchmark::DoNotOptimize(konto.KapitalAktienOpenPLGesamt);
}
BENCHMARK(BM_NeuerKurs)->Repetitions(9)->ReportAggregatesOnly(true);

// Floor: one hash-map lookup and the same arithmetic on a plain struct.
void BM_NeuerKursFloor(benchmark::State& state) {
  struct Plain {
    float preis, kurs, point_value;
    int32_t position;
    double open_pl;
  };
  std::unordered_map<std::string, Plain> positions;
  for (int i = 0; i < kPositions; ++i)
    positions[bench::KursWkn(i)] = {100.0f + i % 50, 0, i % 2 == 0 ? 0.0f : 25.0f, 10, 0};
  auto draws = Draws();
  double total = 0;
  size_t n = 0;
  for (auto _ : state) {
    const Draw& d = draws[n++ & 4095];
    Plain& p = positions.find(d.wkn)->second;
    if (p.kurs == d.price) continue;
    double neu =
        (double{d.price} - p.preis) * p.position * (p.point_value == 0 ? 1 : p.point_value);
    total = total - p.open_pl + neu;
    p.open_pl = neu;
    p.kurs = d.price;
  }
  benchmark::DoNotOptimize(total);
}
BENCHMARK(BM_NeuerKursFloor)->Repetitions(9)->ReportAggregatesOnly(true);

// One folder for the run's series and the floor's files, removed at its end.
const std::string& BenchFolder() {
  static const bench::ScratchFolder folder("vks-valuation-bench-");
  return folder.path;
}

void BM_SchreibeInitRTTWerte(benchmark::State& state) {
  std::unique_ptr<FileSystem> files = NewPlatformFileSystem();
  RttAufzeichnung rtt(*files, RttStorage{BenchFolder()});
  testing::FakeClock clock;
  KontoUmgebung umgebung{clock, rtt};
  clKonto konto;
  konto.KontoName = "Bench";
  konto.AktuelleZeit = DateValue{45658.5};
  for (auto _ : state) konto.SchreibeInitRTTWerte(false, umgebung);
}
BENCHMARK(BM_SchreibeInitRTTWerte)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Floor: 490 appends of one record, each open + size + write of 16 bytes at the end + close, to 49
// files.
void BM_SchreibeInitRTTWerteFloor(benchmark::State& state) {
  std::vector<std::string> files;
  for (int i = 0; i < 49; ++i) {
    files.push_back(JoinPath(BenchFolder(), "floor" + std::to_string(i) + ".RTT"));
    std::ofstream(files.back(), std::ios::binary) << std::string(856, '\0');
  }
  const uint8_t record[16] = {};
  for (auto _ : state) {
    for (int pass = 0; pass < 10; ++pass) {
      for (const std::string& file : files) bench::AppendAtEnd(file, record);
    }
  }
}
BENCHMARK(BM_SchreibeInitRTTWerteFloor)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace vks

int main(int argc, char** argv) {
  return vks::bench::LaufeMitVerhaeltnissen(
      argc, argv,
      {{"BM_NeuerKurs", "BM_NeuerKursFloor", 3.0},
       {"BM_SchreibeInitRTTWerte", "BM_SchreibeInitRTTWerteFloor", 1.2}});
}
