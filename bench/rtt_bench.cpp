// Appending one value with RttAufzeichnung::SchreibeWert against the bare system calls it cannot
// avoid (open, size, write of 16 bytes at the end, close of the same file). The name building and
// the folder check must not cost more than those: the ratio printed at the end should stay at or
// below 1.2.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "bench/RttFloor.h"
#include "recording/RttAufzeichnung.h"
#include "recording/RttFileName.h"
#include "recording/RttRecord.h"

namespace {

namespace fs = std::filesystem;
using vks::bench::FloorAppend;
using vks::bench::Measure;
using vks::bench::NanosPerItem;
constexpr int kManyFiles = 10000;

// The folder goes last, after the recording has closed the files it keeps open.
struct BenchFolder {
  ~BenchFolder() {
    std::error_code ignored;
    fs::remove_all(path, ignored);
  }
  std::string path = vks::bench::NewBenchFolder("vks-rtt-bench-");
};

struct Store {
  Store() { rtt.SetzeSpeicher(vks::RttStorage{root.path}); }
  BenchFolder root;
  std::unique_ptr<vks::FileSystem> dateien = vks::NewPlatformFileSystem();
  vks::RttAufzeichnung rtt{*dateien, vks::RttStorage{}};
};

std::string PositionWkn(int i) {
  char wkn[16];
  std::snprintf(wkn, sizeof wkn, "W%06d", i);
  return wkn;
}

void BM_RttAppendFloor(benchmark::State& state) {
  Store store;
  store.rtt.SchreibeWert("Depot1", "", "", vks::dKapitalCash, {1}, 1, 0);
  std::string path = store.rtt.DateiName("Depot1", "", vks::dKapitalCash, false);
  Measure(state, "floor", [&](int64_t i) { FloorAppend(path, static_cast<double>(i)); });
}

void BM_RttAppend(benchmark::State& state) {
  Store store;
  store.rtt.SchreibeWert("Depot1", "", "", vks::dKapitalCash, {1}, 1, 0);
  Measure(state, "append", [&](int64_t i) {
    store.rtt.SchreibeWert("Depot1", "", "", vks::dKapitalCash,
                           vks::DateValue{static_cast<double>(i)}, 1, 0);
  });
}

// A big account: one value appended to each of 10 000 position files in turn.
void BM_RttAppendManyFilesFloor(benchmark::State& state) {
  Store store;
  std::vector<std::string> paths;
  for (int i = 0; i < kManyFiles; ++i) {
    store.rtt.SchreibeWert("Depot1", PositionWkn(i), "", vks::dTitelPos, {1}, 1, 0);
    paths.push_back(store.rtt.DateiName("Depot1", PositionWkn(i), vks::dTitelPos, false));
  }
  Measure(state, "many floor", [&](int64_t i) {
    FloorAppend(paths[static_cast<size_t>(i % kManyFiles)], static_cast<double>(i));
  });
}

void BM_RttAppendManyFiles(benchmark::State& state) {
  Store store;
  std::vector<std::string> wkns;
  for (int i = 0; i < kManyFiles; ++i) {
    wkns.push_back(PositionWkn(i));
    store.rtt.SchreibeWert("Depot1", wkns.back(), "", vks::dTitelPos, {1}, 1, 0);
  }
  Measure(state, "many", [&](int64_t i) {
    store.rtt.SchreibeWert("Depot1", wkns[static_cast<size_t>(i % kManyFiles)], "", vks::dTitelPos,
                           vks::DateValue{static_cast<double>(i)}, 1, 0);
  });
}

BENCHMARK(BM_RttAppendFloor)->MinTime(1.0);
BENCHMARK(BM_RttAppend)->MinTime(1.0);
BENCHMARK(BM_RttAppendManyFilesFloor)->MinTime(2.0);
BENCHMARK(BM_RttAppendManyFiles)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  auto& nanos = NanosPerItem();
  auto ratio = [&](const char* name, const char* floor) {
    if (nanos.count(name) && nanos.count(floor) && nanos[floor] > 0)
      std::printf("%-40s %.2fx (target <= 1.2x)\n", name, nanos[name] / nanos[floor]);
  };
  ratio("append", "floor");
  ratio("many", "many floor");
  return 0;
}
