// The tools on big files: the peak heap of `vks-rtt info` and of `vks-store check` on a file of
// 16 MiB and on one of 256 MiB, made in $VKS_BENCH_DIR (else the system's temporary folder). Both
// walk their file in parts of a fixed size, so the peak on the big file is the peak on the small
// one: the counter peak_ratio (big / small) is the figure to watch, with 1 as its target, where a
// tool that reads the whole file shows the ratio of the sizes, 16.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "accounts/clKonto.h"
#include "bench/Floor.h"
#include "bench/HeapPeak.h"
#include "bench/Konten.h"
#include "bench/Verhaeltnisse.h"
#include "platform/automation/StoreWriter.h"
#include "platform/files/FileSystem.h"
#include "recording/RttHeader.h"
#include "tools/store/StoreCheck.h"
#include "tools/vks-rtt/RttCommands.h"

namespace vks {
namespace {

constexpr int64_t kMiB = int64_t{1} << 20;
constexpr int64_t kKlein = 16 * kMiB;
constexpr int64_t kGross = 256 * kMiB;

void Schreibe(WritableFile& file, std::string& puffer, bool zum_schluss = false) {
  if (puffer.size() < static_cast<size_t>(kMiB) && !zum_schluss) return;
  file.Append(puffer);
  puffer.clear();
}

// A series of `groesse` bytes: the header and records one minute apart.
void SchreibeRtt(FileSystem& files, const std::string& pfad, int64_t groesse) {
  auto file = files.NewWritableFile(pfad);
  RttHeaderBytes header = ErzeugeRTTHeader("Bench", "", "", dKapitalCash);
  std::string puffer(header.begin(), header.end());
  const int64_t anzahl = (groesse - static_cast<int64_t>(rtt::kHeaderSize)) / rtt::kRecordSize;
  for (int64_t i = 0; i < anzahl; ++i) {
    RttRecordBytes r = EncodeRttRecord({DateValue{45000 + i / 1440.0}, float(i % 1000), 0});
    puffer.append(r.begin(), r.end());
    Schreibe(*file, puffer);
  }
  Schreibe(*file, puffer, true);
  file->Close();
}

// An account record with a name of fixed width, so that copies differ only in its digits.
std::string KontoBytes() {
  clKonto konto;
  konto.KontoName = "K0000000000";
  for (int p = 0; p < 20; ++p) {
    auto position = std::make_shared<clTitelPosition>();
    position->TitelWKN = "DE000A" + std::to_string(100000 + p);
    position->TitelName = "Wertpapier Nummer " + std::to_string(p) + " AG";
    position->Position = 10 * (p + 1);
    konto.cTitelPositionen.Add(position->TitelWKN, position);
  }
  for (int f = 0; f < 10; ++f) {
    auto fill = std::make_shared<clFilledOrder>();
    fill->ID = "F-" + std::to_string(f);
    fill->TitelWKN = "DE000A100001";
    konto.cFilledOrders.Add(fill->ID, fill);
  }
  std::string bytes;
  AppendStoreVariant(bytes, konto.WriteAllProperties());
  return bytes;
}

// A store of about `groesse` bytes: as many accounts as fit, each named apart.
void SchreibeStore(FileSystem& files, const std::string& pfad, int64_t groesse) {
  std::string konto = KontoBytes();
  const size_t name = konto.find("K0000000000") + 1;
  const int64_t anzahl = groesse / static_cast<int64_t>(konto.size());
  std::string puffer;
  AppendStoreVariant(puffer, Variant(VariantArray::Vector(1, {Variant()})));
  puffer.resize(puffer.size() - 2);  // the header of a list of one, without its element
  const auto n = static_cast<uint32_t>(anzahl);
  for (int i = 0; i < 4; ++i) puffer[4 + i] = static_cast<char>(n >> (8 * i));
  auto file = files.NewWritableFile(pfad);
  for (int64_t i = 0; i < anzahl; ++i) {
    konto.replace(name, 10, bench::Nummer("%010lld", static_cast<long long>(i)));
    puffer += konto;
    Schreibe(*file, puffer);
  }
  Schreibe(*file, puffer, true);
  file->Close();
}

struct Dateien {
  bench::ScratchFolder ordner{"vks-tools-bench-"};
  std::unique_ptr<FileSystem> files = NewPlatformFileSystem();

  Dateien() {
    for (int64_t groesse : {kKlein, kGross}) {
      SchreibeRtt(*files, Pfad(groesse, ".RTT"), groesse);
      SchreibeStore(*files, Pfad(groesse, ".dat"), groesse);
    }
  }
  std::string Pfad(int64_t groesse, const char* endung) const {
    return ordner.path + "/" + std::to_string(groesse / kMiB) + endung;
  }
};

Dateien& Vorrat() {
  static Dateien dateien;
  return dateien;
}

std::map<std::string, double>& Verhaeltnisse() {
  static std::map<std::string, double> werte;
  return werte;
}

void RttInfo(FileSystem& files, const std::string& pfad) {
  std::ostringstream out, err;
  if (rtt_tool::RunRttTool(files, {"info", pfad}, out, err) != 0) std::abort();
}

void StoreCheck(FileSystem& files, const std::string& pfad) {
  if (!CheckStore(*files.OpenReadable(pfad)).ok) std::abort();
}

// Runs the tool `name` on both sizes of the files ending in `endung` in every iteration and counts
// the peaks in KiB.
void MissSpitzen(benchmark::State& state, const char* name,
                 void (*werkzeug)(FileSystem&, const std::string&), const char* endung) {
  Dateien& d = Vorrat();
  int64_t klein = 0, gross = 0;
  for (auto _ : state) {
    klein =
        std::max(klein, bench::CountHeap([&] { werkzeug(*d.files, d.Pfad(kKlein, endung)); }).peak);
    gross =
        std::max(gross, bench::CountHeap([&] { werkzeug(*d.files, d.Pfad(kGross, endung)); }).peak);
  }
  state.counters["peak_16MiB_KiB"] = static_cast<double>(klein) / 1024;
  state.counters["peak_256MiB_KiB"] = static_cast<double>(gross) / 1024;
  state.counters["peak_ratio"] = klein > 0 ? static_cast<double>(gross) / klein : 0;
  Verhaeltnisse()[name] = state.counters["peak_ratio"];
}

}  // namespace
}  // namespace vks

int main(int argc, char** argv) {
  benchmark::RegisterBenchmark("BM_RttInfoPeak", vks::MissSpitzen, "vks-rtt info", vks::RttInfo,
                               ".RTT")
      ->Unit(benchmark::kMillisecond)
      ->Iterations(2);
  benchmark::RegisterBenchmark("BM_StoreCheckPeak", vks::MissSpitzen, "vks-store check",
                               vks::StoreCheck, ".dat")
      ->Unit(benchmark::kMillisecond)
      ->Iterations(2);
  return vks::bench::LaufeMitVerhaeltnissen(
      argc, argv, {},
      [] {
        vks::Vorrat();
        return true;
      },
      [](std::ostream& out) {
        for (const auto& [name, wert] : vks::Verhaeltnisse())
          out << name << ": Spitze 256 MiB / 16 MiB: " << wert << " (Ziel <= 1.1)\n";
      });
}
