// Appending one value with RttAufzeichnung::SchreibeWert against the bare system calls it cannot
// avoid (open, size, write of 16 bytes at the end, close of the same file), to one series and to
// each of a big account's 10 000 position files in turn. The name building and the folder check
// must not cost more than those: the CPU ratios printed at the end should stay at or below 1.2.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/RttFloor.h"
#include "bench/Verhaeltnisse.h"
#include "recording/RttAufzeichnung.h"
#include "recording/RttFileName.h"

namespace {

constexpr int kManyFiles = 10000;

// `files` series of one account, each with its first value: the cash series alone, or positions.
struct Store {
  explicit Store(int files) {
    for (int i = 0; i < files; ++i) {
      char wkn[16];
      std::snprintf(wkn, sizeof wkn, "W%06d", i);
      wkns.push_back(files == 1 ? "" : wkn);
      rtt.SchreibeWert("Depot1", wkns.back(), "", Art(), {1}, 1, 0);
    }
  }
  vks::eKontoDatenArt Art() const { return wkns.size() == 1 ? vks::dKapitalCash : vks::dTitelPos; }
  const std::string& Wkn(int64_t i) const { return wkns[static_cast<size_t>(i) % wkns.size()]; }

  // The folder goes last, after the recording has closed the files it keeps open.
  vks::bench::ScratchFolder root{"vks-rtt-bench-"};
  std::unique_ptr<vks::FileSystem> dateien = vks::NewPlatformFileSystem();
  vks::RttAufzeichnung rtt{*dateien, vks::RttStorage{root.path}};
  std::vector<std::string> wkns;
};

void AppendFloor(benchmark::State& state, int files) {
  Store store(files);
  std::vector<std::string> paths;
  for (const std::string& wkn : store.wkns)
    paths.push_back(store.rtt.DateiName("Depot1", wkn, store.Art(), false));
  int64_t i = 0;
  for (auto _ : state) {
    vks::bench::FloorAppend(paths[static_cast<size_t>(i) % paths.size()], static_cast<double>(i));
    ++i;
  }
}

void Append(benchmark::State& state, int files) {
  Store store(files);
  int64_t i = 0;
  for (auto _ : state) {
    store.rtt.SchreibeWert("Depot1", store.Wkn(i), "", store.Art(),
                           vks::DateValue{static_cast<double>(i)}, 1, 0);
    ++i;
  }
}

}  // namespace

int main(int argc, char** argv) {
  for (int files : {1, kManyFiles}) {
    const std::string name = files == 1 ? "BM_RttAppend" : "BM_RttAppendManyFiles";
    const double seconds = files == 1 ? 1.0 : 2.0;
    benchmark::RegisterBenchmark((name + "Floor").c_str(), AppendFloor, files)->MinTime(seconds);
    benchmark::RegisterBenchmark(name.c_str(), Append, files)->MinTime(seconds);
  }
  return vks::bench::LaufeMitVerhaeltnissen(
      argc, argv,
      {{"BM_RttAppend", "BM_RttAppendFloor", 1.2},
       {"BM_RttAppendManyFiles", "BM_RttAppendManyFilesFloor", 1.2}});
}
