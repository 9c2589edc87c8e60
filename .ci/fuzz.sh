#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (every library instrumented) and runs each for a minute
# from its seed corpus. Any crash, leak or sanitizer report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DVKS_BUILD_FUZZ=ON -DVKS_BUILD_TESTS=OFF -DVKS_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"
cmake --build build-fuzz -j"$(nproc)"
seconds=${VKS_FUZZ_SECONDS:-60}
for target in build-fuzz/fuzz/*_fuzz; do
  name=$(basename "$target")
  work=build-fuzz/corpus/$name
  mkdir -p "$work"
  seeds=()
  [ -d "fuzz/corpus/$name" ] && seeds+=("fuzz/corpus/$name")
  echo "== $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 "$work" "${seeds[@]}"
done
