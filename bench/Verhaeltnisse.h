#pragma once
// Runs the benchmarks with their repetitions interleaved at random, so that a machine whose load
// changes during the run burdens a benchmark and its floor alike, and prints, after the usual
// table, each benchmark's wall and CPU time as multiples of its floor's: the medians of the
// repetitions when there are any, else the one run. A floor of one record's cost counts as often as
// a counter of the benchmark says.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace vks::bench {

struct Verhaeltnis {
  std::string name;
  std::string floor;
  double ziel = 0;    // 0: no target, the line only informs
  std::string mal{};  // a counter of `name`'s: the floor counts that many times (empty: once)
};

class VerhaeltnisReporter : public benchmark::ConsoleReporter {
 public:
  // `nachwort` may print more lines after the ratios.
  explicit VerhaeltnisReporter(std::vector<Verhaeltnis> verhaeltnisse,
                               std::function<void(std::ostream&)> nachwort = {})
      : ConsoleReporter(::isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular),
        verhaeltnisse_(std::move(verhaeltnisse)),
        nachwort_(std::move(nachwort)) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const std::string& name = run.run_name.function_name;
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (median || (run.run_type == Run::RT_Iteration && !median_[name])) {
        zeiten_[name] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime(),
                         benchmark::GetTimeUnitString(run.time_unit), run.counters};
        median_[name] = median_[name] || median;
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }

  void Finalize() override {
    std::ostream& out = GetOutputStream();
    for (const Verhaeltnis& v : verhaeltnisse_) {
      const auto zeit = zeiten_.find(v.name);
      std::optional<Zeit> floor = Summe(v.floor);
      if (zeit == zeiten_.end() || !floor || floor->wand <= 0 || floor->cpu <= 0) continue;
      const Zeit& z = zeit->second;
      const auto mal = z.zaehler.find(v.mal);
      if (!v.mal.empty() && mal == z.zaehler.end()) continue;
      const double n = v.mal.empty() ? 1 : mal->second.value;
      floor->wand *= n;
      floor->cpu *= n;
      out << v.name << " / ";
      if (!v.mal.empty()) out << n << " " << v.mal << " x ";
      out << v.floor << ": " << z.wand / floor->wand << " (" << z.wand << " vs " << floor->wand
          << " " << z.einheit << "), CPU " << z.cpu / floor->cpu;
      if (v.ziel > 0) out << " (Ziel <= " << v.ziel << ")";
      out << "\n";
    }
    if (nachwort_) nachwort_(out);
    ConsoleReporter::Finalize();
  }

 private:
  struct Zeit {
    double wand = 0, cpu = 0;
    std::string einheit;
    benchmark::UserCounters zaehler;
  };

  // A floor written "A+B" is the sum of both; times in the unit of the first.
  std::optional<Zeit> Summe(const std::string& namen) const {
    std::optional<Zeit> summe;
    size_t anfang = 0;
    for (;;) {
      const size_t plus = namen.find('+', anfang);
      const auto z = zeiten_.find(namen.substr(anfang, plus - anfang));
      if (z == zeiten_.end() || (summe && z->second.einheit != summe->einheit)) return std::nullopt;
      if (!summe) summe = Zeit{0, 0, z->second.einheit, {}};
      summe->wand += z->second.wand;
      summe->cpu += z->second.cpu;
      if (plus == std::string::npos) return summe;
      anfang = plus + 1;
    }
  }

  std::vector<Verhaeltnis> verhaeltnisse_;
  std::function<void(std::ostream&)> nachwort_;
  std::map<std::string, Zeit> zeiten_;
  std::map<std::string, bool> median_;
};

// The body of main(): `vorbereiten` runs after the arguments are read and before the first
// benchmark; a false from it ends the program with 1.
inline int LaufeMitVerhaeltnissen(int argc, char** argv, std::vector<Verhaeltnis> verhaeltnisse,
                                  const std::function<bool()>& vorbereiten = {},
                                  std::function<void(std::ostream&)> nachwort = {}) {
  std::vector<char*> args(argv, argv + argc);
  char interleave[] = "--benchmark_enable_random_interleaving=true";
  args.insert(args.begin() + 1, interleave);
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
  if (vorbereiten && !vorbereiten()) return 1;
  VerhaeltnisReporter reporter(std::move(verhaeltnisse), std::move(nachwort));
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}

}  // namespace vks::bench
