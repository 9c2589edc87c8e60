// The host's hot paths through clKontoSchnittstelle, each against a floor measured in the same
// run: a full order cycle against one record append times the records it writes (target 1.3x),
// a price on an account of 1 000 positions (target 300 ns), and one price-save tick for 100
// accounts against the same appends as bare system calls (target 1.2x). The targets hold for the
// ratios of CPU time, which other load on the machine does not skew.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/Konten.h"
#include "bench/RttFloor.h"
#include "bench/Verhaeltnisse.h"
#include "fakes/SpielHost.h"
#include "recording/RttAufzeichnung.h"
#include "recording/RttFileName.h"

namespace vks {
namespace {

namespace fs = std::filesystem;
using bench::FloorAppend;

// The whole server in-process, as the host-playing tests wire it, with a helper for accounts.
struct Server : testing::SpielHost {
  void NewAccount(const std::string& name) {
    std::string error;
    host->VKSNeuesKontoZufügen(name, "", 1e9, DateValue{45658.5}, true, false, false, error);
  }
  clKonto& Konto(const std::string& name) { return *state.Konten.Item(name); }
};

// Size of every record file under `folder`.
std::map<std::string, uintmax_t> FileSizes(const std::string& folder) {
  std::map<std::string, uintmax_t> sizes;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (entry.is_regular_file()) sizes[entry.path().string()] = entry.file_size();
  return sizes;
}

// The files written since `before`, each once per record appended to it.
std::vector<std::string> AppendedRecords(const std::string& folder,
                                         const std::map<std::string, uintmax_t>& before) {
  std::vector<std::string> records;
  for (const auto& [path, size] : FileSizes(folder)) {
    auto old = before.find(path);
    const uintmax_t added = size - (old == before.end() ? 0 : old->second);
    for (uintmax_t i = 0; i < added / rtt::kRecordSize; ++i) records.push_back(path);
  }
  return records;
}

void BM_RecordFloor(benchmark::State& state) {
  Server server;
  server.NewAccount("Depot");
  std::string path = server.rtt.DateiName("Depot", "", dKapitalCash, false);
  int64_t i = 0;
  for (auto _ : state) FloorAppend(path, static_cast<double>(i++));
}

// One cycle of an entry order: placed, filled 10, then 20, then the last 30. The cycles buy and
// sell in turn, so that the position opens and closes and the account stays the same size.
void BM_OrderCycle(benchmark::State& state) {
  Server server;
  server.NewAccount("Depot");
  clOrderZusatzInfos extras;
  extras.Margin = 100;
  int64_t id = 0;
  auto cycle = [&](int64_t i) {
    std::string order = "O";
    order += std::to_string(++id);
    const int16_t aktion = i % 2 == 0 ? 1 : -1;
    DateValue t{45658.5 + static_cast<double>(i) * 1e-5};
    for (int32_t filled : {0, 10, 30, 60}) {
      server.host->VKSKontoNeuerOrderstatus(t, "Depot", order, "DE0001", "Eins AG", aktion, 60,
                                            filled, 100.0f + static_cast<float>(filled) / 10, true,
                                            &extras);
    }
  };
  cycle(0);  // creates the files, so that only records are counted
  cycle(1);
  const auto before = FileSizes(server.rtt.Speicher().folder);
  cycle(2);
  cycle(3);
  state.counters["records"] =
      static_cast<double>(AppendedRecords(server.rtt.Speicher().folder, before).size()) / 2;
  int64_t i = 4;
  for (auto _ : state) cycle(i++);
}

constexpr int kPositions = 1000;

void BM_VKSKontoNeuerKurs(benchmark::State& state) {
  Server server;
  server.NewAccount("Depot");
  clKonto& konto = server.Konto("Depot");
  bench::FuelleKurspositionen(konto, kPositions);
  std::vector<std::string> wkns;
  for (int i = 0; i < kPositions; ++i) wkns.push_back(bench::KursWkn(i));
  size_t n = 0;
  for (auto _ : state) {
    const size_t k = (n * 7919) % kPositions;
    server.host->VKSKontoNeuerKurs(DateValue{45658.5}, "Depot", wkns[k],
                                   90.0f + static_cast<float>(n++ % 71), false);
  }
  benchmark::DoNotOptimize(konto.KapitalAktienOpenPLGesamt);
}

constexpr int kAccounts = 100;

// 100 accounts whose price-driven values all wait to be written.
struct WaitingAccounts : Server {
  WaitingAccounts() {
    for (int i = 0; i < kAccounts; ++i) NewAccount("Konto" + std::to_string(i));
  }
  void SetFlags() {
    for (auto& entry : state.Konten) {
      entry.value->NeuerAktienwertSpeichern = true;
      entry.value->NeuerOpenPLSpeichern = true;
    }
  }
  // The files one tick writes, once per record.
  std::vector<std::string> TickRecords() {
    SetFlags();
    presenter.Plan().KursspeichernZeitgeberTick();
    SetFlags();
    const auto before = FileSizes(rtt.Speicher().folder);
    presenter.Plan().KursspeichernZeitgeberTick();
    return AppendedRecords(rtt.Speicher().folder, before);
  }
};

void BM_KursspeichernZeitgeber(benchmark::State& state) {
  WaitingAccounts server;
  state.counters["records"] = static_cast<double>(server.TickRecords().size());
  for (auto _ : state) {
    state.PauseTiming();
    server.SetFlags();
    state.ResumeTiming();
    server.presenter.Plan().KursspeichernZeitgeberTick();
  }
}

// Floor: the same appends to the same files, as bare system calls.
void BM_KursspeichernZeitgeberFloor(benchmark::State& state) {
  WaitingAccounts server;
  const std::vector<std::string> records = server.TickRecords();
  int64_t i = 0;
  for (auto _ : state) {
    for (const std::string& path : records) FloorAppend(path, static_cast<double>(i));
    ++i;
  }
}

BENCHMARK(BM_RecordFloor)->MinTime(1.0);
BENCHMARK(BM_OrderCycle)->MinTime(1.0);
BENCHMARK(BM_VKSKontoNeuerKurs);
BENCHMARK(BM_KursspeichernZeitgeber)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_KursspeichernZeitgeberFloor)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace
}  // namespace vks

int main(int argc, char** argv) {
  return vks::bench::LaufeMitVerhaeltnissen(
      argc, argv,
      {{"BM_OrderCycle", "BM_RecordFloor", 1.3, "records"},
       {"BM_KursspeichernZeitgeber", "BM_KursspeichernZeitgeberFloor", 1.2}});
}
