#pragma once
// The recording floor every recording benchmark is held against: the system calls that appending
// one 16-byte record cannot avoid (open, size, write at the end, close). And a timer that keeps
// each benchmark's CPU time per item (the process's, kernel time included, so that other load on
// the machine does not skew it), so that main() can print the ratios of one run.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <map>
#include <string>

#include "bench/Floor.h"
#include "recording/RttRecord.h"

namespace vks::bench {

inline void FloorAppend(const std::string& path, double time) {
  const RttRecordBytes bytes = EncodeRttRecord({DateValue{time}, 1.0f, 0.0f});
  AppendAtEnd(path, bytes);
}

inline std::map<std::string, double>& NanosPerItem() {
  static std::map<std::string, double> nanos;
  return nanos;
}

// Times `body(i)` for every iteration; `prepare(i)`, when given, runs before it untimed.
template <class Body, class Prepare>
void Measure(benchmark::State& state, const std::string& name, Body body, Prepare prepare) {
  double elapsed = 0;
  int64_t items = 0;
  for (auto _ : state) {
    state.PauseTiming();
    prepare(items);
    state.ResumeTiming();
    const double start = CpuNanos();
    body(items);
    elapsed += CpuNanos() - start;
    ++items;
  }
  if (items > 0) NanosPerItem()[name] = elapsed / static_cast<double>(items);
}

template <class Body>
void Measure(benchmark::State& state, const std::string& name, Body body) {
  const double start = CpuNanos();
  int64_t items = 0;
  for (auto _ : state) {
    body(items);
    ++items;
  }
  if (items > 0) NanosPerItem()[name] = (CpuNanos() - start) / static_cast<double>(items);
}

}  // namespace vks::bench
