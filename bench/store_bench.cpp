// Saving and loading the account store (1 000 accounts, each with 50 positions and 20 fills)
// through AccountStore on the real files, against what the disk costs for the same bytes: one
// write, flush to the disk and rename for the save, one read for the load. The last lines of the
// output give the ratios of wall and of CPU time; BM_StoreLoadPeakHeap gives the load's peak heap.
// The store goes to $VKS_BENCH_DIR, else the system's temporary folder.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "accounts/clKonto.h"
#include "bench/Floor.h"
#include "bench/HeapPeak.h"
#include "bench/Konten.h"
#include "bench/Verhaeltnisse.h"
#include "fakes/RecordingReporter.h"
#include "platform/files/FileSystem.h"
#include "platform/system/Clock.h"
#include "session/AccountStore.h"

namespace vks {
namespace {

constexpr int kAccounts = 1000;
constexpr int kPositions = 50;
constexpr int kFills = 20;

std::shared_ptr<clKonto> MakeKonto(int k) {
  auto konto = std::make_shared<clKonto>();
  konto->KontoName = bench::Nummer("Konto %04d", k);
  konto->Beschreibung = "Benchmark-Konto mit Aktien und Kontrakten";
  konto->CashBetrag = 10000 + k * 0.25;
  konto->AktuelleZeit = DateValue{45658.5 + k / 1440.0};
  konto->FillStreichBedingung = "If Kennzahl(\"Positionen\") > 40 Then Ergebnis = 1";
  for (int p = 0; p < kPositions; ++p) {
    auto position = std::make_shared<clTitelPosition>();
    position->TitelWKN = bench::Nummer("DE000A%06d", p);
    position->TitelName = bench::Nummer("Wertpapier Nummer %d AG", p);
    position->Durchschnittspreis = 10.0f + p * 1.25f;
    position->Position = (p % 3 == 0 ? -1 : 1) * (p + 1) * 10;
    position->PointValue = p % 5 == 0 ? 25.0f : 0.0f;
    position->MinTickSize = Variant(0.01);
    position->Margin = p % 5 == 0 ? 2500.0f : 1.0f;
    position->Commissions = 0.25f;
    position->MindestCommissions = 9.9f;
    position->AktUmrechnungsWert = 1.0f;
    position->OpenPL = p * 3.5 - 40;
    konto->cTitelPositionen.Add(position->TitelWKN, position);
  }
  for (int f = 0; f < kFills; ++f) {
    auto fill = std::make_shared<clFilledOrder>();
    fill->ID = bench::Nummer("F-%04d-%03d", k, f);
    fill->Aktion = f % 2 ? 1 : -1;
    fill->FilledAnzahl = 10 * (f + 1);
    fill->TitelWKN = "DE000A000001";
    fill->TitelName = "Wertpapier Nummer 1 AG";
    fill->SimulDatum = DateValue{45658.5 + f};
    fill->RealDatum = DateValue{45658.5 + f};
    fill->IsEnterOrder = f % 4 == 0;
    fill->EnterPreis = 11.25f;
    konto->cFilledOrders.Add(fill->ID, fill);
  }
  return konto;
}

// One store on the disk, shared by all benchmarks of the run and removed at the end.
struct StoreOnDisk {
  bench::ScratchFolder folder{"vks-store-bench-"};
  std::unique_ptr<FileSystem> files = NewPlatformFileSystem();
  testing::RecordingReporter reporter;
  testing::RecordingErrorLog error_log;
  SystemClock clock;
  KontenSammlung konten{CompareMode::Text};
  AccountStore store{folder.path, folder.path, *files, reporter, error_log, clock};
  std::string bytes;

