#pragma once
// The recording floor every recording benchmark is held against: the system calls that appending
// one 16-byte record cannot avoid (open, fstat, pwrite at the end, close). And a timer that keeps
// each benchmark's time per item, so that main() can print the ratios of one run.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <map>
#include <string>

#include "recording/RttRecord.h"

namespace vks::bench {

inline void FloorAppend(const std::string& path, double time) {
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  struct stat st;
  ::fstat(fd, &st);
  RttRecordBytes bytes = EncodeRttRecord({DateValue{time}, 1.0f, 0.0f});
  benchmark::DoNotOptimize(::pwrite(fd, bytes.data(), bytes.size(), st.st_size));
  ::close(fd);
}

inline std::map<std::string, double>& NanosPerItem() {
  static std::map<std::string, double> nanos;
  return nanos;
}

// Times `body(i)` for every iteration; `prepare(i)`, when given, runs before it untimed.
template <class Body, class Prepare>
void Measure(benchmark::State& state, const std::string& name, Body body, Prepare prepare) {
  std::chrono::steady_clock::duration elapsed{};
  int64_t items = 0;
  for (auto _ : state) {
    state.PauseTiming();
    prepare(items);
    state.ResumeTiming();
    auto start = std::chrono::steady_clock::now();
    body(items);
    elapsed += std::chrono::steady_clock::now() - start;
    ++items;
  }
  if (items > 0)
    NanosPerItem()[name] = std::chrono::duration<double, std::nano>(elapsed).count() / items;
}

template <class Body>
void Measure(benchmark::State& state, const std::string& name, Body body) {
  auto start = std::chrono::steady_clock::now();
  int64_t items = 0;
  for (auto _ : state) {
    body(items);
    ++items;
  }
  auto elapsed = std::chrono::steady_clock::now() - start;
  if (items > 0)
    NanosPerItem()[name] = std::chrono::duration<double, std::nano>(elapsed).count() / items;
}

}  // namespace vks::bench
