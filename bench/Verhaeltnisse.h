#pragma once
// Runs the benchmarks with their repetitions interleaved at random, so that a machine whose load
// changes during the run burdens a benchmark and its floor alike, and prints, after the usual
// table, each benchmark's wall time as a multiple of its floor's: the medians of the repetitions
// when there are any, else the one run.
#include <benchmark/benchmark.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace vks::bench {

struct Verhaeltnis {
  std::string name;
  std::string floor;
  double ziel = 0;  // 0: no target, the line only informs
};

class VerhaeltnisReporter : public benchmark::ConsoleReporter {
 public:
  explicit VerhaeltnisReporter(std::vector<Verhaeltnis> verhaeltnisse)
      : verhaeltnisse_(std::move(verhaeltnisse)) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const std::string& name = run.run_name.function_name;
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
        sekunden_[name] = run.GetAdjustedRealTime();
        median_[name] = true;
      } else if (run.run_type == Run::RT_Iteration && !median_[name]) {
        sekunden_[name] = run.GetAdjustedRealTime();
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }

  void Finalize() override {
    for (const Verhaeltnis& v : verhaeltnisse_) {
      const auto zeit = sekunden_.find(v.name);
      const auto floor = sekunden_.find(v.floor);
      if (zeit == sekunden_.end() || floor == sekunden_.end() || floor->second <= 0) continue;
      GetOutputStream() << v.name << " / " << v.floor << ": " << zeit->second / floor->second;
      if (v.ziel > 0) GetOutputStream() << " (Ziel <= " << v.ziel << ")";
      GetOutputStream() << "\n";
    }
    ConsoleReporter::Finalize();
  }

 private:
  std::vector<Verhaeltnis> verhaeltnisse_;
  std::map<std::string, double> sekunden_;
  std::map<std::string, bool> median_;
};

// The body of main(): `vorbereiten` runs after the arguments are read and before the first
// benchmark; a false from it ends the program with 1.
inline int LaufeMitVerhaeltnissen(int argc, char** argv, std::vector<Verhaeltnis> verhaeltnisse,
                                  const std::function<bool()>& vorbereiten = {}) {
  std::vector<char*> args(argv, argv + argc);
  char interleave[] = "--benchmark_enable_random_interleaving=true";
  args.insert(args.begin() + 1, interleave);
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
  if (vorbereiten && !vorbereiten()) return 1;
  VerhaeltnisReporter reporter(std::move(verhaeltnisse));
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}

}  // namespace vks::bench