  StoreOnDisk() {
    for (int k = 0; k < kAccounts; ++k) {
      auto konto = MakeKonto(k);
      konten.Add(konto->KontoName, konto);
    }
    bytes = SerialisiereKonten(konten);
    if (store.SpeichereKonten(konten)) std::abort();
  }
  std::string FloorPath() const { return JoinPath(folder.path, "floor.dat"); }
};

StoreOnDisk& Disk() {
  static StoreOnDisk disk;
  return disk;
}

void BM_StoreSave(benchmark::State& state) {
  StoreOnDisk& disk = Disk();
  for (auto _ : state) benchmark::DoNotOptimize(disk.store.SpeichereKonten(disk.konten));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(disk.bytes.size()));
}
BENCHMARK(BM_StoreSave)->Unit(benchmark::kMillisecond)->UseRealTime();

// One write of the store's bytes under a temporary name, flushed, renamed over the floor's file.
// With `sync_folder` not the floor: the floor plus the sync of the folder after the rename, which
// the store does so that the new file's name is on the disk too (on Windows the write-through
// rename did that). Shows how much of the save's wall time that costs.
void SaveFloor(benchmark::State& state, bool sync_folder) {
  StoreOnDisk& disk = Disk();
  const std::string temporary = disk.FloorPath() + ".neu";
  for (auto _ : state) {
    if (!bench::WriteSyncRename(temporary, disk.FloorPath(), disk.bytes) ||
        (sync_folder && !bench::SyncFolder(disk.folder.path))) {
      state.SkipWithError("Schreiben fehlgeschlagen");
      break;
    }
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(disk.bytes.size()));
}

void BM_StoreLoad(benchmark::State& state) {
  StoreOnDisk& disk = Disk();
  for (auto _ : state) {
    KontenSammlung konten(CompareMode::Text);
    disk.store.LadeKonten(konten);
    if (konten.Count() != kAccounts) state.SkipWithError("Konten fehlen");
    state.PauseTiming();  // the collection's end is no part of a load
    { KontenSammlung gone = std::move(konten); }
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(disk.bytes.size()));
}
BENCHMARK(BM_StoreLoad)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_StoreLoadFloor(benchmark::State& state) {
  StoreOnDisk& disk = Disk();
  const std::string path = disk.store.StorePath();
  for (auto _ : state) {
    std::string bytes(disk.bytes.size(), '\0');
    if (!bench::ReadWhole(path, bytes)) {
      state.SkipWithError("Lesen fehlgeschlagen");
      break;
    }
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(disk.bytes.size()));
}
BENCHMARK(BM_StoreLoadFloor)->Unit(benchmark::kMillisecond)->UseRealTime();

// Not a floor but what any load has to do besides reading: the same accounts, positions and fills
// made and put into their collections, their texts copied from memory. Shows how much of the
// load is the parsing of the bytes.
void BM_StoreLoadObjectsOnly(benchmark::State& state) {
  StoreOnDisk& disk = Disk();
  for (auto _ : state) {
    KontenSammlung konten(CompareMode::Text);
    for (const auto& entry : disk.konten) {
      const clKonto& source = *entry.value;
      auto konto = std::make_shared<clKonto>();
      konto->KontoName = source.KontoName;
      konto->Beschreibung = source.Beschreibung;
      konto->FillStreichBedingung = source.FillStreichBedingung;
      for (const auto& [key, from] : source.cTitelPositionen) {
        auto position = std::make_shared<clTitelPosition>();
        position->TitelWKN = from->TitelWKN;
        position->TitelName = from->TitelName;
        position->MinTickSize = from->MinTickSize;
        std::string wkn = position->TitelWKN;
        konto->cTitelPositionen.Add(std::move(wkn), std::move(position));
      }
      for (const auto& [key, from] : source.cFilledOrders) {
        auto fill = std::make_shared<clFilledOrder>();
        fill->ID = from->ID;
        fill->TitelWKN = from->TitelWKN;
        fill->TitelName = from->TitelName;
        std::string id = fill->ID;
        konto->cFilledOrders.Add(std::move(id), std::move(fill));
      }
      std::string name = konto->KontoName;
      konten.Add(std::move(name), std::move(konto));
    }
    state.PauseTiming();
    { KontenSammlung gone = std::move(konten); }
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StoreLoadObjectsOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

// The heap's high-water mark during a load, above what was in use before it, and what the loaded
// accounts keep.
void BM_StoreLoadPeakHeap(benchmark::State& state) {
  StoreOnDisk& disk = Disk();
  int64_t peak = 0;
  int64_t kept = 0;
  for (auto _ : state) {
    KontenSammlung konten(CompareMode::Text);
    const bench::HeapUse use = bench::CountHeap([&] { disk.store.LadeKonten(konten); });
    peak = std::max(peak, use.peak);
    kept = use.kept;
  }
  const double mib = 1 << 20;
  state.counters["file_MiB"] = static_cast<double>(disk.bytes.size()) / mib;
  state.counters["kept_MiB"] = static_cast<double>(kept) / mib;
  state.counters["peak_MiB"] = static_cast<double>(peak) / mib;
  state.counters["peak_per_file"] = static_cast<double>(peak) / disk.bytes.size();
}
BENCHMARK(BM_StoreLoadPeakHeap)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace vks

// The floor of the save waits for the disk in fsync, so its wall time is mostly the disk's and its
// CPU time mostly the copy into the page cache.
int main(int argc, char** argv) {
  for (bool sync_folder : {false, true}) {
    benchmark::RegisterBenchmark(sync_folder ? "BM_StoreSaveFloorFolderSync" : "BM_StoreSaveFloor",
                                 vks::SaveFloor, sync_folder)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
  }
  return vks::bench::LaufeMitVerhaeltnissen(
      argc, argv,
      {{"BM_StoreSave", "BM_StoreSaveFloor", 1.5},
       {"BM_StoreSave", "BM_StoreSaveFloorFolderSync"},
       {"BM_StoreLoad", "BM_StoreLoadFloor", 2.0},
       {"BM_StoreLoad", "BM_StoreLoadFloor+BM_StoreLoadObjectsOnly"}});
}
